#pragma once

// Rebuilds everything derived from the log (the list lines, the duplicate keys, the letters and
// the score) by evaluating the log file's lines again, in file order, with no questions.

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "rules/evaluation.h"

namespace zt {

struct Recalculation {
  std::vector<std::string> list_lines;
  ScoreState state;
};

// An empty line stays an empty list line; any other line keeps its 67-character body, padded with
// blanks when shorter so the result still starts at column 68, followed by its new result text.
// `previous` is an earlier recalculation whose room is taken over (its lines' text and its keys'
// table), so recalculating a long log again allocates next to nothing; its content plays no part.
Recalculation Recalculate(std::span<const std::string_view> file_lines,
                          const ScoringContext& scoring, Recalculation previous = {});
inline Recalculation Recalculate(const std::vector<std::string>& file_lines,
                                 const ScoringContext& scoring, Recalculation previous = {}) {
  const std::vector<std::string_view> views(file_lines.begin(), file_lines.end());
  return Recalculate(std::span<const std::string_view>(views), scoring, std::move(previous));
}

// The line to select after a recalculation: the remembered index while it is in the list, the last
// line when it equals the line count (a line was just appended), none (-1) otherwise.
int SelectionAfterRecalculation(int remembered_index, int line_count);

}  // namespace zt
