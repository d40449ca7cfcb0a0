#include "session/contest_log.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "core/text.h"
#include "rules/contest.h"
#include "rules/letter_bonus.h"
#include "rules/locator.h"
#include "rules/recalculation.h"

namespace zt {

namespace {

// Adds `mode` to the modes a callsign was worked in, once, in the order first logged.
void AddMode(std::string& modes, std::string_view mode) {
  if (modes.find(mode) != std::string::npos) return;
  if (!modes.empty()) modes += ' ';
  modes += mode;
}

bool CallsignBefore(const WorkedCallsign& worked, std::string_view callsign) {
  return worked.callsign < callsign;
}

// Whether the list holds the file's callsigns and modes in the file's order, as the partial
// check's index reads them. A list line's body is its file line's, so the columns are compared as
// they stand; a difference in blanks alone only costs a rebuilt index.
bool SameCallsignsAndModes(const std::vector<std::string>& lines,
                           const std::vector<std::string_view>& file_lines) {
  return std::equal(lines.begin(), lines.end(), file_lines.begin(), file_lines.end(),
                    [](std::string_view line, std::string_view file_line) {
                      using namespace line_columns;
                      return line.empty() == file_line.empty() &&
                             Columns(line, kCallsign) == Columns(file_line, kCallsign) &&
                             Columns(line, kMode) == Columns(file_line, kMode);
                    });
}

}  // namespace

NewQso ComposeQso(const EntryFields& fields, Round round) {
  std::string body = ComposeLogLine(fields, round);
  const Confirmation confirmation = RequiredConfirmation(body, round);
  return {std::move(body), confirmation};
}

bool CorrectionRecalculates(CorrectedField field) {
  return field == CorrectedField::kCallsign || field == CorrectedField::kReceivedGroup;
}

int ContestLog::FirstRowOf(std::string_view line) const {
  const auto found = std::find(lines_.begin(), lines_.end(), line);
  return found == lines_.end() ? -1 : static_cast<int>(found - lines_.begin());
}

bool ContestLog::HoldsQso(int row) const {
  return row >= 0 && row < static_cast<int>(lines_.size()) &&
         !lines_[static_cast<std::size_t>(row)].empty();
}

IoResult<std::optional<SentGroupState>> ContestLog::Load(const SentGroupState& fields) {
  if (!FileExists(files_.log)) {
    if (IoStatus status = CreateEmptyLogFile(files_)) return *status;
    return std::optional<SentGroupState>();
  }
  IoResult<std::vector<std::string>> file_lines = ReadLogFile(files_);
  if (!file_lines.ok()) return file_lines.error();
  LoadedLog loaded = LoadLogLines(file_lines.value(), fields);
  lines_ = std::move(loaded.lines);
  damaged_lines_ = std::move(loaded.damaged_lines);
  IndexCallsigns();
  return std::optional<SentGroupState>(loaded.sent_group);
}

IoStatus ContestLog::Recalculate(const ScoringContext& scoring) {
  if (!FileExists(files_.log)) {
    Evaluate({}, scoring);
    return std::nullopt;
  }
  IoResult<std::string> content = ReadWholeFile(*files_.steps, files_.log);
  if (!content.ok()) {
    // The QSOs are still in the file: an empty list would be exported as the whole log and
    // would let New log start without offering a copy.
    const std::vector<std::string> shown = lines_;
    Evaluate({shown.begin(), shown.end()}, scoring);
    return content.error();
  }
  Evaluate(LineViews(content.value()), scoring);
  return std::nullopt;
}

void ContestLog::Evaluate(const std::vector<std::string_view>& file_lines,
                          const ScoringContext& scoring) {
  // A recalculation rewrites the results only: while the file keeps the callsigns and modes the
  // partial check's index was built from, the index stands.
  const bool index_stands = worked_follows_lines_ && SameCallsignsAndModes(lines_, file_lines);
  // The old lines and keys lend their room to the new ones.
  Recalculation recalculation = zt::Recalculate(std::span<const std::string_view>(file_lines),
                                                scoring, {std::move(lines_), std::move(state_)});
  lines_ = std::move(recalculation.list_lines);
  state_ = std::move(recalculation.state);
  if (!index_stands) IndexCallsigns();
}

void ContestLog::IndexCallsignOf(std::string_view line) {
  if (line.empty()) return;
  const std::string_view callsign = FieldView(line, line_columns::kCallsign);
  auto at = std::lower_bound(worked_.begin(), worked_.end(), callsign, CallsignBefore);
  if (at == worked_.end() || at->callsign != callsign) {
    at = worked_.insert(at, WorkedCallsign{std::string(callsign), {}});
  }
  AddMode(at->modes, FieldView(line, line_columns::kMode));
}

void ContestLog::IndexCallsigns() {
  // Sorted once as views of the lines, then gathered: a stable sort keeps each callsign's lines
  // in log order, so its modes stand in the order first logged. A callsign's first eight bytes,
  // read as one big-endian number, order two callsigns as their text does whenever they differ
  // there, so most comparisons of a long log need no look at the text itself.
  struct Logged {
    std::uint64_t prefix;
    std::string_view callsign;
    std::string_view mode;
    bool operator<(const Logged& other) const {
      return prefix != other.prefix ? prefix < other.prefix : callsign < other.callsign;
    }
  };
  const auto prefix_of = [](std::string_view callsign) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < sizeof prefix; ++i) {
      const auto byte = i < callsign.size() ? static_cast<unsigned char>(callsign[i]) : 0u;
      prefix = prefix << 8 | byte;
    }
    return prefix;
  };
  std::vector<Logged> logged;
  logged.reserve(lines_.size());
  for (const std::string& line : lines_) {
    if (line.empty()) continue;
    const std::string_view callsign = FieldView(line, line_columns::kCallsign);
    logged.push_back({prefix_of(callsign), callsign, FieldView(line, line_columns::kMode)});
  }
  std::stable_sort(logged.begin(), logged.end());
  worked_.clear();
  for (const Logged& qso : logged) {
    if (worked_.empty() || worked_.back().callsign != qso.callsign) {
      worked_.push_back(WorkedCallsign{std::string(qso.callsign), {}});
    }
    AddMode(worked_.back().modes, qso.mode);
  }
  worked_follows_lines_ = true;
}

bool ContestLog::IsRepeated(std::string_view mode_key, std::string_view callsign) const {
  std::string key(mode_key);
  key += ' ';
  key += callsign;
  return state_.dupe_keys.Contains(key);
}

AddOutcome ContestLog::Add(const NewQso& qso, std::string_view callsign, std::string_view mode,
                           const ScoringContext& scoring) {
  const std::string result =
      EvaluateQso(qso.body, EvaluationContext::kAdding, callsign, mode, scoring, state_);
  AddOutcome outcome;
  outcome.line = qso.body + result;
  outcome.counted = result != "DUPE";
  const AppendOutcome stored = AppendToLogFile(files_, outcome.line);
  outcome.backup = stored.backup;
  if (stored.log) {
    // The evaluation counted the QSO: the score goes back to what the file holds.
    outcome.log = stored.log;
    outcome.unread = Recalculate(scoring);
    return outcome;
  }
  lines_.push_back(outcome.line);
  IndexCallsignOf(outcome.line);
  return outcome;
}

QsoPreview ContestLog::Preview(const NewQso& qso, std::string_view callsign, std::string_view mode,
                               const ScoringContext& scoring) const {
  // The evaluation reads one duplicate key and the letters: a trial state holding just those
  // gives what the whole state would, and the state itself stays as it is.
  ScoreState trial;
  const std::string key = DupeKeyOf(qso.body);
  if (state_.dupe_keys.Contains(key)) trial.dupe_keys.Add(key);
  trial.letters = state_.letters;
  QsoPreview preview;
  preview.result =
      EvaluateQso(qso.body, EvaluationContext::kAdding, callsign, mode, scoring, trial);
  preview.points = trial.score;  // the result's points and a completed word's
  const auto lit = [](const LetterBonusState& letters) {
    return letters.first_letters.size() + letters.second_letters.size();
  };
  if (lit(trial.letters) > lit(state_.letters)) preview.letter = StationOf(callsign).back();
  preview.bonus_station = preview.result.find('+') != std::string::npos;
  if (scoring.round == Round::kVhf) {
    const std::string group(TrimmedView(ReceivedGroupOf(qso.body)));
    const std::string_view locator = LastChars(group, kLocatorLength);
    if (!LocatorIsInvalid(locator) && !LocatorIsInvalid(scoring.own_locator)) {
      preview.distance_km = DistanceBetweenLocators(locator, scoring.own_locator);
      preview.bearing = LocatorBearing(scoring.own_locator, locator);
    }
  }
  return preview;
}

std::vector<WorkedCallsign> ContestLog::PartialCheck(std::string_view typed) const {
  std::vector<WorkedCallsign> found;
  if (typed.size() < kPartialCheckMinimum) return found;
  const auto exact = std::lower_bound(worked_.begin(), worked_.end(), typed, CallsignBefore);
  if (exact != worked_.end() && exact->callsign == typed) found.push_back(*exact);
  for (const WorkedCallsign& worked : worked_) {
    if (found.size() == kPartialCheckLimit) break;
    if (worked.callsign != typed && Contains(worked.callsign, typed)) found.push_back(worked);
  }
  return found;
}

std::string ContestLog::CurrentValue(int row, CorrectedField field) const {
  return zt::CurrentValue(field, lines_.at(static_cast<std::size_t>(row)));
}

CorrectionCheck ContestLog::CheckCorrection(int row, CorrectedField field, std::string_view typed,
                                            Round round) const {
  using Verdict = CorrectionCheck::Verdict;
  CorrectionCheck check;
  if (IsUnchanged(field, lines_.at(static_cast<std::size_t>(row)), typed)) return check;
  check.value = PreparedValue(field, typed);
  const auto judged = [&check](FieldCheck field_check) {
    check.verdict = field_check == FieldCheck::kOk          ? Verdict::kReady
                    : field_check == FieldCheck::kBadFormat ? Verdict::kBadFormat
                                                            : Verdict::kBadData;
    return check;
  };
  switch (field) {
    case CorrectedField::kDate:
      return judged(CheckCorrectedDate(check.value));
    case CorrectedField::kTime:
      return judged(CheckCorrectedTime(check.value));
    case CorrectedField::kReceivedGroup: {
      ReceivedGroupCheck group = CheckCorrectedReceivedGroup(check.value, round);
      check.verdict = group.question == GroupQuestion::kNone ? Verdict::kReady : Verdict::kConfirm;
      check.question = group.question;
      check.locator = std::move(group.locator);
      check.value = std::move(group.value);
      return check;
    }
    case CorrectedField::kCallsign:
    case CorrectedField::kSentGroup:
      break;
  }
  check.verdict = Verdict::kReady;
  return check;
}

IoResult<std::optional<std::string>> ContestLog::Correct(int row, CorrectedField field,
                                                         std::string_view value) {
  const std::string line = lines_.at(static_cast<std::size_t>(row));
  return Rewrite(line, [field, value](std::string_view file_line) -> std::optional<std::string> {
    return ApplyCorrection(field, file_line, value);
  });
}

IoResult<std::optional<std::string>> ContestLog::ChangeMode(const std::string& line,
                                                            int chosen_index) {
  return Rewrite(line, [chosen_index](std::string_view file_line) -> std::optional<std::string> {
    return ApplyModeChoice(file_line, chosen_index);
  });
}

IoResult<std::optional<std::string>> ContestLog::Rewrite(const std::string& line,
                                                         const LineChange& change) {
  IoResult<RewriteOutcome> outcome = RewriteLogFile(files_, line, change);
  if (!outcome.ok()) return outcome.error();
  std::optional<std::string> changed = std::move(outcome.value().last_changed_line);
  // The old line goes, so the list holds the file's QSOs even when the recalculation that
  // follows cannot read the file.
  if (changed && *changed != line) {
    const int old_row = FirstRowOf(line);
    if (old_row >= 0) lines_.erase(lines_.begin() + old_row);
    lines_.push_back(*changed);
    worked_follows_lines_ = false;
  }
  return changed;
}

IoStatus ContestLog::Delete(int row) {
  const std::string line = lines_.at(static_cast<std::size_t>(row));
  IoResult<RewriteOutcome> outcome = RewriteLogFile(
      files_, line, [](std::string_view) -> std::optional<std::string> { return std::nullopt; });
  if (!outcome.ok()) return outcome.error();
  lines_.erase(lines_.begin() + row);
  worked_follows_lines_ = false;
  return std::nullopt;
}

namespace {

// One file by its identity: equivalent when both exist (a hard link too), otherwise the same
// path once links and ".." are resolved, for a file that does not exist yet.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  if (std::filesystem::equivalent(a, b, error)) return true;
  const std::filesystem::path canonical_a = std::filesystem::weakly_canonical(a, error);
  if (error) return false;
  const std::filesystem::path canonical_b = std::filesystem::weakly_canonical(b, error);
  return !error && canonical_a == canonical_b;
}

}  // namespace

std::optional<std::filesystem::path> ContestLog::KeptFileAt(
    const std::filesystem::path& target) const {
  const std::filesystem::path directory = files_.log.parent_path();
  for (const char* name : kKeptFileNames) {
    if (SameFile(target, directory / name)) return directory / name;
  }
  if (!executable_.empty() && SameFile(target, executable_)) return executable_;
  return std::nullopt;
}

IoStatus ContestLog::CopyTo(const std::filesystem::path& target) const {
  return CopyLogFile(files_, target);
}

IoStatus ContestLog::StartNew() {
  if (IoStatus status = CreateEmptyLogFile(files_)) return status;
  lines_.clear();
  state_ = ScoreState{};
  worked_.clear();
  worked_follows_lines_ = true;
  return std::nullopt;
}

}  // namespace zt
