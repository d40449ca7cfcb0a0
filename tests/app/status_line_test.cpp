#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QEvent>

#include "tests/support/program_fixture.h"

namespace zt::testing {
namespace {

// Counts the times a widget is shown: each is an "object shown" event to a screen reader.
class ShowCounter : public QObject {
 public:
  explicit ShowCounter(QWidget* widget) { widget->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) ++count;
    return false;
  }
  int count = 0;
};

std::string SpokenName(QWidget* widget) {
  return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name).toStdString();
}

// The fake clock shows 2026-12-06 12:05 UTC; the own locator is KO00HU.
class StatusLineTest : public ProgramTest {
 protected:
  std::string Counts() { return form1().CountsLabel->text().toStdString(); }
  std::string Preview() { return form1().PreviewLabel->text().toStdString(); }
  std::string Partial() { return form1().PartialLabel->text().toStdString(); }
  void ClearEntry() { Key(form1().Edit4, Qt::Key_Escape); }
};

TEST_F(StatusLineTest, ShortWave_CountsPreviewAndPartialCheckFollowTheTyping) {
  WriteSettings(4);
  WriteLog({"2026-12-06 1100 80M CW 599      1 QQ1ABC          599           5  2",
            "2026-12-06 1200 80M PH 59       2 QQ1ABD          59            O  10"});
  Start();
  EXPECT_EQ("QSO: 2, zaliczone: 2 · CW: 1, SSB: 1 · ostatnie 60 min: 1, 10 min: 1", Counts());
  EXPECT_EQ("", Preview());

  struct Step {
    const char* callsign;
    const char* group;
    const char* preview;
    const char* partial;
  };
  const Step steps[] = {
      {"QQ", "", "", ""},
      {"QQ1AB", "", "", "Podobne: QQ1ABC (CW), QQ1ABD (SSB)"},
      {"QQ1ABC", "5", "To QSO: powtórzone, 0 pkt", "Podobne: QQ1ABC (CW)"},
      {"QQ3XYT", "O", "To QSO: 20 pkt · litera T do TELTÓLME", "Podobne: brak"},
      {"QQ3XYZ", "XX", "To QSO: nieprawidłowa grupa kontrolna", "Podobne: brak"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.callsign);
    ClearEntry();
    Type(form1().Edit4, step.callsign);
    Type(form1().Edit6, step.group);
    EXPECT_EQ(step.preview, Preview());
    EXPECT_EQ(step.partial, Partial());
  }

  ClearEntry();
  AddQso("QQ3XYT", "O");
  EXPECT_EQ("QSO: 3, zaliczone: 3 · CW: 2, SSB: 1 · ostatnie 60 min: 2, 10 min: 2", Counts());
  EXPECT_EQ("", Preview());
  // A stopped clock counts against the time its fields show.
  form1().Edit3->setText("13:04");
  EXPECT_EQ("QSO: 3, zaliczone: 3 · CW: 2, SSB: 1 · ostatnie 60 min: 1, 10 min: 0", Counts());
  // Nothing of the preview reached the log.
  EXPECT_EQ(3u, ListLines().size());
  EXPECT_EQ("32", form1().Label31->text());
}

TEST_F(StatusLineTest, Vhf_DistanceBearingAndBonusStationOnceTheLocatorIsComplete) {
  WriteSettings(7);
  Start();
  Type(form1().Edit4, "QQ9AAA");
  Type(form1().Edit6, "1KO0");
  EXPECT_EQ("", Preview());
  Type(form1().Edit6, "1HU");
  EXPECT_EQ("To QSO: 111 km, azymut 0° · 161 pkt (+50 stacja premiowana)", Preview());
  EXPECT_EQ("QSO: 0, zaliczone: 0 · FM: 0 · ostatnie 60 min: 0, 10 min: 0", Counts());
}

TEST_F(StatusLineTest, TheStatusLine_NeverTakesTheFocusAndScreenReadersReadIt) {
  WriteSettings(4);
  Start();
  for (QLabel* line : {form1().CountsLabel, form1().PreviewLabel, form1().PartialLabel}) {
    EXPECT_EQ(Qt::NoFocus, line->focusPolicy()) << line->objectName().toStdString();
    EXPECT_GE(form1().height(), line->geometry().bottom());
  }
  // A full round of Tab never lands on them.
  form1().Edit4->setFocus();
  for (int i = 0; i < 30; ++i) {
    Key(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_NE("QLabel", std::string(QApplication::focusWidget()->metaObject()->className()));
  }
  // What a screen reader reads of them is their text.
  for (QLabel* line : {form1().CountsLabel, form1().PreviewLabel, form1().PartialLabel})
    EXPECT_EQ(line->text().toStdString(), SpokenName(line)) << line->objectName().toStdString();
  EXPECT_NE("", Counts());
}

// A screen reader speaks a notification as it is shown, so each new repeated callsign shows the
// panel afresh; the focus never leaves the callsign field.
TEST_F(StatusLineTest, RepeatedQso_IsANotificationShownAfreshForEachCallsign) {
  WriteSettings(4);
  WriteLog({"2026-12-06 1100 80M CW 599      1 QQ1AB           599           5  2",
            "2026-12-06 1101 80M CW 599      2 QQ1ABC          599           5  2"});
  Start();
  QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(form1().Panel3);
  ASSERT_NE(nullptr, panel);
  EXPECT_EQ(QAccessible::Notification, panel->role());

  ShowCounter panel_shown(form1().Panel3);
  struct Step {
    const char* key;
    const char* spoken;  // null: the panel is hidden
    int times_shown;
  };
  const Step steps[] = {
      {"Q", nullptr, 0},
      {"Q1AB", "QQ1AB - QSO zaliczone!", 1},
      {"C", "QQ1ABC - QSO zaliczone!", 2},
      {"D", nullptr, 2},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.key);
    Type(form1().Edit4, step.key);
    EXPECT_EQ(step.spoken != nullptr, form1().Panel3->isVisible());
    if (step.spoken) {
      EXPECT_EQ(step.spoken, SpokenName(form1().Panel3));
    }
    EXPECT_EQ(step.times_shown, panel_shown.count);
    EXPECT_EQ(form1().Edit4, QApplication::focusWidget());
  }
  // Back to a repeated callsign it is shown again; checking the same callsign again leaves it.
  Key(form1().Edit4, Qt::Key_Backspace);
  EXPECT_EQ(3, panel_shown.count);
  form1().Edit4Change();
  EXPECT_EQ(3, panel_shown.count);
}

}  // namespace
}  // namespace zt::testing
