#pragma once

// Loading the log at start-up: the QSO lines for the log list and the next sent group.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zt {

// The sent-group field and its auto-increment check box.
struct SentGroupState {
  std::string sent_group = "1";
  bool auto_increment = true;
};

// One loaded line's sent group against the field: the largest whole number wins; a text that is
// not a whole number (on either side) is taken as it is and turns auto-increment off.
void ApplyNextSerialRule(std::string_view line_sent_group, SentGroupState& state);

// The sent group after a QSO: its whole-number value plus one, without leading zeros ("007" gives
// "8"); nothing when the text is not a whole number.
std::optional<std::string> IncrementedSentGroup(std::string_view sent_group);

// A non-empty line that cannot be a QSO line: too short to hold the sent group, or holding a
// control character (a line cut by a power cut, zero bytes at the end of a file, a hand edit).
bool IsDamagedLine(std::string_view line);

struct LoadedLog {
  std::vector<std::string> lines;  // the non-empty lines, in file order, damaged ones included
  SentGroupState sent_group;
  std::vector<int> damaged_lines;  // the file line numbers (from 1) of the damaged lines
};

// Skips empty lines, applies the next-serial rule to each QSO line and, when there was one, moves
// the sent group on to the next number. A damaged line is kept but sets no sent group: its
// remains would send the next QSO without a serial.
LoadedLog LoadLogLines(const std::vector<std::string>& file_lines, SentGroupState initial);

}  // namespace zt
