#!/usr/bin/env bash
# Builds film-listings-cli (the `cli` preset) and the window program's search
# timing (Windows preset), then times and measures them against the demo site:
#   bench/cli/run.sh [--pages 100] [--delay-ms 50] [--repeats 3]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
scripts/setup.sh
cmake --preset cli >/dev/null
cmake --build --preset cli
cmake --preset windows >/dev/null
cmake --build --preset windows --target search-timing
PYTHONPATH="$PWD/tools" exec python3 bench/cli/run_bench.py "$@"
