// Runs the benchmarks, then prints the figures as Markdown tables beside their floors, and checks
// the targets. Exits 1 when a measured target is missed or a benchmark stopped with an error.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "bench/bench_program.h"

namespace zt::bench {
namespace {

constexpr char kPeakRssOption[] = "--startup-peak-rss=";

// The child process of StartupPeakMemory: starts the program on the directory's log and prints
// its peak resident set in kilobytes.
int PrintStartupPeakRss(const char* data_directory) {
  int argc = 1;
  char name[] = "zt_bench";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  StartedProgram program(data_directory);
  rusage usage{};
  if (getrusage(RUSAGE_SELF, &usage) != 0) return 1;
  std::printf("%ld\n", usage.ru_maxrss);  // kilobytes on Linux
  return program.prompts().asked == 0 ? 0 : 1;
}

struct Figure {
  double milliseconds = 0;
  std::map<std::string, double> counters;
};

// Keeps the median of each benchmark (or its only run) by name, e.g. "Button9Click/Vhf/1000".
class FigureReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) {
        ++failed_;
        continue;
      }
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
      if (!median && !single) continue;
      Figure figure;
      figure.milliseconds =
          run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
      for (const auto& [name, counter] : run.counters) figure.counters[name] = counter.value;
      figures_[run.run_name.function_name + "/" + run.run_name.args] = figure;
    }
  }

  std::optional<Figure> Find(const std::string& name) const {
    const auto found = figures_.find(name);
    if (found == figures_.end()) return std::nullopt;
    return found->second;
  }

  // Benchmarks that stopped with an error (a file step failed, an unexpected question).
  int failed() const { return failed_; }

 private:
  std::map<std::string, Figure> figures_;
  int failed_ = 0;
};

std::string Duration(double milliseconds) {
  char text[32];
  if (milliseconds < 1) {
    std::snprintf(text, sizeof text, "%.1f µs", milliseconds * 1e3);
  } else if (milliseconds < 100) {
    std::snprintf(text, sizeof text, "%.2f ms", milliseconds);
  } else {
    std::snprintf(text, sizeof text, "%.0f ms", milliseconds);
  }
  return text;
}

constexpr const char* kRounds[] = {"ShortWave", "Vhf"};
constexpr int kTableSizes[] = {1000, 10000, 100000};

// The floors, each measured in the same run as the figures beside it.
constexpr char kReadFloor[] = "ReadFile";
constexpr char kAppendFloor[] = "SyncedAppend";
constexpr char kWindowFloor[] = "EmptyWindowProcess";

struct Row {
  const char* benchmark;
  const char* action;
  const char* floor;   // null for a floor itself and for what reads no file
  bool action_target;  // under a frame at 10,000 QSOs and 100 ms at 100,000
};

constexpr Row kRows[] = {
    {"ReadFile", "Reading the log file whole, in-process (floor)", nullptr, false},
    {"SyncedAppend", "One synced append of one line (floor)", nullptr, false},
    {"EmptyWindowProcess", "An empty window's process to its first frame (floor)", nullptr, false},
    {"Recalculation", "Recalculation, core (`Recalculate`)", kReadFloor, false},
    {"Button9Click", "Recalculation, `Button9Click` (\"Przelicz\")", kReadFloor, true},
    {"StartupProcess", "Start-up, the program's process to its first frame", kWindowFloor, false},
    {"Startup", "Start-up in-process, to the shown main window", kReadFloor, false},
    {"Button4Click", "Adding a QSO, `Button4Click`", kAppendFloor, true},
    {"Keystroke", "One keystroke in the callsign field", nullptr, true},
    {"KeystrokeWithRadio", "One keystroke while the radio polls a live rigctld", nullptr, true},
    {"Correction", "Correction of the received group", kReadFloor, true},
    {"Deletion", "Deletion of a QSO", kReadFloor, true},
    {"Repaint", "Repainting the main window", nullptr, true},
    {"CabrilloExport", "Cabrillo export", kReadFloor, true},
    {"AdifExport", "ADIF export", kReadFloor, true},
};

// A figure by benchmark, round and size; a benchmark of neither, like the empty window, by its
// name alone.
std::optional<Figure> Find(const FigureReporter& reporter, const std::string& benchmark,
                           const std::string& round, int size) {
  if (auto figure = reporter.Find(benchmark + "/" + round + "/" + std::to_string(size))) {
    return figure;
  }
  return reporter.Find(benchmark + "/");
}

void PrintFigures(const FigureReporter& reporter) {
  std::cout << "\nMedians; in brackets the time relative to the row's floor of the same size: "
               "reading the log file whole, one synced append, or an empty window's process.\n";
  for (const char* round : kRounds) {
    std::cout << "\n"
              << round << "\n\n| Action | 1,000 QSOs | 10,000 QSOs | 100,000 QSOs |\n"
              << "|---|---|---|---|\n";
    for (const Row& row : kRows) {
      std::cout << "| " << row.action;
      for (int size : kTableSizes) {
        const std::optional<Figure> figure = Find(reporter, row.benchmark, round, size);
        std::cout << " | ";
        if (!figure) {
          std::cout << "-";
          continue;
        }
        std::cout << Duration(figure->milliseconds);
        const std::optional<Figure> floor =
            row.floor ? Find(reporter, row.floor, round, size) : std::nullopt;
        if (floor && floor->milliseconds > 0) {
          char ratio[32];
          std::snprintf(ratio, sizeof ratio, " (%.1f×)",
                        figure->milliseconds / floor->milliseconds);
          std::cout << ratio;
        }
      }
      std::cout << " |\n";
    }
  }
}

struct Check {
  std::string target;
  std::string measured;
  std::string limit;
  bool met;
};

std::vector<Check> Checks(const FigureReporter& reporter, const std::string& round) {
  std::vector<Check> checks;
  const auto find = [&](const char* benchmark, int size) {
    return Find(reporter, benchmark, round, size);
  };
  char measured[96];
  for (const Row& row : kRows) {
    if (!row.action_target) continue;
    for (const auto& [size, limit_ms, limit] :
         {std::tuple{10000, 16.0, "< 16 ms"}, std::tuple{100000, 100.0, "< 100 ms"}}) {
      if (const auto figure = find(row.benchmark, size)) {
        checks.push_back({std::string(row.action) + " at " + (size == 10000 ? "10,000" : "100,000"),
                          Duration(figure->milliseconds), limit, figure->milliseconds < limit_ms});
      }
    }
  }
  const auto startup = find("StartupProcess", 10000);
  const auto empty = find(kWindowFloor, 10000);
  if (startup && empty) {
    const double ratio = startup->milliseconds / empty->milliseconds;
    std::snprintf(measured, sizeof measured, "%.2f× (%s / %s)", ratio,
                  Duration(startup->milliseconds).c_str(), Duration(empty->milliseconds).c_str());
    checks.push_back({"Start-up to the first frame at 10,000 against the empty window's", measured,
                      "≤ 1.5×", ratio <= 1.5});
  }
  const auto small = find("Button9Click", 1000);
  const auto large = find("Button9Click", 100000);
  if (small && large) {
    const double ratio = (large->milliseconds / 100000) / (small->milliseconds / 1000);
    std::snprintf(measured, sizeof measured, "%.2f×", ratio);
    checks.push_back(
        {"Recalculation per QSO, 100,000 against 1,000", measured, "≤ 1.5×", ratio <= 1.5});
  }
  if (const auto memory = find("StartupPeakMemory", 100000)) {
    const double megabytes =
        memory->counters.count("peak_rss_MB") ? memory->counters.at("peak_rss_MB") : 1e9;
    std::snprintf(measured, sizeof measured, "%.0f MB", megabytes);
    checks.push_back(
        {"Peak memory of the start-up at 100,000", measured, "< 200 MB", megabytes < 200});
  }
  return checks;
}

// Prints the targets that were measured; false when one is missed.
bool PrintTargets(const FigureReporter& reporter) {
  bool all_met = true;
  std::cout << "\n| Target | Round | Measured | Limit | Met |\n|---|---|---|---|---|\n";
  for (const char* round : kRounds) {
    for (const Check& check : Checks(reporter, round)) {
      std::cout << "| " << check.target << " | " << round << " | " << check.measured << " | "
                << check.limit << " | " << (check.met ? "yes" : "**no**") << " |\n";
      all_met = all_met && check.met;
    }
  }
  return all_met;
}

std::string FirstLineWith(const char* path, const char* prefix) {
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    if (line.rfind(prefix, 0) == 0) return line;
  }
  return {};
}

std::string LoadAverage() {
  std::ifstream file("/proc/loadavg");
  std::string one, five, fifteen;
  file >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

void PrintMachine(const std::string& load_before) {
  std::cout << "\nMachine: " << std::thread::hardware_concurrency() << " processors ("
            << FirstLineWith("/proc/cpuinfo", "model name") << "), "
            << FirstLineWith("/proc/meminfo", "MemTotal") << "; load average before the run "
            << load_before << ", after " << LoadAverage() << "\n";
}

}  // namespace
}  // namespace zt::bench

int main(int argc, char** argv) {
  // The windows are drawn off screen, also when the benchmarks run outside the script.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  for (int i = 1; i < argc; ++i) {
    const std::size_t length = std::strlen(zt::bench::kPeakRssOption);
    if (std::strncmp(argv[i], zt::bench::kPeakRssOption, length) == 0) {
      return zt::bench::PrintStartupPeakRss(argv[i] + length);
    }
  }
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const std::string load_before = zt::bench::LoadAverage();
  zt::bench::FigureReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  zt::bench::PrintMachine(load_before);
  zt::bench::PrintFigures(reporter);
  const bool targets_met = zt::bench::PrintTargets(reporter);
  if (reporter.failed() > 0) {
    std::cout << "\n" << reporter.failed() << " benchmark(s) stopped with an error.\n";
    return 1;
  }
  return targets_met ? 0 : 1;
}
