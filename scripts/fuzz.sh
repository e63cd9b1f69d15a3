#!/usr/bin/env bash
# Fuzzes every target of tests/fuzz for SECONDS each (default 60), one after
# another, and ends non-zero when any of them finds a fault:
#   scripts/fuzz.sh [SECONDS]
# Builds the fuzz preset (clang-14, libFuzzer, ASan, UBSan). Each target starts
# from its committed seeds and grows a working corpus in build/fuzz/corpus;
# the input that failed is kept in build/fuzz/findings. Prints the number of
# executions per target.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-60}
case $seconds in '' | *[!0-9]*) echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2 ;; esac

scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

build=build/fuzz
mkdir -p "$build/findings"
status=0
summary=()
for seeds in tests/fuzz/seeds/*/; do
  target=$(basename "$seeds")
  corpus="$build/corpus/$target"
  log="$build/$target.log"
  mkdir -p "$corpus"
  echo "== $target: $seconds s"
  # The working corpus comes first: new inputs go there, never into the seeds.
  set +e
  "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/findings/$target-" "$corpus" "$seeds" >"$log" 2>&1
  rc=$?
  set -e
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [ "$rc" -ne 0 ]; then
    status=1
    summary+=("$target: FOUND A FAULT after ${runs:-?} executions (exit $rc); see $log")
    grep -E '^(==[0-9]+==ERROR|SUMMARY|[a-z_]+_fuzz:|artifact_prefix|Test unit written)' "$log" | head -20 || true
  else
    summary+=("$target: ${runs:-?} executions, clean")
  fi
done
echo "== summary"
printf '%s\n' "${summary[@]}"
exit $status
