#!/usr/bin/env bash
# The command-line program, natively: builds the optimised program
# (build/cli/film-listings-cli, the `cli` preset) when it is missing or out of
# date, then runs it with the arguments given:
#   scripts/cli.sh --site http://127.8.9.36:8936 --pages 3
# Build output goes to stderr only when the build fails, so stdout holds rows
# and nothing else.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

program=build/cli/film-listings-cli
# Any source newer than the program means a build; otherwise it runs at once.
if [ ! -x "$program" ] || [ -n "$(find cli search cmake CMakeLists.txt CMakePresets.json -newer "$program" -print -quit)" ]; then
  log=$(mktemp)
  trap 'rm -f "$log"' EXIT
  if [ ! -f build/cli/CMakeCache.txt ]; then
    scripts/setup.sh >&2
    cmake --preset cli >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
  fi
  cmake --build --preset cli >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
  rm -f "$log"
  trap - EXIT
fi
cd - >/dev/null
exec "$root/$program" "$@"
