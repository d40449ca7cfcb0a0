#include "rules/letter_bonus.h"

#include "core/text.h"

namespace zt {

namespace {

// The letters of the bonus word, and those it holds twice.
constexpr std::string_view kWordLetters = "TELOME";
constexpr std::string_view kDoubledLetters = "TEL";

// Letters of a single-mode category score only in their own mode, and so feed the word only then.
bool ModeScoresInCategory(std::string_view mode, int category_index) {
  if (mode != "CW" && mode != "PH") return false;
  return ShortWaveModeScores(category_index, mode == "CW");
}

}  // namespace

std::array<bool, 8> LetterBonusState::LitLetters() const {
  std::array<bool, 8> lit{};
  for (char letter : first_letters) {
    if (const std::size_t first = kBonusWord.find(letter); first != kBonusWord.npos)
      lit[first] = true;
  }
  for (char letter : second_letters) {
    const std::size_t first = kBonusWord.find(letter);
    if (first == kBonusWord.npos) continue;
    if (const std::size_t second = kBonusWord.find(letter, first + 1); second != kBonusWord.npos) {
      lit[second] = true;
    }
  }
  return lit;
}

std::string_view StationOf(std::string_view callsign) {
  return TrimmedView(callsign.substr(0, callsign.find('/')));
}

bool UpdateLetterBonus(std::string_view callsign, std::string_view mode,
                       const ScoringContext& scoring, LetterBonusState& state) {
  // An awarded word has every letter: nothing can change, and most of a long log ends here.
  if (state.awarded) return false;
  const std::string_view scoring_mode = mode == "SSB" ? std::string_view("PH") : mode;
  if (scoring.round == Round::kShortWave &&
      !ModeScoresInCategory(scoring_mode, scoring.category_index)) {
    return false;
  }

  const std::string_view station = StationOf(callsign);
  const char letter = station.empty() ? '\0' : station.back();
  const auto has = [](std::string_view letters, char c) {
    return c != '\0' && letters.find(c) != std::string_view::npos;
  };
  // Which list the letter would join; the station is looked up only then, since once the word
  // is complete no letter is wanted any more.
  std::string* wanting = nullptr;
  if (has(kWordLetters, letter)) {
    if (!has(state.first_letters, letter)) {
      wanting = &state.first_letters;
    } else if (has(kDoubledLetters, letter) && !has(state.second_letters, letter)) {
      wanting = &state.second_letters;
    }
  }
  if (wanting != nullptr && state.collected_callsigns.insert(std::string(station)).second) {
    *wanting += letter;
  }
  if (!state.awarded && state.first_letters.size() == 5 && state.second_letters.size() == 3) {
    state.awarded = true;
    return true;
  }
  return false;
}

}  // namespace zt
