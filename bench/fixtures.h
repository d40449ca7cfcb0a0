#pragma once

// The generated data directories, made once per size and round and shared by the benchmarks.

#include <benchmark/benchmark.h>

#include "bench/generated_log.h"

namespace zt::bench {

// The QSO counts every benchmark runs at.
inline constexpr int kSizes[] = {1000, 10000, 100000};

// The directory for the benchmark's size (its first argument) and the round.
const DataDirectory& DirectoryFor(int qso_count, Round round);

// Registers the three sizes on a benchmark.
inline void Sizes(benchmark::internal::Benchmark* benchmark) {
  for (int size : kSizes) benchmark->Arg(size);
}

}  // namespace zt::bench
