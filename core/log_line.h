#pragma once

// One QSO as one fixed-width line. Everything after the QSO is logged reads its fields back from
// the columns of line_columns below.

#include <cstddef>
#include <string>
#include <string_view>

namespace zt {

// Columns `first` to `last`, counted from 1, both included.
struct ColumnSpan {
  std::size_t first;
  std::size_t last;
  std::size_t width() const { return last - first + 1; }
};

// The fields of the line body and where each one stands; the columns between them are blank. The
// result text follows from column 68 to the end of the line.
namespace line_columns {
inline constexpr ColumnSpan kDate{1, 10};   // "rrrr-mm-dd"
inline constexpr ColumnSpan kTime{12, 15};  // "hhmm"
inline constexpr ColumnSpan kBand{17, 19};
inline constexpr ColumnSpan kMode{21, 22};  // "CW", "PH" or "FM"
inline constexpr ColumnSpan kSentReport{24, 26};
inline constexpr ColumnSpan kSentGroup{28, 33};  // right-aligned
inline constexpr ColumnSpan kCallsign{35, 50};
inline constexpr ColumnSpan kReceivedReport{51, 53};
inline constexpr ColumnSpan kReceivedGroup{55, 65};  // right-aligned
inline constexpr std::size_t kResultFirst = 68;
// As the scoring reads them: the callsign one column short, the received group with the blank
// on either side.
inline constexpr ColumnSpan kScoringCallsign{35, 49};
inline constexpr ColumnSpan kReceivedGroupAndBlanks{54, 66};
}  // namespace line_columns

inline constexpr std::size_t kLineBodyLength = line_columns::kResultFirst - 1;

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
inline std::string_view Columns(std::string_view line, ColumnSpan span) {
  return Columns(line, span.first, span.last);
}

// The line with `text` written from column `first` on; a short line is first padded with blanks.
std::string ReplaceColumns(std::string_view line, std::size_t first, std::string_view text);

// The first 67 characters: the part that identifies a QSO in the log file.
std::string_view LineBodyOf(std::string_view line);

// The field's columns as a view into `line`, blanks and control characters at both ends removed:
// what the readers below return as a string, for the loops over a whole log.
std::string_view FieldView(std::string_view line, ColumnSpan span);
// From column 68 to the end, trimmed likewise.
std::string_view ResultView(std::string_view line);

// Field readers; each removes blanks and control characters at both ends.
std::string DateOf(std::string_view line);
std::string TimeOf(std::string_view line);
std::string BandOf(std::string_view line);
std::string ModeOf(std::string_view line);
std::string SentReportOf(std::string_view line);
std::string SentGroupOf(std::string_view line);
std::string CallsignOf(std::string_view line);         // the whole callsign field
std::string ScoringCallsignOf(std::string_view line);  // 35-49, one short, as the scoring reads it
std::string ReceivedReportOf(std::string_view line);
std::string ReceivedGroupOf(std::string_view line);  // 54-66, with the blank on either side
std::string ResultOf(std::string_view line);         // 68 to the end

// Mode, one blank and the trimmed callsign: a station counts once per mode.
std::string DupeKeyOf(std::string_view line);

}  // namespace zt
