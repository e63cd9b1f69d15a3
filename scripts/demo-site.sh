#!/usr/bin/env bash
# The demo listing site alone:
#   scripts/demo-site.sh [--address 127.8.9.36] [--port 8936] [--pages 200]
cd "$(dirname "${BASH_SOURCE[0]}")/.."
PYTHONPATH="$PWD/tools" exec python3 -m harness.demo_site "$@"
