#include "corrections/qso_correction.h"

#include "core/text.h"
#include "core/whole_number.h"
#include "rules/contest.h"
#include "rules/locator.h"

namespace zt {

namespace {

using namespace line_columns;

// The received group with the two blank columns that follow it.
std::string StoredReceivedGroup(std::string_view line) {
  return TrimBlanks(Columns(line, kReceivedGroup.first, kLineBodyLength));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Empty, or a group of the points table: kept as typed.
bool IsShortWaveWord(std::string_view group) {
  return group.empty() || GroupPointsOf(group) != nullptr;
}

}  // namespace

std::string CurrentValue(CorrectedField field, std::string_view line) {
  switch (field) {
    case CorrectedField::kDate:
      return std::string(Columns(line, kDate));
    case CorrectedField::kTime:
      return std::string(Columns(line, kTime));
    case CorrectedField::kCallsign:
      // Columns 35-49, as the unchanged test reads them, so a cancelled box changes nothing.
      return ScoringCallsignOf(line);
    case CorrectedField::kSentGroup:
      return SentGroupOf(line);
    case CorrectedField::kReceivedGroup:
      return ReceivedGroupOf(line);
  }
  return {};
}

std::string PreparedValue(CorrectedField field, std::string_view typed_text) {
  // Only what fits a column reaches the line: a pasted line break would split it in the file.
  const std::string typed = RemoveControlCharacters(typed_text);
  switch (field) {
    case CorrectedField::kDate:
    case CorrectedField::kTime:
      return RemoveBlanks(typed);
    case CorrectedField::kCallsign:
    case CorrectedField::kSentGroup:
      return ToUpperAscii(typed);
    case CorrectedField::kReceivedGroup:
      return RemoveBlanks(ToUpperAscii(typed));
  }
  return std::string(typed);
}

bool IsUnchanged(CorrectedField field, std::string_view line, std::string_view typed) {
  // Cancel gives back the pre-filled value. The comparisons below would take it for a change on
  // a line the program did not write itself (small letters, a group reaching column 54), and
  // the rewrite would then alter a QSO the operator left alone. Capitals typed over small
  // letters are a change, though: the operator mends the line.
  if (typed == CurrentValue(field, line)) return true;
  const std::string prepared = PreparedValue(field, typed);
  switch (field) {
    case CorrectedField::kDate:
    case CorrectedField::kTime:
      return prepared == RemoveBlanks(CurrentValue(field, line));
    case CorrectedField::kCallsign:
      return prepared == ScoringCallsignOf(line);
    case CorrectedField::kSentGroup:
      return prepared == SentGroupOf(line);
    case CorrectedField::kReceivedGroup:
      return prepared == StoredReceivedGroup(line);
  }
  return false;
}

std::string ApplyCorrection(CorrectedField field, std::string_view file_line,
                            std::string_view value) {
  switch (field) {
    case CorrectedField::kDate:
      return ReplaceColumns(file_line, kDate.first, LeftAligned(value, kDate.width()));
    case CorrectedField::kTime:
      return ReplaceColumns(file_line, kTime.first, LeftAligned(value, kTime.width()));
    case CorrectedField::kCallsign:
      // All sixteen columns, so no character of a longer old callsign is left behind.
      return ReplaceColumns(file_line, kCallsign.first, LeftAligned(value, kCallsign.width()));
    case CorrectedField::kSentGroup:
      return ReplaceColumns(file_line, kSentGroup.first, LeftAligned(value, kSentGroup.width()));
    case CorrectedField::kReceivedGroup:
      // With the two blank columns after it, which an old longer group may have filled.
      return ReplaceColumns(file_line, kReceivedGroup.first,
                            RightAligned(value, kReceivedGroup.width()) + "  ");
  }
  return std::string(file_line);
}

ReceivedGroupCheck CheckCorrectedReceivedGroup(std::string_view prepared, Round round) {
  ReceivedGroupCheck check{GroupQuestion::kNone, {}, std::string(prepared)};
  if (round == Round::kVhf) {
    // A VHF group is a serial number followed by the correspondent's locator.
    check.locator = std::string(LastChars(prepared, kLocatorLength));
    if (prepared.size() >= kLocatorLength && LocatorIsInvalid(check.locator)) {
      check.question = GroupQuestion::kInvalidLocator;
    } else if (prepared.size() <= kLocatorLength) {
      check.question = GroupQuestion::kShortVhfGroup;
    }
    return check;
  }
  if (IsShortWaveWord(prepared)) return check;
  if (const auto number = ToWholeNumber(prepared)) {
    check.value = std::to_string(*number);
  } else {
    check.question = GroupQuestion::kInvalidShortWaveGroup;
  }
  return check;
}

FieldCheck CheckCorrectedTime(std::string_view prepared) {
  if (prepared.size() != kTime.width()) return FieldCheck::kBadFormat;
  for (char c : prepared) {
    if (!IsDigit(c)) return FieldCheck::kBadData;
  }
  const int hour = (prepared[0] - '0') * 10 + (prepared[1] - '0');
  const int minute = (prepared[2] - '0') * 10 + (prepared[3] - '0');
  return hour <= 23 && minute <= 59 ? FieldCheck::kOk : FieldCheck::kBadData;
}

FieldCheck CheckCorrectedDate(std::string_view prepared) {
  if (prepared.size() != kDate.width()) return FieldCheck::kBadFormat;
  return CheckDateField(prepared).check;
}

std::string ApplyModeChoice(std::string_view file_line, int chosen_index) {
  if (chosen_index != 0 && chosen_index != 1) return std::string(file_line);
  const bool cw = chosen_index == 0;
  std::string line = ReplaceColumns(file_line, kMode.first, cw ? "CW" : "PH");
  const std::string_view third_digit = cw ? "9" : " ";
  line = ReplaceColumns(line, kSentReport.last, third_digit);
  return ReplaceColumns(line, kReceivedReport.last, third_digit);
}

}  // namespace zt
