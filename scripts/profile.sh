#!/usr/bin/env bash
# Where one benchmark's time goes: records it with perf (Debian's linux-perf) and prints the
# functions that take most of its time, self time, with their share. BENCHMARKS.md quotes these
# summaries. The benchmark runs long enough (3 s) that its own action outweighs the program's
# start and the generation of the log around it.
#   ./scripts/profile.sh 'Button9Click/ShortWave/10000'   # a benchmark's name, as zt_bench lists it
# ZT_PROFILE_TOP sets how many functions are printed (15).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

[ $# -eq 1 ] || { echo "usage: $0 BENCHMARK (e.g. Button9Click/ShortWave/10000)" >&2; exit 2; }
zt_install_packages "${ZT_BUILD_PACKAGES[@]}" libgtest-dev libgmock-dev libbenchmark-dev linux-perf
cd "$ZT_ROOT"
cmake --preset testing >/dev/null
cmake --build --preset testing --target zt_bench zt_first_frame
export QT_QPA_PLATFORM=offscreen
data="$(mktemp -d)/perf.data"
# zt_bench exits 1 when a target is missed; the profile is wanted all the same.
perf record -q -F 2000 -o "$data" build/testing/bench/zt_bench "--benchmark_filter=^$1/" \
  --benchmark_min_time=3 >/dev/null || true
# awk reads the whole report, so no reader of the pipe stops early.
perf report -i "$data" --no-children --sort symbol --stdio 2>/dev/null |
  awk -v top="${ZT_PROFILE_TOP:-15}" '/^ +[0-9.]+%/ && shown++ < top { print substr($0, 1, 140) }'
rm -rf "$(dirname "$data")"
