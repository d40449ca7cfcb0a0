#include "export/adif.h"

#include "core/file_io.h"
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

}  // namespace

std::string AdifRecord(std::string_view log_line, Round round, const AdifOptions& options) {
  using namespace line_columns;
  // A short line is padded first, so the fixed-length date and time stay eight and six long.
  const std::string body = LeftAligned(log_line, kLineBodyLength);
  const auto columns = [&body](std::size_t first, std::size_t last) {
    return std::string(Columns(body, first, last));
  };
  const auto trimmed = [&columns](std::size_t first, std::size_t last) {
    return TrimBlanks(columns(first, last));
  };
  const auto field = [&trimmed](ColumnSpan span) { return trimmed(span.first, span.last); };

  std::string record;
  // The date field's "rrrr-mm-dd" without its dashes.
  const std::string date = columns(kDate.first, kDate.last);
  AddField(record, "QSO_DATE", date.substr(0, 4) + date.substr(5, 2) + date.substr(8, 2));
  AddField(record, "TIME_ON", columns(kTime.first, kTime.last) + "00");
  AddField(record, "BAND", field(kBand));
  if (const std::string_view mode = AdifMode(columns(kMode.first, kMode.last)); !mode.empty()) {
    AddField(record, "MODE", mode);
  }
  // The callsign field less its last two columns.
  AddField(record, "CALL", trimmed(kCallsign.first, kCallsign.last - 2));
  AddField(record, "RST_RCVD", field(kReceivedReport));
  const std::string received_group = trimmed(kReceivedGroup.first, kLineBodyLength);
  if (round == Round::kVhf) {
    // On VHF the received group is the serial number followed by the six-character locator.
    const std::string_view locator = LastChars(received_group, kLocatorLength);
    AddField(record, "GRIDSQUARE", locator);
    AddField(record, "SRX",
             std::string_view(received_group).substr(0, received_group.size() - locator.size()));
  } else {
    AddField(record, "SRX", received_group);
  }
  AddField(record, "RST_SENT", field(kSentReport));
  AddField(record, "STX", field(kSentGroup));
  if (!options.comment.empty()) AddField(record, "COMMENT", options.comment);
  if (const std::string op = TrimBlanks(options.operator_callsign); !op.empty()) {
    AddField(record, "OPERATOR", op);
  }
  if (!options.contest_id.empty()) AddField(record, "CONTEST_ID", options.contest_id);
  record += "<EOR>";
  return record;
}

std::string AdifText(const std::vector<std::string>& log_lines, Round round,
                     const AdifOptions& options) {
  std::vector<std::string> lines = {
      "ADIF 2.0",
      "Wygenerowane przez program Zawody Telt\xF3lmowe",
      "<EOH>",
  };
  lines.reserve(lines.size() + log_lines.size());
  for (const std::string& log_line : log_lines) {
    if (log_line.empty()) continue;
    lines.push_back(AdifRecord(log_line, round, options));
  }
  return JoinLines(lines);
}

}  // namespace zt
