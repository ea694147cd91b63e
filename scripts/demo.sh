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
  build/native/bin/rdac score examples/sample.adi --workdir out/demo
fi
echo
echo "== Cabrillo header dialog under Wine =="
bash scripts/cabrillo-screenshot.sh
