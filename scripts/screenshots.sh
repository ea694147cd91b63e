#!/usr/bin/env bash
# Pictures of the plug-in's windows, rendered by Stats.dll under Wine in a scripted session
# (the Screenshots.* tests of stats_win_tests.exe), as PNG files in out/screens.
# Needs the win32 build (make build-win32).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
out=$PWD/out/screens
mkdir -p "$out"
rm -f "$out"/setup*.* "$out"/rda*.* "$out"/dxcc*.*  # only this script's pictures
start_display
start_wine_session
trap 'stop_wine_session; stop_display' EXIT
STATS_SCREENSHOT_DIR=$(winepath -w "$out" 2>/dev/null)
export STATS_SCREENSHOT_DIR
bin=$STATS_WIN32_BUILD/bin
# The English station in the default code page, the Russian one in Windows-1251.
# A failed check is reported, and the pictures taken are kept all the same.
status=0
(cd "$bin" && wine stats_win_tests.exe --gtest_filter='Screenshots.*-*Cyrillic*' </dev/null) >"$out/session.log" 2>&1 || status=1
(cd "$bin" && env -u LC_ALL LANG=ru_RU.UTF-8 wine stats_win_tests.exe --gtest_filter='Screenshots.*Cyrillic*' </dev/null) >>"$out/session.log" 2>&1 || status=1
if ((status)); then echo "screenshots: some checks of the session failed, see out/screens/session.log" >&2; fi
shopt -s nullglob
for bmp in "$out"/*.bmp; do
  /usr/bin/convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "screenshots: setup, RDA and DXCC windows in out/screens:"
ls "$out"/setup*.png "$out"/rda*.png "$out"/dxcc*.png 2>/dev/null | sed 's/^/  /'
exit "$status"
