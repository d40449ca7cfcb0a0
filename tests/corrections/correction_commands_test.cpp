#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "core/log_line.h"
#include "tests/support/program_fixture.h"

namespace zt::testing {
namespace {

// Short-wave lines; the third is a repeat of the first and so a duplicate.
const std::string kQsoA = "2024-12-01 0705 80M CW 599     12 QQ1ABC          599           5  2";
const std::string kQsoB = "2024-12-01 0706 80M PH 59      13 QQ1DEF          59            O  10";
const std::string kQsoC = "2024-12-01 0707 80M CW 599     14 QQ1ABC          599           6  DUPE";
// A VHF line scored from the own locator KO00HU.
const std::string kVhfQso =
    "2024-12-01 0705  2M FM 59      12 QQ1ABC          59     12KO01HU  111";

// The input box of each correction.
struct Box {
  const char* caption;
  const char* prompt;
};
constexpr Box kDateBox{"Zmiana daty", "Nowa data (rrrr-mm-dd)"};
constexpr Box kTimeBox{"Zmiana czasu", "Nowy czas (hhmm)"};
constexpr Box kCallsignBox{"Zmiana znaku korespondenta", "Nowy znak"};
constexpr Box kSentGroupBox{"Zmiana nadanej grupy kontrolnej", "Nowa grupa"};
constexpr Box kReceivedGroupBox{"Zmiana odebranej grupy kontrolnej", "Nowa grupa"};

constexpr int kBothModes = 4;  // KF - grupa D - stacje indyw. SSB i CW
constexpr int kVhf = 7;        // UKF - stacje indyw. i klubowe FM

class CorrectionTest : public ProgramTest {
 protected:
  void StartWith(int category, const std::vector<std::string>& lines) {
    WriteSettings(category);
    WriteLog(lines);
    Start();
  }

  std::vector<std::string> FileLines() const { return SplitLines(LogContent()); }

  // What a program started now on the log file shows.
  void ExpectSameAsFreshStart() {
    Program fresh(Environment{dir_.path(), &prompts_, &clock_});
    EXPECT_EQ(fresh.form1().contest_log().lines(), ListLines());
    EXPECT_EQ(fresh.form1().Label31->text(), form1().Label31->text());
    EXPECT_EQ(fresh.form2().Edit7->text(), form2().Edit7->text());
  }

  void ExpectBox(const Box& box, const char* prefilled, std::optional<QString> typed) {
    prompts_.ExpectInput(QString::fromUtf8(box.caption), QString::fromUtf8(box.prompt),
                         QString::fromUtf8(prefilled), std::move(typed));
  }

  // As the operator does before opening the pop-up menu: the list takes the focus.
  void SelectInList(int row) {
    form1().ListBox1->setFocus();
    form1().SelectRow(row);
  }

  void ExpectFocusInCallsign() { EXPECT_EQ(form1().Edit4, form1().focusWidget()); }
};

// --- Nothing selected ---

struct NothingSelectedRow {
  const char* name;
  QAction* TForm1::*command;
  const char* message;
};
void PrintTo(const NothingSelectedRow& row, std::ostream* os) { *os << row.name; }

class NothingSelectedTest : public CorrectionTest,
                            public ::testing::WithParamInterface<NothingSelectedRow> {};

TEST_P(NothingSelectedTest, ShowsTheMessageAndChangesNothing) {
  StartWith(kBothModes, {kQsoA, kQsoB});
  SelectInList(-1);
  const std::string log_before = LogContent();
  const std::vector<std::string> list_before = ListLines();
  prompts_.ExpectMessage(ErrorMessage(GetParam().message));
  (form1().*GetParam().command)->trigger();
  EXPECT_EQ(log_before, LogContent());
  EXPECT_EQ(list_before, ListLines());
  EXPECT_FALSE(form4().isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, NothingSelectedTest,
    ::testing::Values(
        NothingSelectedRow{"Date", &TForm1::zmiendate1, "Należy najpierw zaznaczyć łączność!"},
        NothingSelectedRow{"Time", &TForm1::ZmieczasQSO1, "Należy najpierw zaznaczyć łączność!"},
        NothingSelectedRow{"Mode", &TForm1::Zmieemisj1, "Należy najpierw zaznaczyć łączność!"},
        NothingSelectedRow{"Callsign", &TForm1::Zmieznakkorespondenta1,
                           "Należy najpierw zaznaczyć łączność!"},
        NothingSelectedRow{"SentGroup", &TForm1::Zmienadanynumerser1,
                           "Należy najpierw zaznaczyć łączność!"},
        NothingSelectedRow{"ReceivedGroup", &TForm1::Zmieodebranynumerseryjny1,
                           "Należy najpierw zaznaczyć łączność!"},
        NothingSelectedRow{"Delete", &TForm1::Usu1,
                           "Należy najpierw zaznaczyć łączność do usunięcia!"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- The five input-box corrections ---

struct CorrectionRow {
  const char* name;
  QAction* TForm1::*command;
  Box box;
  const char* prefilled;
  std::optional<QString> typed;  // nullopt: Cancel
  std::string corrected_line;    // the first file line afterwards
  bool recalculates;
};
void PrintTo(const CorrectionRow& row, std::ostream* os) { *os << row.name; }

class CorrectionRowTest : public CorrectionTest,
                          public ::testing::WithParamInterface<CorrectionRow> {
 protected:
  void Run() {
    const CorrectionRow& row = GetParam();
    StartWith(kBothModes, {kQsoA, kQsoB});
    SelectInList(0);
    ExpectBox(row.box, row.prefilled, row.typed);
    (form1().*row.command)->trigger();
  }
};

class ChangedTest : public CorrectionRowTest {};

TEST_P(ChangedTest, RewritesTheColumnsAndShowsTheLineLast) {
  Run();
  const CorrectionRow& row = GetParam();
  EXPECT_EQ((std::vector<std::string>{row.corrected_line, kQsoB}), FileLines());
  if (row.recalculates) {
    ExpectSameAsFreshStart();
  } else {
    EXPECT_EQ((std::vector<std::string>{kQsoB, row.corrected_line}), ListLines());
  }
  EXPECT_EQ(1, form1().SelectedRow());
  EXPECT_EQ(form1().contest_log().lines().back(),
            form1().contest_log().lines().at(form1().SelectedRow()));
  ExpectFocusInCallsign();
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ChangedTest,
    ::testing::Values(
        CorrectionRow{"Date", &TForm1::zmiendate1, kDateBox, "2024-12-01", "2024-12-02",
                      "2024-12-02 0705 80M CW 599     12 QQ1ABC          599           5  2",
                      false},
        CorrectionRow{"Time", &TForm1::ZmieczasQSO1, kTimeBox, "0705", "0810",
                      "2024-12-01 0810 80M CW 599     12 QQ1ABC          599           5  2",
                      false},
        CorrectionRow{"SentGroupLeftAligned", &TForm1::Zmienadanynumerser1, kSentGroupBox, "12",
                      "13", "2024-12-01 0705 80M CW 599 13     QQ1ABC          599           5  2",
                      false},
        CorrectionRow{"CallsignUpperCase", &TForm1::Zmieznakkorespondenta1, kCallsignBox, "QQ1ABC",
                      "qq2xyz",
                      "2024-12-01 0705 80M CW 599     12 QQ2XYZ          599           5  2", true},
        CorrectionRow{"ReceivedSerialLosesZeros", &TForm1::Zmieodebranynumerseryjny1,
                      kReceivedGroupBox, "5", "007",
                      "2024-12-01 0705 80M CW 599     12 QQ1ABC          599           7  2", true},
        CorrectionRow{
            "ReceivedWordRightAligned", &TForm1::Zmieodebranynumerseryjny1, kReceivedGroupBox, "5",
            "o", "2024-12-01 0705 80M CW 599     12 QQ1ABC          599           O  2", true}),
    [](const auto& info) { return std::string(info.param.name); });

class UnchangedTest : public CorrectionRowTest {};

TEST_P(UnchangedTest, LeavesFileListAndSelectionAsTheyWere) {
  Run();
  EXPECT_EQ((std::vector<std::string>{kQsoA, kQsoB}), FileLines());
  EXPECT_EQ((std::vector<std::string>{kQsoA, kQsoB}), ListLines());
  EXPECT_EQ(0, form1().SelectedRow());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, UnchangedTest,
    ::testing::Values(CorrectionRow{"DateCancelled", &TForm1::zmiendate1, kDateBox, "2024-12-01",
                                    std::nullopt, "", false},
                      CorrectionRow{"TimeCancelled", &TForm1::ZmieczasQSO1, kTimeBox, "0705",
                                    std::nullopt, "", false},
                      CorrectionRow{"CallsignCancelled", &TForm1::Zmieznakkorespondenta1,
                                    kCallsignBox, "QQ1ABC", std::nullopt, "", true},
                      CorrectionRow{"CallsignInLowerCase", &TForm1::Zmieznakkorespondenta1,
                                    kCallsignBox, "QQ1ABC", "qq1abc", "", true},
                      CorrectionRow{"SentGroupCancelled", &TForm1::Zmienadanynumerser1,
                                    kSentGroupBox, "12", std::nullopt, "", false},
                      CorrectionRow{"ReceivedGroupCancelled", &TForm1::Zmieodebranynumerseryjny1,
                                    kReceivedGroupBox, "5", std::nullopt, "", true}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Dates and times that would not fit their columns ---

struct RefusedRow {
  const char* name;
  QAction* TForm1::*command;
  const char* typed;
  const char* message;
};
void PrintTo(const RefusedRow& row, std::ostream* os) { *os << row.name; }

class RefusedTest : public CorrectionTest, public ::testing::WithParamInterface<RefusedRow> {};

TEST_P(RefusedTest, ShowsTheClockMessageAndChangesNothing) {
  StartWith(kBothModes, {kQsoA, kQsoB});
  SelectInList(0);
  const bool date = GetParam().command == &TForm1::zmiendate1;
  ExpectBox(date ? kDateBox : kTimeBox, date ? "2024-12-01" : "0705",
            QString::fromUtf8(GetParam().typed));
  prompts_.ExpectMessage(ErrorMessage(QString::fromUtf8(GetParam().message)));
  (form1().*GetParam().command)->trigger();
  EXPECT_EQ((std::vector<std::string>{kQsoA, kQsoB}), FileLines());
  EXPECT_EQ((std::vector<std::string>{kQsoA, kQsoB}), ListLines());
}

INSTANTIATE_TEST_SUITE_P(
    Values, RefusedTest,
    ::testing::Values(
        RefusedRow{"DateTooShort", &TForm1::zmiendate1, "2024-1-1", "Błędny format daty!"},
        RefusedRow{"DateMonth13", &TForm1::zmiendate1, "2024-13-01",
                   "Niewłaściwe dane w polu daty!"},
        RefusedRow{"DateFebruary30", &TForm1::zmiendate1, "2024-02-30",
                   "Niewłaściwe dane w polu daty!"},
        RefusedRow{"TimeWithColon", &TForm1::ZmieczasQSO1, "08:10", "Błędny format czasu!"},
        RefusedRow{"TimeHour24", &TForm1::ZmieczasQSO1, "2400", "Niewłaściwe dane w polu czasu!"},
        RefusedRow{"TimeLetter", &TForm1::ZmieczasQSO1, "08a0", "Niewłaściwe dane w polu czasu!"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Received groups that need the operator's word ---

constexpr char kShortVhfGroupQuestion[] =
    "Nowa grupa kontrolna jest nieprawidłowa.\nPoprawna grupa kontrolna to: \nnumer "
    "seryjny+lokator, np. 12KO00HU\n\nCzy na pewno zmienić grupę kontrolną?";
constexpr char kShortWaveGroupQuestion[] =
    "Nowa grupa kontrolna jest nieprawidłowa.\nPoprawne grupy kontrolne to: \n'O', 'B', 'DG' "
    "lub numer seryjny.\n\nCzy na pewno zmienić grupę kontrolną?";

struct GroupRow {
  const char* name;
  int category;
  std::string line;
  const char* typed;
  const char* question;  // empty: none asked
  Answer answer;
  const char* stored;  // empty: the log stays as it was
  const char* result;  // the list's result text for the corrected QSO
};
void PrintTo(const GroupRow& row, std::ostream* os) { *os << row.name; }

class ReceivedGroupTest : public CorrectionTest, public ::testing::WithParamInterface<GroupRow> {};

TEST_P(ReceivedGroupTest, AsksWhereNeededAndStoresThePreparedGroup) {
  const GroupRow& row = GetParam();
  StartWith(row.category, {row.line});
  const std::string log_before = LogContent();
  const std::vector<std::string> list_before = ListLines();
  ExpectBox(kReceivedGroupBox, ReceivedGroupOf(row.line).c_str(), QString::fromUtf8(row.typed));
  if (*row.question) {
    prompts_.ExpectMessage(WarningQuestion(QString::fromUtf8(row.question)), row.answer);
  }
  form1().Zmieodebranynumerseryjny1->trigger();
  if (!*row.stored) {
    EXPECT_EQ(log_before, LogContent());
    EXPECT_EQ(list_before, ListLines());
    return;
  }
  const std::string stored = row.stored;
  EXPECT_EQ(std::string(11 - stored.size(), ' ') + stored + "  ",
            std::string(Columns(FileLines().at(0), 55, 67)));
  EXPECT_EQ(row.result, ResultOf(ListLines().at(0)));
  ExpectSameAsFreshStart();
}

INSTANTIATE_TEST_SUITE_P(
    Groups, ReceivedGroupTest,
    ::testing::Values(GroupRow{"VhfSerialWithBlank", kVhf, kVhfQso, "12 KO00HU", "", Answer::kYes,
                               "12KO00HU", "5"},
                      GroupRow{"VhfBadLocatorNo", kVhf, kVhfQso, "5KO00ZZ",
                               "Lokator  KO00ZZ\njest błędnym lokatorem!\nCzy na pewno zalogować ?",
                               Answer::kNo, "", ""},
                      GroupRow{"VhfBadLocatorYes", kVhf, kVhfQso, "5ko00zz",
                               "Lokator  KO00ZZ\njest błędnym lokatorem!\nCzy na pewno zalogować ?",
                               Answer::kYes, "5KO00ZZ", "RPRT"},
                      GroupRow{"VhfLocatorAloneNo", kVhf, kVhfQso, "KO00HU", kShortVhfGroupQuestion,
                               Answer::kNo, "", ""},
                      GroupRow{"VhfLocatorAloneYes", kVhf, kVhfQso, "KO00HU",
                               kShortVhfGroupQuestion, Answer::kYes, "KO00HU", "RPRT"},
                      GroupRow{"ShortWaveInvalidNo", kBothModes, kQsoA, "12a",
                               kShortWaveGroupQuestion, Answer::kNo, "", ""},
                      GroupRow{"ShortWaveInvalidYes", kBothModes, kQsoA, "12a",
                               kShortWaveGroupQuestion, Answer::kYes, "12A", "RPRT"},
                      GroupRow{"ShortWaveDg", kBothModes, kQsoA, "dg", "", Answer::kYes, "DG",
                               "4"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Whole-log effects ---

TEST_F(CorrectionTest, Callsign_ChangedAway_FreesTheLaterRepeat) {
  StartWith(kBothModes, {kQsoA, kQsoC});
  ASSERT_EQ("DUPE", ResultOf(ListLines().at(1)));
  SelectInList(0);
  ExpectBox(kCallsignBox, "QQ1ABC", "QQ2XYZ");
  form1().Zmieznakkorespondenta1->trigger();
  EXPECT_EQ("2", ResultOf(ListLines().at(1)));
  EXPECT_EQ("4", form1().Label31->text());
  EXPECT_EQ(1, form1().SelectedRow());
  ExpectSameAsFreshStart();
}

TEST_F(CorrectionTest, Callsign_TwoIdenticalQsos_AreCorrectedTogether) {
  StartWith(kBothModes, {kQsoA, kQsoB, kQsoA});
  SelectInList(2);
  ExpectBox(kCallsignBox, "QQ1ABC", "QQ2XYZ");
  form1().Zmieznakkorespondenta1->trigger();
  const std::string corrected =
      "2024-12-01 0705 80M CW 599     12 QQ2XYZ          599           5  2";
  EXPECT_EQ((std::vector<std::string>{corrected, kQsoB, corrected}), FileLines());
  ExpectSameAsFreshStart();
}

TEST_F(CorrectionTest, PastedLineBreaksAndTabs_NeverSplitALineOfTheLog) {
  StartWith(kBothModes, {kQsoA, kQsoB});
  struct Case {
    QAction* TForm1::*command;
    Box box;
    int row;  // where the QSO stands: a correction without recalculation shows it last
    const char* prefilled;
    const char* pasted;
  };
  const Case cases[] = {
      {&TForm1::Zmienadanynumerser1, kSentGroupBox, 0, "12", "1\n3"},
      {&TForm1::Zmieodebranynumerseryjny1, kReceivedGroupBox, 1, "5", "\t7\r"},
      {&TForm1::Zmieznakkorespondenta1, kCallsignBox, 0, "QQ1ABC", "QQ2\r\nXYZ\t"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box.caption);
    SelectInList(c.row);
    ExpectBox(c.box, c.prefilled, QString::fromUtf8(c.pasted));
    (form1().*c.command)->trigger();
  }
  EXPECT_EQ(
      "2024-12-01 0705 80M CW 599 13     QQ2XYZ          599           7  2\r\n" + kQsoB + "\r\n",
      LogContent());
  ExpectSameAsFreshStart();
}

TEST_F(CorrectionTest, HandEditedSmallLetters_TypedCapitals_MendTheLine) {
  const std::string small = "2024-12-01 0705 80M CW 599     12 qq1abc          599           o  20";
  StartWith(kBothModes, {small});
  SelectInList(0);
  ExpectBox(kReceivedGroupBox, "o", "O");
  form1().Zmieodebranynumerseryjny1->trigger();
  SelectInList(0);
  ExpectBox(kCallsignBox, "qq1abc", "QQ1ABC");
  form1().Zmieznakkorespondenta1->trigger();
  EXPECT_EQ(kQsoA.substr(0, 34) + "QQ1ABC          599           O  20\r\n", LogContent());
}

TEST_F(CorrectionTest, Time_LeavesTheScoreAndShowsTheLineLastUntilRecalculated) {
  StartWith(kBothModes, {kQsoA, kQsoB});
  SelectInList(0);
  ExpectBox(kTimeBox, "0705", " 08 10 ");
  form1().ZmieczasQSO1->trigger();
  const std::string corrected =
      "2024-12-01 0810 80M CW 599     12 QQ1ABC          599           5  2";
  EXPECT_EQ((std::vector<std::string>{kQsoB, corrected}), ListLines());
  EXPECT_EQ("12", form1().Label31->text());
  form1().Button9->click();
  EXPECT_EQ((std::vector<std::string>{corrected, kQsoB}), ListLines());
}

TEST_F(CorrectionTest, Correction_QsoNoLongerInTheFile_LeavesListAndFile) {
  StartWith(kBothModes, {kQsoA, kQsoB});
  WriteLog({kQsoB});
  SelectInList(0);
  ExpectBox(kCallsignBox, "QQ1ABC", "QQ2XYZ");
  form1().Zmieznakkorespondenta1->trigger();
  EXPECT_EQ((std::vector<std::string>{kQsoB}), FileLines());
  EXPECT_EQ((std::vector<std::string>{kQsoA, kQsoB}), ListLines());
}

TEST_F(CorrectionTest, Correction_OfAnEmptyLine_IsRefusedAndTouchesNoFileLine) {
  StartWith(kBothModes, {kQsoA, "", kQsoB, ""});
  const std::string content = LogContent();
  SelectInList(1);
  prompts_.ExpectMessage(ErrorMessage("Należy najpierw zaznaczyć łączność!"));
  form1().ZmieczasQSO1->trigger();
  prompts_.ExpectMessage(ErrorMessage("Należy najpierw zaznaczyć łączność!"));
  form1().Zmieemisj1->trigger();
  EXPECT_EQ(content, LogContent());
}

TEST_F(CorrectionTest, Correction_LogFileMissing_ReportsAndKeepsTheList) {
  StartWith(kBothModes, {kQsoA, kQsoB});
  std::filesystem::remove(dir_ / "zawody_teltolmowe.zlg");
  SelectInList(0);
  ExpectBox(kTimeBox, "0705", "0810");
  prompts_.ExpectMessage(Message{});
  form1().ZmieczasQSO1->trigger();
  EXPECT_EQ(QStringLiteral("Błąd"), prompts_.shown.at(0).caption);
  EXPECT_EQ((std::vector<std::string>{kQsoA, kQsoB}), ListLines());
  EXPECT_EQ(0, form1().SelectedRow());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "zawody_teltolmowe.zlg"));
}

// --- Deletion ---

const Message kConfirmDeletion{"Potwierdzenie", "Czy na pewno usunąć zaznaczoną łączność?",
                               Icon::kQuestion, Buttons::kYesNo, Answer::kYes};

TEST_F(CorrectionTest, Delete_EarlierOfTwo_MakesTheLaterCount) {
  StartWith(kBothModes, {kQsoA, kQsoB, kQsoC});
  SelectInList(0);
  prompts_.ExpectMessage(kConfirmDeletion, Answer::kYes);
  form1().Usu1->trigger();
  EXPECT_EQ((std::vector<std::string>{kQsoB, kQsoC}), FileLines());
  EXPECT_EQ("2", ResultOf(ListLines().at(1)));
  EXPECT_EQ("12", form1().Label31->text());
  EXPECT_EQ(-1, form1().SelectedRow());
  ExpectFocusInCallsign();
  ExpectSameAsFreshStart();
}

// A correction that recalculates and a deletion change the list once: the correction keeps the
// row count, so its rows are rewritten in one signal with the views' layout kept; the deletion
// resets the model once. The counts and the partial check show the recalculated log as a fresh
// start does.
TEST_F(CorrectionTest, RecalculatingCommands_ResetTheListOnce) {
  const struct {
    const char* name;
    std::function<void()> run;
    const char* counts;
    int resets;
    int rewrites;
  } kCommands[] = {
      {"ReceivedGroup",
       [this] {
         ExpectBox(kReceivedGroupBox, "5", "O");
         form1().Zmieodebranynumerseryjny1->trigger();
       },
       "QSO: 3, zaliczone: 2", 0, 1},
      {"Deletion",
       [this] {
         prompts_.ExpectMessage(kConfirmDeletion, Answer::kYes);
         form1().Usu1->trigger();
       },
       "QSO: 2, zaliczone: 2", 1, 0},
  };
  for (const auto& command : kCommands) {
    SCOPED_TRACE(command.name);
    StartWith(kBothModes, {kQsoA, kQsoB, kQsoC});
    SelectInList(0);
    QAbstractItemModel* model = form1().ListBox1->model();
    QSignalSpy resets(model, &QAbstractItemModel::modelReset);
    QSignalSpy rewrites(model, &QAbstractItemModel::dataChanged);
    command.run();
    EXPECT_EQ(command.resets, resets.count());
    ASSERT_EQ(command.rewrites, rewrites.count());
    if (command.rewrites > 0) {
      EXPECT_EQ(0, rewrites[0][0].value<QModelIndex>().row());
      EXPECT_EQ(model->rowCount() - 1, rewrites[0][1].value<QModelIndex>().row());
    }
    EXPECT_TRUE(form1().CountsLabel->text().startsWith(QString::fromUtf8(command.counts)))
        << form1().CountsLabel->text().toStdString();
    ExpectSameAsFreshStart();
  }
}

TEST_F(CorrectionTest, Delete_TwoIdenticalQsos_AreRemovedTogether) {
  StartWith(kBothModes, {kQsoA, kQsoB, kQsoA});
  SelectInList(2);
  prompts_.ExpectMessage(kConfirmDeletion, Answer::kYes);
  form1().Usu1->trigger();
  EXPECT_EQ((std::vector<std::string>{kQsoB}), FileLines());
  ExpectSameAsFreshStart();
}

TEST_F(CorrectionTest, Delete_OnlyQso_LeavesAnEmptyLogAndScoreZero) {
  StartWith(kBothModes, {kQsoA});
  prompts_.ExpectMessage(kConfirmDeletion, Answer::kYes);
  form1().Usu1->trigger();
  EXPECT_EQ("", LogContent());
  EXPECT_TRUE(ListLines().empty());
  EXPECT_EQ("0", form1().Label31->text());
  EXPECT_EQ("0", form2().Edit7->text());
}

TEST_F(CorrectionTest, Delete_ReplacedLog_KeepsItsFileMode) {
  using std::filesystem::perms;
  StartWith(kBothModes, {kQsoA, kQsoB});
  const std::filesystem::path log = dir_ / "zawody_teltolmowe.zlg";
  const perms mode = perms::owner_read | perms::owner_write | perms::group_read;
  std::filesystem::permissions(log, mode);
  SelectInList(0);
  prompts_.ExpectMessage(kConfirmDeletion, Answer::kYes);
  form1().Usu1->trigger();
  EXPECT_EQ((std::vector<std::string>{kQsoB}), FileLines());
  EXPECT_EQ(mode, std::filesystem::status(log).permissions());
}

TEST_F(CorrectionTest, Delete_AnsweredNo_ChangesNothing) {
  StartWith(kBothModes, {kQsoA, kQsoB});
  SelectInList(0);
  prompts_.ExpectMessage(kConfirmDeletion, Answer::kNo);
  form1().Usu1->trigger();
  EXPECT_EQ((std::vector<std::string>{kQsoA, kQsoB}), FileLines());
  EXPECT_EQ((std::vector<std::string>{kQsoA, kQsoB}), ListLines());
  EXPECT_EQ(0, form1().SelectedRow());
}

TEST_F(CorrectionTest, Delete_LogFileMissing_ReportsAndKeepsTheLine) {
  StartWith(kBothModes, {kQsoA, kQsoB});
  std::filesystem::remove(dir_ / "zawody_teltolmowe.zlg");
  prompts_.ExpectMessage(kConfirmDeletion, Answer::kYes);
  prompts_.ExpectMessage(Message{});
  form1().Usu1->trigger();
  EXPECT_EQ((std::vector<std::string>{kQsoA, kQsoB}), ListLines());
  EXPECT_EQ(1, form1().SelectedRow());
}

// --- The mode choice ---

TEST_F(CorrectionTest, ModeCommand_OpensTheModalChoiceWithTheMainWindowsModes) {
  StartWith(kBothModes, {kQsoA, kQsoB});
  form1().ComboBox2->setCurrentIndex(1);
  SelectInList(0);
  form1().Zmieemisj1->trigger();
  ASSERT_TRUE(form4().isVisible());
  EXPECT_EQ(QStringLiteral("Wybór emisji"), form4().windowTitle());
  EXPECT_NE(Qt::NonModal, form4().windowModality());
  EXPECT_EQ(&form4(), QApplication::activeModalWidget());
  ASSERT_EQ(2, form4().ComboBox1->count());
  EXPECT_EQ("CW", form4().ComboBox1->itemText(0));
  EXPECT_EQ("SSB", form4().ComboBox1->itemText(1));
  EXPECT_EQ(1, form4().ComboBox1->currentIndex());
  EXPECT_EQ(kQsoA, form1().selected_log_line());
}

TEST_F(CorrectionTest, ChoiceDialog_HasItsFixedLayoutAndNoCaptionButtons) {
  Start();
  EXPECT_EQ(QSize(277, 68), form4().size());
  EXPECT_EQ(form4().minimumSize(), form4().maximumSize());
  const Qt::WindowFlags flags = form4().windowFlags();
  EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                        Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(QPoint(16, 16), form4().ComboBox1->pos());
  EXPECT_EQ(153, form4().ComboBox1->width());
  EXPECT_FALSE(form4().ComboBox1->isEditable());
  EXPECT_TRUE(form4().ComboBox1->font().bold());
  EXPECT_EQ(QRect(184, 16, 75, 33), form4().Button1->geometry());
  EXPECT_EQ("OK", form4().Button1->text());
}

struct ModeRow {
  const char* name;
  std::string line;
  int chosen;
  bool by_enter;
  std::string changed_line;
};
void PrintTo(const ModeRow& row, std::ostream* os) { *os << row.name; }

class ModeChoiceTest : public CorrectionTest, public ::testing::WithParamInterface<ModeRow> {};

TEST_P(ModeChoiceTest, RewritesModeAndReportsThenRecalculates) {
  const ModeRow& row = GetParam();
  StartWith(kBothModes, {row.line, kQsoB});
  SelectInList(0);
  form1().Zmieemisj1->trigger();
  form4().ComboBox1->setCurrentIndex(row.chosen);
  if (row.by_enter) {
    QTest::keyClick(form4().ComboBox1, Qt::Key_Return);
  } else {
    QTest::mouseClick(form4().Button1, Qt::LeftButton);
  }
  EXPECT_FALSE(form4().isVisible());
  EXPECT_EQ((std::vector<std::string>{row.changed_line, kQsoB}), FileLines());
  EXPECT_EQ(1, form1().SelectedRow());
  ExpectFocusInCallsign();
  ExpectSameAsFreshStart();
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ModeChoiceTest,
    ::testing::Values(
        ModeRow{"Cw599ToPh59", kQsoA, 1, false,
                "2024-12-01 0705 80M PH 59      12 QQ1ABC          59            5  2"},
        ModeRow{"Ph59ToCw599",
                "2024-12-01 0705 80M PH 59      12 QQ1ABC          59            5  1", 0, false,
                "2024-12-01 0705 80M CW 599     12 QQ1ABC          599           5  1"},
        ModeRow{"Cw579ToPh57",
                "2024-12-01 0705 80M CW 579     12 QQ1ABC          579           5  2", 1, false,
                "2024-12-01 0705 80M PH 57      12 QQ1ABC          57            5  2"},
        ModeRow{"Cw55StaysCwAs559ByEnter",
                "2024-12-01 0705 80M CW 55      12 QQ1ABC          55            5  2", 0, true,
                "2024-12-01 0705 80M CW 559     12 QQ1ABC          559           5  2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CorrectionTest, ModeChoice_WriteFails_ReportsAndStaysOpen) {
  StartWith(kBothModes, {kQsoA, kQsoB});
  SelectInList(0);
  form1().Zmieemisj1->trigger();
  std::filesystem::remove(dir_ / "zawody_teltolmowe.zlg");
  prompts_.ExpectMessage(Message{});
  form4().Button1Click();
  EXPECT_EQ(QStringLiteral("Błąd"), prompts_.shown.at(0).caption);
  EXPECT_TRUE(form4().isVisible());
  EXPECT_EQ((std::vector<std::string>{kQsoA, kQsoB}), ListLines());
}

TEST_F(CorrectionTest, ChoiceDialog_ForAnotherPurpose_WritesTheLineBackUnchanged) {
  StartWith(kBothModes, {kQsoA, kQsoB});
  SelectInList(0);
  form1().Zmieemisj1->trigger();
  // Told it is for nothing the dialog knows, whatever its caption says, OK changes no QSO.
  form4().ShowChoice(TForm4::Purpose::kNone, QStringLiteral("Wybór emisji"), {"CW", "SSB"}, 0);
  form4().ComboBox1->setCurrentIndex(1);
  form4().Button1Click();
  EXPECT_EQ((std::vector<std::string>{kQsoA, kQsoB}), FileLines());
  EXPECT_FALSE(form4().isVisible());
  ExpectSameAsFreshStart();
}

}  // namespace
}  // namespace zt::testing
