#include "export/adif.h"

#include "app/file_io.h"
#include "app/text.h"

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

constexpr std::size_t kLocatorLength = 6;

}  // namespace

std::string AdifRecord(std::string_view log_line, Round round, const AdifOptions& options) {
  // A short line is padded first, so the fixed-length date and time stay eight and six long.
  const std::string body = LeftAligned(log_line, kLineBodyLength);
  const auto columns = [&body](std::size_t first, std::size_t last) {
    return std::string(Columns(body, first, last));
  };
  const auto trimmed = [&columns](std::size_t first, std::size_t last) {
    return TrimBlanks(columns(first, last));
  };

  std::string record;
  AddField(record, "QSO_DATE", columns(1, 4) + columns(6, 7) + columns(9, 10));
  AddField(record, "TIME_ON", columns(12, 15) + "00");
  AddField(record, "BAND", trimmed(17, 19));
  if (const std::string_view mode = AdifMode(columns(21, 22)); !mode.empty()) {
    AddField(record, "MODE", mode);
  }
  AddField(record, "CALL", trimmed(35, 48));
  AddField(record, "RST_RCVD", trimmed(51, 53));
  const std::string received_group = trimmed(55, 67);
  if (round == Round::kVhf) {
    // On VHF the received group is the serial number followed by the six-character locator.
    const std::string_view locator = LastChars(received_group, kLocatorLength);
    AddField(record, "GRIDSQUARE", locator);
    AddField(record, "SRX",
             std::string_view(received_group).substr(0, received_group.size() - locator.size()));
  } else {
    AddField(record, "SRX", received_group);
  }
  AddField(record, "RST_SENT", trimmed(24, 26));
  AddField(record, "STX", trimmed(28, 33));
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
