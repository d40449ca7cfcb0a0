// The real main window on the offscreen platform: each figure is a handler as the operator's
// action runs it, with the repaint it causes.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/log_file.h"
#include "app/log_line.h"
#include "app/text.h"
#include "bench/bench_program.h"
#include "bench/fixtures.h"

namespace zt::bench {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

const DataDirectory& Directory(const benchmark::State& state, Round round) {
  return DirectoryFor(static_cast<int>(state.range(0)), round);
}

void ReportQuestions(benchmark::State& state, const SilentPrompts& prompts) {
  if (prompts.asked > 0) state.SkipWithError("a question was asked");
}

void Startup(benchmark::State& state, Round round) {
  const DataDirectory& directory = Directory(state, round);
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    auto program = std::make_unique<StartedProgram>(directory.path());
    state.SetIterationTime(SecondsSince(start));
    if (program->form1().log_list.Count() != static_cast<int>(directory.lines().size())) {
      state.SkipWithError("the log was not loaded");
    }
    ReportQuestions(state, program->prompts());
    program.reset();
    StartedProgram::Settle();
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
  const DataDirectory& directory = Directory(state, round);
  StartedProgram program(directory.path());
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    program.form1().Button9Click();
    state.SetIterationTime(SecondsSince(start));
    StartedProgram::Settle();
  }
  ReportQuestions(state, program.prompts());
}

// Painting the whole main window, the visible rows of the log list included: what every action
// adds once the event loop runs again.
void Repaint(benchmark::State& state, Round round) {
  const DataDirectory& directory = Directory(state, round);
  StartedProgram program(directory.path());
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
    if (form.log_list.Count() != static_cast<int>(directory.lines().size()) + added) {
      state.SkipWithError("a QSO was not added");
    }
    ReportQuestions(state, program.prompts());
  }
  directory.RestoreLog();
}

void Keystroke(benchmark::State& state, Round round) {
  const DataDirectory& directory = Directory(state, round);
  StartedProgram program(directory.path());
  TForm1& form = program.form1();
  form.ComboBox2->setCurrentIndex(0);
  form.ComboBox2Change();
  form.Edit4->setFocus();
  const std::string callsign = WorkedCallsign(round);
  std::size_t typed = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    QTest::keyClick(form.Edit4, callsign[typed]);
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
  ReportQuestions(state, program.prompts());
}

// Selects a QSO in the middle of the log, as the operator does before a correction.
int SelectMiddle(TForm1& form) {
  const int row = form.log_list.Count() / 2;
  form.SelectRow(row);
  form.SelectedLogLine = form.log_list.LineAt(row);
  return row;
}

void Correction(benchmark::State& state, Round round) {
  const DataDirectory& directory = Directory(state, round);
  {
    StartedProgram program(directory.path());
    TForm1& form = program.form1();
    const int row = SelectMiddle(form);
    const std::string groups[] = {round == Round::kVhf ? "7KO11AA" : "B",
                                  round == Round::kVhf ? "8KO11AA" : "DG"};
    int corrected = 0;
    for (auto _ : state) {
      const std::string group = RightAligned(groups[corrected++ % 2], 11);
      form.SelectRow(row);
      form.SelectedLogLine = form.log_list.LineAt(row);
      const Clock::time_point start = Clock::now();
      const IoResult<RewriteOutcome> outcome = RewriteLogFile(
          form.log_files(), form.SelectedLogLine,
          [&group](std::string_view line) { return ReplaceColumns(line, 55, group); });
      form.Button9Click();
      state.SetIterationTime(SecondsSince(start));
      StartedProgram::Settle();
      if (!outcome.ok() || outcome.value().matched_lines != 1) {
        state.SkipWithError("the QSO was not corrected");
        break;
      }
    }
    ReportQuestions(state, program.prompts());
  }
  directory.RestoreLog();
}

void Deletion(benchmark::State& state, Round round) {
  const DataDirectory& directory = Directory(state, round);
  {
    StartedProgram program(directory.path());
    TForm1& form = program.form1();
    for (auto _ : state) {
      SelectMiddle(form);
      const Clock::time_point start = Clock::now();
      const IoResult<RewriteOutcome> outcome =
          RewriteLogFile(form.log_files(), form.SelectedLogLine,
                         [](std::string_view) { return std::optional<std::string>(); });
      form.Button9Click();
      state.SetIterationTime(SecondsSince(start));
      StartedProgram::Settle();
      if (!outcome.ok() || outcome.value().matched_lines != 1) {
        state.SkipWithError("the QSO was not deleted");
        break;
      }
      // Put the QSO back at the end, so every deletion meets a log of the same size.
      if (AppendDurably(form.log_files().log, form.SelectedLogLine + "\r\n")) {
        state.SkipWithError("cannot restore the QSO");
        break;
      }
      form.log_list.Append(form.SelectedLogLine);
    }
    ReportQuestions(state, program.prompts());
  }
  directory.RestoreLog();
}

#define ZT_WINDOW_BENCHMARK(function, timing)                                        \
  BENCHMARK_CAPTURE(function, ShortWave, Round::kShortWave)->Apply(Sizes)->timing(); \
  BENCHMARK_CAPTURE(function, Vhf, Round::kVhf)->Apply(Sizes)->timing()

ZT_WINDOW_BENCHMARK(Startup, UseManualTime);
ZT_WINDOW_BENCHMARK(Button9Click, UseManualTime);
ZT_WINDOW_BENCHMARK(Repaint, UseRealTime);
ZT_WINDOW_BENCHMARK(Button4Click, UseManualTime);
ZT_WINDOW_BENCHMARK(Keystroke, UseManualTime);
ZT_WINDOW_BENCHMARK(Correction, UseManualTime);
ZT_WINDOW_BENCHMARK(Deletion, UseManualTime);
BENCHMARK_CAPTURE(StartupPeakMemory, ShortWave, Round::kShortWave)
    ->Arg(100000)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK_CAPTURE(StartupPeakMemory, Vhf, Round::kVhf)->Arg(100000)->Iterations(1)->UseRealTime();

}  // namespace
}  // namespace zt::bench
