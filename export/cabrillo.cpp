#include "export/cabrillo.h"

#include "core/file_io.h"
#include "core/text.h"
#include "rules/contest.h"

namespace zt {

std::string CabrilloCategory(std::optional<int> category_index) {
  const Category* category = category_index ? CategoryAt(*category_index) : nullptr;
  return category ? std::string(category->cabrillo) : std::string();
}

std::string CabrilloQsoLine(std::string_view log_line, Round round,
                            std::string_view station_callsign, std::string_view own_locator) {
  using namespace line_columns;
  // A short line is padded first, so every part keeps its columns.
  const std::string body = LeftAligned(log_line, kLineBodyLength);
  const auto columns = [&body](std::size_t first, std::size_t last) {
    return std::string(Columns(body, first, last));
  };

  std::string line = "QSO:  ";
  line += round == Round::kVhf ? " 144 " : "3500 ";
  line += columns(kMode.first, kMode.last + 1);  // mode and a blank
  line += columns(kDate.first, kTime.last + 1);  // date, time and a blank
  line += LeftAligned(station_callsign, 13);
  line += columns(kSentReport.first - 1, kSentReport.last + 1);  // sent report between blanks
  const std::string sent_group = columns(kSentGroup.first, kSentGroup.last);
  if (round == Round::kVhf) {
    // The station's own locator follows the serial number.
    line += LeftAligned(TrimBlanks(sent_group) + TrimBlanks(own_locator), 12);
  } else {
    line += sent_group;
  }
  // The callsign, the received report and the received group as logged.
  line += columns(kSentGroup.last + 1, kLineBodyLength);
  return ToUpperAscii(line);
}

std::string CabrilloText(const CabrilloHeader& header, const std::vector<std::string>& log_lines,
                         Round round) {
  std::vector<std::string> lines;
  lines.reserve(16 + header.remarks.size() + log_lines.size());
  lines.push_back("START-OF-LOG: 2.0");
  lines.push_back("CONTEST: " + header.contest_name);
  lines.push_back("CALLSIGN: " + header.station_callsign);
  lines.push_back("CATEGORY: " + CabrilloCategory(header.category_index));
  lines.push_back("CLAIMED-SCORE: " + header.claimed_score);
  lines.push_back("NAME: " + header.name);
  lines.push_back("ADDRESS: E-MAIL: " + header.email);
  lines.push_back("ADDRESS: " + header.address1);
  if (!header.address2.empty()) lines.push_back("ADDRESS: " + header.address2);
  if (!header.address3.empty()) lines.push_back("ADDRESS: " + header.address3);
  lines.push_back("OPERATORS: " + header.operators);
  lines.push_back("LOCATOR: " + header.locator);
  for (const std::string& remark : header.remarks) lines.push_back("SOAPBOX: " + remark);
  lines.push_back("SOAPBOX: Created by Zawody Telt\xF3lmowe");
  for (const std::string& log_line : log_lines) {
    if (log_line.empty()) continue;
    lines.push_back(CabrilloQsoLine(log_line, round, header.station_callsign, header.locator));
  }
  lines.push_back("END-OF-LOG:");
  return JoinLines(lines);
}

}  // namespace zt
