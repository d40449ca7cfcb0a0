#include <gtest/gtest.h>

#include <string>

#include "core/log_line.h"
#include "core/text.h"
#include "rules/evaluation.h"
#include "tests/rules/qso_lines.h"

namespace zt {
namespace {

using testing::QsoLine;

TEST(DupeKeys, RemovedKey_CanBeAddedAgainAndClearForgetsAll) {
  DupeKeys keys;
  EXPECT_TRUE(keys.AddIfAbsent("CW QQ1ABC"));
  EXPECT_FALSE(keys.AddIfAbsent("CW QQ1ABC"));
  keys.RemoveOne("CW QQ1ABC");
  EXPECT_FALSE(keys.Contains("CW QQ1ABC"));
  EXPECT_TRUE(keys.AddIfAbsent("CW QQ1ABC"));
  EXPECT_EQ(1u, keys.size());
  keys.Clear();
  EXPECT_FALSE(keys.Contains("CW QQ1ABC"));
  EXPECT_EQ(0u, keys.size());
  EXPECT_TRUE(keys.AddIfAbsent("CW QQ1ABC"));
}

TEST(DupeKeys, EvaluatedLine_KeepsTheKeyOfDupeKeyOf) {
  const ScoringContext both_modes{Round::kShortWave, 4, ""};
  const std::string lines[] = {
      QsoLine("CW", "QQ1ABC", "O"),    QsoLine("PH", "QQ1ABCDEFGHIJKLMN", "5"),
      QsoLine("CW", "  QQ2 X  ", "B"), "2024-12-01 0705 80M CW 599     12 QQ3ABC",
      "2024-12-01 0705 80M C",
  };
  for (const std::string& line : lines) {
    const std::string body = LeftAligned(line, kLineBodyLength);
    ScoreState state;
    EvaluateQso(body, EvaluationContext::kRecalculating, ScoringCallsignOf(body), ModeOf(body),
                both_modes, state);
    EXPECT_TRUE(state.dupe_keys.Contains(DupeKeyOf(body))) << line;
    EXPECT_EQ(1u, state.dupe_keys.size()) << line;
  }
}

}  // namespace
}  // namespace zt
