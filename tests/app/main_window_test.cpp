#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <functional>
#include <string>
#include <vector>

#include "export/ui/adif_dialog.h"
#include "settings/ui/station_dialog.h"
#include "tests/support/program_fixture.h"

namespace zt::testing {
namespace {

class MainWindowTest : public ProgramTest {
 protected:
  void StartShortWave() {
    WriteSettings(4);
    Start();
  }
  QWidget* Focused() const { return QApplication::focusWidget(); }

  // The next callsign the operator types lands where the keyboard focus is.
  void ExpectTheNextCallsignInTheCallsignField(const std::string& after) {
    SCOPED_TRACE(after);
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &form1(); }));
    ASSERT_NE(nullptr, Focused());
    QTest::keyClicks(Focused(), "qq9xyz");
    EXPECT_EQ("QQ9XYZ", form1().Edit4->text());
    form1().Edit4->clear();
  }
};

// Dark pixels, as the black text of a column heading draws them.
int DarkPixels(const QImage& image) {
  int dark = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor colour = image.pixelColor(x, y);
      if (colour.red() < 64 && colour.green() < 64 && colour.blue() < 64) ++dark;
    }
  }
  return dark;
}

TEST_F(MainWindowTest, RedAndBluePanels_StandOverTheColumnHeadings_ForTheEyeAndTheMouse) {
  StartShortWave();
  AddQso("QQ1ABC", "5");
  Type(form1().Edit4, "QQ1ABC");
  form1().StopClock();
  ASSERT_TRUE(form1().Panel3->isVisible());
  ASSERT_TRUE(form1().Panel4->isVisible());
  for (QLabel* panel : std::initializer_list<QLabel*>{form1().Panel3, form1().Panel4}) {
    SCOPED_TRACE(panel->objectName().toStdString());
    const QRect area = panel->geometry();
    for (const QPoint point :
         {area.center(), area.topLeft(), area.topRight(), area.bottomLeft(), area.bottomRight()}) {
      EXPECT_EQ(panel, form1().childAt(point)) << point.x() << "," << point.y();
    }
    EXPECT_EQ(0, DarkPixels(form1().grab(area).toImage()));
  }
  // A click at the blue panel's centre, routed by the window as the mouse's is, starts the clock.
  QTest::mouseClick(form1().windowHandle(), Qt::LeftButton, Qt::NoModifier,
                    form1().Panel4->geometry().center());
  EXPECT_TRUE(form1().ClockRunning());
  EXPECT_FALSE(form1().Panel4->isVisible());
}

TEST_F(MainWindowTest, BonusWord_EveryLetterShowsWholeInBoldInsideItsPanel) {
  StartShortWave();
  QRect previous;
  for (QLabel* letter : form1().LetterLabels) {
    SCOPED_TRACE(letter->text().toStdString());
    EXPECT_TRUE(letter->font().bold());
    const QFontMetrics metrics(letter->font());
    // The label draws its text from its top left corner, the baseline one ascent down.
    const QRect ink = metrics.boundingRect(letter->text()).translated(0, metrics.ascent());
    EXPECT_TRUE(letter->rect().contains(ink))
        << "ink " << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height()
        << " in a label of " << letter->width() << "x" << letter->height();
    EXPECT_TRUE(form1().Panel5->rect().contains(letter->geometry()));
    EXPECT_FALSE(previous.intersects(letter->geometry()));
    previous = letter->geometry();
  }
}

TEST_F(MainWindowTest, AfterACommand_TheNextCallsignLandsInTheCallsignField) {
  StartShortWave();
  AddQso("QQ1ABC", "5");
  const Message any;  // the texts are the commands' own tests'
  struct Case {
    const char* name;
    QPushButton* button;
    std::function<void()> expect;  // the command's questions and answers
    std::function<void()> leave;   // how the operator gets back to the main window
  };
  const auto none = [] {};
  const Case cases[] = {
      {"Przelicz", form1().Button9, none, none},
      {"Cabrillo, answered Nie", form1().Button2, [&] { prompts_.ExpectMessage(any, Answer::kNo); },
       none},
      {"Cabrillo, answered Tak", form1().Button2,
       [&] {
         prompts_.ExpectMessage(any, Answer::kYes);
         prompts_.ExpectMessage(any);
       },
       none},
      {"Info", form1().Button3, [&] { prompts_.ExpectMessage(any); }, none},
      {"ADIF, left with Powrót", form1().Button7, none,
       [&] { QTest::keyClick(form3().Button2, Qt::Key_Space); }},
      {"ADIF, left with its close box", form1().Button7, none, [&] { form3().close(); }},
      {"station data, left with Powrót", form1().Button1, none,
       [&] { QTest::keyClick(form2().Button1, Qt::Key_Space); }},
  };
  for (const Case& c : cases) {
    c.expect();
    c.button->setFocus();
    QTest::keyClick(c.button, Qt::Key_Space);
    c.leave();
    EXPECT_TRUE(prompts_.Done()) << c.name;
    ExpectTheNextCallsignInTheCallsignField(c.name);
  }
}

TEST_F(MainWindowTest, EnterOnAFocusedButton_PressesIt) {
  StartShortWave();
  struct Case {
    QPushButton* button;
    Message first_prompt;
  };
  const Case cases[] = {
      {form1().Button4, ErrorMessage("Brak znaku stacji!")},
      {form1().Button3,
       Message{"O programie...", {}, Icon::kInformation, Buttons::kOk, Answer::kOk}},
      {form1().Button2, Message{"Informacja", {}, Icon::kQuestion, Buttons::kYesNo, Answer::kYes}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button->text().toStdString());
    prompts_.ExpectMessage(Message{}, Answer::kNo);
    const std::size_t before = prompts_.shown.size();
    c.button->setFocus();
    QTest::keyClick(c.button, Qt::Key_Return);
    ASSERT_EQ(before + 1, prompts_.shown.size());
    EXPECT_EQ(c.first_prompt.caption, prompts_.shown.back().caption);
    EXPECT_EQ(c.first_prompt.icon, prompts_.shown.back().icon);
    EXPECT_EQ(c.first_prompt.buttons, prompts_.shown.back().buttons);
  }
}

}  // namespace
}  // namespace zt::testing
