#include "app/log_line.h"

#include "app/text.h"

namespace zt {

Round RoundOf(std::string_view contest_category) {
  return Contains(contest_category, "UKF") ? Round::kVhf : Round::kShortWave;
}

std::string ModeColumn(Round round, int selected_mode_index) {
  if (round == Round::kVhf) return "FM";
  return selected_mode_index == 0 ? "CW" : "PH";
}

std::string ComposeLogLine(const EntryFields& fields, Round round) {
  // A control character from a field would break the line in the file, so none is kept.
  const auto left = [](std::string_view field, std::size_t width) {
    return LeftAligned(RemoveControlCharacters(field), width);
  };
  const auto right = [](std::string_view field, std::size_t width) {
    return RightAligned(RemoveControlCharacters(field), width);
  };
  const std::string time =
      std::string(Columns(fields.time, 1, 2)) + std::string(Columns(fields.time, 4, 5));
  std::string body;
  body.reserve(kLineBodyLength);
  body += left(fields.date, 10) + ' ';
  body += left(time, 4) + ' ';
  body += round == Round::kVhf ? " 2M" : "80M";
  body += ' ' + left(fields.mode, 2) + ' ';
  body += left(fields.sent_report, 3) + ' ';
  body += right(TrimBlanks(fields.sent_group), 6) + ' ';
  body += left(fields.callsign, 16);
  body += left(fields.received_report, 3) + ' ';
  body += right(RemoveBlanks(fields.received_group), 11);
  return LeftAligned(ToUpperAscii(body), kLineBodyLength);
}

std::string ReplaceColumns(std::string_view line, std::size_t first, std::string_view text) {
  std::string result(line);
  if (result.size() < first - 1 + text.size()) result.resize(first - 1 + text.size(), ' ');
  result.replace(first - 1, text.size(), text);
  return result;
}

std::string_view LineBodyOf(std::string_view line) { return line.substr(0, kLineBodyLength); }

std::string DateOf(std::string_view line) { return TrimBlanks(Columns(line, 1, 10)); }
std::string TimeOf(std::string_view line) { return TrimBlanks(Columns(line, 12, 15)); }
std::string BandOf(std::string_view line) { return TrimBlanks(Columns(line, 17, 19)); }
std::string ModeOf(std::string_view line) { return TrimBlanks(Columns(line, 21, 22)); }
std::string SentReportOf(std::string_view line) { return TrimBlanks(Columns(line, 24, 26)); }
std::string SentGroupOf(std::string_view line) { return TrimBlanks(Columns(line, 28, 33)); }
std::string CallsignOf(std::string_view line) { return TrimBlanks(Columns(line, 35, 50)); }
std::string ScoringCallsignOf(std::string_view line) { return TrimBlanks(Columns(line, 35, 49)); }
std::string ReceivedReportOf(std::string_view line) { return TrimBlanks(Columns(line, 51, 53)); }
std::string ReceivedGroupOf(std::string_view line) { return TrimBlanks(Columns(line, 54, 66)); }
std::string ResultOf(std::string_view line) {
  return TrimBlanks(Columns(line, kLineBodyLength + 1, line.size()));
}

std::string DupeKeyOf(std::string_view line) {
  return std::string(Columns(line, 21, 22)) + ' ' + CallsignOf(line);
}

}  // namespace zt
