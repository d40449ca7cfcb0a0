#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/program.h"
#include "core/file_io.h"
#include "corrections/ui/choice_dialog.h"
#include "export/ui/adif_dialog.h"
#include "settings/ui/station_dialog.h"
#include "tests/support/fake_time_source.h"
#include "tests/support/program_fixture.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_dir.h"

namespace zt::testing {
namespace {

const std::string kFirst = "2026-12-06 1205 80M CW 599      1 QQ1ABC          599           5  2";
const std::string kSecond = "2026-12-06 1207 80M CW 599      2 QQ2DEF          599           O  20";
const std::string kTwoLines = kFirst + "\r\n" + kSecond + "\r\n";
// The QSO the tests add: the fake clock's 12:05, the next serial 3.
const std::string kThird = "2026-12-06 1205 80M CW 599      3 QQ3GHI          599          12  2";

constexpr int kErrors[] = {ENOSPC, EIO, EACCES, EROFS, EDQUOT};

Message IoMessage(const std::filesystem::path& path, int error) {
  return ErrorMessage(IoErrorText(IoError{path, std::strerror(error)}));
}

// The backup is never read: failing to write it is a warning, and the QSO is stored.
Message BackupWarning(const std::filesystem::path& path, int error) {
  return Message{"Ostrzeżenie",
                 QString::fromUtf8("Nie można zapisać kopii zapasowej logu\n%1\n%2\n\nŁączność "
                                   "została zapisana w logu.")
                     .arg(QString::fromStdU16String(path.u16string()), std::strerror(error)),
                 Icon::kWarning, Buttons::kOk, Answer::kOk};
}

bool IsBackup(const std::string& file) {
  return file == "zawody_teltolmowe.zl~" || file == "temporary.zl~";
}

// What the main window shows of the log; a fresh start on the same directory must show the same.
// The lines are compared sorted: a corrected line stands last in the list until the next
// recalculation puts it back in its place.
struct Shown {
  std::vector<std::string> lines;
  QString score;
  QString claimed_score;
  QString next_sent_group;
  QStringList letters;
  bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* out) {
  *out << "score " << shown.score.toStdString() << ", claimed " << shown.claimed_score.toStdString()
       << ", next " << shown.next_sent_group.toStdString() << ", letters "
       << shown.letters.join(' ').toStdString() << ", lines:";
  for (const std::string& line : shown.lines) *out << "\n  " << line;
}

Shown ShownBy(TForm1& window) {
  Shown shown{window.contest_log().lines(),
              window.Label31->text(),
              window.station_dialog().Edit7->text(),
              window.Edit8->text(),
              {}};
  for (QLabel* letter : window.LetterLabels) shown.letters << letter->styleSheet();
  std::sort(shown.lines.begin(), shown.lines.end());
  return shown;
}

// One program on its own data directory, with its own prompts and clock.
class Session {
 public:
  explicit Session(const std::string& log_content) {
    WriteFile(dir / "zawody_teltolmowe.ini", SettingsFileFor(4));
    WriteFile(dir / "zawody_teltolmowe.zlg", log_content);
  }
  void Start() {
    program = std::make_unique<Program>(Environment{dir.path(), &prompts, &clock, &file_steps});
    form1().show();
    form1().activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form1()));
    form1().Timer1->stop();
  }
  TForm1& form1() { return program->form1(); }

  void AddQso(const QString& callsign, const QString& group) {
    form1().Edit4->setFocus();
    QTest::keyClicks(form1().Edit4, callsign);
    form1().Edit6->setFocus();
    QTest::keyClicks(form1().Edit6, group);
    QTest::keyClick(form1().Edit6, Qt::Key_Return);
  }

  // What a fresh start on this directory shows; its start-up messages are the given ones.
  Shown ShownAfterRestart(const std::vector<Message>& start_messages = {}) {
    ScriptedPrompts restart_prompts;
    for (const Message& message : start_messages) restart_prompts.ExpectMessage(message);
    FakeTimeSource restart_clock;
    Program restarted(Environment{dir.path(), &restart_prompts, &restart_clock});
    return ShownBy(restarted.form1());
  }

  std::string Log() const { return ReadFile(dir / "zawody_teltolmowe.zlg"); }

  TempDir dir;
  ScriptedPrompts prompts;
  FakeTimeSource clock;
  ScriptedFileSteps file_steps;  // every step runs until a test sets its answer
  std::unique_ptr<Program> program;
};

std::vector<std::string> ListOf(const std::string& log) { return SplitLines(log); }

struct StepCall {
  IoStep step;
  std::string file;
};

// Every file step of adding a QSO in an undisturbed run.
std::vector<StepCall> StepsOfAdding() {
  Session session(kTwoLines);
  session.Start();
  std::vector<StepCall> steps;
  session.file_steps.answer = [&](IoStep step, const std::filesystem::path& path) {
    steps.push_back({step, path.filename().string()});
    return 0;
  };
  session.AddQso("QQ3GHI", "12");
  session.file_steps.answer = nullptr;
  EXPECT_EQ(kTwoLines + kThird + "\r\n", session.Log());
  return steps;
}

// The steps a window test fails: the first on each file and the last. The contest log's own tests
// fail every step; these show what the window makes of a failure.
std::vector<std::size_t> FirstOnEachFileAndLast(const std::vector<StepCall>& steps) {
  std::vector<std::size_t> chosen;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (std::find(files.begin(), files.end(), steps[i].file) != files.end()) continue;
    files.push_back(steps[i].file);
    chosen.push_back(i);
  }
  if (!steps.empty() && chosen.back() != steps.size() - 1) chosen.push_back(steps.size() - 1);
  return chosen;
}

TEST(WindowFaults, AddingFailsAtAFileStep_ReportsTheReasonAndShowsWhatTheFileHolds) {
  const std::vector<StepCall> steps = StepsOfAdding();
  ASSERT_GE(steps.size(), 11u);
  const std::vector<std::size_t> failing_steps = FirstOnEachFileAndLast(steps);
  for (std::size_t failing : failing_steps) {
    SCOPED_TRACE("step " + std::to_string(failing) + " on " + steps[failing].file);
    const int error = kErrors[failing % std::size(kErrors)];
    Session session(kTwoLines);
    session.Start();
    std::size_t calls = 0;
    session.file_steps.answer = [&](IoStep, const std::filesystem::path&) {
      return calls++ == failing ? error : 0;
    };
    const std::filesystem::path failing_file = session.dir / steps[failing].file;
    // Behind the box the list shows what the file holds, so a crash there parts nothing.
    std::vector<std::string> lines_behind_the_box;
    session.prompts.while_shown = [&](const Message&) {
      lines_behind_the_box = session.form1().contest_log().lines();
    };
    if (IsBackup(steps[failing].file)) {
      session.prompts.ExpectMessage(BackupWarning(failing_file, error));
      session.AddQso("QQ3GHI", "12");
      session.file_steps.answer = nullptr;
      EXPECT_EQ(kTwoLines + kThird + "\r\n", session.Log());
      EXPECT_EQ(ListOf(kTwoLines + kThird + "\r\n"), lines_behind_the_box);
      EXPECT_EQ(session.ShownAfterRestart(), ShownBy(session.form1()));
      EXPECT_TRUE(session.form1().Edit4->text().isEmpty());
      continue;
    }
    session.prompts.ExpectMessage(IoMessage(failing_file, error));
    session.AddQso("QQ3GHI", "12");
    session.file_steps.answer = nullptr;

    EXPECT_EQ(kTwoLines, session.Log());
    EXPECT_EQ(ListOf(kTwoLines), lines_behind_the_box);
    EXPECT_EQ(session.ShownAfterRestart(), ShownBy(session.form1()));
    // The entry keeps the QSO, so Enter adds it again once the cause is gone.
    EXPECT_EQ("QQ3GHI", session.form1().Edit4->text());
    EXPECT_EQ("12", session.form1().Edit6->text());
    QTest::keyClick(session.form1().Edit6, Qt::Key_Return);
    EXPECT_EQ(kTwoLines + kThird + "\r\n", session.Log());
    EXPECT_EQ(session.ShownAfterRestart(), ShownBy(session.form1()));
    EXPECT_TRUE(session.form1().Edit4->text().isEmpty());
  }
  std::printf("[ faults   ] %zu failure points injected into adding a QSO\n", failing_steps.size());
}

QString PathText(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

// A file-writing command of the windows: what it asks before it writes, the command itself and
// the messages of its success. Each runs on a short-wave log of two QSOs.
struct WindowCommand {
  const char* name;
  std::function<void(Session&)> arrange;
  std::function<void(Session&)> run;
  std::function<void(Session&)> expect_success;
  const char* written_file;  // the file the command makes besides the log, if any
};

std::vector<WindowCommand> WindowCommands() {
  const auto nothing = [](Session&) {};
  const auto any_message = [](Session& s) { s.prompts.ExpectMessage(Message{}); };
  return {
      {"callsign correction",
       [](Session& s) {
         s.form1().SelectRow(1);
         s.prompts.ExpectInput("Zmiana znaku korespondenta", "Nowy znak", "QQ2DEF",
                               QString("QQ2XYZ"));
       },
       [](Session& s) { s.form1().Zmieznakkorespondenta1->trigger(); }, nothing, nullptr},
      {"deletion",
       [](Session& s) {
         s.form1().SelectRow(0);
         s.prompts.ExpectMessage(
             Message{"Potwierdzenie", QString::fromUtf8("Czy na pewno usunąć zaznaczoną łączność?"),
                     Icon::kQuestion, Buttons::kYesNo, Answer::kYes},
             Answer::kYes);
       },
       [](Session& s) { s.form1().Usu1->trigger(); }, nothing, nullptr},
      {"mode change",
       [](Session& s) {
         s.form1().SelectRow(0);
         s.form1().Zmieemisj1->trigger();
         s.program->form4().ComboBox1->setCurrentIndex(1);
       },
       [](Session& s) { s.program->form4().Button1Click(); }, nothing, nullptr},
      {"New log with a copy",
       [](Session& s) {
         s.prompts.ExpectSaveFileName(PathText(s.dir / "qq2xyz.log"), "Wszystkie pliki (*)",
                                      PathText(s.dir / "kopia.log"));
       },
       [](Session& s) { s.form1().Button8->click(); }, nothing, "kopia.log"},
      {"Cabrillo export",
       [](Session& s) {
         // The question whether the station data are right; its text is the exports' test's.
         s.prompts.ExpectMessage(Message{}, Answer::kYes);
       },
       [](Session& s) { s.form1().Button2->click(); }, any_message, "qq2xyz.cbr"},
      {"ADIF export", [](Session& s) { s.form1().Button7->click(); },
       [](Session& s) { s.program->form3().Button1->click(); }, any_message, "qq2xyz.adi"},
      {"station data OK", [](Session& s) { s.program->form2().Edit3->setText("nowy@example.com"); },
       [](Session& s) { s.program->form2().Button3->click(); }, nothing, "zawody_teltolmowe.ini"},
  };
}

struct Outcome {
  std::vector<StepCall> steps;
  std::string log;
  std::string written;
};

Outcome UndisturbedRun(const WindowCommand& command) {
  Session session(kTwoLines);
  session.Start();
  command.arrange(session);
  command.expect_success(session);
  Outcome outcome;
  session.file_steps.answer = [&](IoStep step, const std::filesystem::path& path) {
    outcome.steps.push_back({step, path.filename().string()});
    return 0;
  };
  command.run(session);
  session.file_steps.answer = nullptr;
  outcome.log = session.Log();
  if (command.written_file) outcome.written = ReadFile(session.dir / command.written_file);
  return outcome;
}

TEST(WindowFaults, EveryCommandFailingAtAFileStep_ReportsTheReasonAndShowsWhatTheFileHolds) {
  std::size_t failure_points = 0;
  for (const WindowCommand& command : WindowCommands()) {
    SCOPED_TRACE(command.name);
    const Outcome undisturbed = UndisturbedRun(command);
    ASSERT_FALSE(undisturbed.steps.empty());
    for (std::size_t failing : FirstOnEachFileAndLast(undisturbed.steps)) {
      SCOPED_TRACE("step " + std::to_string(failing) + " on " + undisturbed.steps[failing].file);
      const int error = kErrors[failing % std::size(kErrors)];
      Session session(kTwoLines);
      const std::string settings = ReadFile(session.dir / "zawody_teltolmowe.ini");
      session.Start();
      command.arrange(session);
      session.prompts.ExpectMessage(
          IoMessage(session.dir / undisturbed.steps[failing].file, error));
      std::size_t calls = 0;
      session.file_steps.answer = [&](IoStep, const std::filesystem::path&) {
        return calls++ == failing ? error : 0;
      };
      command.run(session);
      session.file_steps.answer = nullptr;
      ++failure_points;

      const std::string log = session.Log();
      EXPECT_TRUE(log == kTwoLines || log == undisturbed.log) << log;
      EXPECT_EQ(session.ShownAfterRestart(), ShownBy(session.form1()));
      if (command.written_file) {
        const std::filesystem::path written = session.dir / command.written_file;
        const std::string before =
            std::string(command.written_file) == "zawody_teltolmowe.ini" ? settings : "";
        const std::string content = ReadFile(written);
        EXPECT_TRUE(content == before || content == undisturbed.written) << content;
      }
      for (const char* leftover :
           {"temporary.zlg", "temporary.zl~", "kopia.log.zapis~", "qq2xyz.cbr.zapis~",
            "qq2xyz.adi.zapis~", "zawody_teltolmowe.in~"}) {
        EXPECT_FALSE(FileExists(session.dir / leftover)) << leftover;
      }
    }
  }
  std::printf("[ faults   ] %zu failure points injected into the windows' file commands\n",
              failure_points);
}

// A directory standing where a command writes: the command names it with the system's reason,
// the log stays, and the directory is left where it is.
TEST(WindowFaults, DirectoryWhereACommandWrites_IsReportedAndTheLogStays) {
  struct Case {
    const char* command;
    const char* directory;
  };
  const Case cases[] = {
      {"callsign correction", "temporary.zlg"},
      {"deletion", "temporary.zlg"},
      {"mode change", "temporary.zlg"},
      {"New log with a copy", "temporary.zlg"},
      {"Cabrillo export", "qq2xyz.cbr"},
      {"ADIF export", "qq2xyz.adi"},
      {"station data OK", "zawody_teltolmowe.in~"},
  };
  const std::vector<WindowCommand> commands = WindowCommands();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.command) + ", " + c.directory);
    const auto command = std::find_if(commands.begin(), commands.end(), [&](const auto& command) {
      return std::string(command.name) == c.command;
    });
    ASSERT_NE(commands.end(), command);
    Session session(kTwoLines);
    std::filesystem::create_directories(session.dir / c.directory / "inside");
    session.Start();
    command->arrange(session);
    session.prompts.ExpectMessage(IoMessage(session.dir / c.directory, EISDIR));
    command->run(session);
    EXPECT_EQ(kTwoLines, session.Log());
    EXPECT_EQ(session.ShownAfterRestart(), ShownBy(session.form1()));
    EXPECT_TRUE(std::filesystem::is_directory(session.dir / c.directory / "inside"));
  }
}

TEST(WindowFaults, DirectoryWhereTheBackupShouldBe_QsosAreStoredAndItIsToldOnce) {
  Session session(kTwoLines);
  const std::filesystem::path backup = session.dir / "zawody_teltolmowe.zl~";
  std::filesystem::create_directory(backup);
  session.Start();
  session.prompts.ExpectMessage(BackupWarning(backup, EISDIR));
  session.AddQso("QQ3GHI", "12");
  EXPECT_EQ(kTwoLines + kThird + "\r\n", session.Log());
  EXPECT_TRUE(session.form1().Edit4->text().isEmpty());
  // No second warning while it still fails; once it has worked, a new failure is told again.
  session.AddQso("QQ4JKL", "13");
  std::filesystem::remove(backup);
  session.AddQso("QQ5MNO", "14");
  std::filesystem::remove(backup);
  std::filesystem::create_directory(backup);
  session.prompts.ExpectMessage(BackupWarning(backup, EISDIR));
  session.AddQso("QQ6PQR", "15");
  EXPECT_TRUE(session.prompts.Done());
  EXPECT_EQ(6u, SplitLines(session.Log()).size());
  EXPECT_EQ(session.ShownAfterRestart(), ShownBy(session.form1()));
}

TEST(WindowFaults, DirectoryWhereTheLogShouldBe_StartAndAddingSaySoAndShowNoQso) {
  Session session("");
  const std::filesystem::path log = session.dir / "zawody_teltolmowe.zlg";
  std::filesystem::remove(log);
  std::filesystem::create_directories(log / "inside");
  session.prompts.ExpectMessage(IoMessage(log, EISDIR));
  session.Start();
  EXPECT_EQ(0, session.form1().LineCount());
  // The append fails, then the recalculation that shows what the file holds cannot read it.
  session.prompts.ExpectMessage(IoMessage(log, EISDIR));
  session.prompts.ExpectMessage(IoMessage(log, EISDIR));
  session.AddQso("QQ3GHI", "12");
  EXPECT_EQ(0, session.form1().LineCount());
  EXPECT_EQ("0", session.form1().Label31->text());
  EXPECT_EQ(session.ShownAfterRestart({IoMessage(log, EISDIR)}), ShownBy(session.form1()));
  EXPECT_TRUE(std::filesystem::is_directory(log / "inside"));
}

TEST(WindowFaults, DirectoryWhereTheTemporaryFileShouldBe_NoLogIsCreatedAndAddingSaysSo) {
  Session session("");
  const std::filesystem::path log = session.dir / "zawody_teltolmowe.zlg";
  const std::filesystem::path temporary = session.dir / "temporary.zlg";
  std::filesystem::remove(log);
  std::filesystem::create_directory(temporary);
  session.prompts.ExpectMessage(IoMessage(temporary, EISDIR));
  session.Start();
  session.prompts.ExpectMessage(IoMessage(log, ENOENT));
  session.AddQso("QQ3GHI", "12");
  EXPECT_FALSE(FileExists(log));
  EXPECT_EQ(0, session.form1().LineCount());
  EXPECT_TRUE(std::filesystem::is_directory(temporary));
  EXPECT_EQ(session.ShownAfterRestart({IoMessage(temporary, EISDIR)}), ShownBy(session.form1()));
}

// A rewrite killed before its rename leaves the temporary file; the next start ignores it, and
// the log it creates when none is there replaces it.
TEST(WindowFaults, LeftoverTemporaryFile_DoesNotDisturbTheNextStart) {
  const std::string leftover = kFirst + "\r\n" + kSecond.substr(0, 30);
  {
    Session session(kTwoLines);
    WriteFile(session.dir / "temporary.zlg", leftover);
    session.Start();
    EXPECT_EQ((std::vector<std::string>{kFirst, kSecond}), session.form1().contest_log().lines());
    EXPECT_EQ("22", session.form1().Label31->text());
    session.AddQso("QQ3GHI", "12");
    EXPECT_EQ(kTwoLines + kThird + "\r\n", session.Log());
  }
  {
    Session session("");
    std::filesystem::remove(session.dir / "zawody_teltolmowe.zlg");
    WriteFile(session.dir / "temporary.zlg", leftover);
    session.Start();
    EXPECT_EQ("", session.Log());
    EXPECT_FALSE(FileExists(session.dir / "temporary.zlg"));
    EXPECT_EQ(0, session.form1().LineCount());
  }
}

}  // namespace
}  // namespace zt::testing
