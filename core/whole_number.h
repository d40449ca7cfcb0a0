#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zt {

// The one conversion of typed numbers: leading blanks, then either an optional sign and decimal
// digits, or a hexadecimal number introduced by "$", "X", "x", "0X" or "0x". The value must fit a
// signed 32-bit integer; an empty text or anything after the number fails.
std::optional<std::int32_t> ToWholeNumber(std::string_view text);

}  // namespace zt
