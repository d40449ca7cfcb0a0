#include "rules/evaluation.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>
#include <iterator>

#include "app/text.h"
#include "app/whole_number.h"
#include "rules/locator.h"

namespace zt {

namespace {

// Six characters and a marker bit above them, so that no key is 0. Read as two integers, not
// through a buffer, which the processor could not pass on to the wider read that follows.
std::uint64_t LocatorKey(const char* characters) {
  std::uint32_t low;
  std::uint16_t high;
  std::memcpy(&low, characters, sizeof low);
  std::memcpy(&high, characters + sizeof low, sizeof high);
  return low | std::uint64_t{high} << 32 | std::uint64_t{1} << 48;
}

// The slot where the search for a locator key starts: the high bits of a multiplicative hash.
// The locators of one log differ in a few characters; this spreads them more evenly than Mix,
// so that a search reads about half as many slots.
std::size_t FirstLocatorSlot(std::uint64_t key, std::size_t slot_count) {
  return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15u) >>
                                  (64 - std::countr_zero(slot_count)));
}

std::uint64_t Mix(std::uint64_t value) {
  value ^= value >> 32;
  value *= 0xD6E8FEB86659FD93u;
  value ^= value >> 32;
  return value;
}

}  // namespace

std::uint64_t DupeKeys::HashOf(std::string_view key) {
  // Words of eight bytes, the last one overlapping the one before: keys are under twenty bytes.
  const auto word_at = [&key](std::size_t at) {
    std::uint64_t word;
    std::memcpy(&word, key.data() + at, sizeof word);
    return word;
  };
  std::uint64_t hash = key.size() * 0x9E3779B97F4A7C15u;
  if (key.size() < 8) {
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < key.size(); ++i) {
      word |= std::uint64_t{static_cast<unsigned char>(key[i])} << (8 * i);
    }
    return Mix(hash ^ word);
  }
  for (std::size_t at = 0; at + 8 < key.size(); at += 8) hash = Mix(hash ^ word_at(at));
  return Mix(hash ^ word_at(key.size() - 8));
}

std::string_view DupeKeys::TextOf(const Key& key) const {
  return std::string_view(key_bytes_).substr(key.offset, key.length);
}

std::size_t DupeKeys::Find(std::string_view key, std::uint64_t hash) const {
  const std::uint32_t number_bits = NumberBits();
  const std::uint32_t tag = TagOf(hash);
  for (std::size_t index = hash & number_bits;; index = (index + 1) & number_bits) {
    const std::uint32_t slot = slots_[index];
    if (slot == 0) return index;
    if ((slot & ~number_bits) == tag && TextOf(keys_[(slot & number_bits) - 1]) == key) {
      return index;
    }
  }
}

void DupeKeys::Grow(std::size_t capacity) {
  slots_.assign(capacity, 0);
  for (std::size_t number = 0; number < keys_.size(); ++number) {
    const std::string_view key = TextOf(keys_[number]);
    const std::uint64_t hash = HashOf(key);
    slots_[Find(key, hash)] = TagOf(hash) | static_cast<std::uint32_t>(number + 1);
  }
}

void DupeKeys::Reserve(std::size_t keys) {
  if (keys * 5 <= slots_.size() * 4) return;
  std::size_t capacity = std::max<std::size_t>(16, slots_.size());
  while (capacity * 4 < keys * 5) capacity *= 2;
  Grow(capacity);
  keys_.reserve(keys);
}

void DupeKeys::Add(std::string_view key) {
  if (AddIfAbsent(key)) return;
  ++keys_[(slots_[Find(key, HashOf(key))] & NumberBits()) - 1].count;
  ++size_;
}

bool DupeKeys::AddIfAbsent(std::string_view key) {
  ++lookups_;
  if ((keys_.size() + 1) * 5 > slots_.size() * 4) Reserve(keys_.size() + 1);
  const std::uint64_t hash = HashOf(key);
  std::uint32_t& slot = slots_[Find(key, hash)];
  if (slot != 0) {
    Key& found = keys_[(slot & NumberBits()) - 1];
    if (found.count > 0) return false;
    found.count = 1;
  } else {
    keys_.push_back(Key{static_cast<std::uint32_t>(key_bytes_.size()),
                        static_cast<std::uint32_t>(key.size()), 1});
    key_bytes_ += key;
    slot = TagOf(hash) | static_cast<std::uint32_t>(keys_.size());
  }
  ++size_;
  return true;
}

bool DupeKeys::Contains(std::string_view key) const {
  ++lookups_;
  if (slots_.empty()) return false;
  const std::uint32_t slot = slots_[Find(key, HashOf(key))];
  return slot != 0 && keys_[(slot & NumberBits()) - 1].count > 0;
}

void DupeKeys::RemoveOne(std::string_view key) {
  if (slots_.empty()) return;
  const std::uint32_t slot = slots_[Find(key, HashOf(key))];
  if (slot == 0) return;
  Key& found = keys_[(slot & NumberBits()) - 1];
  if (found.count == 0) return;
  --found.count;
  --size_;
}

void DupeKeys::Clear() {
  std::fill(slots_.begin(), slots_.end(), 0);
  keys_.clear();
  key_bytes_.clear();
  size_ = 0;
}

namespace {

constexpr std::size_t kLocatorLength = 6;

// The columns of a line body that the rules read, trimmed, as views into the body: each is read
// once per evaluation.
struct BodyFields {
  explicit BodyFields(std::string_view body)
      : mode_columns(Columns(body, 21, 22)),
        mode(TrimmedView(mode_columns)),
        key_callsign(TrimmedView(Columns(body, 35, 50))),
        group(TrimmedView(Columns(body, 54, 66))) {}
  std::string_view mode_columns;  // as they stand: the start of the duplicate key
  std::string_view mode;
  std::string_view key_callsign;  // 35-50: the callsign of the duplicate key
  std::string_view group;
};

// DupeKeyOf without its allocations: the mode columns, a blank and the trimmed callsign, which
// together never exceed 19 characters.
class DupeKeyText {
 public:
  explicit DupeKeyText(const BodyFields& fields) {
    for (char c : fields.mode_columns) text_[size_++] = c;
    text_[size_++] = ' ';
    for (char c : fields.key_callsign) text_[size_++] = c;
  }
  std::string_view view() const { return std::string_view(text_.data(), size_); }

 private:
  std::array<char, 19> text_;  // only the first size_ characters are ever read
  std::size_t size_ = 0;
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
  if (fields.group.size() <= kLocatorLength) return "RPRT";
  const VhfLocators::Locator& locator =
      state.vhf_locators.Find(LastChars(fields.group, kLocatorLength), scoring.own_locator);
  if (!locator.valid()) return "RPRT";
  if (!state.dupe_keys.AddIfAbsent(DupeKeyText(fields).view())) return "DUPE";
  if (UpdateLetterBonus(callsign, mode, scoring, state.letters)) state.score += kLetterBonusPoints;
  std::string result(locator.text.data(), locator.text_size);
  state.score += locator.points;
  if (IsBonusStation(callsign)) {
    result += "+" + std::to_string(kBonusStationPoints);
    state.score += kBonusStationPoints;
  }
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
  if (valid && !state.dupe_keys.AddIfAbsent(DupeKeyText(fields).view())) return "DUPE";
  const bool cw = fields.mode == "CW";
  // A single-mode category logs the other mode for the organisers' cross-check only.
  const bool set_aside = (cw && scoring.category_index == kCategorySsbOnly) ||
                         (!cw && scoring.category_index == kCategoryCwOnly);
  if (!valid) return "RPRT";
  if (set_aside) {
    state.dupe_keys.RemoveOne(DupeKeyText(fields).view());
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

const VhfLocators::Locator& VhfLocators::Find(std::string_view locator,
                                              std::string_view own_locator) {
  // The points depend on the own locator's first six characters, or on its being too short.
  const std::uint64_t own_key =
      own_locator.size() >= kLocatorLength ? LocatorKey(own_locator.data()) : 0;
  if (own_key != own_key_ || slots_.empty()) {
    Clear();
    own_key_ = own_key;
    slots_.assign(64, Slot{});
  }
  const std::uint64_t key = LocatorKey(locator.data());
  const auto find = [this](std::uint64_t wanted) {
    std::size_t index = FirstLocatorSlot(wanted, slots_.size());
    while (slots_[index].key != 0 && slots_[index].key != wanted) {
      index = (index + 1) & (slots_.size() - 1);
    }
    return index;
  };
  std::size_t index = find(key);
  if (slots_[index].key == key) return slots_[index].locator;
  if ((used_ + 1) * 4 > slots_.size() * 3) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.size() * 2, Slot{});
    for (const Slot& slot : old) {
      if (slot.key != 0) slots_[find(slot.key)] = slot;
    }
    index = find(key);
  }
  Slot& slot = slots_[index];
  slot.key = key;
  Locator& found = slot.locator;
  if (!LocatorIsInvalid(locator)) {
    found.points = static_cast<std::uint16_t>(VhfPoints(locator, own_locator));
    const auto written =
        std::to_chars(found.text.data(), found.text.data() + found.text.size(), found.points);
    found.text_size = static_cast<std::uint8_t>(written.ptr - found.text.data());
  }
  ++used_;
  return found;
}

void VhfLocators::Clear() {
  slots_.clear();
  used_ = 0;
  own_key_ = 0;
}

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

std::string RecalculateQso(std::string_view line_body, const ScoringContext& scoring,
                           ScoreState& state) {
  const BodyFields fields(line_body);
  // ScoringCallsignOf reads columns 35-49: the key's callsign, less a last character in column 50.
  std::string_view callsign = fields.key_callsign;
  if (line_body.size() >= 50 && callsign.data() + callsign.size() == line_body.data() + 50) {
    callsign = TrimmedView(callsign.substr(0, callsign.size() - 1));
  }
  return Evaluate(fields, EvaluationContext::kRecalculating, callsign, fields.mode, scoring, state);
}

}  // namespace zt
