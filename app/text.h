#pragma once

// Text helpers for the single-byte (Windows-1250) strings of the core: one byte is one column.

#include <string>
#include <string_view>

namespace zt {

// Removes every blank and control character (bytes up to 0x20) at both ends.
std::string TrimBlanks(std::string_view text);

// Converts the letters a-z only; Polish letters and other bytes stay as they are.
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);

// Removes every blank, also between other characters.
std::string RemoveBlanks(std::string_view text);

// Pads with blanks on the right, or keeps the first `width` characters.
std::string LeftAligned(std::string_view text, std::size_t width);

// Pads with blanks on the left, or keeps the last `width` characters.
std::string RightAligned(std::string_view text, std::size_t width);

// The last `count` characters, or the whole text when it is shorter.
std::string_view LastChars(std::string_view text, std::size_t count);

inline bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace zt
