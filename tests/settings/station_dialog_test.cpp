#include "settings/ui/station_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "tests/rules/qso_lines.h"
#include "tests/support/program_fixture.h"

namespace zt::testing {
namespace {

const std::string kCwQso = "2024-12-01 0705 80M CW 599      1 QQ1ABC          599           5  2";
const std::string kSsbQso = "2024-12-01 0706 80M PH 59      2 QQ1DEF          59            O  10";

const QString kStayInShortWave = QStringLiteral(
    "Ponieważ dotychczasowe łączności logowane \nbyły jako jedna z kategorii KF, możesz zmienić "
    "\nkategorię tylko w zakresie KF.\nJeśli chcesz logować łączności w turze UKF, \nzamknij "
    "okno nagłówka pliku Cabrillo i wybierz\nopcję \"Nowy log\" w głównym oknie programu.");
const QString kStayInVhf = QStringLiteral(
    "Ponieważ dotychczasowe łączności logowane \nbyły jako jedna z kategorii UKF, możesz zmienić "
    "\nkategorię tylko w zakresie UKF.\nJeśli chcesz logować łączności w turze KF, \nzamknij "
    "okno nagłówka pliku Cabrillo i wybierz\nopcję \"Nowy log\" w głównym oknie programu.");
const QString kMissing = QStringLiteral("\nWszystkie niebieskie pola muszą być wypełnione!");

class StationDialogTest : public ProgramTest {
 protected:
  // "Zmiana danych ": the dialog with every field editable, active so that focus changes count.
  void OpenDialog() {
    form1().Button1->click();
    // The widgets learn of the activation a few events after the window does.
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &form2(); }));
  }

  // A pick from the category list, as the operator makes it.
  void Choose(int index) {
    form2().ComboBox1->setCurrentIndex(index);
    emit form2().ComboBox1->activated(index);
  }

  // Moves the focus as a click or Tab does, so exit handlers run.
  void Focus(QWidget* widget) {
    widget->setFocus();
    QApplication::processEvents();
  }

  QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
  }
};

TEST_F(StationDialogTest, Ok_ChecksTheRequiredFieldsInOrder) {
  struct Row {
    const char* name;
    QString callsign, person, address;
    int category;
    QString locator;
    QString message;  // empty: accepted
  };
  const Row rows[] = {
      {"AllEmpty", "", "", "", -1, "", "Proszę wprowadzić znak używany podczas zawodów!"},
      {"NoName", "QQ2XYZ", "", "", -1, "", "Proszę wprowadzić imię i nazwisko!"},
      {"BlankNameCounts", "QQ2XYZ", " ", "", -1, "", "Proszę wprowadzić adres!"},
      {"NoCategory", "QQ2XYZ", "Jan", "Polna 1", -1, "", "Proszę wybrac kategorie zawodow!"},
      {"VhfWithoutLocator", "QQ2XYZ", "Jan", "Polna 1", 7, "", "Proszę wprowadzić Lokator!"},
      {"ShortWaveWithoutLocator", "QQ2XYZ", "Jan", "Polna 1", 3, "", ""},
  };
  Start();
  ASSERT_TRUE(form2().isVisible());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    form2().Edit1->setText(row.callsign);
    form2().Edit2->setText(row.person);
    form2().Edit4->setText(row.address);
    form2().ComboBox1->setCurrentIndex(row.category);
    form2().Edit10->setText(row.locator);
    if (!row.message.isEmpty()) prompts_.ExpectMessage(ErrorMessage(row.message + kMissing));
    form2().Button3->click();
    EXPECT_TRUE(prompts_.Done());
    EXPECT_EQ(row.message.isEmpty(), !form2().isVisible());
    EXPECT_EQ(row.message.isEmpty(), std::filesystem::exists(dir_ / "zawody_teltolmowe.ini"));
  }
  EXPECT_EQ("KF - grupa C - stacje indywidualne SSB", form1().contest_category());
}

TEST_F(StationDialogTest, Ok_WritesTwelveLines_AndTheNextStartRestoresThem) {
  Start();
  const std::array<QString, 10> texts = {
      "QQ2XYZ", "Józef Żółć", "jozef@example.org", "ul. Łąkowa 5",      "00-950 Kraków",
      "",       "123",        "QQ2XYZ QQ3ABC",     "ZAWODY TELTÓLMOWE", "KO02MD"};
  for (std::size_t i = 0; i < texts.size(); ++i) form2().Edits()[i]->setText(texts[i]);
  form2().Memo1->setPlainText("Pierwsza uwaga\n\nTrzecia uwaga");
  form2().ComboBox1->setCurrentIndex(7);
  form2().Button3->click();

  EXPECT_EQ(
      "QQ2XYZ\r\nJ\xF3zef \xAF\xF3\xB3\xE6\r\njozef@example.org\r\nul. \xA3\xB9kowa 5\r\n"
      "00-950 Krak\xF3w\r\n\r\n123\r\nQQ2XYZ QQ3ABC\r\nZAWODY TELT\xD3LMOWE\r\nKO02MD\r\n"
      "Pierwsza uwaga||Trzecia uwaga\r\n7\r\n",
      ReadFile(dir_ / "zawody_teltolmowe.ini"));
  const QString caption =
      QStringLiteral("Zawody Teltólmowe          UKF - stacje indyw. i klubowe FM");
  EXPECT_EQ(caption, form1().windowTitle());
  EXPECT_FALSE(form2().isVisible());
  ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &form1(); }));
  EXPECT_EQ(form1().Edit4, QApplication::focusWidget());

  program_.reset();
  Start();
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i != 6) {
      EXPECT_EQ(texts[i], form2().Edits()[i]->text()) << "Edit" << i + 1;
    }
  }
  // The claimed score follows the recalculation of the (empty) log.
  EXPECT_EQ("0", form2().Edit7->text());
  EXPECT_EQ("Pierwsza uwaga\n\nTrzecia uwaga", form2().Memo1->toPlainText());
  EXPECT_EQ(7, form2().CategoryIndex());
  EXPECT_EQ("UKF - stacje indyw. i klubowe FM", form1().contest_category());
  EXPECT_EQ(caption, form1().windowTitle());
  EXPECT_EQ(QStringList{"2M"}, Items(form1().ComboBox1));
  EXPECT_FALSE(form1().Edit9->isHidden());
  EXPECT_EQ("KO02MD", form1().Edit9->text());
  EXPECT_EQ("QQ2XYZ", form1().Edit1->text());
  EXPECT_FALSE(form2().isVisible());
}

TEST_F(StationDialogTest, RoundChange_WithQsosLogged_IsRefusedAndTheSelectionPutBack) {
  struct Row {
    const char* name;
    int settings_category;
    std::string qso;
    int first_choice;  // an accepted change within the round first, -1 for none
    int refused_choice;
    bool via_exit;  // leaving the list instead of picking from it
    QString message;
    std::string category_after;
  };
  const Row rows[] = {
      {"ShortWaveToVhf", 4, kCwQso, -1, 6, false, kStayInShortWave,
       "KF - grupa D - stacje indyw. SSB i CW"},
      {"VhfToShortWave", 7, QsoLine("FM", "QQ1ABC", "001KO02MD"), -1, 0, false, kStayInVhf,
       "UKF - stacje indyw. i klubowe FM"},
      {"CategoryInCapitals", 4, kCwQso, 1, 7, false, kStayInShortWave,
       "KF - GRUPA A - STACJE KLUBOWE CW I SSB"},
      {"LeavingTheList", 7, QsoLine("FM", "QQ1ABC", "001KO02MD"), -1, 5, true, kStayInVhf,
       "UKF - stacje indyw. i klubowe FM"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    program_.reset();
    std::filesystem::remove_all(dir_.path());
    std::filesystem::create_directories(dir_.path());
    WriteSettings(row.settings_category);
    WriteLog({row.qso});
    Start();
    OpenDialog();
    const QStringList bands = Items(form1().ComboBox1);
    const int kept = row.first_choice >= 0 ? row.first_choice : row.settings_category;
    if (row.first_choice >= 0) Choose(row.first_choice);

    prompts_.ExpectMessage(ErrorMessage(row.message));
    if (row.via_exit) {
      form2().ComboBox1->setCurrentIndex(row.refused_choice);
      form2().ComboBox1Exit();
    } else {
      Choose(row.refused_choice);
    }
    EXPECT_TRUE(prompts_.Done());
    EXPECT_EQ(kept, form2().CategoryIndex());
    EXPECT_EQ(row.category_after, form1().contest_category());
    EXPECT_EQ(bands, Items(form1().ComboBox1));
  }
}

TEST_F(StationDialogTest, RoundChange_WithAnEmptyLog_SwitchesTheMainWindowToVhf) {
  WriteSettings(4);
  Start();
  OpenDialog();
  Focus(form2().ComboBox1);
  Choose(6);
  QApplication::processEvents();
  EXPECT_EQ("UKF - LOG DO KONTROLI", form1().contest_category());
  EXPECT_EQ(QStringList{"2M"}, Items(form1().ComboBox1));
  EXPECT_EQ(QStringList{"FM"}, Items(form1().ComboBox2));
  EXPECT_EQ("59", form1().Edit5->text());
  EXPECT_EQ("59", form1().Edit7->text());
  EXPECT_FALSE(form1().Edit9->isHidden());
  EXPECT_EQ("KO00HU", form1().Edit9->text());
  EXPECT_FALSE(form1().Zmiepasmo1->isEnabled());
  EXPECT_FALSE(form1().Zmieemisj1->isEnabled());
  EXPECT_EQ(form2().Edit10, QApplication::focusWidget());
  // Typing replaces the locator at once.
  EXPECT_EQ("KO00HU", form2().Edit10->selectedText());
  // The caption and the file wait for "OK".
  EXPECT_EQ(QStringLiteral("Zawody Teltólmowe          KF - grupa D - stacje indyw. SSB i CW"),
            form1().windowTitle());
  EXPECT_EQ(SettingsFileFor(4), ReadFile(dir_ / "zawody_teltolmowe.ini"));
}

TEST_F(StationDialogTest, LeavingTheCategoryList_TakesItInCapitalsAndSetsTheRoundsControls) {
  struct Row {
    const char* name;
    int category;
    std::string category_after;
    QString reports_after;  // the main window's report fields, set to "5" beforehand
    bool change_mode_enabled;
  };
  const Row rows[] = {
      {"Vhf", 6, "UKF - LOG DO KONTROLI", "59", false},
      {"ShortWave", 3, "KF - GRUPA C - STACJE INDYWIDUALNE SSB", "5", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    program_.reset();
    WriteSettings(row.category);
    Start();
    OpenDialog();
    form1().Edit5->setText("5");
    form1().Edit7->setText("5");
    form1().Zmiepasmo1->setEnabled(true);
    form1().Zmieemisj1->setEnabled(!row.change_mode_enabled);
    Focus(form2().ComboBox1);
    Focus(form2().Edit2);
    EXPECT_EQ(row.category_after, form1().contest_category());
    EXPECT_EQ(row.reports_after, form1().Edit5->text());
    EXPECT_EQ(row.reports_after, form1().Edit7->text());
    EXPECT_FALSE(form1().Zmiepasmo1->isEnabled());
    EXPECT_EQ(row.change_mode_enabled, form1().Zmieemisj1->isEnabled());
  }
}

TEST_F(StationDialogTest, LeavingTheLocatorField_ChecksItsShape) {
  struct Row {
    const char* name;
    QString locator;
    bool invalid;
  };
  const Row rows[] = {
      {"FourCharacters", "KO00", true},
      {"Empty", "", true},
      {"InitialText", "LOKATOR", true},
      {"SixCharacters", "JO91CD", false},
  };
  WriteSettings(3);
  Start();
  OpenDialog();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    form2().Edit10->setText(row.locator);
    Focus(form2().Edit10);
    if (row.invalid) {
      prompts_.ExpectMessage(ErrorMessage(row.locator + "\njest błędnym lokatorem!"));
    }
    Focus(form2().Memo1);
    EXPECT_TRUE(prompts_.Done());
    EXPECT_EQ(row.invalid ? static_cast<QWidget*>(form2().Edit10) : form2().Memo1,
              QApplication::focusWidget());
    EXPECT_EQ(row.locator, form2().Edit10->text());
  }
}

TEST_F(StationDialogTest, ClaimedScore_TakesOnlyDigitsAndBackspace_AndTabLeavesIt) {
  WriteSettings(3);
  Start();
  OpenDialog();
  form2().Edit7->clear();
  Type(form2().Edit7, "1a2-B 3");
  EXPECT_EQ("123", form2().Edit7->text());
  Key(form2().Edit7, Qt::Key_Backspace);
  Key(form2().Edit7, Qt::Key_Home);
  Key(form2().Edit7, Qt::Key_Delete);
  EXPECT_EQ("2", form2().Edit7->text());
  Key(form2().Edit7, Qt::Key_Tab);
  EXPECT_EQ(form2().Edit4, QApplication::focusWidget());
  Key(form2().Edit4, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(form2().Edit7, QApplication::focusWidget());
  // A paste is held to the same rule as typing.
  QGuiApplication::clipboard()->setText("12a");
  Key(form2().Edit7, Qt::Key_End);
  Key(form2().Edit7, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ("212", form2().Edit7->text());
}

TEST_F(StationDialogTest, Remarks_AFinalEnterOrOneEmptyLineAddsNoRemark) {
  WriteSettings(3);
  Start();
  struct Case {
    const char* typed;  // "\n" is Enter
    const char* saved;
  };
  const Case cases[] = {
      {"Uwaga jeden\n", "Uwaga jeden"},
      {"\n", ""},
      {"Uwaga jeden\n\nUwaga dwa\n\n", "Uwaga jeden||Uwaga dwa"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    OpenDialog();
    form2().Memo1->clear();
    form2().Memo1->setFocus();
    for (const QChar typed : QString::fromUtf8(c.typed)) {
      if (typed == QLatin1Char('\n')) {
        QTest::keyClick(form2().Memo1, Qt::Key_Return);
      } else {
        QTest::keyClicks(form2().Memo1, QString(typed));
      }
    }
    form2().Button3->click();
    EXPECT_EQ(c.saved, SplitLines(ReadFile(dir_ / "zawody_teltolmowe.ini"))[10]);
  }
}

TEST_F(StationDialogTest, LeavingTheCallsign_CopiesItToTheMainWindowAtOnce) {
  WriteSettings(3);
  Start();
  OpenDialog();
  form2().Edit1->clear();
  Type(form2().Edit1, "qq5new");
  Focus(form2().Edit2);
  EXPECT_EQ("QQ5NEW", form1().Edit1->text());
}

TEST_F(StationDialogTest, Back_KeepsTheTypedValuesButLeavesTheFileAlone) {
  WriteSettings(3);
  Start();
  form1().hide();
  OpenDialog();
  form2().Edit2->setText("Anna Nowak");
  // Hiding the dialog is not leaving the half-typed locator: no message.
  form2().Edit10->setText("KO0");
  Focus(form2().Edit10);
  form2().Button1->click();
  QApplication::processEvents();
  EXPECT_TRUE(prompts_.shown.empty());
  EXPECT_FALSE(form2().isVisible());
  EXPECT_TRUE(form1().isVisible());
  EXPECT_EQ(SettingsFileFor(3), ReadFile(dir_ / "zawody_teltolmowe.ini"));
  OpenDialog();
  EXPECT_EQ("Anna Nowak", form2().Edit2->text());
  EXPECT_EQ("Anna Nowak", form2().Data().fields[1]);
}

TEST_F(StationDialogTest, Ok_AfterAChangeOfCategoryOrLocator_RescoresTheLog) {
  {
    SCOPED_TRACE("CwOnlyCategory");
    WriteSettings(4);
    WriteLog({kCwQso, kSsbQso});
    Start();
    ASSERT_EQ("12", form1().Label31->text());
    OpenDialog();
    Choose(2);
    form2().Button3->click();
    EXPECT_EQ((std::vector<std::string>{kCwQso, kSsbQso.substr(0, 67) + "CTRL"}), ListLines());
    EXPECT_EQ("2", form1().Label31->text());
    EXPECT_EQ("2", form2().Edit7->text());
  }
  {
    SCOPED_TRACE("OwnLocator");
    program_.reset();
    const std::string fm_qso = QsoLine("FM", "QQ1ABC", "001KO02MD");
    WriteSettings(7, "KO00HU");
    WriteLog({fm_qso});
    Start();
    ASSERT_NE("5", form1().Label31->text());
    OpenDialog();
    form2().Edit10->setText("KO02MD");
    form2().Button3->click();
    EXPECT_EQ((std::vector<std::string>{fm_qso + "5"}), ListLines());
    EXPECT_EQ("5", form1().Label31->text());
    EXPECT_EQ("KO02MD", form1().Edit9->text());
  }
}

TEST_F(StationDialogTest, Ok_WhenTheSettingsFileCannotBeWritten_ReportsItAndKeepsTheOldFile) {
  WriteSettings(3);
  // A directory where the new content would be written first.
  std::filesystem::create_directory(dir_ / "zawody_teltolmowe.in~");
  WriteFile(dir_ / "zawody_teltolmowe.in~" / "keep", "");
  Start();
  OpenDialog();
  form2().Edit2->setText("Anna Nowak");
  prompts_.ExpectMessage(
      ErrorMessage(QStringLiteral("Błąd operacji na pliku\n%1\n%2")
                       .arg(QString::fromStdU16String((dir_ / "zawody_teltolmowe.in~").u16string()),
                            QString::fromLocal8Bit(std::strerror(EISDIR)))));
  form2().Button3->click();
  EXPECT_TRUE(prompts_.Done());
  EXPECT_EQ(SettingsFileFor(3), ReadFile(dir_ / "zawody_teltolmowe.ini"));
  EXPECT_TRUE(form2().isVisible());
  EXPECT_EQ("Anna Nowak", form2().Edit2->text());
}

TEST_F(StationDialogTest, DamagedCategoryLine_ShowsOneMessageAndAVhfLogStaysInVhf) {
  const std::string settings = SettingsFileFor(7);
  WriteFile(dir_ / "zawody_teltolmowe.ini", settings.substr(0, settings.size() - 3) + "x9\r\n");
  WriteLog({QsoLine("FM", "QQ1ABC", "001KO02MD")});
  prompts_.ExpectMessage(ErrorMessage(
      QStringLiteral("Plik ustawień %1 jest uszkodzony:\nwiersz 12 (kategoria) zawiera \"x9\" "
                     "zamiast numeru kategorii od 0 do 7.\nWybierz kategorię w oknie "
                     "\"Zmiana danych\".")
          .arg(QString::fromStdU16String((dir_ / "zawody_teltolmowe.ini").u16string()))));
  Start();
  EXPECT_TRUE(prompts_.Done());
  EXPECT_EQ(-1, form2().CategoryIndex());
  EXPECT_EQ("", form1().contest_category());
  EXPECT_EQ("QQ2XYZ", form2().Edit1->text());
  EXPECT_EQ(1, form1().LineCount());

  // No category is in force, so the logged FM QSO tells the round.
  OpenDialog();
  prompts_.ExpectMessage(ErrorMessage(kStayInVhf));
  Choose(3);
  EXPECT_TRUE(prompts_.Done());
  EXPECT_EQ(-1, form2().CategoryIndex());
  Choose(7);
  EXPECT_EQ("UKF - STACJE INDYW. I KLUBOWE FM", form1().contest_category());
}

}  // namespace
}  // namespace zt::testing
