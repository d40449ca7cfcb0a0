#pragma once

// The ADIF 2.0 text of the log: a short header, then one record per log line.

#include <string>
#include <string_view>
#include <vector>

#include "core/log_line.h"

namespace zt {

// The ADIF dialog's fields; each goes into every record only when it is not empty.
struct AdifOptions {
  std::string comment;            // written unchanged, blanks included
  std::string operator_callsign;  // written trimmed
  std::string contest_id;         // written unchanged
};

// One record on one line, ending "<EOR>".
std::string AdifRecord(std::string_view log_line, Round round, const AdifOptions& options);

// The whole file text with CR LF line ends; records for the non-empty log lines in list order.
std::string AdifText(const std::vector<std::string>& log_lines, Round round,
                     const AdifOptions& options);

}  // namespace zt
