// The core alone: the physical floor (reading the log file) and the recalculation.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/file_io.h"
#include "bench/fixtures.h"
#include "rules/recalculation.h"

namespace zt::bench {
namespace {

void ReadFile(benchmark::State& state, Round round) {
  const DataDirectory& directory = DirectoryFor(static_cast<int>(state.range(0)), round);
  std::size_t bytes = 0;
  for (auto _ : state) {
    IoResult<std::string> content = ReadWholeFile(directory.log_file());
    if (!content.ok()) {
      state.SkipWithError("cannot read the log");
      break;
    }
    bytes = content.value().size();
    benchmark::DoNotOptimize(content.value().data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes * state.iterations()));
}

// `cat` of the log file to /dev/null, started and waited for as `time cat log > /dev/null` measures
// it: the floor beside which the figures are given. About 1 ms of it is starting the process.
void CatToDevNull(benchmark::State& state, Round round) {
  const DataDirectory& directory = DirectoryFor(static_cast<int>(state.range(0)), round);
  const std::string path = directory.log_file().string();
  char program[] = "cat";
  std::vector<char> argument(path.begin(), path.end());
  argument.push_back('\0');
  char* const argv[] = {program, argument.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  for (auto _ : state) {
    pid_t child = 0;
    int status = 0;
    if (posix_spawnp(&child, program, &actions, nullptr, argv, environ) != 0 ||
        waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("cat did not read the log");
      break;
    }
  }
  posix_spawn_file_actions_destroy(&actions);
}

// A read loop over the lines of the file, the way a line-by-line reader meets the log.
void ReadLines(benchmark::State& state, Round round) {
  const DataDirectory& directory = DirectoryFor(static_cast<int>(state.range(0)), round);
  std::size_t lines = 0;
  for (auto _ : state) {
    std::ifstream file(directory.log_file(), std::ios::binary);
    std::string line;
    lines = 0;
    while (std::getline(file, line)) ++lines;
    benchmark::DoNotOptimize(line.data());
  }
  if (lines != directory.lines().size()) state.SkipWithError("the lines were not all read");
}

// The core recalculation as the window runs it: the file's text split into lines and the list
// built afresh; reading the file is the floor measured beside it.
void Recalculation(benchmark::State& state, Round round) {
  const DataDirectory& directory = DirectoryFor(static_cast<int>(state.range(0)), round);
  const ScoringContext scoring = ScoringFor(round);
  const std::string content = JoinLines(directory.lines());
  for (auto _ : state) {
    const zt::Recalculation recalculation = Recalculate(LineViews(content), scoring);
    benchmark::DoNotOptimize(recalculation.state.score);
  }
}

#define ZT_BOTH_ROUNDS(function)                                                          \
  BENCHMARK_CAPTURE(function, ShortWave, Round::kShortWave)->Apply(Sizes)->UseRealTime(); \
  BENCHMARK_CAPTURE(function, Vhf, Round::kVhf)->Apply(Sizes)->UseRealTime()

ZT_BOTH_ROUNDS(CatToDevNull);
ZT_BOTH_ROUNDS(ReadFile);
ZT_BOTH_ROUNDS(ReadLines);
ZT_BOTH_ROUNDS(Recalculation);

}  // namespace
}  // namespace zt::bench
