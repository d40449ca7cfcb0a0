#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/log_line.h"
#include "tests/support/program_fixture.h"

namespace zt::testing {
namespace {

const std::string kQsoA = "2024-12-01 0705 80M CW 599     12 QQ1ABC          599           5  2";
// Its last letter T lights the first letter of the bonus word.
const std::string kQsoT = "2024-12-01 0706 80M PH 59      13 QQ1DET          59            O  10";

constexpr char kFilter[] = "Wszystkie pliki (*)";
constexpr char kDiscardQuestion[] =
    "Czy na pewno chcesz utworzyć nowy log \nnie zapisując poprzedniego?\nJeśli nie zapisałeś "
    "pliku Cabrillo lub ADIF,\ndane o łącznościach zostaną utracone!!";

QString PathText(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

Message OverwriteQuestion(const std::filesystem::path& path) {
  return Message{"Ostrzeżenie",
                 "Plik " + PathText(path) + " istnieje.\nCzy zastąpić istniejący plik?",
                 Icon::kWarning, Buttons::kYesNoCancel, Answer::kYes};
}

const Message kDiscard{"Ostrzeżenie", QString::fromUtf8(kDiscardQuestion), Icon::kWarning,
                       Buttons::kOkCancel, Answer::kCancel};

class NewLogTest : public ProgramTest {
 protected:
  void StartWithLog() {
    WriteSettings(4);
    WriteLog({kQsoA, kQsoT});
    Start();
    log_before_ = LogContent();
    list_before_ = ListLines();
  }

  std::filesystem::path Copy() const { return dir_ / "qq2xyz.log"; }

  void ExpectSave(std::optional<std::filesystem::path> chosen,
                  const std::filesystem::path& suggested) {
    prompts_.ExpectSaveFileName(PathText(suggested), kFilter,
                                chosen ? std::optional(PathText(*chosen)) : std::nullopt);
  }
  void ExpectSave(std::optional<std::filesystem::path> chosen) { ExpectSave(chosen, Copy()); }

  void ExpectEmptyLogAndReset() {
    EXPECT_EQ("", LogContent());
    EXPECT_TRUE(ListLines().empty());
    EXPECT_EQ("0", form1().Label31->text());
    EXPECT_EQ("0", form2().Edit7->text());
    EXPECT_FALSE(form1().Label12->isVisible());
    EXPECT_EQ("color: aqua;", form1().LetterLabels[0]->styleSheet());
    EXPECT_EQ("1", form1().Edit8->text());
    EXPECT_TRUE(form2().isVisible());
    EXPECT_TRUE(form2().Edit1->isEnabled());
  }

  void ExpectLogKept() {
    EXPECT_EQ(log_before_, LogContent());
    EXPECT_EQ(list_before_, ListLines());
    EXPECT_FALSE(form2().isVisible());
  }

  std::string log_before_;
  std::vector<std::string> list_before_;
};

TEST_F(NewLogTest, ExistingFile_NoAsksAgain_YesOverwritesItWithTheLog) {
  StartWithLog();
  WriteFile(Copy(), "old\r\n");
  ASSERT_EQ("color: navy;", form1().LetterLabels[0]->styleSheet());
  ExpectSave(Copy());
  prompts_.ExpectMessage(OverwriteQuestion(Copy()), Answer::kNo);
  ExpectSave(Copy());
  prompts_.ExpectMessage(OverwriteQuestion(Copy()), Answer::kYes);
  form1().Button8->click();
  EXPECT_EQ(log_before_, ReadFile(Copy()));
  ExpectEmptyLogAndReset();
}

TEST_F(NewLogTest, NewFile_IsWrittenWithoutAQuestion) {
  StartWithLog();
  ExpectSave(Copy());
  form1().Button8->click();
  EXPECT_EQ(log_before_, ReadFile(Copy()));
  ExpectEmptyLogAndReset();
}

TEST_F(NewLogTest, FileOfTheOperatorNamedLikeATemporaryOne_IsLeftAlone) {
  StartWithLog();
  std::filesystem::path own = Copy();
  own += "~";
  WriteFile(own, "the operator's own file\r\n");
  ExpectSave(Copy());
  form1().Button8->click();
  EXPECT_EQ(log_before_, ReadFile(Copy()));
  EXPECT_EQ("the operator's own file\r\n", ReadFile(own));
  ExpectEmptyLogAndReset();
}

TEST_F(NewLogTest, OverwriteCancelled_KeepsLogAndFile) {
  StartWithLog();
  WriteFile(Copy(), "old\r\n");
  ExpectSave(Copy());
  prompts_.ExpectMessage(OverwriteQuestion(Copy()), Answer::kCancel);
  form1().Button8->click();
  EXPECT_EQ("old\r\n", ReadFile(Copy()));
  ExpectLogKept();
}

TEST_F(NewLogTest, SaveCancelledThenOk_EmptiesTheLogWithoutACopy) {
  StartWithLog();
  ExpectSave(std::nullopt);
  prompts_.ExpectMessage(kDiscard, Answer::kOk);
  form1().Button8->click();
  EXPECT_FALSE(std::filesystem::exists(Copy()));
  ExpectEmptyLogAndReset();
}

TEST_F(NewLogTest, SaveCancelledThenCancel_KeepsTheLog) {
  StartWithLog();
  const QString sent_group = form1().Edit8->text();
  ExpectSave(std::nullopt);
  prompts_.ExpectMessage(kDiscard, Answer::kCancel);
  form1().Button8->click();
  ExpectLogKept();
  EXPECT_EQ(sent_group, form1().Edit8->text());
}

TEST_F(NewLogTest, CallsignWithSlash_SuggestsAnUnderscore) {
  StartWithLog();
  form1().Edit1->setText("QQ2XYZ/P");
  ExpectSave(std::nullopt, dir_ / "qq2xyz_p.log");
  prompts_.ExpectMessage(kDiscard, Answer::kCancel);
  form1().Button8->click();
}

TEST_F(NewLogTest, CopyFails_ReportsAndKeepsTheLog) {
  StartWithLog();
  ExpectSave(dir_ / "missing" / "copy.log");
  prompts_.ExpectMessage(Message{});
  form1().Button8->click();
  EXPECT_EQ(QStringLiteral("Błąd"), prompts_.shown.at(0).caption);
  ExpectLogKept();
}

Message KeptFileRefusal(const std::filesystem::path& chosen, const char* kept) {
  return ErrorMessage("Plik " + PathText(chosen) + " jest plikiem roboczym programu (" +
                      QString::fromUtf8(kept) + ").\nWybierz inną nazwę pliku dla kopii logu.");
}

// Each of the program's own files is refused before any question, by whatever path it is
// reached, and the save dialog comes back.
TEST_F(NewLogTest, FileTheProgramKeepsChosen_IsRefusedByNameAndNothingIsWritten) {
  StartWithLog();
  const std::string settings = ReadFile(dir_ / "zawody_teltolmowe.ini");
  WriteFile(dir_ / kExecutableName, "program");
  std::filesystem::create_directory(dir_ / "kopie");
  std::vector<std::pair<std::filesystem::path, const char*>> choices = {
      {dir_ / "zawody_teltolmowe.ini", "zawody_teltolmowe.ini"},
      {dir_ / kExecutableName, kExecutableName},
      {dir_ / "kopie" / ".." / "zawody_teltolmowe.ini", "zawody_teltolmowe.ini"},
  };
  std::filesystem::create_symlink(dir_ / "zawody_teltolmowe.ini", dir_ / "kopie" / "stacja.log");
  std::filesystem::create_hard_link(dir_ / "zawody_teltolmowe.ini", dir_ / "kopie" / "twardy.log");
  choices.emplace_back(dir_ / "kopie" / "stacja.log", "zawody_teltolmowe.ini");
  choices.emplace_back(dir_ / "kopie" / "twardy.log", "zawody_teltolmowe.ini");
  for (const auto& [chosen, kept] : choices) {
    ExpectSave(chosen);
    prompts_.ExpectMessage(KeptFileRefusal(chosen, kept));
  }
  ExpectSave(std::nullopt);
  prompts_.ExpectMessage(kDiscard, Answer::kCancel);
  form1().Button8->click();
  EXPECT_TRUE(prompts_.Done());
  ExpectLogKept();
  EXPECT_EQ(settings, ReadFile(dir_ / "zawody_teltolmowe.ini"));
  EXPECT_EQ("program", ReadFile(dir_ / kExecutableName));
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "kopie" / "stacja.log"));
}

TEST_F(NewLogTest, EmptyList_ResetsWithoutAskingAndRestartsTheClock) {
  WriteSettings(4);
  Start();
  form1().StopClock();
  form1().Panel3->show();
  form1().Edit8->setText("7");
  form2().Edit1->setEnabled(false);
  form1().Button8->click();
  EXPECT_TRUE(form1().ClockRunning());
  EXPECT_FALSE(form1().Panel4->isVisible());
  EXPECT_FALSE(form1().Panel3->isVisible());
  ExpectEmptyLogAndReset();
}

TEST_F(NewLogTest, FirstQsoAfterwards_IsSentWithOneAndIsNoRepeat) {
  StartWithLog();
  ExpectSave(std::nullopt);
  prompts_.ExpectMessage(kDiscard, Answer::kOk);
  form1().Button8->click();
  form1().Timer1->stop();
  AddQso("QQ1ABC", "5");
  ASSERT_EQ(1u, ListLines().size());
  EXPECT_EQ("1", SentGroupOf(ListLines().at(0)));
  EXPECT_EQ("2", ResultOf(ListLines().at(0)));
  EXPECT_EQ("2", form1().Edit8->text());
  EXPECT_EQ("2", form1().Label31->text());
}

}  // namespace
}  // namespace zt::testing
