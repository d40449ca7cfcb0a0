// Runs the benchmarks, then prints the figures as Markdown tables beside the time of reading the
// same log file, and checks the targets. Exits 1 when a measured target is missed or a benchmark
// stopped with an error.

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

// The benchmark every figure is compared with: reading the same file.
constexpr char kFloor[] = "CatToDevNull";

struct Row {
  const char* benchmark;
  const char* action;
};

constexpr Row kRows[] = {
    {"CatToDevNull", "Reading the log file, `cat` to /dev/null (the floor)"},
    {"ReadLines", "Reading the log file line by line, `std::getline`"},
    {"ReadFile", "Reading the log file whole, `ReadWholeFile`"},
    {"Recalculation", "Recalculation, core (`Recalculate`)"},
    {"Button9Click", "Recalculation, `Button9Click` (\"Przelicz\")"},
    {"Startup", "Start-up to the shown main window"},
    {"Button4Click", "Adding a QSO, `Button4Click`"},
    {"Keystroke", "One keystroke in the callsign field"},
    {"Correction", "Correction of the received group"},
    {"Deletion", "Deletion of a QSO"},
    {"Repaint", "Repainting the main window"},
    {"CabrilloExport", "Cabrillo export"},
    {"AdifExport", "ADIF export"},
};

void PrintFigures(const FigureReporter& reporter) {
  std::cout << "\nMedians; in brackets the time relative to reading the same log file with `cat` "
               "to /dev/null, the floor.\n";
  for (const char* round : kRounds) {
    std::cout << "\n"
              << round << "\n\n| Action | 1,000 QSOs | 10,000 QSOs | 100,000 QSOs |\n"
              << "|---|---|---|---|\n";
    for (const Row& row : kRows) {
      std::cout << "| " << row.action;
      for (int size : kTableSizes) {
        const std::string suffix = "/" + std::string(round) + "/" + std::to_string(size);
        const std::optional<Figure> figure = reporter.Find(row.benchmark + suffix);
        const std::optional<Figure> floor = reporter.Find(std::string(kFloor) + suffix);
        std::cout << " | ";
        if (!figure) {
          std::cout << "-";
          continue;
        }
        std::cout << Duration(figure->milliseconds);
        if (floor && std::strcmp(row.benchmark, kFloor) != 0 && floor->milliseconds > 0) {
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
    return reporter.Find(std::string(benchmark) + "/" + round + "/" + std::to_string(size));
  };
  char measured[64];
  const auto small = find("Button9Click", 1000);
  const auto large = find("Button9Click", 100000);
  if (small && large) {
    const double ratio = (large->milliseconds / 100000) / (small->milliseconds / 1000);
    std::snprintf(measured, sizeof measured, "%.2f×", ratio);
    checks.push_back(
        {"Recalculation per QSO, 100,000 against 1,000", measured, "≤ 1.5×", ratio <= 1.5});
  }
  const auto floor = find(kFloor, 100000);
  if (large && floor) {
    const double ratio = large->milliseconds / floor->milliseconds;
    std::snprintf(measured, sizeof measured, "%.1f× (%s / %s)", ratio,
                  Duration(large->milliseconds).c_str(), Duration(floor->milliseconds).c_str());
    checks.push_back({"Recalculation of 100,000 against `cat` of the file to /dev/null", measured,
                      "≤ 10×", ratio <= 10});
  }
  const struct {
    const char* benchmark;
    const char* target;
    double limit_ms;
    const char* limit;
  } kLimits[] = {
      {"Startup", "Start-up with 100,000 QSOs", 1000, "< 1 s"},
      {"Button4Click", "Adding a QSO at 100,000", 50, "< 50 ms"},
      {"Keystroke", "A keystroke at 100,000", 1, "< 1 ms"},
  };
  for (const auto& limit : kLimits) {
    if (const auto figure = find(limit.benchmark, 100000)) {
      checks.push_back({limit.target, Duration(figure->milliseconds), limit.limit,
                        figure->milliseconds < limit.limit_ms});
    }
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
