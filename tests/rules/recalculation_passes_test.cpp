// Counts, not times: a long log stays fast only while every action touches each QSO at most once
// and the log list is told only about the rows that changed.

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "tests/rules/qso_lines.h"
#include "tests/support/program_fixture.h"

namespace zt::testing {
namespace {

class RecalculationPassesTest : public ProgramTest {
 protected:
  // `count` QSOs, every fifth a repeat and every seventh an SSB QSO; all groups acceptable.
  static std::vector<std::string> Log(int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
      const int station = i % 5 == 4 ? i - 1 : i;
      lines.push_back(QsoLine(station % 7 ? "CW" : "PH", "QQ" + std::to_string(station) + "A",
                              std::to_string(i + 1)));
    }
    return lines;
  }
  std::size_t Lookups() { return form1().score_state.dupe_keys.lookups(); }
};

TEST_F(RecalculationPassesTest, StartupPrzeliczAndKeystroke_LookEachKeyUpOnce) {
  WriteSettings(4);
  WriteLog(Log(300));
  Start();
  EXPECT_EQ(300u, Lookups()) << "the start-up load runs one recalculation pass";
  form1().Button9Click();
  EXPECT_EQ(600u, Lookups()) << "Przelicz runs one pass";
  Key(form1().Edit4, Qt::Key_Q);
  EXPECT_EQ(601u, Lookups()) << "a keystroke looks its key up once";
}

TEST_F(RecalculationPassesTest, Przelicz_TellsTheListOnlyWhatChanged) {
  WriteSettings(4);
  std::vector<std::string> lines = Log(300);
  WriteLog(lines);
  Start();
  QSignalSpy changed(&form1().log_list, &QAbstractItemModel::dataChanged);
  QSignalSpy reset(&form1().log_list, &QAbstractItemModel::modelReset);

  form1().Button9Click();
  EXPECT_EQ(0, changed.count()) << "an unchanged log changes no row";
  EXPECT_EQ(0, reset.count());

  // CW only: the SSB QSOs, and only they, turn into CTRL.
  int first_ssb = -1;
  int last_ssb = -1;
  for (int row = 0; row < 300; ++row) {
    if (lines[row].substr(20, 2) != "PH") continue;
    if (first_ssb < 0) first_ssb = row;
    last_ssb = row;
  }
  form2().ComboBox1->setCurrentIndex(2);
  form1().Button9Click();
  ASSERT_EQ(1, changed.count());
  EXPECT_EQ(first_ssb, changed.at(0).at(0).value<QModelIndex>().row());
  EXPECT_EQ(last_ssb, changed.at(0).at(1).value<QModelIndex>().row());
  EXPECT_EQ("CTRL", form1().log_list.LineAt(last_ssb).substr(67));
  EXPECT_EQ(0, reset.count());

  lines.pop_back();
  WriteLog(lines);
  form1().Button9Click();
  EXPECT_EQ(1, reset.count()) << "a line fewer resets the list";
  EXPECT_EQ(299, form1().log_list.Count());
}

}  // namespace
}  // namespace zt::testing
