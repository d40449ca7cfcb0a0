// Counts, not times: a long log stays fast only while every action touches each QSO at most once.

#include <gtest/gtest.h>

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
  std::size_t Lookups() { return form1().contest_log().score().dupe_keys.lookups(); }
};

TEST_F(RecalculationPassesTest, StartupPrzeliczAndKeystroke_LookEachKeyUpOnce) {
  WriteSettings(4);
  WriteLog(Log(300));
  Start();
  EXPECT_EQ(300u, Lookups()) << "the start-up load runs one recalculation pass";
  form1().Button9Click();
  EXPECT_EQ(600u, Lookups()) << "Przelicz runs one pass, in the room of the keys before";
  Key(form1().Edit4, Qt::Key_Q);
  EXPECT_EQ(601u, Lookups()) << "a keystroke looks its key up once";
}

}  // namespace
}  // namespace zt::testing
