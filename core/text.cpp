#include "core/text.h"

#include <algorithm>

namespace zt {

std::string TrimBlanks(std::string_view text) { return std::string(TrimmedView(text)); }

std::string ToUpperAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

std::string ToLowerAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

std::string RemoveBlanks(std::string_view text) {
  std::string result(text);
  result.erase(std::remove(result.begin(), result.end(), ' '), result.end());
  return result;
}

std::string RemoveControlCharacters(std::string_view text) {
  std::string result(text);
  result.erase(std::remove_if(result.begin(), result.end(), IsControlCharacter), result.end());
  return result;
}

std::string LeftAligned(std::string_view text, std::size_t width) {
  std::string result(text.substr(0, width));
  result.resize(width, ' ');
  return result;
}

std::string RightAligned(std::string_view text, std::size_t width) {
  if (text.size() >= width) return std::string(LastChars(text, width));
  return std::string(width - text.size(), ' ') + std::string(text);
}

}  // namespace zt
