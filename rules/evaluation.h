#pragma once

// The contest rules for one QSO: the exchange test, the duplicate test, the points and the
// result text written from column 68.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/log_line.h"
#include "rules/letter_bonus.h"

namespace zt {

// Keys of the QSOs that count for the duplicate test; removing a key removes one occurrence.
// An open-addressing table of 4-byte slots over keys stored back to back: the table of a long
// log stays small enough for the processor's caches, and adding a key allocates nothing once the
// storage has grown to the log.
class DupeKeys {
 public:
  void Add(std::string_view key);
  // Adds the key unless it is present, in one lookup; true when it was added.
  bool AddIfAbsent(std::string_view key);
  bool Contains(std::string_view key) const;
  void RemoveOne(std::string_view key);
  // Empties the set and keeps its storage for the next recalculation.
  void Clear();
  // Room for `keys` distinct keys without growing.
  void Reserve(std::size_t keys);
  std::size_t size() const { return size_; }
  // How many lookups ran since construction (Clear keeps counting): lets a test prove that a
  // recalculation stays linear.
  std::size_t lookups() const { return lookups_; }

 private:
  struct Key {
    std::uint32_t offset;  // into key_bytes_
    std::uint32_t length;
    std::int32_t count;  // 0 once removed; the key keeps its slot
  };
  static std::uint64_t HashOf(std::string_view key);
  std::string_view TextOf(const Key& key) const;
  // The slot holding `key`, or the free slot where it would go.
  std::size_t Find(std::string_view key, std::uint64_t hash) const;
  void Grow(std::size_t capacity);

  // The bits of a slot that hold a key's number plus one: those below the table's size, as there
  // are fewer keys than slots.
  std::uint32_t NumberBits() const { return static_cast<std::uint32_t>(slots_.size() - 1); }
  // The part of a key's hash kept in its slot, in the bits above its number.
  std::uint32_t TagOf(std::uint64_t hash) const {
    return static_cast<std::uint32_t>(hash >> 32) & ~NumberBits();
  }

  // 0 marks a free slot; otherwise the key's number plus one and the tag of its hash, which tells
  // most other keys apart without reading them. Four bytes a slot keep the table of a long log
  // in the processor's caches beside the log's text, which passes through them.
  std::vector<std::uint32_t> slots_;  // a power of two, at most four fifths used
  std::vector<Key> keys_;
  std::string key_bytes_;
  std::size_t size_ = 0;
  mutable std::size_t lookups_ = 0;
};

// What the last six characters of a VHF received group give, by those characters, for one own
// locator: a log meets the same few locators again and again, and each distance takes several
// trigonometric functions.
class VhfLocators {
 public:
  // Eight bytes, so that a slot takes sixteen and the table of a long log stays in the caches.
  struct Locator {
    std::uint16_t points = 0;    // at most half the earth's circumference, 20010 km
    std::uint8_t text_size = 0;  // the points in decimal; 0 when the characters are no locator
    std::array<char, 5> text{};
    bool valid() const { return text_size != 0; }
  };
  // `locator` is six characters; it is examined and scored once.
  const Locator& Find(std::string_view locator, std::string_view own_locator);
  void Clear();

 private:
  struct Slot {
    std::uint64_t key = 0;  // the six characters and a marker bit; 0 marks a free slot
    Locator locator;
  };
  std::uint64_t own_key_ = 0;  // the part of the own locator that the points depend on
  std::vector<Slot> slots_;    // a power of two, at most three quarters used
  std::size_t used_ = 0;
};

struct ScoreState {
  DupeKeys dupe_keys;
  LetterBonusState letters;
  std::int64_t score = 0;
  VhfLocators vhf_locators;  // a cache, cleared by each recalculation
};

enum class EvaluationContext { kAdding, kRecalculating };

// The confirmation a line needs before it may be logged (adding only); all three concern groups
// that fail the exchange test.
enum class Confirmation {
  kNone,
  kInvalidShortWaveGroup,  // not "O", "B", "DG" nor a serial number
  kInvalidLocator,         // the last six characters are no locator
  kShortVhfGroup,          // no serial number before the locator
};

inline constexpr const char* kBonusStations[] = {"QQ9AAA", "QQ9BBB"};
inline constexpr int kBonusStationPoints = 50;

bool ExchangeIsValid(std::string_view received_group, Round round);

Confirmation RequiredConfirmation(std::string_view line_body, Round round);

// What a result text adds to the score: "RPRT", "CTRL", "DUPE" and any text that is not a whole
// number add nothing; "N+..." adds N plus the bonus-station points.
std::int64_t PointsOfResult(std::string_view result);

// Evaluates one QSO (the operator has already confirmed it when a confirmation was needed) and
// returns its result text: "DUPE", "RPRT", "CTRL", the points, or the points followed by "+50".
// Updates the duplicate keys, the letters and the score, the letter bonus included.
// `callsign` and `mode`: when adding, the callsign field as typed and the mode box ("CW", "SSB",
// "FM"); when recalculating, ScoringCallsignOf and ModeOf of the line.
std::string EvaluateQso(std::string_view line_body, EvaluationContext context,
                        std::string_view callsign, std::string_view mode,
                        const ScoringContext& scoring, ScoreState& state);

// EvaluateQso when recalculating, with the callsign and mode read from the line (ScoringCallsignOf
// and ModeOf) and every column read once.
std::string RecalculateQso(std::string_view line_body, const ScoringContext& scoring,
                           ScoreState& state);

}  // namespace zt
