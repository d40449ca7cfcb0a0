#include <gtest/gtest.h>

#include <QApplication>

#include "tests/support/program_fixture.h"

namespace zt::testing {
namespace {

const std::string kQso1 = "2024-12-01 0705 80M CW 599      1 QQ1ABC          599           5  2";
const std::string kQso2 = "2024-12-01 0706 80M PH 59     007 QQ1DEF          59            O  10";

using StartupTest = ProgramTest;

Message DamagedLinesWarning(const std::filesystem::path& log, const QString& count,
                            const QString& numbers) {
  return Message{
      "Ostrzeżenie",
      QStringLiteral("Liczba uszkodzonych wierszy w logu %1: %2.\nNumery tych wierszy w pliku: "
                     "%3.\n\nUszkodzone wiersze zostają w logu bez zmian, ale nie są brane pod "
                     "uwagę przy ustalaniu następnej grupy nadawanej. Popraw je w pliku logu, gdy "
                     "program jest zamknięty.")
          .arg(QString::fromStdU16String(log.u16string()), count, numbers),
      Icon::kWarning, Buttons::kOk, Answer::kOk};
}

TEST_F(StartupTest, FirstStart_CreatesAnEmptyLogAndOpensTheStationDialogOnce) {
  Start();
  EXPECT_EQ("", LogContent());
  EXPECT_TRUE(form2().isVisible());
  EXPECT_FALSE(form1().station_dialog_pending());
  EXPECT_EQ("1", form1().Edit8->text());
  EXPECT_TRUE(form1().CheckBox1->isChecked());
  EXPECT_EQ(0, form1().LineCount());
  EXPECT_EQ("LOKATOR", form2().Edit10->text());
  form2().hide();
  form1().FormActivate();
  EXPECT_FALSE(form2().isVisible());
}

TEST_F(StartupTest, WithSettingsAndLog_LoadsTheLogRestoresTheSerialAndScores) {
  WriteSettings(4);
  WriteLog({kQso1, "", kQso2});
  Start();
  EXPECT_FALSE(form2().isVisible());
  EXPECT_EQ("8", form1().Edit8->text());
  EXPECT_TRUE(form1().CheckBox1->isChecked());
  EXPECT_EQ("12", form1().Label31->text());
  EXPECT_EQ("12", form2().Edit7->text());
  EXPECT_EQ((std::vector<std::string>{kQso1, "", kQso2}), ListLines());
  EXPECT_EQ("QQ2XYZ", form1().Edit1->text());
  EXPECT_EQ(QStringLiteral("Zawody Teltólmowe          KF - grupa D - stacje indyw. SSB i CW"),
            form1().windowTitle());
}

TEST_F(StartupTest, WithSettingsButNoLog_CreatesItAndKeepsSerialOne) {
  WriteSettings(1);
  Start();
  EXPECT_EQ("", LogContent());
  EXPECT_EQ("1", form1().Edit8->text());
  EXPECT_EQ("0", form1().Label31->text());
}

TEST_F(StartupTest, FirstStartWithAnExistingLog_LoadsIt) {
  WriteLog({kQso1});
  Start();
  EXPECT_EQ((std::vector<std::string>{kQso1}), ListLines());
  EXPECT_EQ("2", form1().Edit8->text());
}

TEST_F(StartupTest, OddLogFile_LoadsWithoutShiftingOtherLines) {
  WriteSettings(4);
  WriteFile(dir_ / "zawody_teltolmowe.zlg",
            "short\r" + kQso1 + "\n\xF3\xB9\xEA" + std::string(200, 'x') + "\r\n" + kQso2);
  prompts_.ExpectMessage(DamagedLinesWarning(dir_ / "zawody_teltolmowe.zlg", "1", "1"));
  Start();
  EXPECT_EQ(4, form1().LineCount());
  EXPECT_EQ(kQso2, ListLines().back());
}

// A power cut on a USB stick: the last QSO cut short, zero bytes after it.
TEST_F(StartupTest, DamagedLines_AreNamedOnceAndTheNextGroupFollowsTheQsos) {
  WriteSettings(4);
  const std::string content =
      kQso1 + "\r\n\r\n" + kQso2 + "\r\n" + kQso2.substr(0, 30) + "\r\n" + std::string(24, '\0');
  WriteFile(dir_ / "zawody_teltolmowe.zlg", content);
  prompts_.ExpectMessage(DamagedLinesWarning(dir_ / "zawody_teltolmowe.zlg", "2", "4, 5"));
  Start();
  EXPECT_TRUE(prompts_.Done());
  EXPECT_EQ("8", form1().Edit8->text());
  EXPECT_TRUE(form1().CheckBox1->isChecked());
  EXPECT_EQ(5, form1().LineCount());
  EXPECT_EQ(content, LogContent());
}

TEST_F(StartupTest, TabOrder_FollowsTheEntryFromCallsignToTheButtons) {
  WriteSettings(4);
  Start();
  EXPECT_EQ(form1().Edit4, QApplication::focusWidget());
  const QWidget* expected[] = {form1().Edit6,     form1().Button1,   form1().Edit2,
                               form1().ComboBox1, form1().ComboBox2, form1().Edit3,
                               form1().UpDown1,   form1().Edit7,     form1().Edit5,
                               form1().Edit8,     form1().CheckBox1, form1().Button4};
  for (const QWidget* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(next, QApplication::focusWidget()) << next->objectName().toStdString();
  }
}

TEST_F(StartupTest, Headings_AreTheBuddiesOfTheirFields) {
  Start();
  EXPECT_EQ(form1().Edit4, form1().Label6->buddy());
  EXPECT_EQ(form1().Edit6, form1().Label8->buddy());
  EXPECT_EQ(form1().Label31, form1().Label30->buddy());
  EXPECT_EQ(form1().Edit4, form1().findChild<QLineEdit*>("Edit4"));
}

TEST_F(StartupTest, LogThatCannotBeRead_IsReportedWithTheSystemText) {
  WriteSettings(4);
  std::filesystem::create_directory(dir_ / "zawody_teltolmowe.zlg");
  prompts_.ExpectMessage(
      ErrorMessage(IoErrorText(IoError{dir_ / "zawody_teltolmowe.zlg", "Is a directory"})));
  Start();
  EXPECT_EQ(0, form1().LineCount());
}

TEST_F(StartupTest, DataFolderThatCannotBeWritten_IsReportedOnceByName) {
  WriteSettings(4);
  // Root ignores permissions, so a missing folder stands for one that cannot be written.
  const std::filesystem::path missing = dir_ / "gone";
  prompts_.ExpectMessage(ErrorMessage(
      QStringLiteral("Nie można zapisywać plików w folderze programu:\n%1\n(No such file or "
                     "directory)\n\nLog i ustawienia są przechowywane w tym folderze, więc "
                     "łączności nie zostaną zapisane. Uruchom program z folderu, do którego masz "
                     "prawo zapisu.")
          .arg(QString::fromStdString(missing.string()))));
  prompts_.ExpectMessage(
      ErrorMessage(IoErrorText(IoError{missing / "temporary.zlg", "No such file or directory"})));
  Program program(Environment{missing, &prompts_, &clock_});
  EXPECT_TRUE(program.form1().contest_log().lines().empty());
}

}  // namespace
}  // namespace zt::testing
