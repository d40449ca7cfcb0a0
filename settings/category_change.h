#pragma once

// Which category changes a log that has already begun may take: a log stays in its round.

#include <string>
#include <string_view>
#include <vector>

#include "core/log_line.h"

namespace zt {

// The round the logged QSOs belong to. The chosen category decides; while none is chosen (a log
// found without settings, or a damaged category line) the QSOs themselves do: FM is VHF.
Round LoggedRound(std::string_view contest_category, const std::vector<std::string>& log_lines);

enum class CategoryChangeRefusal {
  kNone,
  kStayInVhf,        // a VHF log may only change to another VHF category
  kStayInShortWave,  // a short-wave log may only change to another short-wave category
};

// Whether choosing the category at `new_index` (-1: none) must be refused. An empty log may take
// any category: that is how a new log changes rounds.
CategoryChangeRefusal RefusedCategoryChange(std::string_view contest_category,
                                            const std::vector<std::string>& log_lines,
                                            int new_index);

// The index of the list entry equal to the category without regard to case, or -1.
int CategoryIndexOf(std::string_view contest_category);

}  // namespace zt
