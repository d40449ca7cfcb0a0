#include "settings/category_change.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

const std::string kCwQso = "2024-12-01 0705 80M CW 599      1 QQ1ABC          599           5  2";
const std::string kFmQso = "2024-12-01 0705 2M  FM 59       1 QQ1ABC          59    001KO02MD  87";

TEST(CategoryChangeTest, RefusesOnlyAMoveOfABegunLogToTheOtherRound) {
  using enum CategoryChangeRefusal;
  struct Row {
    const char* name;
    std::string category;
    std::vector<std::string> log;
    int new_index;
    CategoryChangeRefusal expected;
  };
  const Row rows[] = {
      {"EmptyLogTakesAnyRound", "KF - grupa D - stacje indyw. SSB i CW", {}, 7, kNone},
      {"ShortWaveWithinRound", "KF - grupa D - stacje indyw. SSB i CW", {kCwQso}, 0, kNone},
      {"ShortWaveToVhf", "KF - grupa D - stacje indyw. SSB i CW", {kCwQso}, 6, kStayInShortWave},
      {"VhfToShortWave", "UKF - LOG DO KONTROLI", {kFmQso}, 5, kStayInVhf},
      {"VhfWithinRound", "UKF - log do kontroli", {kFmQso}, 7, kNone},
      {"EmptyLineCountsAsALoggedLine", "UKF - log do kontroli", {""}, 2, kStayInVhf},
      {"NothingSelected", "UKF - log do kontroli", {kFmQso}, -1, kNone},
      // The category decides, not the lines.
      {"CategoryOverridesTheLines", "KF - log do kontroli", {kFmQso}, 7, kStayInShortWave},
      // No category in force: the logged QSOs tell the round.
      {"NoCategoryFmLog", "", {kFmQso}, 3, kStayInVhf},
      {"NoCategoryFmLogToVhf", "", {kFmQso}, 6, kNone},
      {"NoCategoryShortWaveLog", "", {kCwQso}, 6, kStayInShortWave},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(row.expected, RefusedCategoryChange(row.category, row.log, row.new_index))
        << row.name;
  }
}

TEST(CategoryChangeTest, CategoryIndexOf_IgnoresCase) {
  EXPECT_EQ(2, CategoryIndexOf("KF - grupa B - stacje indywidualne CW"));
  EXPECT_EQ(7, CategoryIndexOf("UKF - STACJE INDYW. I KLUBOWE FM"));
  EXPECT_EQ(-1, CategoryIndexOf(""));
  EXPECT_EQ(-1, CategoryIndexOf("UKF"));
}

}  // namespace
}  // namespace zt
