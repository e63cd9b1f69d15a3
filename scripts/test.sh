#!/usr/bin/env bash
# The one test command: installs what is missing, builds the presets and runs
# every test (native core tests under sanitizers, the fuzz targets' seeds, then
# every Windows test as an .exe under Wine on a private Xvfb that this script
# starts and stops).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/setup.sh

echo "== native build and tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== fuzz targets replaying their seeds (clang, libFuzzer, ASan, UBSan)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz

echo "== Windows build and tests (mingw-w64, Wine)"
cmake --preset windows >/dev/null
cmake --build --preset windows

. scripts/xvfb.sh
start_xvfb
export WINEPREFIX="$PWD/build/windows/wineprefix"
stop() {
  WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
  kill "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
}
trap stop EXIT
scripts/wine-prefix.sh
ctest --preset windows
