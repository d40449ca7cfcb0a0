#include "settings/categories.h"

#include "core/text.h"

namespace zt {

CategoryConfiguration ConfigurationFor(std::string_view contest_category,
                                       std::string_view own_locator) {
  CategoryConfiguration configuration;
  if (RoundOf(contest_category) == Round::kVhf) {
    configuration.band_items = {"2M"};
    configuration.mode_items = {"FM"};
    configuration.selected_mode = 0;
    configuration.report = "59";
    configuration.report_max_length = 2;
    configuration.sent_group_hint = "Tylko kolejny numer QSO - lokator dodawany jest automatycznie";
    configuration.own_locator_visible = true;
    configuration.own_locator_text = std::string(own_locator);
    configuration.own_locator_hint = "Zmiana lokatora tylko w oknie Zmiana danych";
    configuration.locator_required = true;
    configuration.received_group_label = "Numer + lokator";
    configuration.change_band_enabled = false;
    configuration.change_mode_enabled = false;
    return configuration;
  }
  const bool cw = Contains(contest_category, "CW");
  configuration.band_items = {"80M"};
  configuration.mode_items = {"CW", "SSB"};
  configuration.selected_mode = cw ? 0 : 1;
  configuration.report = cw ? "599" : "59";
  configuration.report_max_length = cw ? 3 : 2;
  configuration.sent_group_hint = "Kolejny numer QSO/O/B/DG";
  configuration.own_locator_visible = false;
  configuration.locator_required = false;
  configuration.received_group_label = "Grupa kontrolna";
  configuration.change_band_enabled = false;
  configuration.change_mode_enabled = true;
  return configuration;
}

}  // namespace zt
