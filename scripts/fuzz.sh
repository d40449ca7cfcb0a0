#!/usr/bin/env bash
# Builds the fuzzers of the core and runs each for a bounded time, starting from its committed
# seed corpus (fuzz/corpus/<target>/); what they learn stays in build/fuzz/corpus/. Any finding
# (a failed check, a crash, a sanitizer report, a hang) fails the script and leaves the input in
# build/fuzz/findings/. ZT_FUZZ_SECONDS sets the time per target (60 by default).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

seconds="${ZT_FUZZ_SECONDS:-60}"
zt_install_packages cmake ninja-build clang libclang-rt-dev
cd "$ZT_ROOT"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

findings=build/fuzz/findings
mkdir -p "$findings"
failed=()
for fuzzer in build/fuzz/fuzz/*_fuzzer; do
  name="$(basename "$fuzzer")"
  corpus="build/fuzz/corpus/$name"
  log="build/fuzz/$name.log"
  mkdir -p "$corpus"
  if "$fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$findings/$name-" "$corpus" "fuzz/corpus/$name" >"$log" 2>&1; then
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
    echo "$name: $runs executions in ${seconds} s, no finding"
  else
    echo "$name: FINDING, the input is in $findings/"
    grep -E "check failed|runtime error|ERROR|SUMMARY" "$log" | head -20 || tail -20 "$log"
    failed+=("$name")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found problems in: ${failed[*]}"
  exit 1
fi
