#!/usr/bin/env bash
# Creates the Wine prefix named by WINEPREFIX once; later calls return at once.
# A prefix made by an earlier version of this script is made again.
# Needs DISPLAY (a prefix first used without one never shows windows).
set -euo pipefail
: "${WINEPREFIX:?}" "${DISPLAY:?}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=" WINEARCH=win64

version=$(sha1sum < "${BASH_SOURCE[0]}" | cut -c1-40)
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
if [ "$(cat "$WINEPREFIX/.listing-ready" 2>/dev/null)" != "$version" ]; then
  WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  reg() { wine reg add "$@" /f >/dev/null 2>&1; }
  # Without a window manager Wine draws no frame; let it draw its own.
  reg 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N
  # Wine 8 gives a new prefix its "light" visual theme, whose scroll bars make
  # every row appended to a growing, visible list view cost about 10 ms
  # (1 ms without). The program asks for no theme; Windows' classic look is
  # what it is drawn and tested with.
  reg 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v ThemeActive /t REG_SZ /d 0
  # Wine picks its fallback for Chinese glyphs from the locale, so under a
  # Western one (LC_ALL=C, C.UTF-8) the window's Chinese texts would draw as
  # boxes. Windows links its UI fonts to a Chinese font whatever the locale;
  # do the same with the WenQuanYi font that scripts/setup.sh installs. The UI
  # font ("MS Shell Dlg") is Tahoma from fonts-wine, which also brings the
  # Marlett font that Wine's classic caption buttons are drawn with.
  link='wqy-microhei.ttc,WenQuanYi Micro Hei'
  for font in 'Tahoma' 'Tahoma Bold' 'Microsoft Sans Serif' 'MS Sans Serif' 'Segoe UI' 'Lucida Sans Unicode'; do
    reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$font" /t REG_MULTI_SZ /d "$link"
  done
  wineserver -w
  echo "$version" > "$WINEPREFIX/.listing-ready"
fi
