// The recalculation of any log file: every line keeps its place and its body, and the score is
// the sum of the result texts and the letter bonus.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "core/log_line.h"
#include "core/text.h"
#include "fuzz/fuzz_check.h"
#include "rules/recalculation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const zt::Round round = input.ConsumeBool() ? zt::Round::kVhf : zt::Round::kShortWave;
  const zt::ScoringContext scoring{round, input.ConsumeIntegralInRange(-1, 7),
                                   input.ConsumeRandomLengthString(8)};
  const std::vector<std::string> file_lines = zt::SplitLines(input.ConsumeRemainingBytesAsString());
  ZT_FUZZ_CHECK(zt::SplitLines(zt::JoinLines(file_lines)) == file_lines);

  const zt::Recalculation recalculation = zt::Recalculate(file_lines, scoring);
  ZT_FUZZ_CHECK(recalculation.list_lines.size() == file_lines.size());
  std::int64_t score = recalculation.state.letters.awarded ? zt::kLetterBonusPoints : 0;
  for (std::size_t i = 0; i < file_lines.size(); ++i) {
    const std::string& line = recalculation.list_lines[i];
    if (file_lines[i].empty()) {
      ZT_FUZZ_CHECK(line.empty());
      continue;
    }
    ZT_FUZZ_CHECK(line.size() > zt::kLineBodyLength);
    ZT_FUZZ_CHECK(zt::LineBodyOf(line) ==
                  zt::LeftAligned(zt::LineBodyOf(file_lines[i]), zt::kLineBodyLength));
    score += zt::PointsOfResult(zt::ResultOf(line));
  }
  ZT_FUZZ_CHECK(recalculation.state.score == score);
  // Hashed keys: the duplicate test stays linear in the number of lines.
  ZT_FUZZ_CHECK(recalculation.state.dupe_keys.lookups() <= 2 * file_lines.size());

  // Recalculating what was shown changes nothing.
  ZT_FUZZ_CHECK(zt::Recalculate(recalculation.list_lines, scoring).list_lines ==
                recalculation.list_lines);
  return 0;
}
