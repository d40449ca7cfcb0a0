#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <string>
#include <vector>

#include "tests/support/program_fixture.h"

namespace zt::testing {
namespace {

class MainWindowTest : public ProgramTest {
 protected:
  void StartShortWave() {
    WriteSettings(4);
    Start();
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
  for (QLabel* panel : {form1().Panel3, form1().Panel4}) {
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
