#pragma once

// Text helpers for the single-byte (Windows-1250) strings of the core: one byte is one column.

#include <string>
#include <string_view>

namespace zt {

// Removes every blank and control character (bytes up to 0x20) at both ends.
std::string TrimBlanks(std::string_view text);
// The same as a view into `text`.
inline std::string_view TrimmedView(std::string_view text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// Converts the letters a-z only; Polish letters and other bytes stay as they are.
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);

// Removes every blank, also between other characters.
std::string RemoveBlanks(std::string_view text);

// Removes the control characters (bytes below 0x20, and DEL): a line break or a tab in a field
// would break the line of the file it is written into.
std::string RemoveControlCharacters(std::string_view text);

inline bool IsControlCharacter(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == '\x7f';
}

// Pads with blanks on the right, or keeps the first `width` characters.
std::string LeftAligned(std::string_view text, std::size_t width);

// Pads with blanks on the left, or keeps the last `width` characters.
std::string RightAligned(std::string_view text, std::size_t width);

// The last `count` characters, or the whole text when it is shorter.
inline std::string_view LastChars(std::string_view text, std::size_t count) {
  return text.size() <= count ? text : text.substr(text.size() - count);
}

inline bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace zt
