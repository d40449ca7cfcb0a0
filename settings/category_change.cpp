#include "settings/category_change.h"

#include <algorithm>

#include "core/text.h"
#include "settings/categories.h"

namespace zt {

Round LoggedRound(std::string_view contest_category, const std::vector<std::string>& log_lines) {
  if (!contest_category.empty()) return RoundOf(contest_category);
  const bool any_fm = std::any_of(log_lines.begin(), log_lines.end(),
                                  [](const std::string& line) { return ModeOf(line) == "FM"; });
  return any_fm ? Round::kVhf : Round::kShortWave;
}

CategoryChangeRefusal RefusedCategoryChange(std::string_view contest_category,
                                            const std::vector<std::string>& log_lines,
                                            int new_index) {
  if (log_lines.empty() || new_index < 0 || new_index >= static_cast<int>(kCategories.size())) {
    return CategoryChangeRefusal::kNone;
  }
  const Round new_round = kCategories[static_cast<std::size_t>(new_index)].round;
  const Round logged_round = LoggedRound(contest_category, log_lines);
  if (new_round == logged_round) return CategoryChangeRefusal::kNone;
  return logged_round == Round::kVhf ? CategoryChangeRefusal::kStayInVhf
                                     : CategoryChangeRefusal::kStayInShortWave;
}

int CategoryIndexOf(std::string_view contest_category) {
  const std::string wanted = ToUpperAscii(contest_category);
  for (std::size_t i = 0; i < kCategories.size(); ++i) {
    if (ToUpperAscii(kCategories[i].text) == wanted) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace zt
