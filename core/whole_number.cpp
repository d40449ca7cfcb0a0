#include "core/whole_number.h"

#include <charconv>

namespace zt {

namespace {

// The whole text as one 32-bit value in `base`. std::from_chars takes a leading "-" and nothing
// else that is no digit, and refuses a value out of range.
std::optional<std::int32_t> Convert(std::string_view text, int base) {
  std::int32_t value = 0;
  const char* const end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, base);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

bool StartsWithSign(std::string_view text) {
  return !text.empty() && (text.front() == '+' || text.front() == '-');
}

// A hexadecimal number has no sign.
std::optional<std::int32_t> Hexadecimal(std::string_view digits) {
  if (StartsWithSign(digits)) return std::nullopt;
  return Convert(digits, 16);
}

}  // namespace

std::optional<std::int32_t> ToWholeNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  if (text.front() == '$' || text.front() == 'x' || text.front() == 'X') {
    return Hexadecimal(text.substr(1));
  }
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return Hexadecimal(text.substr(2));
  }
  // One sign at most: std::from_chars takes a "-" itself, and after a "+" only the digits.
  if (text.front() == '+') {
    text.remove_prefix(1);
    if (StartsWithSign(text)) return std::nullopt;
  }
  return Convert(text, 10);
}

}  // namespace zt
