#include "export/adif.h"

#include "core/text.h"
#include "rules/contest.h"

namespace zt {

namespace {

// "<NAME:length>value ": the length counts bytes, which are the characters of the code page.
void AddField(std::string& record, std::string_view name, std::string_view value) {
  record += '<';
  record += name;
  record += ':';
  record += std::to_string(value.size());
  record += '>';
  record += value;
  record += ' ';
}

std::string_view AdifMode(std::string_view mode_column) {
  if (mode_column == "PH") return "SSB";
  if (mode_column == "CW") return "CW";
  if (mode_column == "FM") return "FM";
  return {};
}

// Appends one record to `text`; the fields are read as views of the line.
void AppendAdifRecord(std::string& text, std::string_view log_line, Round round,
                      const AdifOptions& options, std::string_view operator_callsign) {
  using namespace line_columns;
  // A short line is padded first, so the fixed-length date and time stay eight and six long.
  std::string padded;
  if (log_line.size() < kLineBodyLength) {
    padded = LeftAligned(log_line, kLineBodyLength);
    log_line = padded;
  }
  const std::string_view body = LineBodyOf(log_line);
  const auto columns = [body](std::size_t first, std::size_t last) {
    return Columns(body, first, last);
  };
  const auto trimmed = [&columns](std::size_t first, std::size_t last) {
    return TrimmedView(columns(first, last));
  };
  const auto field = [&trimmed](ColumnSpan span) { return trimmed(span.first, span.last); };

  // The date field's "rrrr-mm-dd" without its dashes.
  const std::string_view date = columns(kDate.first, kDate.last);
  std::string compact_date(date.substr(0, 4));
  compact_date += date.substr(5, 2);
  compact_date += date.substr(8, 2);
  AddField(text, "QSO_DATE", compact_date);
  std::string time_on(columns(kTime.first, kTime.last));
  time_on += "00";
  AddField(text, "TIME_ON", time_on);
  AddField(text, "BAND", field(kBand));
  if (const std::string_view mode = AdifMode(columns(kMode.first, kMode.last)); !mode.empty()) {
    AddField(text, "MODE", mode);
  }
  // The callsign field less its last two columns.
  AddField(text, "CALL", trimmed(kCallsign.first, kCallsign.last - 2));
  AddField(text, "RST_RCVD", field(kReceivedReport));
  const std::string_view received_group = trimmed(kReceivedGroup.first, kLineBodyLength);
  if (round == Round::kVhf) {
    // On VHF the received group is the serial number followed by the six-character locator.
    const std::string_view locator = LastChars(received_group, kLocatorLength);
    AddField(text, "GRIDSQUARE", locator);
    AddField(text, "SRX", received_group.substr(0, received_group.size() - locator.size()));
  } else {
    AddField(text, "SRX", received_group);
  }
  AddField(text, "RST_SENT", field(kSentReport));
  AddField(text, "STX", field(kSentGroup));
  if (!options.comment.empty()) AddField(text, "COMMENT", options.comment);
  if (!operator_callsign.empty()) AddField(text, "OPERATOR", operator_callsign);
  if (!options.contest_id.empty()) AddField(text, "CONTEST_ID", options.contest_id);
  text += "<EOR>";
}

}  // namespace

std::string AdifRecord(std::string_view log_line, Round round, const AdifOptions& options) {
  std::string record;
  AppendAdifRecord(record, log_line, round, options, TrimmedView(options.operator_callsign));
  return record;
}

std::string AdifText(const std::vector<std::string>& log_lines, Round round,
                     const AdifOptions& options) {
  std::string text =
      "ADIF 2.0\r\n"
      "Wygenerowane przez program Zawody Telt\xF3lmowe\r\n"
      "<EOH>\r\n";
  // Room for every record at once: a record is some 170 characters and the options.
  const std::size_t record_size =
      200 + options.comment.size() + options.operator_callsign.size() + options.contest_id.size();
  text.reserve(text.size() + log_lines.size() * record_size);
  const std::string_view operator_callsign = TrimmedView(options.operator_callsign);
  for (const std::string& log_line : log_lines) {
    if (log_line.empty()) continue;
    AppendAdifRecord(text, log_line, round, options, operator_callsign);
    text += "\r\n";
  }
  return text;
}

}  // namespace zt
