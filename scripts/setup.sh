#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need.
# Idempotent: when everything is present it changes nothing and asks no server.
set -euo pipefail

packages=(
  cmake make g++ python3
  g++-mingw-w64-x86-64-posix
  libboost1.81-dev googletest libbenchmark-dev
  wine wine64 fonts-wine xvfb xdotool x11-utils imagemagick fonts-wqy-microhei locales-all
  nginx-light openssl curl
  libcurl4-openssl-dev
  clang-14 libclang-rt-14-dev libpcre2-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
