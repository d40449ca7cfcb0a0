#pragma once

// CW messages as the keyer gets them: the fields filled in, the cut numbers, only what Morse
// has, and how long the text takes at a speed. Text is single-byte Windows-1250, as in the core.

#include <chrono>
#include <string>
#include <string_view>

namespace zt {

// What a message's fields stand for, as the main window shows them.
struct CwFields {
  std::string my_call;  // {MYCALL}: the station callsign in use
  std::string call;     // {CALL}: the callsign field as typed
  std::string report;   // {RST}: the sent report
  std::string group;    // {NR}: the sent group
};

// Which numbers are sent cut (9 as N, 0 as T).
struct CutNumbers {
  bool report = true;
  bool group = false;
};

// 9 as N and 0 as T; every other character stays.
std::string CutDigits(std::string_view text);

// The message with its fields replaced (field names in any case); an unknown name in braces
// stays as it is and is left out by the Morse filter.
std::string ExpandCwMessage(std::string_view message, const CwFields& fields, CutNumbers cut);

// What the keyer may be given of a text, and what had to be left out.
struct MorseText {
  std::string text;      // capitals, digits, / ? . , = - and single blanks, no blank at the ends
  std::string left_out;  // each character left out, once, in the order met
};

// Keeps what Morse has. `keyer_commands` also leaves out the characters a keyer reads as
// commands inside text (cwdaemon: + - ~ ^ *), so a typed callsign never changes its speed.
MorseText FilterMorse(std::string_view text, bool keyer_commands);

// The length of a text in dot units: a dot 1, a dash 3, 1 between the elements of a character,
// 3 between characters, 7 for a blank. "PARIS " is 50.
int MorseUnits(std::string_view morse);

// How long the keyer takes for a text at `wpm`: a dot lasts 1200 / wpm ms.
std::chrono::milliseconds SendingTime(std::string_view morse, int wpm);

}  // namespace zt
