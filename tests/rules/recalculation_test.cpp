#include "rules/recalculation.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/text.h"
#include "tests/rules/qso_lines.h"

namespace zt {
namespace {

using testing::QsoLine;

const ScoringContext kBothModes{Round::kShortWave, 4, ""};
const ScoringContext kCwOnly{Round::kShortWave, 2, ""};
const ScoringContext kVhf{Round::kVhf, 5, "KO00HU"};

std::vector<std::string> ResultsOf(const Recalculation& recalculation) {
  std::vector<std::string> results;
  for (const std::string& line : recalculation.list_lines) results.push_back(ResultOf(line));
  return results;
}

// The list, the score, the keys' count and the letters of two recalculations are the same.
void ExpectSameResult(const Recalculation& expected, const Recalculation& actual) {
  EXPECT_EQ(expected.list_lines, actual.list_lines);
  EXPECT_EQ(expected.state.score, actual.state.score);
  EXPECT_EQ(expected.state.dupe_keys.size(), actual.state.dupe_keys.size());
  EXPECT_EQ(expected.state.letters.first_letters, actual.state.letters.first_letters);
  EXPECT_EQ(expected.state.letters.second_letters, actual.state.letters.second_letters);
  EXPECT_EQ(expected.state.letters.awarded, actual.state.letters.awarded);
}

TEST(Recalculate, EmptyAndShortLines_KeepTheirPlaceAndFixedColumns) {
  const std::string qso = QsoLine("CW", "QQ1ABC", "O");
  const std::string short_line = "2024-12-01 0705 80M CW 599     12 QQ2ABC";
  const Recalculation recalculation = Recalculate({qso + "RPRT", "", short_line}, kBothModes);

  ASSERT_EQ(3u, recalculation.list_lines.size());
  EXPECT_EQ(qso + "20", recalculation.list_lines[0]);
  EXPECT_EQ("", recalculation.list_lines[1]);
  EXPECT_EQ(LeftAligned(short_line, 67) + "0", recalculation.list_lines[2]);
  EXPECT_EQ(20, recalculation.state.score);
  EXPECT_EQ(2u, recalculation.state.dupe_keys.size());
}

TEST(Recalculate, EarlierQsoRemoved_LaterRepeatScores) {
  const std::string first = QsoLine("CW", "QQ1ABC", "O") + "20";
  const std::string repeat = QsoLine("CW", "QQ1ABC", "DG") + "DUPE";

  const Recalculation both = Recalculate({first, repeat}, kBothModes);
  EXPECT_EQ((std::vector<std::string>{"20", "DUPE"}), ResultsOf(both));
  EXPECT_EQ(20, both.state.score);

  const Recalculation after_deletion = Recalculate({repeat}, kBothModes);
  EXPECT_EQ(std::vector<std::string>{"4"}, ResultsOf(after_deletion));
  EXPECT_EQ(4, after_deletion.state.score);
}

TEST(Recalculate, EmptyGroupLoggedAsRprt_ShowsZeroOrCtrlWithSameScore) {
  const Recalculation recalculation = Recalculate(
      {QsoLine("CW", "QQ1ABC", "") + "RPRT", QsoLine("PH", "QQ2ABC", "") + "RPRT"}, kBothModes);
  EXPECT_EQ((std::vector<std::string>{"0", "CTRL"}), ResultsOf(recalculation));
  EXPECT_EQ(0, recalculation.state.score);
}

TEST(Recalculate, SettingsChanged_RescoresWholeLog) {
  const std::vector<std::string> short_wave = {QsoLine("CW", "QQ1ABC", "O") + "20",
                                               QsoLine("PH", "QQ2ABC", "O") + "10",
                                               QsoLine("PH", "QQ3ABC", "B") + "5"};
  EXPECT_EQ(35, Recalculate(short_wave, kBothModes).state.score);
  const Recalculation cw_only = Recalculate(short_wave, kCwOnly);
  EXPECT_EQ((std::vector<std::string>{"20", "CTRL", "CTRL"}), ResultsOf(cw_only));
  EXPECT_EQ(20, cw_only.state.score);
  EXPECT_EQ(1u, cw_only.state.dupe_keys.size());

  const std::vector<std::string> vhf = {QsoLine("FM", "QQ1ABC", "12KO00HU") + "5"};
  EXPECT_EQ(std::vector<std::string>{"5"}, ResultsOf(Recalculate(vhf, kVhf)));
  EXPECT_EQ(std::vector<std::string>{"152"},
            ResultsOf(Recalculate(vhf, ScoringContext{Round::kVhf, 5, "JO91QX"})));
}

std::vector<std::string> WordLog() {
  const char* const callsigns[] = {"QQ1T", "QQ1E", "QQ1L", "QQ2T", "QQ1O", "QQ2L", "QQ1M", "QQ2E"};
  std::vector<std::string> lines;
  for (const char* callsign : callsigns) lines.push_back(QsoLine("CW", callsign, "O") + "20");
  return lines;
}

TEST(Recalculate, WordCompleteOrNot_AwardsOrWithdrawsLetterBonus) {
  std::vector<std::string> lines = WordLog();
  const Recalculation complete = Recalculate(lines, kBothModes);
  EXPECT_TRUE(complete.state.letters.awarded);
  EXPECT_EQ(8 * 20 + kLetterBonusPoints, complete.state.score);

  lines.erase(lines.begin() + 4);  // the only O
  const Recalculation incomplete = Recalculate(lines, kBothModes);
  EXPECT_FALSE(incomplete.state.letters.awarded);
  EXPECT_FALSE(incomplete.state.letters.LitLetters()[4]);
  EXPECT_EQ(7 * 20, incomplete.state.score);
}

TEST(Recalculate, RunTwice_ChangesNothing) {
  std::vector<std::string> lines = WordLog();
  lines.push_back("");
  lines.push_back(QsoLine("CW", "QQ1T", "O") + "20");
  lines.push_back(QsoLine("PH", "QQ5ABC", "12A") + "RPRT");
  const Recalculation once = Recalculate(lines, kBothModes);
  ExpectSameResult(once, Recalculate(once.list_lines, kBothModes));
}

// The room of an earlier recalculation is taken over, never its content: a longer, a shorter or
// an empty log before, with its repeats and its letters, leaves the same result as a fresh start.
TEST(Recalculate, InTheRoomOfAnother_GivesWhatAFreshOneGives) {
  std::vector<std::string> lines = WordLog();
  lines.insert(lines.begin() + 2, "");
  lines.push_back(QsoLine("CW", "QQ1T", "O") + "20");
  const Recalculation fresh = Recalculate(lines, kBothModes);
  const std::vector<std::string> longer(40, QsoLine("CW", "QQ1T", "DG") + "DUPE");
  const std::vector<std::string> shorter = {QsoLine("PH", "QQ9XYZ", "B") + "5"};
  for (const std::vector<std::string>& before : {longer, shorter, std::vector<std::string>{}}) {
    SCOPED_TRACE(before.size());
    const Recalculation again = Recalculate(lines, kBothModes, Recalculate(before, kBothModes));
    ExpectSameResult(fresh, again);
    EXPECT_FALSE(again.state.dupe_keys.Contains("PH QQ9XYZ"));
  }
}

TEST(Recalculate, LinesOfAnyContent_AreEvaluatedWithoutHarm) {
  std::vector<std::string> lines = {
      "x",
      "\r",
      std::string(67, ' '),
      QsoLine("CW", "QQ1ABC", "O") + "12ABC+X",
      QsoLine("FM", "QQ1ABC", "") + std::string(30, '9'),
      ReplaceColumns(QsoLine("FM", "QQ2ABC", ""), 55, "12ko01hu"),
      ReplaceColumns(QsoLine("FM", "QQ3ABC", ""), 54, "1234567KO01HU"),
      std::string(200, '\xFF'),
      std::string(80, '\0'),
  };
  std::mt19937 random(20241201);
  std::uniform_int_distribution<int> length(0, 120);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int i = 0; i < 500; ++i) {
    std::string line(length(random), ' ');
    for (char& c : line) c = static_cast<char>(byte(random));
    lines.push_back(line);
  }

  for (const ScoringContext& scoring : {kBothModes, kCwOnly, kVhf}) {
    const Recalculation recalculation = Recalculate(lines, scoring);
    ASSERT_EQ(lines.size(), recalculation.list_lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string& listed = recalculation.list_lines[i];
      if (lines[i].empty()) {
        EXPECT_TRUE(listed.empty());
        continue;
      }
      ASSERT_GT(listed.size(), kLineBodyLength) << i;
      EXPECT_EQ(LeftAligned(LineBodyOf(lines[i]), kLineBodyLength),
                listed.substr(0, kLineBodyLength))
          << i;
    }
    ScoreState adding;
    for (const std::string& line : lines) {
      EvaluateQso(line, EvaluationContext::kAdding, line, line, scoring, adding);
    }
  }
  const Recalculation vhf = Recalculate(lines, kVhf);
  EXPECT_EQ("RPRT", ResultOf(vhf.list_lines[5])) << "lower-case locator";
  EXPECT_EQ("111", ResultOf(vhf.list_lines[6])) << "group filling all thirteen columns";
}

std::vector<std::string> GeneratedLog(int count) {
  std::vector<std::string> lines;
  lines.reserve(count);
  for (int i = 0; i < count; ++i) {
    // Every tenth QSO repeats the one before it, so duplicates and scoring both occur.
    const int station = i % 10 == 9 ? i - 1 : i;
    lines.push_back(QsoLine(station % 2 ? "PH" : "CW", "QQ" + std::to_string(station), "O") + "20");
  }
  return lines;
}

TEST(Recalculate, LogDoubled_LookupsDouble) {
  const std::size_t small = Recalculate(GeneratedLog(1000), kBothModes).state.dupe_keys.lookups();
  const std::size_t large = Recalculate(GeneratedLog(2000), kBothModes).state.dupe_keys.lookups();
  EXPECT_LE(small, 2u * 1000);
  EXPECT_EQ(2 * small, large);
}

TEST(Recalculate, HundredThousandLines_AllListed) {
  const Recalculation recalculation = Recalculate(GeneratedLog(100000), kBothModes);
  ASSERT_EQ(100000u, recalculation.list_lines.size());
  EXPECT_EQ("DUPE", ResultOf(recalculation.list_lines[99999]));
  EXPECT_EQ(90000u, recalculation.state.dupe_keys.size());
}

TEST(SelectionAfterRecalculation, RememberedIndex_SelectsByPosition) {
  struct Case {
    const char* name;
    int remembered;
    int count;
    int selected;
  };
  const Case cases[] = {
      {"just appended selects the last line", 5, 5, 4},
      {"nothing remembered", -1, 5, -1},
      {"position inside the list", 2, 5, 2},
      {"first line", 0, 5, 0},
      {"beyond the end", 7, 5, -1},
      {"empty list, index zero", 0, 0, -1},
      {"empty list, nothing remembered", -1, 0, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.selected, SelectionAfterRecalculation(c.remembered, c.count)) << c.name;
  }
}

}  // namespace
}  // namespace zt
