#pragma once

// One contest run: the log file and everything derived from it (the list lines, the duplicate
// keys, the letters and the score), with every flow the windows start on it. It never asks the
// operator: where a decision is needed it says which one, and the window asks.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_io.h"
#include "core/log_file.h"
#include "core/log_line.h"
#include "core/log_loading.h"
#include "corrections/qso_correction.h"
#include "rules/evaluation.h"
#include "settings/settings_file.h"
#include "station/radio_file.h"

namespace zt {

// A QSO made from the entry fields, before it is logged.
struct NewQso {
  std::string body;           // the 67-character line body
  Confirmation confirmation;  // what the operator must confirm before it is logged
};

NewQso ComposeQso(const EntryFields& fields, Round round);

struct AddOutcome {
  IoStatus log;          // why the QSO is not in the log; the score is then what the file holds
  IoStatus unread;       // after such a failure: why the file could not be read back either
  IoStatus backup;       // why the backup could not be refreshed; the QSO is stored all the same
  std::string line;      // the logged line, its result text included
  bool counted = false;  // false for a duplicate
};

// What the QSO being typed would score if it were added now.
struct QsoPreview {
  std::string result;              // the result text adding would write ("2", "DUPE", "CTRL"...)
  std::int64_t points = 0;         // what it would add to the score, bonus station included
  char letter = '\0';              // the bonus word's letter it would light, or none
  std::optional<int> distance_km;  // VHF, when the group ends in a locator and the own is valid
  std::optional<int> bearing;      // from the own locator, 0-359 with north 0
  bool bonus_station = false;
};

// A worked callsign and the modes it was worked in, in the order first logged ("CW PH").
struct WorkedCallsign {
  std::string callsign;
  std::string modes;
  bool operator==(const WorkedCallsign&) const = default;
};

// The partial check starts at this many typed characters and lists at most this many callsigns.
inline constexpr std::size_t kPartialCheckMinimum = 3;
inline constexpr std::size_t kPartialCheckLimit = 8;

// What a typed correction needs before it can be written.
struct CorrectionCheck {
  enum class Verdict {
    kUnchanged,  // nothing to write
    kBadFormat,  // a date or time that would not fit its columns
    kBadData,    // a date or time that is no real one
    kConfirm,    // a received group that fails the exchange test: `question` says why
    kReady,
  };
  Verdict verdict = Verdict::kUnchanged;
  GroupQuestion question = GroupQuestion::kNone;
  std::string locator;  // the locator named in the invalid-locator question
  std::string value;    // what is written once accepted
};

// Whether a correction of `field` changes the duplicate keys, the points or the letters, so the
// log is recalculated after it.
bool CorrectionRecalculates(CorrectedField field);

// The names of the files the program keeps in its data folder besides its executable: the log
// store's, the settings', the radio's and the probe of the start-up's write check. A file the
// program adds there belongs in this list.
inline constexpr const char* kKeptFileNames[] = {
    kLogFileName,       kLogBackupFileName,         kTemporaryLogFileName, kTemporaryBackupFileName,
    kSettingsFileName,  kSettingsTemporaryFileName, kRadioFileName,        kRadioTemporaryFileName,
    kDirectoryProbeName};

class ContestLog {
 public:
  // `executable` is the program's own file, which lives in the data folder too.
  explicit ContestLog(LogFiles files, std::filesystem::path executable = {})
      : files_(std::move(files)), executable_(std::move(executable)) {}

  const LogFiles& files() const { return files_; }
  // The list lines, in the order the list shows them.
  const std::vector<std::string>& lines() const { return lines_; }
  const ScoreState& score() const { return state_; }
  // The first row holding exactly `line`, or -1.
  int FirstRowOf(std::string_view line) const;
  // True when `row` holds a QSO: a row of the list that is not an empty line.
  bool HoldsQso(int row) const;

  // --- Start-up ---
  // Creates the log empty when there is none (nothing is loaded then). Otherwise takes its QSO
  // lines into the list and returns the sent group they lead to, from the fields' own.
  IoResult<std::optional<SentGroupState>> Load(const SentGroupState& fields);
  // The file line numbers (from 1) of the damaged lines the last load found (see IsDamagedLine).
  const std::vector<int>& damaged_lines() const { return damaged_lines_; }

  // Evaluates the log file's lines again, in file order. When the file cannot be read the list's
  // own lines are evaluated, so the QSOs stay in view, and the reason is returned.
  IoStatus Recalculate(const ScoringContext& scoring);

  // --- Adding ---
  // True when a QSO with this callsign in this mode ("CW", "PH" or "FM") already counts.
  bool IsRepeated(std::string_view mode_key, std::string_view callsign) const;
  // Evaluates the QSO (the operator has confirmed what needed it) and stores it. The list holds it
  // only once the file does.
  AddOutcome Add(const NewQso& qso, std::string_view callsign, std::string_view mode,
                 const ScoringContext& scoring);
  // What adding the QSO would give, by the same rules, changing nothing.
  QsoPreview Preview(const NewQso& qso, std::string_view callsign, std::string_view mode,
                     const ScoringContext& scoring) const;
  // The worked callsigns containing `typed`, the exact one first, then in alphabetical order;
  // none while fewer than kPartialCheckMinimum characters are typed.
  std::vector<WorkedCallsign> PartialCheck(std::string_view typed) const;

  // --- Corrections of a logged QSO (the row must hold one) ---
  std::string CurrentValue(int row, CorrectedField field) const;
  CorrectionCheck CheckCorrection(int row, CorrectedField field, std::string_view typed,
                                  Round round) const;
  // Writes `value` into the field of every file line equal to the row's line; the corrected line
  // then stands last in the list. Nothing when no file line matched: the list keeps what it shows.
  IoResult<std::optional<std::string>> Correct(int row, CorrectedField field,
                                               std::string_view value);
  // The mode change of `line` (entry 0 CW, entry 1 PH; any other entry keeps the line as it is).
  IoResult<std::optional<std::string>> ChangeMode(const std::string& line, int chosen_index);
  // Removes the row's line from the file and the list.
  IoStatus Delete(int row);

  // --- New log ---
  // The program's own file that `target` is, if it is one: it must not take the copy. A path
  // through "..", a symbolic link or a hard link is the file it reaches.
  std::optional<std::filesystem::path> KeptFileAt(const std::filesystem::path& target) const;
  IoStatus CopyTo(const std::filesystem::path& target) const;
  // Empties the log file, then the list and the score; on failure nothing changes.
  IoStatus StartNew();

 private:
  // Replaces every file line matching `line` through `change` and follows it in the list.
  IoResult<std::optional<std::string>> Rewrite(const std::string& line, const LineChange& change);
  void Evaluate(const std::vector<std::string_view>& file_lines, const ScoringContext& scoring);
  void IndexCallsignOf(std::string_view line);
  void IndexCallsigns();

  LogFiles files_;
  std::filesystem::path executable_;
  std::vector<std::string> lines_;
  ScoreState state_;
  // Every logged callsign and its modes, for the partial check: rebuilt with every evaluation and
  // kept up by adding. After a deletion or a mode change it waits for the recalculation, as the
  // score does. Sorted by callsign; a vector, because a keystroke reads it whole.
  std::vector<WorkedCallsign> worked_;
  // False once the lines changed without the index: a recalculation then rebuilds it.
  bool worked_follows_lines_ = true;
  // The file line numbers of the damaged lines of the last load.
  std::vector<int> damaged_lines_;
};

}  // namespace zt
