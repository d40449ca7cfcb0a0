#include <gtest/gtest.h>

#include <string>
#include <unordered_map>

#include "app/log_line.h"
#include "app/text.h"
#include "rules/evaluation.h"
#include "tests/rules/qso_lines.h"

namespace zt {
namespace {

using testing::QsoLine;

TEST(DupeKeys, ThousandsOfKeysAcrossGrowth_AnswerLikeACountingMap) {
  DupeKeys keys;
  std::unordered_map<std::string, int> reference;
  // Keys of every length a typed callsign can give, shorter and longer than a hash word.
  for (int i = 0; i < 20000; ++i) {
    const std::string key = (i % 2 ? "CW " : "PH ") + std::string(i % 23, 'Q') + std::to_string(i);
    if (i % 7 == 0) {
      keys.Add(key);
      ++reference[key];
    }
    if (keys.AddIfAbsent(key)) ++reference[key];
    if (i % 11 == 0) {
      keys.RemoveOne(key);
      if (reference[key] > 0) --reference[key];
    }
  }
  std::size_t total = 0;
  for (const auto& [key, count] : reference) {
    ASSERT_EQ(count > 0, keys.Contains(key)) << key;
    total += static_cast<std::size_t>(count);
  }
  EXPECT_EQ(total, keys.size());
  EXPECT_FALSE(keys.Contains("CW"));
  EXPECT_FALSE(keys.Contains(""));
}

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
  // The evaluation builds the key without allocating; it must be the very text of DupeKeyOf.
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

TEST(VhfLocators, SameLocatorsUnderOneState_ScoreAsFreshStates) {
  const char* const groups[] = {"1KO01HU", "2JO91AA", "3KO01HU", "4KO00HU",
                                "5JO91AA", "6KO02XX", "7KO0XHU", "8KO0XHU"};
  for (const char* own : {"KO00HU", "JO91QX", "XX00AA", "KO0"}) {
    const ScoringContext vhf{Round::kVhf, 7, own};
    ScoreState shared;
    for (int i = 0; i < 8; ++i) {
      const std::string line = QsoLine("FM", "QQ" + std::to_string(i) + "A", groups[i]);
      ScoreState fresh;
      EXPECT_EQ(
          EvaluateQso(line, EvaluationContext::kRecalculating, CallsignOf(line), "FM", vhf, fresh),
          EvaluateQso(line, EvaluationContext::kRecalculating, CallsignOf(line), "FM", vhf, shared))
          << own << " " << groups[i];
    }
  }
  // A changed own locator is not answered from the distances of the old one.
  ScoreState state;
  const std::string line = QsoLine("FM", "QQ1A", "1KO01HU");
  EvaluateQso(line, EvaluationContext::kRecalculating, "QQ1A", "FM",
              ScoringContext{Round::kVhf, 7, "KO00HU"}, state);
  EXPECT_EQ("5", EvaluateQso(QsoLine("FM", "QQ2A", "1KO01HU"), EvaluationContext::kRecalculating,
                             "QQ2A", "FM", ScoringContext{Round::kVhf, 7, "KO01HU"}, state));
}

}  // namespace
}  // namespace zt
