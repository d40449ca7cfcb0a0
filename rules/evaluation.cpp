#include "rules/evaluation.h"

#include <algorithm>
#include <iterator>

#include "app/text.h"
#include "app/whole_number.h"
#include "rules/locator.h"

namespace zt {

void DupeKeys::Add(std::string_view key) {
  ++lookups_;
  const auto found = counts_.find(key);
  if (found == counts_.end()) {
    counts_.emplace(key, 1);
  } else {
    ++found->second;
  }
  ++size_;
}

bool DupeKeys::AddIfAbsent(std::string_view key) {
  if (Contains(key)) return false;
  counts_.emplace(key, 1);
  ++size_;
  return true;
}

bool DupeKeys::Contains(std::string_view key) const {
  ++lookups_;
  return counts_.contains(key);
}

void DupeKeys::RemoveOne(std::string_view key) {
  const auto found = counts_.find(key);
  if (found == counts_.end()) return;
  if (--found->second == 0) counts_.erase(found);
  --size_;
}

void DupeKeys::Clear() {
  counts_.clear();
  size_ = 0;
}

namespace {

constexpr std::size_t kLocatorLength = 6;

// What the rules read of a line body.
struct BodyFields {
  explicit BodyFields(std::string_view body)
      : dupe_key(DupeKeyOf(body)),
        mode(TrimmedView(Columns(body, 21, 22))),
        group(TrimmedView(Columns(body, 54, 66))) {}
  std::string dupe_key;
  std::string_view mode;
  std::string_view group;
};

// The received group of the short-wave round: a row of the points table, empty, or refused.
enum class ShortWaveGroup { kO, kB, kDg, kSerial, kEmpty, kRefused };

ShortWaveGroup ClassifyShortWaveGroup(std::string_view group) {
  if (group.empty()) return ShortWaveGroup::kEmpty;
  if (group == "O") return ShortWaveGroup::kO;
  if (group == "B") return ShortWaveGroup::kB;
  if (group == "DG") return ShortWaveGroup::kDg;
  return ToWholeNumber(group) ? ShortWaveGroup::kSerial : ShortWaveGroup::kRefused;
}

bool VhfGroupIsValid(std::string_view group) {
  return group.size() > kLocatorLength && !LocatorIsInvalid(LastChars(group, kLocatorLength));
}

bool IsBonusStation(std::string_view callsign) {
  return std::any_of(std::begin(kBonusStations), std::end(kBonusStations),
                     [callsign](std::string_view station) { return Contains(callsign, station); });
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

std::string VhfResult(const BodyFields& fields, std::string_view callsign, std::string_view mode,
                      const ScoringContext& scoring, ScoreState& state) {
  if (!VhfGroupIsValid(fields.group)) return "RPRT";
  if (!state.dupe_keys.AddIfAbsent(fields.dupe_key)) return "DUPE";
  if (UpdateLetterBonus(callsign, mode, scoring, state.letters)) state.score += kLetterBonusPoints;
  std::int64_t points = VhfPoints(LastChars(fields.group, kLocatorLength), scoring.own_locator);
  std::string result = std::to_string(points);
  if (IsBonusStation(callsign)) {
    result += "+" + std::to_string(kBonusStationPoints);
    points += kBonusStationPoints;
  }
  state.score += points;
  return result;
}

// The result text and points of a group of the points table.
struct TableRow {
  std::string_view cw_text;
  int cw_points;
  std::string_view ssb_text;
  int ssb_points;
};

TableRow PointsTableRow(ShortWaveGroup group) {
  switch (group) {
    case ShortWaveGroup::kO:
      return {"20", 20, "10", 10};
    case ShortWaveGroup::kB:
      return {"10", 10, "5", 5};
    case ShortWaveGroup::kDg:
      return {"4", 4, "2", 2};
    default:
      return {"2", 2, "1", 1};
  }
}

std::string ShortWaveResult(const BodyFields& fields, EvaluationContext context,
                            std::string_view callsign, std::string_view mode,
                            const ScoringContext& scoring, ScoreState& state) {
  const ShortWaveGroup group = ClassifyShortWaveGroup(fields.group);
  const bool valid = group != ShortWaveGroup::kRefused;
  if (valid && !state.dupe_keys.AddIfAbsent(fields.dupe_key)) return "DUPE";
  const bool cw = fields.mode == "CW";
  // A single-mode category logs the other mode for the organisers' cross-check only.
  const bool set_aside = (cw && scoring.category_index == kCategorySsbOnly) ||
                         (!cw && scoring.category_index == kCategoryCwOnly);
  if (!valid) return "RPRT";
  if (set_aside) {
    state.dupe_keys.RemoveOne(fields.dupe_key);
    return "CTRL";
  }
  if (group == ShortWaveGroup::kEmpty) {
    if (context == EvaluationContext::kAdding) return "RPRT";
    return cw ? "0" : "CTRL";
  }
  const TableRow row = PointsTableRow(group);
  if (UpdateLetterBonus(callsign, mode, scoring, state.letters)) state.score += kLetterBonusPoints;
  state.score += cw ? row.cw_points : row.ssb_points;
  return std::string(cw ? row.cw_text : row.ssb_text);
}

std::string Evaluate(const BodyFields& fields, EvaluationContext context, std::string_view callsign,
                     std::string_view mode, const ScoringContext& scoring, ScoreState& state) {
  return scoring.round == Round::kVhf
             ? VhfResult(fields, callsign, mode, scoring, state)
             : ShortWaveResult(fields, context, callsign, mode, scoring, state);
}

}  // namespace

bool ExchangeIsValid(std::string_view received_group, Round round) {
  if (round == Round::kVhf) return VhfGroupIsValid(received_group);
  return ClassifyShortWaveGroup(received_group) != ShortWaveGroup::kRefused;
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
  const std::string_view trimmed = TrimmedView(result);
  const std::size_t plus = trimmed.find('+');
  const auto points = ToWholeNumber(trimmed.substr(0, plus));
  if (!points) return 0;
  return std::int64_t{*points} + (plus == std::string::npos ? 0 : kBonusStationPoints);
}

std::string EvaluateQso(std::string_view line_body, EvaluationContext context,
                        std::string_view callsign, std::string_view mode,
                        const ScoringContext& scoring, ScoreState& state) {
  return Evaluate(BodyFields(line_body), context, callsign, mode, scoring, state);
}

}  // namespace zt
