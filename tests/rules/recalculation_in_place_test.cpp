#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/file_io.h"
#include "app/log_line.h"
#include "rules/recalculation.h"
#include "tests/rules/qso_lines.h"

namespace zt {
namespace {

using testing::QsoLine;

const ScoringContext kBothModes{Round::kShortWave, 4, ""};

std::vector<std::string> FileLines() {
  return {QsoLine("CW", "QQ1ABC", "O") + "RPRT", "", QsoLine("CW", "QQ1ABC", "5") + "20",
          QsoLine("PH", "QQ2ABC", "XYZ"), "2024-12-01 0705 80M CW 599     12 QQ3ABC"};
}

std::vector<std::string_view> Views(const std::vector<std::string>& lines) {
  return std::vector<std::string_view>(lines.begin(), lines.end());
}

TEST(RecalculateInPlace, AnyEarlierList_EndsAsAFreshRecalculation) {
  const std::vector<std::string> file = FileLines();
  const Recalculation fresh = Recalculate(file, kBothModes);
  struct Case {
    const char* name;
    std::vector<std::string> list;
    std::size_t first_changed;
    std::size_t end_changed;
  };
  std::vector<std::string> one_result_stale = fresh.list_lines;
  one_result_stale[2] = one_result_stale[2].substr(0, kLineBodyLength) + "20";
  std::vector<std::string> longer = fresh.list_lines;
  longer.push_back("left over");
  const Case cases[] = {
      {"already up to date", fresh.list_lines, 0, 0},
      {"one stale result", one_result_stale, 2, 3},
      {"empty list", {}, 0, file.size()},
      {"file lines as loaded", file, 0, file.size()},
      {"a line more than the file: the count tells", longer, 0, 0},
  };
  for (const Case& c : cases) {
    std::vector<std::string> list = c.list;
    ScoreState state;
    state.score = 99;
    const ChangedLines changed = RecalculateInPlace(Views(file), kBothModes, list, state);
    EXPECT_EQ(fresh.list_lines, list) << c.name;
    EXPECT_EQ(fresh.state.score, state.score) << c.name;
    EXPECT_EQ(fresh.state.dupe_keys.size(), state.dupe_keys.size()) << c.name;
    if (c.first_changed == c.end_changed) {
      EXPECT_TRUE(changed.empty()) << c.name;
    } else {
      EXPECT_EQ(c.first_changed, changed.first) << c.name;
      EXPECT_EQ(c.end_changed, changed.end) << c.name;
    }
  }
}

TEST(RecalculateInPlace, EveryPass_LooksEachKeyUpOnce) {
  // Every line with an acceptable group is looked up once; the refused one is not looked up.
  const std::vector<std::string> file = FileLines();
  std::vector<std::string> list;
  ScoreState state;
  for (std::size_t pass = 1; pass <= 3; ++pass) {
    RecalculateInPlace(Views(file), kBothModes, list, state);
    EXPECT_EQ(pass * 3, state.dupe_keys.lookups()) << pass;
  }
}

TEST(RecalculateQso, AnyBody_EvaluatesAsEvaluateQsoWithTheLinesFields) {
  std::vector<std::string> bodies;
  // Callsigns that end before, at and only in column 50, for every round and category.
  for (const char* callsign : {"QQ1ABC", "QQ1ABCDEFGHIJKLM", "QQ1ABCDEFGHIJKLMN", "Q"}) {
    for (const char* mode : {"CW", "PH", "FM"}) {
      bodies.push_back(QsoLine(mode, callsign, mode[0] == 'F' ? "12KO01HU" : "O"));
    }
  }
  bodies.push_back(ReplaceColumns(std::string(67, ' '), 50, "X"));
  std::mt19937 random(67);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int i = 0; i < 300; ++i) {
    std::string body(kLineBodyLength, ' ');
    for (std::size_t column = 20; column < kLineBodyLength; ++column) {
      if (byte(random) < 96) body[column] = static_cast<char>(byte(random));
    }
    bodies.push_back(body);
  }
  for (const ScoringContext& scoring : {kBothModes, ScoringContext{Round::kShortWave, 2, ""},
                                        ScoringContext{Round::kVhf, 7, "KO00HU"}}) {
    ScoreState general;
    ScoreState recalculating;
    for (const std::string& body : bodies) {
      ASSERT_EQ(EvaluateQso(body, EvaluationContext::kRecalculating, ScoringCallsignOf(body),
                            ModeOf(body), scoring, general),
                RecalculateQso(body, scoring, recalculating))
          << body;
      ASSERT_EQ(general.score, recalculating.score) << body;
      ASSERT_EQ(general.dupe_keys.size(), recalculating.dupe_keys.size()) << body;
    }
  }
}

TEST(RecalculateInPlace, FileText_GivesTheListOfItsLines) {
  const std::string text = "a\r\n\r\n" + QsoLine("CW", "QQ1ABC", "O") + "\n";
  std::vector<std::string> list;
  ScoreState state;
  RecalculateInPlace(LineViews(text), kBothModes, list, state);
  EXPECT_EQ(Recalculate(SplitLines(text), kBothModes).list_lines, list);
}

}  // namespace
}  // namespace zt
