#!/usr/bin/env bash
# Packs what an operator downloads: out/dist/Stats-VERSION.zip with Stats.dll, the operator's
# page with the pictures of the windows, and SHA256SUMS.txt; the zip's own checksum beside it.
# Needs the win32 build and the pictures of scripts/screenshots.sh and cabrillo-screenshot.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
dll=build/win32/bin/Stats.dll
version=$(sed -n 's/^#define STATS_VERSION "\(.*\)"$/\1/p' build/win32/generated/stats_version.h)
[[ -n $version && -f $dll ]] || { echo "dist: build the win32 DLL first (make build-win32)" >&2; exit 1; }
# The DLL must carry the version it is shipped under.
if ! strings -el "$dll" | grep -qxF "$version"; then
  echo "dist: $dll does not carry version $version in its version resource" >&2
  exit 1
fi

name=Stats-$version
stage=out/dist/$name
rm -rf "$stage" "out/dist/$name.zip"
mkdir -p "$stage/screens"
cp "$dll" "$stage/"
screens=""
caption() {
  case $1 in
    setup) echo "The setup window: CW and SSB switch the logger's mode; the boxes show the RDA window and the previous-QSO (DXCC) window, turn the district hint on and keep the windows on top." ;;
    rda) echo "The RDA window: the districts worked so far." ;;
    dxcc_empty) echo "The previous-QSO (DXCC) window before anything is worked." ;;
    dxcc_prefix_grid) echo "The same window while no callsign is typed: the country prefixes worked on each band." ;;
    dxcc_worked_with) echo "While a callsign is typed: when it was worked on each band and mode and what it sent; the rig's band is marked." ;;
    cabrillo) echo "The Cabrillo header dialog of an export; it remembers what was typed." ;;
  esac
}
shopt -s nullglob
# Each window in English, and beside it as a Russian operator sees it (code page 1251).
for base in setup rda dxcc_empty dxcc_prefix_grid dxcc_worked_with cabrillo; do
  pictures=""
  for png in "out/screens/$base.png" "out/screens/${base}_russian.png"; do
    [[ -f $png ]] || continue
    cp "$png" "$stage/screens/"
    pictures+="<img src=\"screens/$(basename "$png")\" alt=\"$(basename "$png")\">"
  done
  [[ -n $pictures ]] && screens+="<p>$pictures<br>$(caption "$base")</p>"$'\n'
done
[[ -n $screens ]] || { echo "dist: no pictures of the windows in out/screens (bash scripts/screenshots.sh)" >&2; exit 1; }
SCREENS=$screens python3 - "$version" "$stage/Stats.html" <<'PY'
import os, sys
page = open("scripts/operator-page.html", encoding="utf-8").read()
page = page.replace("@VERSION@", sys.argv[1]).replace("@SCREENS@", os.environ["SCREENS"])
open(sys.argv[2], "w", encoding="utf-8").write(page)
PY
(cd "$stage" && find . -type f ! -name SHA256SUMS.txt | sed 's|^\./||' | sort | xargs sha256sum >SHA256SUMS.txt)
(cd out/dist && zip -qr -X "$name.zip" "$name" && sha256sum "$name.zip" >"$name.zip.sha256")
echo "dist: out/dist/$name.zip"
unzip -l "out/dist/$name.zip" | sed -n '4,$p' | head -n -2
cat "out/dist/$name.zip.sha256"
