#include "rules/recalculation.h"

#include "app/text.h"

namespace zt {

Recalculation Recalculate(const std::vector<std::string>& file_lines,
                          const ScoringContext& scoring) {
  Recalculation recalculation;
  recalculation.list_lines.reserve(file_lines.size());
  for (const std::string& line : file_lines) {
    if (line.empty()) {
      recalculation.list_lines.emplace_back();
      continue;
    }
    std::string body = LeftAligned(LineBodyOf(line), kLineBodyLength);
    body += EvaluateQso(body, EvaluationContext::kRecalculating, ScoringCallsignOf(body),
                        ModeOf(body), scoring, recalculation.state);
    recalculation.list_lines.push_back(std::move(body));
  }
  return recalculation;
}

int SelectionAfterRecalculation(int remembered_index, int line_count) {
  if (remembered_index == line_count) return line_count - 1;
  if (remembered_index >= 0 && remembered_index < line_count) return remembered_index;
  return -1;
}

}  // namespace zt
