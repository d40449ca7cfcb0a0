#pragma once

// The work of the crash test's helper process: QSOs appended and the log rewritten by
// corrections and deletions, as the program's commands do. The test works out the same
// operations without touching a file, so it knows what the log must hold after each one.

#include <cstdint>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "core/log_file.h"

namespace zt::testing {

enum class OperationKind { kAppend, kCorrectCallsign, kDelete };

struct Operation {
  OperationKind kind = OperationKind::kAppend;
  std::string line;      // append: the new line; correction and deletion: the selected line
  std::string callsign;  // correction: the new callsign
};

// Operation `number` of the run `seed` on a log holding `lines`; the same arguments always give
// the same operation, so the helper and the test agree without talking.
Operation OperationFor(std::uint64_t seed, int number, const std::vector<std::string>& lines);

// The log's lines after the operation, worked out on the lines alone.
std::vector<std::string> LinesAfter(const std::vector<std::string>& lines,
                                    const Operation& operation);

// Runs the operation on the real files through the log store.
IoStatus Perform(const LogFiles& files, const Operation& operation);

}  // namespace zt::testing
