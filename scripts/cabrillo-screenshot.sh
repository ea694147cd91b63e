#!/usr/bin/env bash
# Pictures the Cabrillo header dialog under Wine: out/screens/cabrillo.png.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
out="$PWD/out/screens"
mkdir -p "$out"
rm -f "$out/cabrillo.bmp"
start_display
start_wine_session
trap 'stop_wine_session; stop_display' EXIT
(
  cd "$STATS_WIN32_BUILD/bin"
  STATS_SCREENSHOT_DIR="$(winepath -w "$out")" \
    wine stats_win_tests.exe --gtest_filter='CabrilloDialogFolder.ShowsTheSettings*' >/dev/null
)
/usr/bin/convert "$out/cabrillo.bmp" "$out/cabrillo.png"
rm -f "$out/cabrillo.bmp"
echo "$out/cabrillo.png"
