#include "rules/evaluation.h"

#include <algorithm>
#include <optional>

#include "core/text.h"
#include "core/whole_number.h"
#include "rules/contest.h"
#include "rules/locator.h"

namespace zt {

void DupeKeys::Add(std::string_view key) {
  ++lookups_;
  const auto found = table_->counts.find(key);
  if (found == table_->counts.end()) {
    table_->counts.emplace(key, 1);
  } else {
    ++found->second;
  }
  ++size_;
}

bool DupeKeys::AddIfAbsent(std::string_view key) {
  ++lookups_;
  // One lookup: the node is made only when the key is new.
  if (!table_->counts.try_emplace(std::string(key), 1).second) return false;
  ++size_;
  return true;
}

bool DupeKeys::Contains(std::string_view key) const {
  ++lookups_;
  return table_->counts.contains(key);
}

void DupeKeys::RemoveOne(std::string_view key) {
  const auto found = table_->counts.find(key);
  if (found == table_->counts.end()) return;
  if (--found->second == 0) table_->counts.erase(found);
  --size_;
}

void DupeKeys::Clear() {
  table_->counts.clear();
  size_ = 0;
}

namespace {

// What the rules read of a line body; the views point into the body.
struct BodyFields {
  explicit BodyFields(std::string_view body)
      : dupe_key(DupeKeyOf(body)),
        mode(FieldView(body, line_columns::kMode)),
        group(FieldView(body, line_columns::kReceivedGroupAndBlanks)) {}
  std::string dupe_key;
  std::string_view mode;
  std::string_view group;
};

// The points of a short-wave received group: its row of the points table, or a serial number's;
// nothing for an empty group or one the exchange refuses.
std::optional<ModePoints> ShortWaveGroupPoints(std::string_view group) {
  if (const GroupPoints* row = GroupPointsOf(group)) return row->points;
  if (ToWholeNumber(group)) return kSerialNumberPoints;
  return std::nullopt;
}

bool ShortWaveGroupIsValid(std::string_view group) {
  return group.empty() || ShortWaveGroupPoints(group).has_value();
}

bool VhfGroupIsValid(std::string_view group) {
  return group.size() > kLocatorLength && !LocatorIsInvalid(LastChars(group, kLocatorLength));
}

bool IsBonusStation(std::string_view callsign) {
  return std::any_of(kBonusStations.begin(), kBonusStations.end(),
                     [callsign](std::string_view station) { return Contains(callsign, station); });
}

// Points of a VHF QSO with a serial number and a valid locator: the distance between the two
// locators, fixed points for a correspondent in the own subsquare, nothing while the own locator
// is unusable.
std::int64_t VhfPoints(std::string_view locator, std::string_view own_locator) {
  if (LocatorIsInvalid(own_locator)) return 0;
  if (locator == own_locator.substr(0, kLocatorLength)) return kSameSubsquarePoints;
  return DistanceBetweenLocators(locator, own_locator);
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

std::string ShortWaveResult(const BodyFields& fields, EvaluationContext context,
                            std::string_view callsign, std::string_view mode,
                            const ScoringContext& scoring, ScoreState& state) {
  const bool valid = ShortWaveGroupIsValid(fields.group);
  if (valid && !state.dupe_keys.AddIfAbsent(fields.dupe_key)) return "DUPE";
  const bool cw = fields.mode == "CW";
  if (!valid) return "RPRT";
  if (!ShortWaveModeScores(scoring.category_index, cw)) {
    state.dupe_keys.RemoveOne(fields.dupe_key);
    return "CTRL";
  }
  if (fields.group.empty()) {
    if (context == EvaluationContext::kAdding) return "RPRT";
    return cw ? "0" : "CTRL";
  }
  const ModePoints points = *ShortWaveGroupPoints(fields.group);
  if (UpdateLetterBonus(callsign, mode, scoring, state.letters)) state.score += kLetterBonusPoints;
  const int earned = cw ? points.cw : points.ssb;
  state.score += earned;
  return std::to_string(earned);
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
  return ShortWaveGroupIsValid(received_group);
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
