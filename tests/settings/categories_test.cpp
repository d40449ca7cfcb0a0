#include "settings/categories.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace zt {
namespace {

using Items = std::vector<std::string>;

TEST(Categories, RoundAndPreselection_FollowTheSubstringsOfTheText) {
  for (const Category& category : kCategories) {
    EXPECT_EQ(RoundOf(category.text), category.round) << category.text;
    const CategoryConfiguration configuration = ConfigurationFor(category.text, "");
    EXPECT_EQ(category.preselected_mode,
              configuration.mode_items.at(static_cast<std::size_t>(configuration.selected_mode)))
        << category.text;
  }
  EXPECT_EQ("KF - log do kontroli", kCategories[0].text);
  EXPECT_EQ("UKF - stacje indyw. i klubowe FM", kCategories[7].text);
}

TEST(ConfigurationFor, EveryCategoryInEveryForm_GivesItsRoundsWindow) {
  struct Expected {
    const char* mode;  // the selected mode item
    const char* report;
  };
  // Indexes 0..7 in list order.
  const Expected expected[] = {{"SSB", "59"}, {"CW", "599"}, {"CW", "599"}, {"SSB", "59"},
                               {"CW", "599"}, {"CW", "599"}, {"FM", "59"},  {"FM", "59"}};
  for (std::size_t i = 0; i < kCategories.size(); ++i) {
    const std::string listed(kCategories[i].text);
    const std::string forms[] = {listed, "  " + listed + " ", ToUpperAscii(listed)};
    for (const std::string& form : forms) {
      const CategoryConfiguration c = ConfigurationFor(form, "JO91CD");
      const bool vhf = kCategories[i].round == Round::kVhf;
      ASSERT_GE(c.selected_mode, 0) << form;
      ASSERT_LT(static_cast<std::size_t>(c.selected_mode), c.mode_items.size()) << form;
      EXPECT_EQ(expected[i].mode, c.mode_items[static_cast<std::size_t>(c.selected_mode)]) << form;
      EXPECT_EQ(expected[i].report, c.report) << form;
      EXPECT_EQ(c.report.size(), static_cast<std::size_t>(c.report_max_length)) << form;
      EXPECT_EQ(vhf ? Items{"2M"} : Items{"80M"}, c.band_items) << form;
      EXPECT_EQ(vhf ? Items{"FM"} : (Items{"CW", "SSB"}), c.mode_items) << form;
      EXPECT_EQ(vhf, c.own_locator_visible) << form;
      EXPECT_EQ(vhf, c.locator_required) << form;
      EXPECT_EQ(vhf ? "JO91CD" : "", c.own_locator_text) << form;
      EXPECT_EQ(vhf ? "Numer + lokator" : "Grupa kontrolna", c.received_group_label) << form;
      EXPECT_FALSE(c.change_band_enabled) << form;
      EXPECT_EQ(!vhf, c.change_mode_enabled) << form;
    }
  }
}

TEST(ConfigurationFor, Hints_AreThoseOfTheRound) {
  const CategoryConfiguration vhf = ConfigurationFor("UKF - log do kontroli", "JO91CD");
  EXPECT_EQ("Tylko kolejny numer QSO - lokator dodawany jest automatycznie", vhf.sent_group_hint);
  EXPECT_EQ("Zmiana lokatora tylko w oknie Zmiana danych", vhf.own_locator_hint);

  const CategoryConfiguration short_wave =
      ConfigurationFor("KF - grupa B - stacje indywidualne CW", "JO91CD");
  EXPECT_EQ("Kolejny numer QSO/O/B/DG", short_wave.sent_group_hint);
  EXPECT_EQ("", short_wave.own_locator_hint);
}

TEST(ConfigurationFor, EmptyCategory_IsShortWaveWithSsb) {
  const CategoryConfiguration c = ConfigurationFor("", "JO91CD");
  EXPECT_EQ(Items{"80M"}, c.band_items);
  EXPECT_EQ(1, c.selected_mode);
  EXPECT_EQ("59", c.report);
  EXPECT_EQ(2, c.report_max_length);
  EXPECT_FALSE(c.own_locator_visible);
  EXPECT_EQ("", c.own_locator_text);
}

}  // namespace
}  // namespace zt
