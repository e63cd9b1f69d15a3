#!/usr/bin/env bash
# Creates the Wine prefix named by WINEPREFIX once; later calls return at once.
# A prefix made by an earlier version of this script is made again.
# Needs DISPLAY (a prefix first used without one never shows windows).
set -euo pipefail
: "${WINEPREFIX:?}" "${DISPLAY:?}"
# shellcheck source=scripts/wine-env.sh
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

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
  # (1 ms without). The window behaves the same in the classic look, which is
  # what it is tested and shown in.
  reg 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v ThemeActive /t REG_SZ /d 0
  # Debian's Wine loads the TrueType fonts of fonts-wine only from the prefix's
  # own font folder. Without Marlett the classic caption buttons show the
  # letters "0", "1" and "r"; without Tahoma the UI font falls back to DejaVu.
  # (Wine makes the bold caption font from Tahoma itself, so that Wine's font
  # links below reach it too; with Tahoma Bold its Chinese would be boxes.)
  for font in tahoma.ttf marlett.ttf; do
    [ -f "/usr/share/wine/fonts/$font" ] && ln -sf "/usr/share/wine/fonts/$font" "$WINEPREFIX/drive_c/windows/Fonts/$font"
  done
  # Wine picks its fallback for Chinese glyphs from the locale, so under a
  # Western one (LC_ALL=C, C.UTF-8) the window's Chinese texts would draw as
  # boxes. Like Windows, Wine links its UI fonts (Tahoma) to
  # SimSun and other East Asian fonts under every locale, but rewrites those
  # links whenever the locale's code page changes, so links of our own would
  # not last. Let SimSun stand for the WenQuanYi font that scripts/setup.sh
  # installs: Wine's own links then find it under any locale.
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /t REG_SZ /d 'WenQuanYi Micro Hei'
  wineserver -w
  echo "$version" > "$WINEPREFIX/.listing-ready"
fi
