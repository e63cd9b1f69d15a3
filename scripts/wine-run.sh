#!/usr/bin/env bash
# Runs one Windows program under Wine the way every test and the demo do:
#   scripts/wine-run.sh PROGRAM.exe [ARGS...]
# - a private prefix (WINEPREFIX, default: <build tree of PROGRAM>/wineprefix),
#   created on first use; creation is serialised so parallel tests can share it;
# - no Mono or Gecko downloads, no Wine debug output;
# - a display: DISPLAY if set, otherwise a private 1920x1080 Xvfb for this run.
# The program's exit code is this script's exit code.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
program=$1; shift
program=$(readlink -f "$program")

if [ -z "${WINEPREFIX:-}" ]; then
  dir=$(dirname "$program")
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ "$dir" = / ] && dir=$(dirname "$program")
  export WINEPREFIX="$dir/wineprefix"
fi
# shellcheck source=scripts/wine-env.sh
. "$here/wine-env.sh"

own_xvfb=""
cleanup() {
  if [ -n "$own_xvfb" ]; then
    wineserver -k 2>/dev/null || true
    kill "$own_xvfb" 2>/dev/null || true
    wait "$own_xvfb" 2>/dev/null || true
  fi
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  # shellcheck source=scripts/xvfb.sh
  . "$here/xvfb.sh"
  start_xvfb
  own_xvfb=$XVFB_PID
fi

"$here/wine-prefix.sh"

set +e
wine "$program" "$@"
rc=$?
set -e
exit $rc
