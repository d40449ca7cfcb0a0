#include "core/log_line.h"

#include "core/text.h"

namespace zt {

Round RoundOf(std::string_view contest_category) {
  return Contains(contest_category, "UKF") ? Round::kVhf : Round::kShortWave;
}

std::string ModeColumn(Round round, int selected_mode_index) {
  if (round == Round::kVhf) return "FM";
  return selected_mode_index == 0 ? "CW" : "PH";
}

std::string ComposeLogLine(const EntryFields& fields, Round round) {
  using namespace line_columns;
  // A control character from a field would break the line in the file, so none is kept.
  const auto left = [](std::string_view field, ColumnSpan span) {
    return LeftAligned(RemoveControlCharacters(field), span.width());
  };
  const auto right = [](std::string_view field, ColumnSpan span) {
    return RightAligned(RemoveControlCharacters(field), span.width());
  };
  std::string body(kLineBodyLength, ' ');
  const auto put = [&body](ColumnSpan span, std::string_view text) {
    body.replace(span.first - 1, span.width(), text);
  };
  const std::string time =
      std::string(Columns(fields.time, 1, 2)) + std::string(Columns(fields.time, 4, 5));
  put(kDate, left(fields.date, kDate));
  put(kTime, left(time, kTime));
  put(kBand, round == Round::kVhf ? " 2M" : "80M");
  put(kMode, left(fields.mode, kMode));
  put(kSentReport, left(fields.sent_report, kSentReport));
  put(kSentGroup, right(TrimBlanks(fields.sent_group), kSentGroup));
  put(kCallsign, left(fields.callsign, kCallsign));
  put(kReceivedReport, left(fields.received_report, kReceivedReport));
  put(kReceivedGroup, right(RemoveBlanks(fields.received_group), kReceivedGroup));
  return ToUpperAscii(body);
}

std::string ReplaceColumns(std::string_view line, std::size_t first, std::string_view text) {
  std::string result(line);
  if (result.size() < first - 1 + text.size()) result.resize(first - 1 + text.size(), ' ');
  result.replace(first - 1, text.size(), text);
  return result;
}

std::string_view LineBodyOf(std::string_view line) { return line.substr(0, kLineBodyLength); }

std::string_view FieldView(std::string_view line, ColumnSpan span) {
  return TrimmedView(Columns(line, span));
}

std::string_view ResultView(std::string_view line) {
  return TrimmedView(Columns(line, line_columns::kResultFirst, line.size()));
}

namespace {

std::string Field(std::string_view line, ColumnSpan span) {
  return std::string(FieldView(line, span));
}

}  // namespace

using namespace line_columns;

std::string DateOf(std::string_view line) { return Field(line, kDate); }
std::string TimeOf(std::string_view line) { return Field(line, kTime); }
std::string BandOf(std::string_view line) { return Field(line, kBand); }
std::string ModeOf(std::string_view line) { return Field(line, kMode); }
std::string SentReportOf(std::string_view line) { return Field(line, kSentReport); }
std::string SentGroupOf(std::string_view line) { return Field(line, kSentGroup); }
std::string CallsignOf(std::string_view line) { return Field(line, kCallsign); }
std::string ScoringCallsignOf(std::string_view line) { return Field(line, kScoringCallsign); }
std::string ReceivedReportOf(std::string_view line) { return Field(line, kReceivedReport); }
std::string ReceivedGroupOf(std::string_view line) { return Field(line, kReceivedGroupAndBlanks); }
std::string ResultOf(std::string_view line) { return std::string(ResultView(line)); }

std::string DupeKeyOf(std::string_view line) {
  const std::string_view mode = Columns(line, kMode);
  const std::string_view callsign = FieldView(line, kCallsign);
  std::string key;
  key.reserve(mode.size() + 1 + callsign.size());
  key += mode;
  key += ' ';
  key += callsign;
  return key;
}

}  // namespace zt
