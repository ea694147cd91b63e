#!/usr/bin/env bash
# Pictures of the plug-in's windows, rendered by Stats.dll under Wine in a scripted session
# (the Screenshots.* tests of stats_win_tests.exe), as PNG files in out/screens.
# Needs the win32 build (make build-win32).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
out=$PWD/out/screens
rm -rf "$out"
mkdir -p "$out"
start_display
start_wine_session
trap 'stop_wine_session; stop_display' EXIT
STATS_SCREENSHOT_DIR=$(winepath -w "$out" 2>/dev/null)
export STATS_SCREENSHOT_DIR
bin=$STATS_WIN32_BUILD/bin
# The English station in the default code page, the Russian one in Windows-1251.
(cd "$bin" && wine stats_win_tests.exe --gtest_filter='Screenshots.*-*Cyrillic*' </dev/null)
(cd "$bin" && env -u LC_ALL LANG=ru_RU.UTF-8 wine stats_win_tests.exe --gtest_filter='Screenshots.*Cyrillic*' </dev/null)
shopt -s nullglob
for bmp in "$out"/*.bmp; do
  /usr/bin/convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "screenshots: $(ls "$out" | wc -l) pictures in out/screens"
