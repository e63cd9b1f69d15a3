#!/usr/bin/env bash
# Builds and runs the benchmarks (never part of the test run).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
cmake --preset bench >/dev/null
cmake --build --preset bench --target extraction_bench search_run_bench

echo "== extraction: FindAll + GroupText against bare boost::regex_search loops"
build/bench/bench/search/extraction_bench
echo "== search run: 10 pages, then 1000 pages (peak memory side by side)"
build/bench/bench/search/search_run_bench 10
build/bench/bench/search/search_run_bench 1000
