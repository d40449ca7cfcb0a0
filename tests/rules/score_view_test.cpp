#include <gtest/gtest.h>

#include "tests/support/program_fixture.h"

namespace zt::testing {
namespace {

std::string ShortWaveLine(const std::string& call, const std::string& mode,
                          const std::string& group, const std::string& result = "") {
  std::string line = "2026-12-06 1205 80M " + mode + " 599      1 " + call;
  line.resize(50, ' ');
  line += "599 " + std::string(11 - group.size(), ' ') + group + "  " + result;
  return line;
}

class ScoreViewTest : public ProgramTest {
 protected:
  bool Lit(int i) { return form1().LetterLabels[i]->styleSheet().contains("navy"); }
};

TEST_F(ScoreViewTest, Recalculate_ShowsNewResultsAndKeepsTheFile) {
  WriteSettings(4);
  const std::vector<std::string> file = {ShortWaveLine("QQ1ABC", "CW", "", "RPRT"), "",
                                         ShortWaveLine("QQ1ABC", "CW", "O", "20")};
  WriteLog(file);
  Start();
  const std::string content = LogContent();
  form1().Button9->click();
  EXPECT_EQ((std::vector<std::string>{ShortWaveLine("QQ1ABC", "CW", "", "0"), "",
                                      ShortWaveLine("QQ1ABC", "CW", "O", "DUPE")}),
            ListLines());
  EXPECT_EQ("0", form1().Label31->text());
  EXPECT_EQ(content, LogContent());
}

TEST_F(ScoreViewTest, Selection_FollowsTheRememberedRow) {
  WriteSettings(4);
  WriteLog({ShortWaveLine("QQ1AAA", "CW", "1"), ShortWaveLine("QQ1BBB", "CW", "2"),
            ShortWaveLine("QQ1CCC", "CW", "3")});
  Start();
  EXPECT_EQ(2, form1().SelectedRow());
  struct Case {
    int before;
    int after;
  };
  for (const Case c : {Case{1, 1}, Case{-1, -1}, Case{0, 0}}) {
    form1().SelectRow(c.before);
    form1().Button9Click();
    EXPECT_EQ(c.after, form1().SelectedRow()) << c.before;
  }
}

TEST_F(ScoreViewTest, LetterBonus_LightsLettersAndAwardsTheMarkOnce) {
  WriteSettings(4);
  std::vector<std::string> lines;
  const char* calls[] = {"QQ1AAT", "QQ1AAE", "QQ1AAL", "QQ1AAO", "QQ1AAM", "QQ2AAT", "QQ2AAE"};
  for (const char* call : calls) lines.push_back(ShortWaveLine(call, "CW", "1"));
  WriteLog(lines);
  Start();
  EXPECT_EQ("14", form1().Label31->text());
  EXPECT_FALSE(form1().Label12->isVisible());
  EXPECT_FALSE(Lit(5));
  for (int i : {0, 1, 2, 3, 4, 6, 7}) EXPECT_TRUE(Lit(i)) << i;

  lines.push_back(ShortWaveLine("QQ2AAL", "CW", "1"));
  lines.push_back(ShortWaveLine("QQ3AAL", "CW", "1"));
  WriteLog(lines);
  form1().Button9Click();
  EXPECT_EQ("38", form1().Label31->text());
  EXPECT_EQ("38", form2().Edit7->text());
  EXPECT_TRUE(Lit(5));
  EXPECT_TRUE(form1().Label12->isVisible());

  lines.erase(lines.begin());
  WriteLog(lines);
  form1().Button9Click();
  EXPECT_FALSE(form1().Label12->isVisible()) << "the bonus is withdrawn with its letter";
  EXPECT_EQ("16", form1().Label31->text());
}

TEST_F(ScoreViewTest, NoLogFile_ShowsAnEmptyScore) {
  WriteSettings(4);
  Start();
  std::filesystem::remove(dir_ / "zawody_teltolmowe.zlg");
  form1().Button9Click();
  EXPECT_EQ(0, form1().LineCount());
  EXPECT_EQ("0", form1().Label31->text());
  EXPECT_EQ("0", form2().Edit7->text());
  for (int i = 0; i < 8; ++i) EXPECT_FALSE(Lit(i));
}

}  // namespace
}  // namespace zt::testing
