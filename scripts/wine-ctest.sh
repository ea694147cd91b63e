#!/usr/bin/env bash
# Runs the Windows build's tests under Wine with a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
start_display
start_wine_session
trap 'stop_wine_session; stop_display' EXIT
ctest --test-dir "$STATS_WIN32_BUILD" --output-on-failure "$@"
