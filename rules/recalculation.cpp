#include "rules/recalculation.h"

#include "core/text.h"

namespace zt {

Recalculation Recalculate(std::span<const std::string_view> file_lines,
                          const ScoringContext& scoring, Recalculation previous) {
  Recalculation recalculation;
  recalculation.list_lines = std::move(previous.list_lines);
  recalculation.list_lines.resize(file_lines.size());
  recalculation.state.dupe_keys = std::move(previous.state.dupe_keys);
  recalculation.state.dupe_keys.Clear();
  recalculation.state.dupe_keys.Reserve(file_lines.size());
  for (std::size_t row = 0; row < file_lines.size(); ++row) {
    const std::string_view file_line = file_lines[row];
    std::string& line = recalculation.list_lines[row];
    line.clear();
    if (file_line.empty()) continue;
    line.reserve(kLineBodyLength + 16);  // the body and any result text, in one allocation
    line = LineBodyOf(file_line);
    line.resize(kLineBodyLength, ' ');
    line += EvaluateQso(line, EvaluationContext::kRecalculating,
                        FieldView(line, line_columns::kScoringCallsign),
                        FieldView(line, line_columns::kMode), scoring, recalculation.state);
  }
  return recalculation;
}

int SelectionAfterRecalculation(int remembered_index, int line_count) {
  if (remembered_index == line_count) return line_count - 1;
  if (remembered_index >= 0 && remembered_index < line_count) return remembered_index;
  return -1;
}

}  // namespace zt
