#pragma once

// The eight entry categories and the main-window configuration that follows from the chosen one.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/log_line.h"

namespace zt {

struct Category {
  std::string_view text;
  Round round;
  bool cw_preselected;
};

// The eight categories in their fixed order; the index is what the settings file stores.
inline constexpr std::array<Category, 8> kCategories = {{
    {"KF - log do kontroli", Round::kShortWave, false},
    {"KF - grupa A - stacje klubowe CW i SSB", Round::kShortWave, true},
    {"KF - grupa B - stacje indywidualne CW", Round::kShortWave, true},
    {"KF - grupa C - stacje indywidualne SSB", Round::kShortWave, false},
    {"KF - grupa D - stacje indyw. SSB i CW", Round::kShortWave, true},
    {"KF - grupa E - stacje QRP SSB i CW", Round::kShortWave, true},
    {"UKF - log do kontroli", Round::kVhf, false},
    {"UKF - stacje indyw. i klubowe FM", Round::kVhf, false},
}};

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
