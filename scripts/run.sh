#!/usr/bin/env bash
# The run command: builds the demo program, starts the demo listing site on
# its loopback address and runs the program under Wine (tools/run_demo.py).
#
# With DISPLAY set, the window opens there and this script waits until it is
# closed. Without a display it starts a private Xvfb, performs one search by
# itself (a category, a page count, 检索), saves a screenshot PNG, prints its
# path and closes the program.
#
# Everything it starts (demo site, Xvfb, the demo prefix's wineserver) is
# stopped on exit, by the ids it holds.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

scripts/setup.sh

echo "== building the demo program (build/windows/ui/film-listings-demo.exe)"
cmake --preset windows >/dev/null
cmake --build --preset windows --target film-listings-demo window-inspector

# A prefix of its own, apart from the tests' prefix, so that a demo run never
# meets a test's settings (browser hook, locale runs).
export PYTHONPATH="$root/tools"
exec python3 tools/run_demo.py \
  --program build/windows/ui/film-listings-demo.exe \
  --inspector build/windows/tools/window-inspector/window-inspector.exe \
  --prefix "$root/build/windows/demo-wineprefix" \
  --screenshot "$root/build/windows/demo-search.png"
