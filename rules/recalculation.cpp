#include "rules/recalculation.h"

#include <algorithm>
#include <cstring>

#include "app/text.h"

namespace zt {

namespace {

// Room for the longest result text ("2147483647+50") beside the body, so appending it never
// moves the line.
constexpr std::size_t kListLineCapacity = kLineBodyLength + 16;

// True when `list_line` starts with the line's body, padded with blanks to its 67 characters.
bool HoldsBody(const std::string& list_line, std::string_view body) {
  if (list_line.size() < kLineBodyLength) return false;
  // A whole body, the usual case, is compared in one piece of fixed length.
  if (body.size() == kLineBodyLength) {
    return std::memcmp(list_line.data(), body.data(), kLineBodyLength) == 0;
  }
  if (list_line.compare(0, body.size(), body) != 0) return false;
  for (std::size_t i = body.size(); i < kLineBodyLength; ++i) {
    if (list_line[i] != ' ') return false;
  }
  return true;
}

// Makes `list_line` the list line of one file line; false when it held that text already.
bool RecalculateLine(std::string_view file_line, const ScoringContext& scoring,
                     std::string& list_line, ScoreState& state) {
  if (file_line.empty()) {
    if (list_line.empty()) return false;
    list_line.clear();
    return true;
  }
  bool changed = false;
  const std::string_view file_body = LineBodyOf(file_line);
  if (!HoldsBody(list_line, file_body)) {
    list_line.reserve(kListLineCapacity);
    list_line.assign(file_body);
    list_line.resize(kLineBodyLength, ' ');
    changed = true;
  }
  const std::string result =
      RecalculateQso(std::string_view(list_line).substr(0, kLineBodyLength), scoring, state);
  if (std::string_view(list_line).substr(kLineBodyLength) != result) {
    list_line.resize(kLineBodyLength);
    list_line += result;
    changed = true;
  }
  return changed;
}

template <class Line>
ChangedLines Rebuild(const std::vector<Line>& file_lines, const ScoringContext& scoring,
                     std::vector<std::string>& list_lines, ScoreState& state) {
  state.dupe_keys.Clear();
  state.dupe_keys.Reserve(file_lines.size());
  state.letters = LetterBonusState{};
  state.score = 0;
  state.vhf_locators.Clear();
  ChangedLines changed;
  if (list_lines.size() != file_lines.size()) {
    changed = {std::min(list_lines.size(), file_lines.size()), file_lines.size()};
    list_lines.resize(file_lines.size());
  }
  for (std::size_t i = 0; i < file_lines.size(); ++i) {
    if (!RecalculateLine(file_lines[i], scoring, list_lines[i], state)) continue;
    if (changed.empty()) {
      changed = {i, i + 1};
    } else {
      changed.first = std::min(changed.first, i);
      changed.end = std::max(changed.end, i + 1);
    }
  }
  return changed;
}

}  // namespace

Recalculation Recalculate(const std::vector<std::string>& file_lines,
                          const ScoringContext& scoring) {
  Recalculation recalculation;
  Rebuild(file_lines, scoring, recalculation.list_lines, recalculation.state);
  return recalculation;
}

ChangedLines RecalculateInPlace(const std::vector<std::string_view>& file_lines,
                                const ScoringContext& scoring, std::vector<std::string>& list_lines,
                                ScoreState& state) {
  return Rebuild(file_lines, scoring, list_lines, state);
}

int SelectionAfterRecalculation(int remembered_index, int line_count) {
  if (remembered_index == line_count) return line_count - 1;
  if (remembered_index >= 0 && remembered_index < line_count) return remembered_index;
  return -1;
}

}  // namespace zt
