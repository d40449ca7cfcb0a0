#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks with the test preset and runs them on generated
# logs of 1,000, 10,000 and 100,000 QSOs. Prints every figure (the median of the repetitions)
# beside its floor measured in the same run, then checks the targets; the exit status is 1 when
# one is missed. Extra arguments go to Google Benchmark (e.g. --benchmark_filter=Startup).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# rigctld for the keystroke measured while the radio polls a live daemon.
zt_install_packages "${ZT_BUILD_PACKAGES[@]}" libgtest-dev libgmock-dev libbenchmark-dev libhamlib-utils
cd "$ZT_ROOT"
cmake --preset testing >/dev/null
cmake --build --preset testing --target zt_bench zt_first_frame
export QT_QPA_PLATFORM=offscreen
status=0
build/testing/bench/zt_bench --benchmark_repetitions="${ZT_BENCH_REPETITIONS:-5}" \
  --benchmark_report_aggregates_only=true "$@" || status=$?
echo
echo "Where each action's time goes: BENCHMARKS.md, \"Where the time goes\"; one action's profile"
echo "summary comes from ./scripts/profile.sh 'Button9Click/ShortWave/10000' (any benchmark's name)."
exit "$status"
