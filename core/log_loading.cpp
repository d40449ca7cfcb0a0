#include "core/log_loading.h"

#include <algorithm>

#include "core/log_line.h"
#include "core/text.h"
#include "core/whole_number.h"

namespace zt {

void ApplyNextSerialRule(std::string_view line_sent_group, SentGroupState& state) {
  const std::optional<std::int32_t> line_number = ToWholeNumber(line_sent_group);
  const std::optional<std::int32_t> field_number = ToWholeNumber(state.sent_group);
  if (line_number && field_number) {
    if (*line_number > *field_number) {
      state.sent_group = std::string(line_sent_group);
      state.auto_increment = true;
    }
    return;
  }
  state.sent_group = std::string(line_sent_group);
  state.auto_increment = false;
}

std::optional<std::string> IncrementedSentGroup(std::string_view sent_group) {
  const std::optional<std::int32_t> number = ToWholeNumber(TrimBlanks(sent_group));
  if (!number) return std::nullopt;
  return std::to_string(static_cast<std::int64_t>(*number) + 1);
}

bool IsDamagedLine(std::string_view line) {
  if (line.empty()) return false;
  if (line.size() < line_columns::kSentGroup.last) return true;
  return std::any_of(line.begin(), line.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

LoadedLog LoadLogLines(const std::vector<std::string>& file_lines, SentGroupState initial) {
  LoadedLog loaded{{}, std::move(initial), {}};
  for (std::size_t i = 0; i < file_lines.size(); ++i) {
    const std::string& line = file_lines[i];
    if (line.empty()) continue;
    loaded.lines.push_back(line);
    if (IsDamagedLine(line)) {
      loaded.damaged_lines.push_back(static_cast<int>(i + 1));
      continue;
    }
    ApplyNextSerialRule(SentGroupOf(line), loaded.sent_group);
  }
  if (loaded.lines.empty()) return loaded;
  std::string& group = loaded.sent_group.sent_group;
  group = TrimBlanks(group);
  if (std::optional<std::string> next = IncrementedSentGroup(group)) group = *next;
  return loaded;
}

}  // namespace zt
