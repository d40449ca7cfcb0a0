#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <set>

#include "export/ui/adif_dialog.h"
#include "settings/ui/station_dialog.h"
#include "tests/support/program_fixture.h"

namespace zt::testing {
namespace {

const std::string kQso1 = "2024-12-01 0705 80M CW 599      1 QQ1ABC          599           5  2";
const std::string kQso2 = "2024-12-01 0706 80M PH 59     007 QQ1DEF          59            O  10";
const std::string kVhfQso =
    "2026-12-06 1310  2M FM 59       7 QQ1ABC          59    003JO90AB  312+50";

const QString kCabrilloQuestion = QStringLiteral(
    "Podczas zapisu pliku Cabrillo zostaną\nwykorzystane dane podane w oknie\n\"Nagłówek pliku "
    "Cabrillo\", wyświetlanym\nprzyciskiem \"Zmiana danych\". Jeśli nie są \none poprawne, "
    "skoryguj je i ponownie\nwybierz funkcję zapisywania pliku Cabrillo.\n\nCzy kontynuować?");

const QString kNoCallsign =
    QStringLiteral("Pole \"Używany znak\" jest puste!\nWprowadź znak w oknie \"Zmiana danych\".");

Message CabrilloQuestion() {
  return Message{"Informacja", kCabrilloQuestion, Icon::kQuestion, Buttons::kYesNo, Answer::kYes};
}

// Accepts any message; the test looks at prompts_.shown afterwards.
Message AnyMessage() { return Message{}; }

QString Shown(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

class ExportTest : public ProgramTest {
 protected:
  // A short-wave station (group D) with two QSOs and an empty line between them.
  void StartShortWave() {
    WriteSettings(4);
    WriteLog({kQso1, "", kQso2});
    Start();
  }

  void ClickCabrillo() { QTest::mouseClick(form1().Button2, Qt::LeftButton); }
  void OpenAdif() {
    QTest::mouseClick(form1().Button7, Qt::LeftButton);
    // Focus moves between the dialog's fields only once its window is active.
    EXPECT_TRUE(QTest::qWaitFor([this] { return form3().isActiveWindow(); }));
  }
  void ClickZapisz() { QTest::mouseClick(form3().Button1, Qt::LeftButton); }

  // Answers the question with Yes and expects the success message for `file_name`.
  void ExpectCabrilloWritten(const std::string& file_name) {
    prompts_.ExpectMessage(CabrilloQuestion(), Answer::kYes);
    prompts_.ExpectMessage(Success("Cabrillo", file_name));
  }

  Message Success(const QString& kind, const std::string& file_name) {
    return InformationMessage("Plik " + kind + ": \n" + Shown(dir_ / file_name) +
                              "\nzostał zapisany!");
  }

  // Every file of the data directory except the log, its backup and the settings.
  std::set<std::string> ExportedFiles() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
      const std::string name = entry.path().filename().string();
      if (name.rfind("zawody_teltolmowe.", 0) != 0) names.insert(name);
    }
    return names;
  }
};

TEST_F(ExportTest, Cabrillo_NoLogFile_ReportsItAndWritesNothing) {
  StartShortWave();
  std::filesystem::remove(dir_ / "zawody_teltolmowe.zlg");
  prompts_.ExpectMessage(
      ErrorMessage("Plik \"" + Shown(dir_ / "zawody_teltolmowe.zlg") + "\" nie istnieje!"));
  ClickCabrillo();
  EXPECT_TRUE(ExportedFiles().empty());
}

TEST_F(ExportTest, Cabrillo_AnsweredNo_WritesNothingAndSaysNothingMore) {
  StartShortWave();
  prompts_.ExpectMessage(CabrilloQuestion(), Answer::kNo);
  ClickCabrillo();
  EXPECT_EQ(1u, prompts_.shown.size());
  EXPECT_TRUE(ExportedFiles().empty());
}

TEST_F(ExportTest, Cabrillo_AnsweredYes_WritesTheDialogDataAndTheListExactly) {
  StartShortWave();
  TForm2& station = form2();
  station.Edit9->setText("TEST KF");
  station.Edit7->setText("999");  // the operator's own claimed score wins over the computed one
  station.Edit2->setText("Anna Nowak");
  station.Edit3->setText("anna@example.com");
  station.Edit4->setText("ul. Długa 2");
  station.Edit5->setText("00-002 Miasto");
  station.Edit6->setText("skr. 3");
  station.Edit8->setText("QQ2AAA QQ2BBB");
  station.Edit10->setText("KO00HU");
  station.Memo1->setPlainText("pierwsza\ndruga");
  ExpectCabrilloWritten("qq2xyz.cbr");
  ClickCabrillo();
  EXPECT_EQ(
      "START-OF-LOG: 2.0\r\n"
      "CONTEST: TEST KF\r\n"
      "CALLSIGN: QQ2XYZ\r\n"
      "CATEGORY: Grupa D\r\n"
      "CLAIMED-SCORE: 999\r\n"
      "NAME: Anna Nowak\r\n"
      "ADDRESS: E-MAIL: anna@example.com\r\n"
      "ADDRESS: ul. D\xB3uga 2\r\n"
      "ADDRESS: 00-002 Miasto\r\n"
      "ADDRESS: skr. 3\r\n"
      "OPERATORS: QQ2AAA QQ2BBB\r\n"
      "LOCATOR: KO00HU\r\n"
      "SOAPBOX: pierwsza\r\n"
      "SOAPBOX: druga\r\n"
      "SOAPBOX: Created by Zawody Telt\xF3lmowe\r\n"
      "QSO:  3500 CW 2024-12-01 0705 QQ2XYZ        599      1 QQ1ABC          599           5  \r\n"
      "QSO:  3500 PH 2024-12-01 0706 QQ2XYZ        59     007 QQ1DEF          59            O  \r\n"
      "END-OF-LOG:\r\n",
      ReadFile(dir_ / "qq2xyz.cbr"));
  EXPECT_EQ(std::set<std::string>{"qq2xyz.cbr"}, ExportedFiles());
}

TEST_F(ExportTest, Cabrillo_SeparatorInCallsign_GivesLowerCaseFileNameAndKeepsTheCallsign) {
  struct Case {
    const char* name;
    QString callsign;
    std::string file_name;
    std::string callsign_line;
  };
  const Case cases[] = {
      {"slash", "QQ2XYZ/P", "qq2xyz_p.cbr", "CALLSIGN: QQ2XYZ/P\r\n"},
      {"backslash", "QQ/QQ2XYZ\\M", "qq_qq2xyz_m.cbr", "CALLSIGN: QQ/QQ2XYZ\\M\r\n"},
  };
  StartShortWave();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    form1().Edit1->setText(c.callsign);
    ExpectCabrilloWritten(c.file_name);
    ClickCabrillo();
    EXPECT_NE(std::string::npos, ReadFile(dir_ / c.file_name).find(c.callsign_line));
  }
}

TEST_F(ExportTest, Cabrillo_ListLineNotInTheFile_ComesOutLast) {
  // The export takes the list: a QSO removed from the file by hand since the last recalculation
  // is still exported.
  WriteSettings(4);
  WriteLog(
      {kQso1, "", kQso2, "2024-12-01 0710 80M CW 599      8 QQ9ZZZ          599           9  2"});
  Start();
  WriteLog({kQso1, "", kQso2});
  ExpectCabrilloWritten("qq2xyz.cbr");
  ClickCabrillo();
  const std::string content = ReadFile(dir_ / "qq2xyz.cbr");
  EXPECT_NE(std::string::npos,
            content.find(" QQ9ZZZ          599           9  \r\nEND-OF-LOG:\r\n"));
}

TEST_F(ExportTest, BlankStationCallsign_IsRefusedBeforeAnythingIsWritten) {
  struct Case {
    const char* name;
    QString callsign;
    bool adif;
  };
  const Case cases[] = {
      {"Cabrillo, empty", "", false},
      {"Cabrillo, blanks", "   ", false},
      {"ADIF, empty", "", true},
  };
  StartShortWave();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    form1().Edit1->setText(c.callsign);
    prompts_.ExpectMessage(ErrorMessage(kNoCallsign));
    if (c.adif) {
      OpenAdif();
      ClickZapisz();
      QTest::mouseClick(form3().Button2, Qt::LeftButton);
    } else {
      ClickCabrillo();
    }
    EXPECT_TRUE(prompts_.Done());
    EXPECT_TRUE(ExportedFiles().empty());
  }
}

TEST_F(ExportTest, WriteFails_ShowsTheSystemErrorAndNoSuccess) {
  struct Case {
    const char* name;
    std::string blocker;  // a directory standing where a file must go
    bool adif;
    std::string reported;  // the file the error names
  };
  const Case cases[] = {
      {"directory at the Cabrillo file", "qq2xyz.cbr", false, "qq2xyz.cbr"},
      {"directory at the ADIF file", "qq2xyz.adi", true, "qq2xyz.adi"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedPrompts prompts;
    TempDir dir;
    WriteFile(dir / "zawody_teltolmowe.ini", SettingsFileFor(4));
    WriteFile(dir / "zawody_teltolmowe.zlg", kQso1 + "\r\n");
    std::filesystem::create_directory(dir / c.blocker);
    Program program(Environment{dir.path(), &prompts, &clock_});
    if (c.adif) {
      program.form1().Button7Click();
      prompts.ExpectMessage(AnyMessage());
      program.form3().Button1Click();
    } else {
      prompts.ExpectMessage(CabrilloQuestion(), Answer::kYes);
      prompts.ExpectMessage(AnyMessage());
      program.form1().Button2Click();
    }
    ASSERT_FALSE(prompts.shown.empty());
    const Message& error = prompts.shown.back();
    EXPECT_EQ("Błąd", error.caption);
    EXPECT_EQ(Icon::kError, error.icon);
    EXPECT_TRUE(error.text.startsWith("Błąd operacji na pliku\n" + Shown(dir / c.reported) + "\n"))
        << error.text.toStdString();
    EXPECT_EQ(c.adif ? 1u : 2u, prompts.shown.size());  // nothing after the error
    for (const char* name :
         {"qq2xyz.cbr", "qq2xyz.cbr.zapis~", "qq2xyz.adi", "qq2xyz.adi.zapis~"}) {
      EXPECT_FALSE(std::filesystem::is_regular_file(dir / name)) << name;
    }
  }
}

TEST_F(ExportTest, AdifOpenedAndLeft_PrefillsFieldsAndSwapsWithTheMainWindow) {
  StartShortWave();
  clock_.now.year = 2027;
  OpenAdif();
  EXPECT_FALSE(form1().isVisible());
  EXPECT_TRUE(form3().isVisible());
  EXPECT_EQ(QStringLiteral("ZAWODY TELTÓLMOWE 2027"), form3().Edit3->text());
  EXPECT_EQ("QQ2XYZ", form3().Edit2->text());
  EXPECT_EQ("", form3().Edit1->text());
  EXPECT_EQ(form1().geometry().center(), form3().geometry().center());

  // The comment stays from the last use; contest and operator are fresh on every opening.
  form3().Edit1->setText(" Pozdrawiam");
  form3().Edit2->setText("QQ2ABC");
  QTest::mouseClick(form3().Button2, Qt::LeftButton);
  EXPECT_TRUE(form1().isVisible());
  EXPECT_FALSE(form3().isVisible());
  form1().Edit1->setText("QQ2XYZ/P");
  OpenAdif();
  EXPECT_EQ(" Pozdrawiam", form3().Edit1->text());
  EXPECT_EQ("QQ2XYZ/P", form3().Edit2->text());

  form3().close();  // the close box
  EXPECT_FALSE(form3().isVisible());
  EXPECT_TRUE(form1().isVisible());
}

TEST_F(ExportTest, AdifZapisz_WritesTheFileAndStaysOpenEveryTime) {
  StartShortWave();
  OpenAdif();
  form3().Edit1->setText(" test");
  form3().Edit2->clear();
  Type(form3().Edit2, " qq2abc ");
  prompts_.ExpectMessage(Success("ADIF", "qq2xyz.adi"));
  prompts_.ExpectMessage(Success("ADIF", "qq2xyz.adi"));
  ClickZapisz();
  EXPECT_EQ("QQ2ABC", form3().Edit2->text());  // trimmed when the field was left
  EXPECT_TRUE(form3().isVisible());
  ClickZapisz();
  EXPECT_TRUE(form3().isVisible());
  EXPECT_FALSE(form1().isVisible());
  EXPECT_EQ(
      "ADIF 2.0\r\n"
      "Wygenerowane przez program Zawody Telt\xF3lmowe\r\n"
      "<EOH>\r\n"
      "<QSO_DATE:8>20241201 <TIME_ON:6>070500 <BAND:3>80M <MODE:2>CW <CALL:6>QQ1ABC "
      "<RST_RCVD:3>599 <SRX:1>5 <RST_SENT:3>599 <STX:1>1 <COMMENT:5> test <OPERATOR:6>QQ2ABC "
      "<CONTEST_ID:22>ZAWODY TELT\xD3LMOWE 2026 <EOR>\r\n"
      "<QSO_DATE:8>20241201 <TIME_ON:6>070600 <BAND:3>80M <MODE:3>SSB <CALL:6>QQ1DEF "
      "<RST_RCVD:2>59 <SRX:1>O <RST_SENT:2>59 <STX:3>007 <COMMENT:5> test <OPERATOR:6>QQ2ABC "
      "<CONTEST_ID:22>ZAWODY TELT\xD3LMOWE 2026 <EOR>\r\n",
      ReadFile(dir_ / "qq2xyz.adi"));
}

TEST_F(ExportTest, AdifVhfLog_SplitsTheLocatorOffTheReceivedGroup) {
  WriteSettings(7);
  WriteLog({kVhfQso});
  Start();
  OpenAdif();
  form3().Edit3->clear();
  prompts_.ExpectMessage(Success("ADIF", "qq2xyz.adi"));
  ClickZapisz();
  EXPECT_NE(std::string::npos,
            ReadFile(dir_ / "qq2xyz.adi")
                .find("<QSO_DATE:8>20261206 <TIME_ON:6>131000 <BAND:2>2M <MODE:2>FM "
                      "<CALL:6>QQ1ABC <RST_RCVD:2>59 <GRIDSQUARE:6>JO90AB <SRX:3>003 "
                      "<RST_SENT:2>59 <STX:1>7 <OPERATOR:6>QQ2XYZ <EOR>\r\n"));
}

TEST_F(ExportTest, AdifCaptionClicked_SavesLikeZapisz) {
  StartShortWave();
  OpenAdif();
  for (QLabel* caption : {form3().Label2, form3().Label3}) {
    SCOPED_TRACE(caption->text().toStdString());
    std::filesystem::remove(dir_ / "qq2xyz.adi");
    prompts_.ExpectMessage(Success("ADIF", "qq2xyz.adi"));
    QTest::mouseClick(caption, Qt::LeftButton);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "qq2xyz.adi"));
    EXPECT_TRUE(form3().isVisible());
  }
}

TEST_F(ExportTest, AdifButtons_EnterPressesTheFocusedOne) {
  StartShortWave();
  OpenAdif();
  prompts_.ExpectMessage(Success("ADIF", "qq2xyz.adi"));
  form3().Button1->setFocus();
  Key(form3().Button1, Qt::Key_Return);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "qq2xyz.adi"));
  form3().Button2->setFocus();
  Key(form3().Button2, Qt::Key_Return);
  EXPECT_FALSE(form3().isVisible());
  EXPECT_TRUE(form1().isVisible());
}

TEST_F(ExportTest, AdifDialog_TabOrderAndHeadingsFollowTheLayout) {
  StartShortWave();
  OpenAdif();
  EXPECT_EQ(form3().Edit1, form3().Label1->buddy());
  EXPECT_EQ(form3().Edit2, form3().Label2->buddy());
  EXPECT_EQ(form3().Edit3, form3().Label3->buddy());
  EXPECT_EQ(form3().Edit2, form3().findChild<QLineEdit*>("Edit2"));
  form3().Edit1->setFocus();
  const QWidget* expected[] = {form3().Button1, form3().Button2, form3().Edit2, form3().Edit3};
  for (const QWidget* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(next, QApplication::focusWidget()) << next->objectName().toStdString();
  }
}

}  // namespace
}  // namespace zt::testing
