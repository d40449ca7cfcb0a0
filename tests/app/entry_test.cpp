#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <cerrno>
#include <cstring>

#include "tests/support/program_fixture.h"

namespace zt::testing {
namespace {

constexpr char kConfirmA[] =
    "Logowana grupa kontrolna jest nieprawidłowa.\nPoprawne grupy kontrolne to: \n'O', 'B', "
    "'DG' lub numer seryjny.\n\nCzy na pewno zalogować łączność?";
constexpr char kConfirmC[] =
    "Logowana grupa kontrolna jest nieprawidłowa.\nPoprawna grupa kontrolna to: \nnumer "
    "seryjny+lokator, np. 12KO00HU\n\nCzy na pewno zalogować łączność?";

// The fake clock shows 2026-12-06 12:05 UTC.
class EntryTest : public ProgramTest {
 protected:
  void StartShortWave(int category = 4) {
    WriteSettings(category);
    Start();
  }
  QWidget* Focused() const { return QApplication::focusWidget(); }
};

TEST_F(EntryTest, CwQso_TypedWithSpaceAndEnter_IsStoredAndTheFieldsAreReady) {
  StartShortWave();
  Type(form1().Edit4, "qq1abc");
  EXPECT_EQ("QQ1ABC", form1().Edit4->text());
  Key(form1().Edit4, Qt::Key_Space);
  EXPECT_EQ(form1().Edit6, Focused());
  Type(form1().Edit6, "5");
  form1().StopClock();
  Key(form1().Edit6, Qt::Key_Return);

  const std::string line = "2026-12-06 1205 80M CW 599      1 QQ1ABC          599           5  2";
  EXPECT_EQ((std::vector<std::string>{line}), ListLines());
  EXPECT_EQ(line + "\r\n", LogContent());
  EXPECT_EQ("\r\n", ReadFile(dir_ / "zawody_teltolmowe.zl~"));
  EXPECT_EQ(0, form1().SelectedRow());
  EXPECT_EQ("2", form1().Edit8->text());
  EXPECT_EQ("2", form1().Label31->text());
  EXPECT_EQ("2", form2().Edit7->text());
  EXPECT_TRUE(form1().Edit4->text().isEmpty());
  EXPECT_TRUE(form1().Edit6->text().isEmpty());
  EXPECT_EQ(form1().Edit4, Focused());
  EXPECT_TRUE(form1().ClockRunning());
  EXPECT_FALSE(form1().Panel4->isVisible());
}

TEST_F(EntryTest, EscAndSpace_MoveBetweenTheFieldsWithoutTypingBlanks) {
  StartShortWave();
  Type(form1().Edit4, "QQ1");
  Key(form1().Edit4, Qt::Key_Escape);
  EXPECT_TRUE(form1().Edit4->text().isEmpty());
  EXPECT_EQ(form1().Edit4, Focused());
  Type(form1().Edit4, "QQ1ABC");
  Key(form1().Edit4, Qt::Key_Return);
  EXPECT_EQ(form1().Edit6, Focused());
  Type(form1().Edit6, "12 ");
  EXPECT_EQ("12", form1().Edit6->text());
  EXPECT_EQ(form1().Edit4, Focused());
  form1().Edit6->setFocus();
  Key(form1().Edit6, Qt::Key_Escape);
  EXPECT_TRUE(form1().Edit4->text().isEmpty());
  EXPECT_TRUE(form1().Edit6->text().isEmpty());
  EXPECT_EQ(form1().Edit4, Focused());
}

TEST_F(EntryTest, RepeatedCallsign_ShowsThePanelOnlyOnAnExactMatchInTheSameMode) {
  StartShortWave();
  AddQso("QQ1ABC", "5");
  const int beeps = prompts_.beeps;
  Type(form1().Edit4, "QQ1AB");
  EXPECT_FALSE(form1().Panel3->isVisible());
  Type(form1().Edit4, "C");
  EXPECT_TRUE(form1().Panel3->isVisible());
  EXPECT_EQ("QQ1ABC - QSO zaliczone!", form1().Panel3->text());
  EXPECT_EQ(beeps + 1, prompts_.beeps);
  Type(form1().Edit4, "D");
  EXPECT_FALSE(form1().Panel3->isVisible());
  Key(form1().Edit4, Qt::Key_Backspace);
  EXPECT_TRUE(form1().Panel3->isVisible());
  Key(form1().Edit4, Qt::Key_M, Qt::AltModifier);
  EXPECT_EQ("SSB", form1().ComboBox2->currentText());
  EXPECT_FALSE(form1().Panel3->isVisible());
  EXPECT_EQ("59", form1().Edit5->text());
  EXPECT_EQ(2, form1().Edit7->maxLength());
  Key(form1().Edit4, Qt::Key_M, Qt::AltModifier | Qt::ControlModifier);
  EXPECT_EQ("CW", form1().ComboBox2->currentText());
  EXPECT_EQ("599", form1().Edit7->text());
  EXPECT_EQ("QQ1ABC", form1().Edit4->text());
  EXPECT_TRUE(form1().Panel3->isVisible());
  Key(form1().Edit6, Qt::Key_M, Qt::AltModifier | Qt::ControlModifier);
  EXPECT_EQ("CW", form1().ComboBox2->currentText()) << "AltGr counts in the callsign field only";
}

TEST_F(EntryTest, RepeatedQso_IsLoggedAsDupeWithoutAQuestion) {
  StartShortWave();
  AddQso("QQ1ABC", "5");
  AddQso("QQ1ABC", "7");
  ASSERT_EQ(2u, ListLines().size());
  EXPECT_EQ("DUPE", ListLines()[1].substr(67));
  EXPECT_EQ(1, form1().SelectedRow());
  EXPECT_EQ("2", form1().Label31->text());
  EXPECT_EQ("3", form1().Edit8->text());
  const std::string log = LogContent();
  EXPECT_EQ(2, std::count(log.begin(), log.end(), '\n'));
  Key(form1().Edit4, Qt::Key_M, Qt::AltModifier);
  AddQso("QQ1ABC", "8");
  EXPECT_EQ("1", ListLines()[2].substr(67)) << "the other mode is no repeat";
}

TEST_F(EntryTest, Confirmations_AskWithTheirTextsAndNoKeepsEverything) {
  struct Case {
    const char* name;
    int category;
    const char* group;
    QString question;
    const char* result_on_yes;
  };
  const Case cases[] = {
      {"short-wave XYZ", 4, "XYZ", QString::fromUtf8(kConfirmA), "RPRT"},
      {"VHF bad locator", 7, "12KO00ZZ",
       "KO00ZZ\njest błędnym lokatorem!\nCzy na pewno zalogować ?", "RPRT"},
      {"VHF locator without serial", 7, "KO00HU", QString::fromUtf8(kConfirmC), "RPRT"},
      {"empty group", 4, "", "Brak odebranej grupy kontrolnej !\nCzy na pewno zalogować ?", "RPRT"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramTest::TearDown();
    program_.reset();
    std::filesystem::remove(dir_ / "zawody_teltolmowe.zlg");
    WriteSettings(c.category);
    Start();
    prompts_.ExpectMessage(WarningQuestion(c.question), Answer::kNo);
    AddQso("QQ1ABC", c.group);
    EXPECT_TRUE(ListLines().empty());
    EXPECT_EQ("", LogContent());
    EXPECT_EQ("QQ1ABC", form1().Edit4->text());
    EXPECT_EQ(c.group, form1().Edit6->text());
    EXPECT_EQ("1", form1().Edit8->text());
    prompts_.ExpectMessage(WarningQuestion(c.question), Answer::kYes);
    Key(form1().Edit6, Qt::Key_Return);
    ASSERT_EQ(1u, ListLines().size());
    EXPECT_EQ(c.result_on_yes, ListLines()[0].substr(67));
    EXPECT_EQ("0", form1().Label31->text());
    EXPECT_TRUE(prompts_.Done());
  }
}

TEST_F(EntryTest, MissingCallsignOrCategory_IsRefused) {
  StartShortWave();
  prompts_.ExpectMessage(ErrorMessage("Brak znaku stacji!"));
  Type(form1().Edit6, "5");
  Key(form1().Edit6, Qt::Key_Return);
  EXPECT_TRUE(ListLines().empty());
  form1().SetContestCategory("");
  prompts_.ExpectMessage(
      ErrorMessage("Proszę najpierw wybrać kategorię zawodów\nw oknie \"Zmiana danych\"!"));
  AddQso("QQ1ABC", "5");
  EXPECT_TRUE(ListLines().empty());
  EXPECT_TRUE(form2().isVisible());
}

TEST_F(EntryTest, VhfQsos_ScoreTheDistanceAndTheBonusStation) {
  WriteSettings(7);
  Start();
  AddQso("QQ1ABC", "12 ko01hu");
  AddQso("QQ9BBB", "5KO01HU");
  ASSERT_EQ(2u, ListLines().size());
  EXPECT_EQ("2026-12-06 1205  2M FM 59       1 QQ1ABC          59     12KO01HU  111",
            ListLines()[0]);
  EXPECT_EQ("111+50", ListLines()[1].substr(67));
  EXPECT_EQ("272", form1().Label31->text());
}

TEST_F(EntryTest, AutoIncrement_AdvancesWholeNumbersAndLeavesOtherGroups) {
  struct Case {
    const char* sent;
    bool auto_increment;
    const char* after;
  };
  const Case cases[] = {{"12", true, "13"},
                        {"007", true, "8"},
                        {"12", false, "12"},
                        {"", true, ""},
                        {" 5 ", true, "6"}};
  StartShortWave();
  int n = 0;
  for (const Case& c : cases) {
    form1().Edit8->setText(c.sent);
    form1().CheckBox1->setChecked(c.auto_increment);
    AddQso(QString("QQ%1ABC").arg(n++), "5");
    EXPECT_EQ(c.after, form1().Edit8->text()) << c.sent;
    EXPECT_TRUE(form1().Edit4->text().isEmpty()) << c.sent;
  }
}

TEST_F(EntryTest, AutoIncrementBox_IsGuardedByTheSentGroup) {
  StartShortWave();
  Type(form1().Edit8, "O");
  EXPECT_FALSE(form1().CheckBox1->isChecked());
  EXPECT_TRUE(prompts_.shown.empty());
  prompts_.ExpectMessage(ErrorMessage(
      "Aby uaktywnić funkcję ZWIĘKSZ AUTOMATYCZNIE, w polu NADAWANA GRUPA KONTROLNA\nmogą "
      "znajdować się wyłącznie cyfry!\nJeśli grupą kontrolną jest kolejny numer QSO, wprowadź w "
      "to pole numer nadany przy aktualnej łączności (lub 001)\ni włącz funkcję ponownie.\n"));
  QTest::mouseClick(form1().CheckBox1, Qt::LeftButton);
  EXPECT_FALSE(form1().CheckBox1->isChecked());
  form1().Edit8->setText("001");
  QTest::mouseClick(form1().CheckBox1, Qt::LeftButton);
  EXPECT_TRUE(form1().CheckBox1->isChecked());
}

TEST_F(EntryTest, ReportFields_RefuseLatinLettersWithABeep) {
  StartShortWave();
  form1().Edit7->clear();
  Type(form1().Edit7, "5n9");
  EXPECT_EQ("59", form1().Edit7->text());
  EXPECT_EQ(1, prompts_.beeps);
  form1().Edit5->clear();
  Type(form1().Edit5, "5");
  QTest::sendKeyEvent(QTest::Click, form1().Edit5, Qt::Key_unknown, QString::fromUtf8("ą"),
                      Qt::NoModifier);
  EXPECT_EQ(QString::fromUtf8("5Ą"), form1().Edit5->text());
}

// A key as X11 or Windows delivers it: the key, the text it types and the modifiers held.
void Press(QWidget* field, Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers) {
  QTest::sendKeyEvent(QTest::Click, field, key, text, modifiers);
}

TEST_F(EntryTest, AltKeysThatAreNoShortcut_TypeNothing_WhileAltGrAndEditingKeysWork) {
  StartShortWave();
  const int band = form1().ComboBox1->currentIndex();
  struct Case {
    QLineEdit* field;
    Qt::Key key;
    const char* text;
    Qt::KeyboardModifiers modifiers;
  };
  const Case cases[] = {
      {form1().Edit4, Qt::Key_B, "B", Qt::ShiftModifier | Qt::AltModifier},
      {form1().Edit4, Qt::Key_C, "c", Qt::AltModifier},
      {form1().Edit4, Qt::Key_Space, " ", Qt::AltModifier},
      {form1().Edit6, Qt::Key_C, "c", Qt::AltModifier},
      {form1().Edit6, Qt::Key_Space, " ", Qt::AltModifier},
      {form1().Edit5, Qt::Key_N, "n", Qt::AltModifier},
      {form1().Edit7, Qt::Key_N, "N", Qt::ShiftModifier | Qt::AltModifier},
      {form1().Edit8, Qt::Key_X, "x", Qt::AltModifier},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field->objectName().toStdString() + " " + c.text);
    c.field->setFocus();
    const QString before = c.field->text();
    Press(c.field, c.key, QString::fromUtf8(c.text), c.modifiers);
    EXPECT_EQ(before, c.field->text());
    EXPECT_EQ(c.field, Focused());
  }
  EXPECT_EQ(band, form1().ComboBox1->currentIndex());

  // AltGr types Polish letters: X11 sends them without Alt, Windows with Ctrl and Alt.
  form1().Edit4->clear();
  form1().Edit4->setFocus();
  Press(form1().Edit4, Qt::Key_A, QString::fromUtf8("ą"), Qt::GroupSwitchModifier);
  Press(form1().Edit4, Qt::Key_L, QString::fromUtf8("ł"), Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(QString::fromUtf8("ĄŁ"), form1().Edit4->text());
  // The editing keys: select all, copy, Backspace, paste, undo, Delete.
  Type(form1().Edit4, "QQ1");
  Key(form1().Edit4, Qt::Key_A, Qt::ControlModifier);
  Key(form1().Edit4, Qt::Key_C, Qt::ControlModifier);
  Key(form1().Edit4, Qt::Key_Backspace);
  EXPECT_EQ("", form1().Edit4->text());
  Key(form1().Edit4, Qt::Key_V, Qt::ControlModifier);
  Key(form1().Edit4, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(QString::fromUtf8("ĄŁQQ1ĄŁQQ1"), form1().Edit4->text());
  Key(form1().Edit4, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(QString::fromUtf8("ĄŁQQ1"), form1().Edit4->text());
  Key(form1().Edit4, Qt::Key_Home);
  Key(form1().Edit4, Qt::Key_Delete);
  EXPECT_EQ(QString::fromUtf8("ŁQQ1"), form1().Edit4->text());
}

TEST_F(EntryTest, PastedOrDroppedLetters_AreRefusedByTheReportFieldsAsTypedOnesAre) {
  StartShortWave();
  for (QLineEdit* report : {form1().Edit5, form1().Edit7}) {
    SCOPED_TRACE(report->objectName().toStdString());
    report->clear();
    report->setFocus();
    QGuiApplication::clipboard()->setText("5n9");
    Key(report, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ("59", report->text());
    report->clear();
    QMimeData dropped;
    dropped.setText("S9+");
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(report, &enter);
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(report, &drop);
    EXPECT_EQ("9+", report->text());
  }
}

TEST_F(EntryTest, BlanksOnlyCallsignOrGroup_CountAsEmpty) {
  StartShortWave();
  form1().Edit4->insert("   ");
  prompts_.ExpectMessage(ErrorMessage("Brak znaku stacji!"));
  form1().Button4->click();
  form1().Edit4->setText("QQ1ABC");
  form1().Edit6->insert("  ");
  prompts_.ExpectMessage(WarningQuestion(
      QString::fromUtf8("Brak odebranej grupy kontrolnej !\nCzy na pewno zalogować ?")));
  form1().Button4->click();
  EXPECT_TRUE(ListLines().empty());
}

TEST_F(EntryTest, WrongTimeOrDate_LeftWithoutItsCheck_IsRefusedWhenAdding) {
  StartShortWave();
  struct Case {
    QLineEdit* field;
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {form1().Edit3, "25:99", "Niewłaściwe dane w polu czasu!"},
      {form1().Edit3, "7:05", "Błędny format czasu!"},
      {form1().Edit2, "2026-13-01", "Niewłaściwe dane w polu daty!"},
      {form1().Edit2, "2026-1-4", "Błędny format daty!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const QString good = c.field->text();
    // The station dialog's OK activates the main window and puts the focus into the callsign
    // field: the field the operator was typing in is left without its check.
    Type(c.field, "");
    c.field->setText(QString::fromUtf8(c.text));
    form2().ShowDialog();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &form2(); }));
    form2().Button3->click();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &form1(); }));
    ASSERT_EQ(form1().Edit4, Focused());
    prompts_.ExpectMessage(ErrorMessage(QString::fromUtf8(c.message)));
    AddQso("QQ1ABC", "5");
    EXPECT_TRUE(prompts_.Done());
    EXPECT_EQ("", LogContent());
    EXPECT_EQ(c.field, Focused());
    c.field->setText(good);
    form1().Edit4->clear();
    form1().Edit6->clear();
  }
}

TEST_F(EntryTest, BandShortcut_StepsPastTheLastItemToNoneAndBack) {
  StartShortWave();
  EXPECT_EQ(0, form1().ComboBox1->currentIndex());
  Key(form1().Edit4, Qt::Key_B, Qt::AltModifier);
  EXPECT_EQ(-1, form1().ComboBox1->currentIndex());
  Key(form1().Edit6, Qt::Key_B, Qt::AltModifier);
  EXPECT_EQ(0, form1().ComboBox1->currentIndex());
  Key(form1().Edit4, Qt::Key_B, Qt::AltModifier | Qt::ShiftModifier);
  EXPECT_EQ(0, form1().ComboBox1->currentIndex());
}

TEST_F(EntryTest, VhfModeShortcut_LeavesNoSelectionThenFmAgainAndTheLineKeepsFm) {
  WriteSettings(6);
  Start();
  Key(form1().Edit4, Qt::Key_M, Qt::AltModifier);
  EXPECT_EQ(-1, form1().ComboBox2->currentIndex());
  AddQso("QQ1ABC", "1KO01HU");
  EXPECT_EQ("FM", ListLines().at(0).substr(20, 2));
  Key(form1().Edit4, Qt::Key_M, Qt::AltModifier);
  EXPECT_EQ("FM", form1().ComboBox2->currentText());
}

TEST_F(EntryTest, LeavingTheGroupField_RemovesBlanks) {
  StartShortWave();
  form1().Edit6->setText("12 ko 00hu");
  form1().Edit6Exit();
  EXPECT_EQ("12KO00HU", form1().Edit6->text());
}

TEST_F(EntryTest, FailingAppend_ShowsTheErrorAndNothingAsLogged) {
  StartShortWave();
  AddQso("QQ1ABC", "5");
  // The new log is written beside the old one, then renamed over it.
  const std::filesystem::path new_log = dir_ / "temporary.zlg";
  file_steps_.answer = [&new_log](IoStep step, const std::filesystem::path& path) {
    return step == IoStep::kWrite && path == new_log ? ENOSPC : 0;
  };
  prompts_.ExpectMessage(ErrorMessage(IoErrorText(IoError{new_log, std::strerror(ENOSPC)})));
  AddQso("QQ1DEF", "O");
  file_steps_.answer = nullptr;
  EXPECT_EQ(1u, ListLines().size());
  EXPECT_EQ("2", form1().Label31->text());
  EXPECT_EQ("QQ1DEF", form1().Edit4->text());
  EXPECT_EQ("O", form1().Edit6->text());
  EXPECT_EQ("2", form1().Edit8->text());
}

}  // namespace
}  // namespace zt::testing
