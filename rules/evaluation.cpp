#include "rules/evaluation.h"

#include "app/text.h"
#include "app/whole_number.h"
#include "rules/locator.h"

namespace zt {

void DupeKeys::Add(const std::string& key) {
  ++lookups_;
  ++counts_[key];
  ++size_;
}

bool DupeKeys::Contains(std::string_view key) const {
  ++lookups_;
  return counts_.find(key) != counts_.end();
}

void DupeKeys::RemoveOne(const std::string& key) {
  const auto it = counts_.find(key);
  if (it == counts_.end()) return;
  if (--it->second == 0) counts_.erase(it);
  --size_;
}

void DupeKeys::Clear() {
  counts_.clear();
  size_ = 0;
}

namespace {

constexpr std::size_t kLocatorLength = 6;

bool IsBonusStation(std::string_view callsign) {
  for (const char* station : kBonusStations) {
    if (Contains(callsign, station)) return true;
  }
  return false;
}

// Points of a VHF QSO with a serial number and a valid locator: the distance between the two
// locators, 5 for a correspondent in the own subsquare, nothing while the own locator is unusable.
std::int64_t VhfPoints(std::string_view locator, std::string_view own_locator) {
  if (LocatorIsInvalid(own_locator)) return 0;
  if (locator == own_locator.substr(0, kLocatorLength)) return 5;
  double longitude_a = 0;
  double latitude_a = 0;
  double longitude_b = 0;
  double latitude_b = 0;
  LocatorToLonLat(locator, longitude_a, latitude_a);
  LocatorToLonLat(own_locator, longitude_b, latitude_b);
  return LocatorDistanceKm(latitude_a, latitude_b, longitude_a, longitude_b);
}

std::string VhfResult(std::string_view group, bool valid, std::string_view callsign,
                      std::string_view mode, const ScoringContext& scoring, ScoreState& state) {
  if (!valid) return "RPRT";
  if (UpdateLetterBonus(callsign, mode, scoring, state.letters)) state.score += kLetterBonusPoints;
  std::string result =
      std::to_string(VhfPoints(LastChars(group, kLocatorLength), scoring.own_locator));
  if (IsBonusStation(callsign)) result += "+" + std::to_string(kBonusStationPoints);
  return result;
}

// The points table of the short-wave round; empty for a group outside it.
std::string ShortWaveTablePoints(std::string_view group, bool cw) {
  if (group == "O") return cw ? "20" : "10";
  if (group == "B") return cw ? "10" : "5";
  if (group == "DG") return cw ? "4" : "2";
  if (ToWholeNumber(group)) return cw ? "2" : "1";
  return {};
}

std::string ShortWaveResult(std::string_view line_body, std::string_view group, bool valid,
                            EvaluationContext context, std::string_view callsign,
                            std::string_view mode, const ScoringContext& scoring,
                            ScoreState& state) {
  const bool cw = ModeOf(line_body) == "CW";
  // A single-mode category logs the other mode for the organisers' cross-check only.
  const bool set_aside = (cw && scoring.category_index == kCategorySsbOnly) ||
                         (!cw && scoring.category_index == kCategoryCwOnly);
  if (set_aside) {
    if (!valid) return "RPRT";
    state.dupe_keys.RemoveOne(DupeKeyOf(line_body));
    return "CTRL";
  }
  if (!valid) return "RPRT";
  if (group.empty()) {
    if (context == EvaluationContext::kAdding) return "RPRT";
    return cw ? "0" : "CTRL";
  }
  std::string result = ShortWaveTablePoints(group, cw);
  if (UpdateLetterBonus(callsign, mode, scoring, state.letters)) state.score += kLetterBonusPoints;
  return result;
}

}  // namespace

bool ExchangeIsValid(std::string_view received_group, Round round) {
  if (round == Round::kVhf) {
    return received_group.size() > kLocatorLength &&
           !LocatorIsInvalid(LastChars(received_group, kLocatorLength));
  }
  return received_group.empty() || received_group == "O" || received_group == "B" ||
         received_group == "DG" || ToWholeNumber(received_group).has_value();
}

Confirmation RequiredConfirmation(std::string_view line_body, Round round) {
  const std::string group = ReceivedGroupOf(line_body);
  if (ExchangeIsValid(group, round)) return Confirmation::kNone;
  if (round == Round::kShortWave) return Confirmation::kInvalidShortWaveGroup;
  if (group.size() >= kLocatorLength && LocatorIsInvalid(LastChars(group, kLocatorLength))) {
    return Confirmation::kInvalidLocator;
  }
  return Confirmation::kShortVhfGroup;
}

std::int64_t PointsOfResult(std::string_view result) {
  const std::string trimmed = TrimBlanks(result);
  const std::size_t plus = trimmed.find('+');
  const auto points = ToWholeNumber(std::string_view(trimmed).substr(0, plus));
  if (!points) return 0;
  return std::int64_t{*points} + (plus == std::string::npos ? 0 : kBonusStationPoints);
}

std::string EvaluateQso(std::string_view line_body, EvaluationContext context,
                        std::string_view callsign, std::string_view mode,
                        const ScoringContext& scoring, ScoreState& state) {
  const std::string group = ReceivedGroupOf(line_body);
  const bool valid = ExchangeIsValid(group, scoring.round);
  if (valid) {
    const std::string key = DupeKeyOf(line_body);
    if (state.dupe_keys.Contains(key)) return "DUPE";
    state.dupe_keys.Add(key);
  }
  std::string result =
      scoring.round == Round::kVhf
          ? VhfResult(group, valid, callsign, mode, scoring, state)
          : ShortWaveResult(line_body, group, valid, context, callsign, mode, scoring, state);
  state.score += PointsOfResult(result);
  return result;
}

}  // namespace zt
