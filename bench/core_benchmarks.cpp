// The core alone: the floors (reading the log file whole, one synced append) and the
// recalculation.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench/fixtures.h"
#include "core/file_io.h"
#include "rules/recalculation.h"

namespace zt::bench {
namespace {

void ReadFile(benchmark::State& state, Round round) {
  const DataDirectory& directory = DirectoryFor(static_cast<int>(state.range(0)), round);
  std::size_t bytes = 0;
  for (auto _ : state) {
    IoResult<std::string> content = ReadWholeFile(FileSteps::System(), directory.log_file());
    if (!content.ok()) {
      state.SkipWithError("cannot read the log");
      break;
    }
    bytes = content.value().size();
    benchmark::DoNotOptimize(content.value().data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes * state.iterations()));
}

// One line appended to a copy of the log with the fewest system calls that make it durable (open,
// write, fsync, close): the floor of adding a QSO, whose line must be on the disk first.
void SyncedAppend(benchmark::State& state, Round round) {
  const DataDirectory& directory = DirectoryFor(static_cast<int>(state.range(0)), round);
  const std::filesystem::path copy = directory.path() / "append_floor.zlg";
  std::filesystem::copy_file(directory.log_file(), copy,
                             std::filesystem::copy_options::overwrite_existing);
  const std::string line = directory.lines().back() + "\r\n";
  for (auto _ : state) {
    const int file = open(copy.c_str(), O_WRONLY | O_APPEND);
    const bool written =
        file >= 0 && write(file, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    const bool synced = written && fsync(file) == 0;
    if (file >= 0) close(file);
    if (!synced) {
      state.SkipWithError("cannot append to the copy of the log");
      break;
    }
  }
  std::filesystem::remove(copy);
}

// The core recalculation as the window runs it: the file's text split into lines and the list
// built again in the room of the one before; reading the file is the floor measured beside it.
void Recalculation(benchmark::State& state, Round round) {
  const DataDirectory& directory = DirectoryFor(static_cast<int>(state.range(0)), round);
  const ScoringContext scoring = ScoringFor(round);
  const std::string content = JoinLines(directory.lines());
  zt::Recalculation recalculation;
  for (auto _ : state) {
    recalculation = Recalculate(LineViews(content), scoring, std::move(recalculation));
    benchmark::DoNotOptimize(recalculation.state.score);
  }
}

#define ZT_BOTH_ROUNDS(function)                                                          \
  BENCHMARK_CAPTURE(function, ShortWave, Round::kShortWave)->Apply(Sizes)->UseRealTime(); \
  BENCHMARK_CAPTURE(function, Vhf, Round::kVhf)->Apply(Sizes)->UseRealTime()

ZT_BOTH_ROUNDS(ReadFile);
ZT_BOTH_ROUNDS(SyncedAppend);
ZT_BOTH_ROUNDS(Recalculation);

}  // namespace
}  // namespace zt::bench
