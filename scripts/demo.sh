#!/usr/bin/env bash
# Shows what the plug-in does, through its own exports.
set -euo pipefail
cd "$(dirname "$0")/.."
dll=build/win32/bin/Stats.dll
so=build/native/bin/libStats.so

echo "== Stats.dll: export table (ordinal, name, signature) =="
dump=$(i686-w64-mingw32-objdump -p "$dll")
# objdump prints each name's ordinal less the base of 1.
sed -n '/Ordinal\/Name Pointer\] Table/,/^$/s/^\t\[ *\([0-9]*\)\] \(.*\)/\1 \2/p' <<<"$dump" |
  while read -r index name; do
    if [[ $name == \?* ]]; then sig=$(llvm-undname "$name" 2>/dev/null | sed -n 2p); else sig="(alias)"; fi
    printf '%3d  %-16s %s\n' "$((index + 1))" "$(sed 's/^?\([^@]*\)@.*/\1/' <<<"$name")" "$sig"
  done
echo
echo "== Stats.dll imports =="
awk '/DLL Name/{print "  " $3}' <<<"$dump"
echo
echo "== libStats.so exports =="
nm -D --defined-only "$so" | awk '$2=="T"{print "  " $3}'
if [[ -x build/native/bin/rdac ]]; then
  echo
  echo "== rdac: the example contest log scored through the plug-in =="
  rdac=build/native/bin/rdac
  data=(--districts examples/rda_sample.dat --hints examples/RDAC_sample.hlp --workdir out/demo)
  "$rdac" score examples/sample.adi "${data[@]}" --html out/demo/result.html --report out/demo/report.html
  echo
  echo "== rdac: the contest report drawn by a browser (headless Chromium) =="
  bash scripts/report-screenshot.sh out/demo/report.html out/screens/report.png 2200
  echo
  echo "== rdac: export run, header from examples/cabrillo_header.txt =="
  "$rdac" score examples/sample.adi "${data[@]}" --cabrillo --header-file examples/cabrillo_header.txt |
    sed -n '/^Score:/p;/^Cabrillo file:/p'
  echo
  echo "== rdac: the exported Cabrillo file read back =="
  "$rdac" score out/demo/RA3AL.cbr --districts examples/rda_sample.dat --workdir out/demo-readback |
    sed -n '/^Score:/p'
  echo
  echo "== rdac: callsign checks against the example log =="
  while read -r call band mode; do
    "$rdac" check "$call" --band "$band" --mode "$mode" examples/sample.adi "${data[@]}" 2>/dev/null
  done <<'CHECKS'
R9UDK 40m CW
R9UDK 10m SSB
VP8ABC 10m CW
K1ABC 30m CW
CHECKS
fi
echo
echo "== The plug-in's windows and the Cabrillo header dialog, drawn by Stats.dll under Wine =="
bash scripts/screenshots.sh
bash scripts/cabrillo-screenshot.sh
echo
echo "Files: out/demo (result.html, report.html, the bad-QSO file, RA3AL.cbr), out/screens (PNG pictures)"
