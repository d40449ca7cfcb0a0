#pragma once

// The Cabrillo 2.0 text of the log: the header from the station data, then one fixed-column QSO
// line per log line.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/log_line.h"

namespace zt {

// Values exactly as the fields hold them (Windows-1250 bytes); the header keeps their case.
struct CabrilloHeader {
  std::string contest_name;
  std::string station_callsign;  // the main window's station-callsign field
  std::string claimed_score;
  std::string name;
  std::string email;
  std::string address1;
  std::string address2;
  std::string address3;
  std::string operators;
  std::string locator;
  std::vector<std::string> remarks;   // memo lines
  std::optional<int> category_index;  // selected index of the category list
};

// The CATEGORY value for a category index; "" when none is chosen.
std::string CabrilloCategory(std::optional<int> category_index);

// One QSO line in capitals; the log line's result text is not exported.
std::string CabrilloQsoLine(std::string_view log_line, Round round,
                            std::string_view station_callsign, std::string_view own_locator);

// The whole file text with CR LF line ends; QSO lines for the non-empty log lines in list order.
std::string CabrilloText(const CabrilloHeader& header, const std::vector<std::string>& log_lines,
                         Round round);

}  // namespace zt
