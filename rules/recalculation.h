#pragma once

// Rebuilds everything derived from the log (the list lines, the duplicate keys, the letters and
// the score) by evaluating the log file's lines again, in file order, with no questions.

#include <string>
#include <string_view>
#include <vector>

#include "rules/evaluation.h"

namespace zt {

struct Recalculation {
  std::vector<std::string> list_lines;
  ScoreState state;
};

// An empty line stays an empty list line; any other line keeps its 67-character body, padded with
// blanks when shorter so the result still starts at column 68, followed by its new result text.
Recalculation Recalculate(const std::vector<std::string>& file_lines,
                          const ScoringContext& scoring);

// The list lines that a rebuild in place changed: [first, end), empty when nothing changed.
struct ChangedLines {
  std::size_t first = 0;
  std::size_t end = 0;
  bool empty() const { return first >= end; }
};

// The same in place, from views of the file's lines: a list line that already holds its new text
// is left alone, the others reuse their strings, and the state keeps its tables, so
// recalculating a log again allocates next to nothing and writes only what changed.
ChangedLines RecalculateInPlace(const std::vector<std::string_view>& file_lines,
                                const ScoringContext& scoring, std::vector<std::string>& list_lines,
                                ScoreState& state);

// The line to select after a recalculation: the remembered index while it is in the list, the last
// line when it equals the line count (a line was just appended), none (-1) otherwise.
int SelectionAfterRecalculation(int remembered_index, int line_count);

}  // namespace zt
