#!/usr/bin/env bash
# Builds the downloader's benchmarks (Windows preset) and runs them under Wine
# against loopback servers started and stopped by run_bench.py:
#   bench/net/run.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
cmake --preset windows >/dev/null
cmake --build --preset windows --target net_download_bench net_memory_bench net_socket_floor_bench
PYTHONPATH="$PWD/tools" exec python3 bench/net/run_bench.py build/windows/bench/net
