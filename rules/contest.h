#pragma once

// What the contest is: its categories, the points of a QSO and its two bonuses. The rules, the
// station data and the exports read these facts from here and nowhere else.

#include <array>
#include <cstddef>
#include <string_view>

#include "core/log_line.h"

namespace zt {

// Which QSOs of a category score; the others of the round are logged for the organisers'
// cross-check only.
enum class ScoringModes { kCwAndSsb, kCwOnly, kSsbOnly, kFm };

struct Category {
  std::string_view text;  // as the category list shows it and the settings file stores it
  Round round;
  ScoringModes scoring;
  std::string_view preselected_mode;  // the mode box's item once the category is chosen
  std::string_view cabrillo;          // the CATEGORY value of the Cabrillo header
};

// The eight categories in their fixed order; the index is what the settings file stores.
inline constexpr std::array<Category, 8> kCategories = {{
    {"KF - log do kontroli", Round::kShortWave, ScoringModes::kCwAndSsb, "SSB", "CHECKLOG KF"},
    {"KF - grupa A - stacje klubowe CW i SSB", Round::kShortWave, ScoringModes::kCwAndSsb, "CW",
     "Grupa A"},
    {"KF - grupa B - stacje indywidualne CW", Round::kShortWave, ScoringModes::kCwOnly, "CW",
     "Grupa B"},
    {"KF - grupa C - stacje indywidualne SSB", Round::kShortWave, ScoringModes::kSsbOnly, "SSB",
     "Grupa C"},
    {"KF - grupa D - stacje indyw. SSB i CW", Round::kShortWave, ScoringModes::kCwAndSsb, "CW",
     "Grupa D"},
    {"KF - grupa E - stacje QRP SSB i CW", Round::kShortWave, ScoringModes::kCwAndSsb, "CW",
     "Grupa E"},
    {"UKF - log do kontroli", Round::kVhf, ScoringModes::kFm, "FM", "CHECKLOG UKF"},
    {"UKF - stacje indyw. i klubowe FM", Round::kVhf, ScoringModes::kFm, "FM", "UKF"},
}};

// The category at `index`, or null when no category is chosen (-1) or the index is out of range.
constexpr const Category* CategoryAt(int index) {
  if (index < 0 || index >= static_cast<int>(kCategories.size())) return nullptr;
  return &kCategories[static_cast<std::size_t>(index)];
}

// Whether a short-wave QSO in CW (or else in SSB) scores in the category at `index`; without a
// category both modes score.
constexpr bool ShortWaveModeScores(int category_index, bool cw) {
  const Category* category = CategoryAt(category_index);
  if (category == nullptr) return true;
  return cw ? category->scoring != ScoringModes::kSsbOnly
            : category->scoring != ScoringModes::kCwOnly;
}

// Short-wave points by the received group and the mode.
struct ModePoints {
  int cw;
  int ssb;
};
struct GroupPoints {
  std::string_view group;
  ModePoints points;
};
inline constexpr std::array<GroupPoints, 3> kGroupPoints = {{
    {"O", {20, 10}},
    {"B", {10, 5}},
    {"DG", {4, 2}},
}};
inline constexpr ModePoints kSerialNumberPoints{2, 1};  // any whole number as the group

// The row of the points table for `group`, or null when the group is none of its words.
constexpr const GroupPoints* GroupPointsOf(std::string_view group) {
  for (const GroupPoints& row : kGroupPoints) {
    if (row.group == group) return &row;
  }
  return nullptr;
}

// VHF: the received group is a serial number followed by the correspondent's locator; a QSO
// scores the distance in km, or these points within the own subsquare.
inline constexpr std::size_t kLocatorLength = 6;
inline constexpr int kSameSubsquarePoints = 5;

// A callsign containing one of these scores the bonus on VHF, written "+50" after the points.
inline constexpr std::array<std::string_view, 2> kBonusStations = {"QQ9AAA", "QQ9BBB"};
inline constexpr int kBonusStationPoints = 50;

// The bonus word, collected once from the correspondents' last letters (its Ó as O), and its
// points.
inline constexpr std::string_view kBonusWord = "TELTOLME";
inline constexpr int kLetterBonusPoints = 20;

}  // namespace zt
