#!/usr/bin/env bash
# A release for one listing site:
#   scripts/release.sh SITE_BASE [CAPTION_HOST]
# builds film-listings.exe for SITE_BASE (optimised, stripped; tree build/release)
# and writes dist/film-listings-<version>-win64.zip (the .exe and a README.txt
# for Windows users) and dist/SHA256SUMS. The last line it prints is the zip's
# path. The same commit gives the same bytes in any folder at any time: the
# times inside come from SOURCE_DATE_EPOCH, which defaults to the commit's time.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: scripts/release.sh SITE_BASE [CAPTION_HOST]   e.g. scripts/release.sh http://www.example.com" >&2
  exit 2
fi
site=$1
caption=${2:-}

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) || {
    echo "release.sh: not a git checkout; set SOURCE_DATE_EPOCH to the commit's time" >&2
    exit 1
  }
fi
export SOURCE_DATE_EPOCH

scripts/setup.sh

build=build/release
# The site is a cache value: drop the last release's, so an omitted caption
# host means the new site's host again.
rm -f "$build/CMakeCache.txt"
if ! configure_log=$(cmake --preset release -DLISTING_SITE_BASE="$site" -DLISTING_CAPTION_HOST="$caption" 2>&1); then
  echo "$configure_log" | sed -n '/CMake Error/,$p' >&2
  exit 1
fi
cmake --build --preset release >/dev/null

version=$(cat "$build/version.txt")
name=film-listings-$version-win64
mkdir -p dist "$build/package"
sed -e "s|@VERSION@|$version|g" -e "s|@SITE@|$site|g" tools/README-windows.txt |
  sed 's/$/\r/' >"$build/package/README.txt"
rm -f "dist/$name.zip"
python3 tools/release_zip.py "dist/$name.zip" \
  "film-listings.exe=$build/ui/film-listings.exe" "README.txt=$build/package/README.txt"
(cd dist && sha256sum "$name.zip" >SHA256SUMS)

echo "built for $site (version $version, SOURCE_DATE_EPOCH $SOURCE_DATE_EPOCH)"
cat dist/SHA256SUMS
echo "$PWD/dist/$name.zip"
