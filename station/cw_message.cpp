#include "station/cw_message.h"

#include <array>
#include <utility>

#include "core/text.h"

namespace zt {

namespace {

// Every character Morse has, with its elements.
constexpr std::array<std::pair<char, std::string_view>, 42> kMorseCode = {{
    {'A', ".-"},    {'B', "-..."},   {'C', "-.-."},   {'D', "-.."},    {'E', "."},
    {'F', "..-."},  {'G', "--."},    {'H', "...."},   {'I', ".."},     {'J', ".---"},
    {'K', "-.-"},   {'L', ".-.."},   {'M', "--"},     {'N', "-."},     {'O', "---"},
    {'P', ".--."},  {'Q', "--.-"},   {'R', ".-."},    {'S', "..."},    {'T', "-"},
    {'U', "..-"},   {'V', "...-"},   {'W', ".--"},    {'X', "-..-"},   {'Y', "-.--"},
    {'Z', "--.."},  {'0', "-----"},  {'1', ".----"},  {'2', "..---"},  {'3', "...--"},
    {'4', "....-"}, {'5', "....."},  {'6', "-...."},  {'7', "--..."},  {'8', "---.."},
    {'9', "----."}, {'/', "-..-."},  {'?', "..--.."}, {'.', ".-.-.-"}, {',', "--..--"},
    {'=', "-...-"}, {'-', "-....-"},
}};

// The elements of a character, or empty when Morse has none.
std::string_view ElementsOf(char c) {
  for (const auto& [character, elements] : kMorseCode) {
    if (character == c) return elements;
  }
  return {};
}

char ToUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsKeyerCommand(char c) { return c == '+' || c == '-' || c == '~' || c == '^' || c == '*'; }

}  // namespace

std::string CutDigits(std::string_view text) {
  std::string cut(text);
  for (char& c : cut) {
    if (c == '9') c = 'N';
    if (c == '0') c = 'T';
  }
  return cut;
}

std::string ExpandCwMessage(std::string_view message, const CwFields& fields, CutNumbers cut) {
  const std::string report =
      cut.report ? CutDigits(TrimBlanks(fields.report)) : TrimBlanks(fields.report);
  const std::string group =
      cut.group ? CutDigits(TrimBlanks(fields.group)) : TrimBlanks(fields.group);
  const std::pair<std::string_view, std::string> kFields[] = {
      {"MYCALL", TrimBlanks(fields.my_call)},
      {"CALL", TrimBlanks(fields.call)},
      {"RST", report},
      {"NR", group},
  };
  std::string expanded;
  std::size_t i = 0;
  while (i < message.size()) {
    const std::size_t close = message.find('}', i);
    if (message[i] == '{' && close != std::string_view::npos) {
      const std::string name = ToUpperAscii(message.substr(i + 1, close - i - 1));
      bool known = false;
      for (const auto& [field, value] : kFields) {
        if (name == field) {
          expanded += value;
          known = true;
          break;
        }
      }
      if (known) {
        i = close + 1;
        continue;
      }
    }
    expanded += message[i++];
  }
  return expanded;
}

MorseText FilterMorse(std::string_view text, bool keyer_commands) {
  MorseText filtered;
  bool blank_pending = false;
  for (char raw : text) {
    const char c = ToUpper(raw);
    if (c == ' ') {
      blank_pending = !filtered.text.empty();
      continue;
    }
    if (ElementsOf(c).empty() || (keyer_commands && IsKeyerCommand(c))) {
      // Control characters (a tab, an escape) are left out without a name the line could show.
      if (!IsControlCharacter(raw) && filtered.left_out.find(raw) == std::string::npos) {
        filtered.left_out += raw;
      }
      continue;
    }
    if (blank_pending) filtered.text += ' ';
    blank_pending = false;
    filtered.text += c;
  }
  return filtered;
}

int MorseUnits(std::string_view morse) {
  int units = 0;
  bool after_character = false;
  for (char c : morse) {
    const std::string_view elements = ElementsOf(ToUpper(c));
    if (elements.empty()) {
      // A blank, and anything the keyer would not key, is a word gap.
      units += 7;
      after_character = false;
      continue;
    }
    if (after_character) units += 3;
    for (std::size_t i = 0; i < elements.size(); ++i) {
      units += (elements[i] == '-' ? 3 : 1) + (i > 0 ? 1 : 0);
    }
    after_character = true;
  }
  return units;
}

std::chrono::milliseconds SendingTime(std::string_view morse, int wpm) {
  if (wpm <= 0) return std::chrono::milliseconds(0);
  return std::chrono::milliseconds(static_cast<long long>(MorseUnits(morse)) * 1200 / wpm);
}

}  // namespace zt
