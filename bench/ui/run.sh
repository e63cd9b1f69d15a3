#!/usr/bin/env bash
# Builds and runs the window benchmark under Wine on a private Xvfb.
#   bench/ui/run.sh [startup] [rows] [search]   (default: all)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
cmake --preset windows >/dev/null
cmake --build --preset windows --target ui_bench
export WINEPREFIX="$PWD/build/windows/wineprefix"
unset DISPLAY
# wine-run.sh starts its own Xvfb when DISPLAY is not set, and stops it.
LC_ALL=zh_CN.UTF-8 scripts/wine-run.sh build/windows/bench/ui/ui_bench.exe "$@"
