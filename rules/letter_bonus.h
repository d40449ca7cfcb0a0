#pragma once

// The once-only bonus for collecting the bonus word T, E, L, T, Ó, L, M, E from the last letters of
// the correspondents' callsigns, one station per letter.

#include <array>
#include <string>
#include <string_view>
#include <unordered_set>

#include "core/log_line.h"
#include "rules/contest.h"

namespace zt {

struct LetterBonusState {
  std::unordered_set<std::string> collected_callsigns;  // cut before the first "/"
  std::string first_letters;                            // letters collected once, at most T E L O M
  std::string second_letters;  // letters collected a second time, at most T E L
  bool awarded = false;        // the 20 points have been added

  // Which of the eight letters of the word, left to right, are collected: the first T, E, L, O
  // and M light positions 0, 1, 2, 4 and 6; the second T, L and E light 3, 5 and 7.
  std::array<bool, 8> LitLetters() const;
};

// What the scoring needs from the station settings.
struct ScoringContext {
  Round round = Round::kShortWave;
  int category_index = -1;  // selected category: an index of kCategories, -1 none
  std::string own_locator;  // the station dialog's locator field
};

// The station a callsign names, whose last letter feeds the word: the callsign up to its first
// "/" (a portable or foreign-prefixed form is the same station), blanks trimmed.
std::string_view StationOf(std::string_view callsign);

// Feeds one scoring QSO to the collection. `mode` is "CW", "PH" or "FM"; "SSB" counts as "PH".
// Returns true when this call completed the word: the caller adds kLetterBonusPoints to the score.
bool UpdateLetterBonus(std::string_view callsign, std::string_view mode,
                       const ScoringContext& scoring, LetterBonusState& state);

}  // namespace zt
