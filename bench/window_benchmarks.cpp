// The real windows on the offscreen platform: each figure is a handler as the operator's action
// runs it. What the handler leaves for the event loop (the repaint) is delivered after the
// measurement; the repaint is measured on its own.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTest>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_program.h"
#include "bench/fixtures.h"
#include "core/file_io.h"
#include "core/log_file.h"
#include "export/ui/adif_dialog.h"
#include "station/ui/rig_client.h"

namespace zt::bench {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

const DataDirectory& Directory(const benchmark::State& state, Round round) {
  return DirectoryFor(static_cast<int>(state.range(0)), round);
}

// The handler asked exactly what its measured path asks, per iteration.
void ExpectQuestions(benchmark::State& state, const BenchPrompts& prompts, int per_iteration) {
  if (prompts.asked != per_iteration * static_cast<int>(state.iterations())) {
    state.SkipWithError("the handler asked other questions than expected");
  }
}

void Startup(benchmark::State& state, Round round) {
  const DataDirectory& directory = Directory(state, round);
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    auto program = std::make_unique<StartedProgram>(directory.path());
    state.SetIterationTime(SecondsSince(start));
    if (program->form1().LineCount() != static_cast<int>(directory.lines().size()) ||
        program->prompts().asked != 0) {
      state.SkipWithError("the log was not loaded without questions");
    }
    program.reset();
    StartedProgram::Settle();
  }
}

// Starts zt_first_frame with `arguments` and waits until it has painted its first frame and
// exited; false when it failed.
bool RunToFirstFrame(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), ZT_FIRST_FRAME);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  int status = 0;
  return posix_spawn(&child, ZT_FIRST_FRAME, nullptr, nullptr, argv.data(), environ) == 0 &&
         waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// An empty window of the same size, in a process linked like the program: the floor of the
// start-up.
void EmptyWindowProcess(benchmark::State& state) {
  for (auto _ : state) {
    if (!RunToFirstFrame({"empty"})) {
      state.SkipWithError("the empty window did not paint");
      break;
    }
  }
}

// The program's start-up as the operator meets it: from the process start to the first painted
// frame of the main window with the log loaded.
void StartupProcess(benchmark::State& state, Round round) {
  const std::string directory = Directory(state, round).path().string();
  for (auto _ : state) {
    if (!RunToFirstFrame({"program", directory})) {
      state.SkipWithError("the program did not start without questions");
      break;
    }
  }
}

// The peak memory of a process that starts the program on the log and stops there.
void StartupPeakMemory(benchmark::State& state, Round round) {
  const DataDirectory& directory = Directory(state, round);
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  const std::string command =
      "'" + executable.string() + "' --startup-peak-rss='" + directory.path().string() + "'";
  long kilobytes = -1;
  for (auto _ : state) {
    std::FILE* child = popen(command.c_str(), "r");
    if (child == nullptr || std::fscanf(child, "%ld", &kilobytes) != 1) kilobytes = -1;
    if (child != nullptr && pclose(child) != 0) kilobytes = -1;
    if (kilobytes < 0) state.SkipWithError("the start-up process failed");
  }
  state.counters["peak_rss_MB"] = static_cast<double>(kilobytes) / 1024.0;
}

void Button9Click(benchmark::State& state, Round round) {
  StartedProgram program(Directory(state, round).path());
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    program.form1().Button9Click();
    state.SetIterationTime(SecondsSince(start));
    StartedProgram::Settle();
  }
  ExpectQuestions(state, program.prompts(), 0);
}

// Painting the whole main window, the visible rows of the log list included: what an action
// adds once the event loop runs again.
void Repaint(benchmark::State& state, Round round) {
  StartedProgram program(Directory(state, round).path());
  for (auto _ : state) program.form1().repaint();
}

// A new station each time, so every QSO takes the scoring path.
QString NewCallsign(int number) {
  QString suffix;
  do {
    suffix.prepend(QChar('A' + number % 26));
    number /= 26;
  } while (number > 0);
  return "QQ8" + suffix;
}

void Button4Click(benchmark::State& state, Round round) {
  const DataDirectory& directory = Directory(state, round);
  {
    StartedProgram program(directory.path());
    TForm1& form = program.form1();
    int added = 0;
    for (auto _ : state) {
      form.Edit4->setText(NewCallsign(added++));
      form.Edit6->setText(round == Round::kVhf ? "12KO02HU" : "O");
      const Clock::time_point start = Clock::now();
      form.Button4Click();
      state.SetIterationTime(SecondsSince(start));
      form.Timer1->stop();
      StartedProgram::Settle();
    }
    if (form.LineCount() != static_cast<int>(directory.lines().size()) + added) {
      state.SkipWithError("a QSO was not added");
    }
    ExpectQuestions(state, program.prompts(), 0);
  }
  directory.RestoreLog();
}

// Types the worked callsign over and over; `settled` counts the events the keystroke leaves
// (the radio's socket among them) in its time.
void TypeKeystrokes(benchmark::State& state, Round round, StartedProgram& program, bool settled) {
  TForm1& form = program.form1();
  form.ComboBox2->setCurrentIndex(0);
  form.ComboBox2Change();
  // With a group typed, every keystroke also shows what the QSO would score and the partial check.
  form.Edit6->setText(round == Round::kVhf ? "1KO02MA" : "5");
  form.Edit4->setFocus();
  const std::string callsign = WorkedCallsign(round);
  std::size_t typed = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    QTest::keyClick(form.Edit4, callsign[typed]);
    if (settled) StartedProgram::Settle();
    state.SetIterationTime(SecondsSince(start));
    StartedProgram::Settle();
    if (++typed == callsign.size()) {
      typed = 0;
      form.Edit4->clear();
      StartedProgram::Settle();
    }
  }
  if (state.iterations() >= static_cast<benchmark::IterationCount>(callsign.size()) &&
      program.prompts().beeps == 0) {
    state.SkipWithError("the worked callsign was not recognised");
  }
  ExpectQuestions(state, program.prompts(), 0);
}

void Keystroke(benchmark::State& state, Round round) {
  StartedProgram program(Directory(state, round).path());
  TypeKeystrokes(state, round, program, false);
}

// Hamlib's rigctld with its dummy radio on a port of this process's own, for as long as it
// lives; not running when rigctld is missing.
class Rigctld {
 public:
  Rigctld() : port_(std::to_string(41000 + getpid() % 20000)) {
    std::string arguments[] = {"rigctld", "-m", "1", "-t", port_};
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    if (posix_spawnp(&pid_, "rigctld", nullptr, nullptr, argv.data(), environ) != 0) pid_ = 0;
  }
  ~Rigctld() {
    if (pid_ == 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  bool running() const { return pid_ != 0; }
  std::uint16_t port() const { return static_cast<std::uint16_t>(std::stoi(port_)); }

 private:
  std::string port_;
  pid_t pid_ = 0;
};

// The keystroke while the radio polls a live rigctld: the events of its socket are delivered
// within each keystroke's time.
void KeystrokeWithRadio(benchmark::State& state, Round round) {
  Rigctld rigctld;
  if (!rigctld.running()) {
    state.SkipWithError("rigctld is missing (Debian: libhamlib-utils)");
    return;
  }
  StartedProgram program(Directory(state, round).path());
  TForm1& form = program.form1();
  form.ApplyRadioSettings(RadioSettings{RigctldSettings{true, "127.0.0.1", rigctld.port()}});
  const Clock::time_point start = Clock::now();
  while (form.rig_client().reading().link != RigLink::kConnected) {
    if (SecondsSince(start) > 10) {
      state.SkipWithError("rigctld did not answer");
      return;
    }
    // Connection refused until the daemon listens: the reconnect timer tries again.
    QTest::qWait(20);
  }
  TypeKeystrokes(state, round, program, true);
  if (form.rig_client().reading().link != RigLink::kConnected) {
    state.SkipWithError("the radio lost rigctld while typing");
  }
  form.ApplyRadioSettings(RadioSettings{});
}

// The QSO in the middle of the log, selected as the operator selects it before a command.
void SelectMiddle(TForm1& form) { form.SelectRow(form.LineCount() / 2); }

// "Zmień odebraną grupę kontrolną" on the QSO in the middle: the rewrite of the file and the
// recalculation, the corrected group typed into the input box.
void Correction(benchmark::State& state, Round round) {
  const DataDirectory& directory = Directory(state, round);
  {
    StartedProgram program(directory.path());
    TForm1& form = program.form1();
    const QString groups[] = {round == Round::kVhf ? "7KO01AA" : "B",
                              round == Round::kVhf ? "8KO01AA" : "DG"};
    int corrected = 0;
    for (auto _ : state) {
      SelectMiddle(form);
      program.prompts().typed = groups[corrected++ % 2];
      const Clock::time_point start = Clock::now();
      form.Zmieodebranynumerseryjny1Click();
      state.SetIterationTime(SecondsSince(start));
      StartedProgram::Settle();
    }
    if (ReadWholeFile(FileSteps::System(), directory.log_file()).value() ==
        JoinLines(directory.lines())) {
      state.SkipWithError("the QSO was not corrected");
    }
    ExpectQuestions(state, program.prompts(), 1);
  }
  directory.RestoreLog();
}

// "Usuń QSO" on the QSO in the middle, confirmed: the rewrite of the file and the recalculation.
void Deletion(benchmark::State& state, Round round) {
  const DataDirectory& directory = Directory(state, round);
  {
    StartedProgram program(directory.path());
    TForm1& form = program.form1();
    program.prompts().answer = Answer::kYes;
    for (auto _ : state) {
      SelectMiddle(form);
      const std::string deleted = form.contest_log().lines().at(form.SelectedRow());
      const Clock::time_point start = Clock::now();
      form.Usu1Click();
      state.SetIterationTime(SecondsSince(start));
      StartedProgram::Settle();
      if (form.LineCount() + 1 != static_cast<int>(directory.lines().size())) {
        state.SkipWithError("the QSO was not deleted");
        break;
      }
      // The QSO goes back at the end, so every deletion meets a log of the same size.
      if (AppendToLogFile(form.contest_log().files(), deleted).log) {
        state.SkipWithError("cannot put the QSO back");
        break;
      }
      form.Button9Click();
      StartedProgram::Settle();
    }
    ExpectQuestions(state, program.prompts(), 1);
  }
  directory.RestoreLog();
}

// "Zapisz plik Cabrillo", its question answered Yes: the text and the written file.
void CabrilloExport(benchmark::State& state, Round round) {
  StartedProgram program(Directory(state, round).path());
  program.prompts().answer = Answer::kYes;
  for (auto _ : state) {
    program.form1().Button2Click();
    StartedProgram::Settle();
  }
  // The question before the export and the completion after it.
  ExpectQuestions(state, program.prompts(), 2);
}

// "Zapisz" of the ADIF dialog: the text and the written file.
void AdifExport(benchmark::State& state, Round round) {
  StartedProgram program(Directory(state, round).path());
  program.form1().Button7Click();
  for (auto _ : state) {
    program.form1().adif_dialog().Button1Click();
    StartedProgram::Settle();
  }
  ExpectQuestions(state, program.prompts(), 1);
}

#define ZT_WINDOW_BENCHMARK(function, timing)                                        \
  BENCHMARK_CAPTURE(function, ShortWave, Round::kShortWave)->Apply(Sizes)->timing(); \
  BENCHMARK_CAPTURE(function, Vhf, Round::kVhf)->Apply(Sizes)->timing()

BENCHMARK(EmptyWindowProcess)->UseRealTime();
ZT_WINDOW_BENCHMARK(StartupProcess, UseRealTime);
ZT_WINDOW_BENCHMARK(Startup, UseManualTime);
ZT_WINDOW_BENCHMARK(Button9Click, UseManualTime);
ZT_WINDOW_BENCHMARK(Repaint, UseRealTime);
ZT_WINDOW_BENCHMARK(Button4Click, UseManualTime);
ZT_WINDOW_BENCHMARK(Keystroke, UseManualTime);
ZT_WINDOW_BENCHMARK(KeystrokeWithRadio, UseManualTime);
ZT_WINDOW_BENCHMARK(Correction, UseManualTime);
ZT_WINDOW_BENCHMARK(Deletion, UseManualTime);
ZT_WINDOW_BENCHMARK(CabrilloExport, UseRealTime);
ZT_WINDOW_BENCHMARK(AdifExport, UseRealTime);
BENCHMARK_CAPTURE(StartupPeakMemory, ShortWave, Round::kShortWave)
    ->Arg(100000)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK_CAPTURE(StartupPeakMemory, Vhf, Round::kVhf)->Arg(100000)->Iterations(1)->UseRealTime();

}  // namespace
}  // namespace zt::bench
