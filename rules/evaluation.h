#pragma once

// The contest rules for one QSO: the exchange test, the duplicate test, the points and the
// result text written from column 68.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/log_line.h"
#include "rules/letter_bonus.h"

namespace zt {

// Keys of the QSOs that count for the duplicate test; removing a key removes one occurrence.
class DupeKeys {
 public:
  void Add(std::string_view key);
  // Adds the key unless it is present; true when it was added.
  bool AddIfAbsent(std::string_view key);
  bool Contains(std::string_view key) const;
  void RemoveOne(std::string_view key);
  void Clear();
  // Room for `keys` distinct keys without rehashing.
  void Reserve(std::size_t keys) { table_->counts.reserve(keys); }
  std::size_t size() const { return size_; }
  // How many lookups ran since construction (a move and Clear keep counting): lets a test prove a
  // recalculation stays linear.
  std::size_t lookups() const { return lookups_; }

 private:
  // Lets a key be looked up as a string_view, without building a string first.
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const {
      return std::hash<std::string_view>{}(key);
    }
  };
  // The table's nodes come from a pool of its own, which keeps them close together in memory and
  // takes them back for the next keys instead of returning them to the heap: a long log's keys
  // are cleared and added again with every recalculation, and scattered nodes made that wait on
  // memory. Held by pointer, so moving the keys moves the pool along with its nodes (a moved-from
  // DupeKeys may only be assigned to or destroyed).
  struct Table {
    std::pmr::unsynchronized_pool_resource nodes;
    std::pmr::unordered_map<std::string, int, Hash, std::equal_to<>> counts{&nodes};
  };
  std::unique_ptr<Table> table_ = std::make_unique<Table>();  // every count above 0
  std::size_t size_ = 0;
  mutable std::size_t lookups_ = 0;
};

struct ScoreState {
  DupeKeys dupe_keys;
  LetterBonusState letters;
  std::int64_t score = 0;
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

}  // namespace zt
