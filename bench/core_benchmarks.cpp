// The core alone: the physical floor (reading the log file), the recalculation and the export
// texts with their file writes.

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/file_io.h"
#include "app/log_file.h"
#include "bench/fixtures.h"
#include "export/adif.h"
#include "export/cabrillo.h"
#include "export/export_file.h"
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
// rebuilt in place; reading the file is the floor measured beside it.
void Recalculation(benchmark::State& state, Round round) {
  const DataDirectory& directory = DirectoryFor(static_cast<int>(state.range(0)), round);
  const ScoringContext scoring = ScoringFor(round);
  const std::string content = JoinLines(directory.lines());
  std::vector<std::string> list_lines;
  ScoreState score_state;
  for (auto _ : state) {
    const std::vector<std::string_view> file_lines = LineViews(content);
    RecalculateInPlace(file_lines, scoring, list_lines, score_state);
    benchmark::DoNotOptimize(score_state.score);
  }
}

CabrilloHeader Header() {
  CabrilloHeader header;
  header.contest_name = "ZAWODY TELT\xD3LMOWE";
  header.station_callsign = "QQ2XYZ";
  header.claimed_score = "123456";
  header.name = "Jan Kowalski";
  header.email = "jan@example.com";
  header.address1 = "ul. Polna 1";
  header.address2 = "00-001 Warszawa";
  header.operators = "QQ2XYZ";
  header.locator = "KO00HU";
  header.category_index = 4;
  return header;
}

void CabrilloExport(benchmark::State& state, Round round) {
  const DataDirectory& directory = DirectoryFor(static_cast<int>(state.range(0)), round);
  const CabrilloHeader header = Header();
  for (auto _ : state) {
    const std::string text = CabrilloText(header, directory.lines(), round);
    if (WriteExportFile(directory.path() / "qq2xyz.cbr", text)) {
      state.SkipWithError("cannot write the Cabrillo file");
      break;
    }
  }
}

void AdifExport(benchmark::State& state, Round round) {
  const DataDirectory& directory = DirectoryFor(static_cast<int>(state.range(0)), round);
  const AdifOptions options{"ZT", "QQ2XYZ", "ZAWODY-TELTOLMOWE"};
  for (auto _ : state) {
    const std::string text = AdifText(directory.lines(), round, options);
    if (WriteExportFile(directory.path() / "qq2xyz.adi", text)) {
      state.SkipWithError("cannot write the ADIF file");
      break;
    }
  }
}

#define ZT_BOTH_ROUNDS(function)                                                          \
  BENCHMARK_CAPTURE(function, ShortWave, Round::kShortWave)->Apply(Sizes)->UseRealTime(); \
  BENCHMARK_CAPTURE(function, Vhf, Round::kVhf)->Apply(Sizes)->UseRealTime()

ZT_BOTH_ROUNDS(ReadFile);
ZT_BOTH_ROUNDS(ReadLines);
ZT_BOTH_ROUNDS(Recalculation);
ZT_BOTH_ROUNDS(CabrilloExport);
ZT_BOTH_ROUNDS(AdifExport);

}  // namespace
}  // namespace zt::bench
