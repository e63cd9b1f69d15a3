#!/usr/bin/env bash
# Creates the Wine prefix named by WINEPREFIX once; later calls return at once.
# Needs DISPLAY (a prefix first used without one never shows windows).
set -euo pipefail
: "${WINEPREFIX:?}" "${DISPLAY:?}"
# shellcheck source=scripts/wine-env.sh
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
if [ ! -f "$WINEPREFIX/.listing-ready" ]; then
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  # Without a window manager Wine draws no frame; let it draw its own.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.listing-ready"
fi
