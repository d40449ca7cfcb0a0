#include <gtest/gtest.h>

#include <QApplication>

#include "tests/support/program_fixture.h"

namespace zt::testing {
namespace {

class ClockTest : public ProgramTest {
 protected:
  void SetUp() override {
    WriteSettings(4);
    Start();
  }
  void SetFields(const char* date, const char* time) {
    form1().Edit2->setText(date);
    form1().Edit3->setText(time);
  }
};

TEST_F(ClockTest, Tick_ShowsTrueUtcForTheZone) {
  struct Case {
    const char* name;
    ZoneInfo zone;
    LocalDateTime local;
    const char* date;
    const char* time;
  };
  const Case cases[] = {
      {"UTC+1",
       {ZoneInfo::State::kStandard, -60, 0, -60},
       {2026, 12, 6, 0, 30, 59, 999},
       "2026-12-05",
       "23:30"},
      {"UTC+2 in daylight time",
       {ZoneInfo::State::kDaylight, -60, 0, -60},
       {2026, 7, 1, 14, 0, 0, 0},
       "2026-07-01",
       "12:00"},
      {"UTC-5",
       {ZoneInfo::State::kStandard, 300, 0, -60},
       {2026, 12, 31, 21, 15, 0, 0},
       "2027-01-01",
       "02:15"},
      {"UTC+5:30",
       {ZoneInfo::State::kUnknown, -330, 0, 0},
       {2026, 12, 6, 12, 5, 0, 0},
       "2026-12-06",
       "06:35"},
  };
  for (const Case& c : cases) {
    clock_.zone = c.zone;
    clock_.now = c.local;
    form1().Timer1Timer();
    EXPECT_EQ(c.date, form1().Edit2->text()) << c.name;
    EXPECT_EQ(c.time, form1().Edit3->text()) << c.name;
  }
}

// A tick that changes nothing writes nothing: a rewrite would put the cursor at the end and tell
// a screen reader of a change twice a second.
TEST_F(ClockTest, TickWithinTheSameMinute_LeavesTheFieldsAsTheyAre) {
  form1().Timer1Timer();
  form1().Edit3->setCursorPosition(2);
  form1().Edit2->setSelection(0, 4);
  form1().Timer1Timer();
  EXPECT_EQ(2, form1().Edit3->cursorPosition());
  EXPECT_EQ("2026", form1().Edit2->selectedText());
}

TEST_F(ClockTest, RunningClock_OverwritesTypedTimeWithinHalfASecond) {
  form1().StartClock();
  form1().Edit3->setText("12:00");
  QTest::qWait(700);
  EXPECT_EQ("12:05", form1().Edit3->text());
  EXPECT_TRUE(form1().ClockRunning());
}

TEST_F(ClockTest, StartingARunningClock_KeepsItsNextTick) {
  form1().StartClock();
  QTest::qWait(200);
  form1().StartClock();
  // A restart would leave about 500 ms.
  EXPECT_LT(form1().Timer1->remainingTime(), 420);
}

TEST_F(ClockTest, ClickInTheDateField_StopsTheClock) {
  form1().StartClock();
  QTest::mouseClick(form1().Edit2, Qt::LeftButton);
  EXPECT_FALSE(form1().ClockRunning());
  EXPECT_FALSE(form1().Panel4->isHidden());
  QTest::mouseClick(form1().Panel4, Qt::LeftButton);
  EXPECT_TRUE(form1().ClockRunning());
  EXPECT_TRUE(form1().Panel4->isHidden());
}

TEST_F(ClockTest, PanelClick_SetsTheTimeAtOnceAndTheDateAtTheNextTick) {
  SetFields("2020-01-01", "00:00");
  form1().Panel4Click();
  EXPECT_EQ("12:05", form1().Edit3->text());
  EXPECT_EQ("2020-01-01", form1().Edit2->text());
  EXPECT_TRUE(form1().ClockRunning());
}

TEST_F(ClockTest, Spinner_StepsUnlessTheTimeFieldHasTheFocus) {
  form1().StartClock();
  form1().Edit3->setFocus();
  SetFields("2026-12-04", "14:10");
  QTest::mouseClick(form1().UpDown1->up_button(), Qt::LeftButton);
  EXPECT_EQ("14:10", form1().Edit3->text());
  EXPECT_TRUE(form1().ClockRunning());
  form1().Edit4->setFocus();
  QTest::mouseClick(form1().UpDown1->down_button(), Qt::LeftButton);
  EXPECT_EQ("14:09", form1().Edit3->text());
  EXPECT_FALSE(form1().ClockRunning());
}

TEST_F(ClockTest, PageKeysInTheEntryFields_StepAcrossRealCalendarDays) {
  struct Case {
    QLineEdit* TForm1::*field;
    Qt::Key key;
    const char* date;
    const char* time;
    const char* date_after;
    const char* time_after;
  };
  const Case cases[] = {
      {&TForm1::Edit4, Qt::Key_PageUp, "2026-12-04", "09:59", "2026-12-04", "10:00"},
      {&TForm1::Edit6, Qt::Key_PageDown, "2026-12-04", "14:10", "2026-12-04", "14:09"},
      {&TForm1::Edit4, Qt::Key_PageUp, "2026-12-31", "23:59", "2027-01-01", "00:00"},
      {&TForm1::Edit6, Qt::Key_PageDown, "2026-03-01", "00:00", "2026-02-28", "23:59"},
      {&TForm1::Edit4, Qt::Key_PageDown, "2024-03-01", "00:00", "2024-02-29", "23:59"},
      {&TForm1::Edit4, Qt::Key_Home, "2026-12-04", "09:59", "2026-12-04", "09:59"},
  };
  for (const Case& c : cases) {
    form1().StartClock();
    SetFields(c.date, c.time);
    Key(form1().*c.field, c.key);
    EXPECT_EQ(c.date_after, form1().Edit2->text()) << c.date << ' ' << c.time;
    EXPECT_EQ(c.time_after, form1().Edit3->text()) << c.date << ' ' << c.time;
    EXPECT_EQ(c.key == Qt::Key_Home, form1().ClockRunning());
  }
}

TEST_F(ClockTest, StepWithUnreadableFields_ReportsAndStaysStopped) {
  SetFields("2026-12-04", "1a:30");
  prompts_.ExpectMessage(ErrorMessage("Niewłaściwe dane w polu czasu!"));
  Key(form1().Edit4, Qt::Key_PageUp);
  EXPECT_EQ("1a:30", form1().Edit3->text());
  SetFields("2026-13-04", "23:59");
  prompts_.ExpectMessage(ErrorMessage("Niewłaściwe dane w polu daty!"));
  Key(form1().Edit4, Qt::Key_PageUp);
  EXPECT_EQ("23:59", form1().Edit3->text());
  EXPECT_FALSE(form1().ClockRunning());
}

TEST_F(ClockTest, LeavingTheFields_ChecksFormAndRange) {
  struct Case {
    QLineEdit* TForm1::*field;
    const char* typed;
    const char* shown;
    const char* message;  // nullptr: accepted
  };
  const Case cases[] = {
      {&TForm1::Edit3, " 07:05 ", "07:05", nullptr},
      {&TForm1::Edit3, "7:05", "7:05", "Błędny format czasu!"},
      {&TForm1::Edit3, "07 05", "0705", "Błędny format czasu!"},
      {&TForm1::Edit3, "12.30", "12.30", nullptr},
      {&TForm1::Edit3, "25:99", "25:99", "Niewłaściwe dane w polu czasu!"},
      {&TForm1::Edit3, "1a:30", "1a:30", "Niewłaściwe dane w polu czasu!"},
      {&TForm1::Edit2, "2026-1-4", "2026-1-4", "Błędny format daty!"},
      {&TForm1::Edit2, "2026/12/04", "2026/12/04", nullptr},
      {&TForm1::Edit2, "2026-12-0x", "2026-12-0x", "Niewłaściwe dane w polu daty!"},
      {&TForm1::Edit2, "2026-02-30", "2026-02-30", "Niewłaściwe dane w polu daty!"},
  };
  for (const Case& c : cases) {
    QLineEdit* field = form1().*c.field;
    field->setFocus();
    field->setText(c.typed);
    if (c.message) prompts_.ExpectMessage(ErrorMessage(QString::fromUtf8(c.message)));
    form1().Button4->setFocus();
    EXPECT_EQ(c.shown, field->text()) << c.typed;
    EXPECT_EQ(c.message != nullptr, field->hasFocus()) << c.typed;
    EXPECT_TRUE(prompts_.Done()) << c.typed;
    field->setText(c.field == &TForm1::Edit3 ? "12:00" : "2026-12-06");
  }
}

TEST_F(ClockTest, TwoWrongFields_DoNotHandTheFocusBackAndForth) {
  form1().Edit2->setText("2026-1-4");
  form1().Edit3->setText("25:99");
  form1().Edit2->setFocus();
  prompts_.ExpectMessage(ErrorMessage("Błędny format daty!"));
  form1().Edit3->setFocus();
  EXPECT_TRUE(form1().Edit2->hasFocus());
  EXPECT_TRUE(prompts_.Done());
}

}  // namespace
}  // namespace zt::testing
