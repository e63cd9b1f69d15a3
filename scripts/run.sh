#!/usr/bin/env bash
# The run command: builds the demo program, starts the demo listing site on
# its loopback address and runs the program under Wine.
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
program=build/windows/ui/film-listings-demo.exe
inspector=build/windows/tests/e2e/window-inspector.exe

# A prefix of its own, apart from the tests' prefix, so that a demo run never
# meets a test's settings (browser hook, locale runs).
export WINEPREFIX="$root/build/windows/demo-wineprefix"
# Wine's Internet clients can take a proxy from the environment; the demo site
# is on loopback and must be reached directly.
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY all_proxy ALL_PROXY
site_pid=""
site_log=$(mktemp)
stop() {
  WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
  if [ -n "$site_pid" ]; then
    kill "$site_pid" 2>/dev/null || true
    wait "$site_pid" 2>/dev/null || true
  fi
  rm -f "$site_log"
}
trap stop EXIT

python3 scripts/demo_site.py >"$site_log" 2>&1 &
site_pid=$!
for _ in $(seq 100); do
  grep -q '^ready' "$site_log" && break
  if ! kill -0 "$site_pid" 2>/dev/null; then
    cat "$site_log" >&2
    site_pid=""
    exit 1
  fi
  sleep 0.1
done
grep -q '^ready' "$site_log" || { echo "run.sh: the demo site did not start" >&2; exit 1; }
echo "== demo listing site: $(sed -n 's/^ready //p' "$site_log")"

if [ -n "${DISPLAY:-}" ]; then
  echo "== starting the program on $DISPLAY; close its window to end"
  LC_ALL=zh_CN.UTF-8 scripts/wine-run.sh "$program"
else
  echo "== no DISPLAY: starting a private Xvfb (1920x1080) and running one search by itself"
  python3 tests/e2e/demo_search.py \
    --program "$program" \
    --inspector "$inspector" \
    --screenshot "$root/build/windows/demo-search.png"
fi
