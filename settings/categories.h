#pragma once

// The main-window configuration that follows from the chosen category.

#include <string>
#include <string_view>
#include <vector>

#include "rules/contest.h"

namespace zt {

// What the main window looks like for a category: one value the window applies in one step.
struct CategoryConfiguration {
  std::vector<std::string> band_items;  // band index 0 is selected
  std::vector<std::string> mode_items;
  int selected_mode = 0;  // index into mode_items
  std::string report;     // both report fields
  int report_max_length = 3;
  std::string sent_group_hint;
  bool own_locator_visible = false;
  std::string own_locator_text;  // a copy of the dialog's locator, taken now
  std::string own_locator_hint;
  bool locator_required = false;  // the dialog's locator field shown as required
  std::string received_group_label;
  bool change_band_enabled = false;
  bool change_mode_enabled = true;
};

// The category may be held as listed, trimmed or in capitals, so every test on it looks for a
// substring: "UKF" for the VHF round, "CW" for a CW preselection. An empty category is the
// short-wave round with SSB.
CategoryConfiguration ConfigurationFor(std::string_view contest_category,
                                       std::string_view own_locator);

}  // namespace zt
