#pragma once

// One QSO as one fixed-width line. Columns are counted from 1:
//   1-10 date, 12-15 time, 17-19 band, 21-22 mode, 24-26 sent report, 28-33 sent group,
//   35-50 callsign, 51-53 received report, 55-65 received group, 68- result text.
// Everything after the QSO is logged reads its fields back from these columns.

#include <cstddef>
#include <string>
#include <string_view>

namespace zt {

inline constexpr std::size_t kLineBodyLength = 67;

enum class Round { kShortWave, kVhf };

// The round follows the category text alone: a category containing "UKF" is the VHF round.
Round RoundOf(std::string_view contest_category);

// The entry-field texts of one QSO, as the operator left them.
struct EntryFields {
  std::string date;  // "rrrr-mm-dd"
  std::string time;  // "gg:mm"
  std::string mode;  // the mode column: "CW", "PH" or "FM" (see ModeColumn)
  std::string sent_report;
  std::string sent_group;
  std::string callsign;
  std::string received_report;
  std::string received_group;
};

// The mode column for the mode selector's selected position: FM in the VHF round; on short-wave
// the first item is CW and any other PH.
std::string ModeColumn(Round round, int selected_mode_index);

// The 67-character line body. Every field is padded or cut to its own columns, so a field of an
// unexpected length never shifts the fields after it.
std::string ComposeLogLine(const EntryFields& fields, Round round);

// Columns `first` to `last` (1-based, inclusive) as they stand, shorter where the line ends early.
inline std::string_view Columns(std::string_view line, std::size_t first, std::size_t last) {
  if (first > line.size() || last < first) return {};
  return line.substr(first - 1, last - first + 1);
}

// The line with `text` written from column `first` on; a short line is first padded with blanks.
std::string ReplaceColumns(std::string_view line, std::size_t first, std::string_view text);

// The first 67 characters: the part that identifies a QSO in the log file.
std::string_view LineBodyOf(std::string_view line);

// Field readers; each removes blanks and control characters at both ends.
std::string DateOf(std::string_view line);             // 1-10
std::string TimeOf(std::string_view line);             // 12-15
std::string BandOf(std::string_view line);             // 17-19
std::string ModeOf(std::string_view line);             // 21-22
std::string SentReportOf(std::string_view line);       // 24-26
std::string SentGroupOf(std::string_view line);        // 28-33
std::string CallsignOf(std::string_view line);         // 35-50, the whole callsign
std::string ScoringCallsignOf(std::string_view line);  // 35-49, as the scoring reads it
std::string ReceivedReportOf(std::string_view line);   // 51-53
std::string ReceivedGroupOf(std::string_view line);    // 54-66
std::string ResultOf(std::string_view line);           // 68 to the end

// Mode, one blank and the trimmed callsign: a station counts once per mode.
std::string DupeKeyOf(std::string_view line);

}  // namespace zt
