// The whole-number conversion against an independent reading with std::from_chars.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "core/whole_number.h"
#include "fuzz/fuzz_check.h"

namespace {

bool AllDigits(std::string_view text, int base) {
  for (char c : text) {
    const bool decimal = c >= '0' && c <= '9';
    const bool hex = (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!decimal && !(base == 16 && hex)) return false;
  }
  return !text.empty();
}

// Digits only, no sign: the value up to `limit`, nothing beyond it.
std::optional<std::int64_t> Magnitude(std::string_view digits, int base, std::int64_t limit) {
  if (!AllDigits(digits, base)) return std::nullopt;
  std::uint64_t value = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  if (value > static_cast<std::uint64_t>(limit)) return std::nullopt;
  return static_cast<std::int64_t>(value);
}

std::optional<std::int32_t> Expected(std::string_view text) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text.remove_prefix(first);
  std::optional<std::int64_t> value;
  if (text.front() == '$' || text.front() == 'x' || text.front() == 'X') {
    value = Magnitude(text.substr(1), 16, kMax);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    value = Magnitude(text.substr(2), 16, kMax);
  } else if (text.front() == '-') {
    value = Magnitude(text.substr(1), 10, kMax + 1);
    if (value) value = -*value;
  } else {
    value = Magnitude(text.front() == '+' ? text.substr(1) : text, 10, kMax);
  }
  if (!value) return std::nullopt;
  return static_cast<std::int32_t>(*value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ZT_FUZZ_CHECK(zt::ToWholeNumber(text) == Expected(text));
  return 0;
}
