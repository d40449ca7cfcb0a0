#pragma once

// The values of the commands that correct one field of a logged QSO: what the input box is
// pre-filled with, how the typed value is prepared and checked, and the corrected file line.
// The window asks the operator; the file is rewritten through RewriteLogFile.

#include <string>
#include <string_view>

#include "core/contest_clock.h"
#include "core/log_line.h"

namespace zt {

enum class CorrectedField { kDate, kTime, kCallsign, kSentGroup, kReceivedGroup };

// The value the input box is pre-filled with, taken from the selected list line.
std::string CurrentValue(CorrectedField field, std::string_view line);

// The typed value as it will be judged and written: dates and times lose every blank, the
// callsign and the sent group go to upper case, the received group also loses every blank.
std::string PreparedValue(CorrectedField field, std::string_view typed);

// True when the command changes nothing: the box came back with its pre-filled text (Cancel
// returns it), or the prepared value equals what the line holds in the field's columns.
bool IsUnchanged(CorrectedField field, std::string_view line, std::string_view typed);

// The file line with `value` written into the field's columns, padded or cut to their width, so
// no other column moves; every other column and the result text are kept.
std::string ApplyCorrection(CorrectedField field, std::string_view file_line,
                            std::string_view value);

// The question a corrected received group needs before it is written.
enum class GroupQuestion {
  kNone,
  kInvalidLocator,         // VHF: the last six characters are no locator
  kShortVhfGroup,          // VHF: no serial number before the locator
  kInvalidShortWaveGroup,  // short-wave: neither O, B, DG nor a number
};

struct ReceivedGroupCheck {
  GroupQuestion question;
  std::string locator;  // the last six characters, named in the invalid-locator question
  std::string value;    // what to write when accepted; short-wave numbers lose leading zeros
};

ReceivedGroupCheck CheckCorrectedReceivedGroup(std::string_view prepared, Round round);

// A corrected time: exactly four digits hhmm forming a real time.
FieldCheck CheckCorrectedTime(std::string_view prepared);

// A corrected date: as the date field's check, so only a real calendar date is written.
FieldCheck CheckCorrectedDate(std::string_view prepared);

// The mode change of the choice dialog: entry 0 is CW, entry 1 PH. The third character of both
// reports follows the mode ("9" for CW, a blank for PH). Any other entry leaves the line as it is.
std::string ApplyModeChoice(std::string_view file_line, int chosen_index);

}  // namespace zt
