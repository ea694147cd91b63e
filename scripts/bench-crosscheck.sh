#!/usr/bin/env bash
# The cross-check at contest size: LOGS synthetic logs of about QSOS QSOs each (default 5,000 of
# 1,000), checked by rdac crosscheck with its pages, with the time and the peak memory it took.
set -euo pipefail
cd "$(dirname "$0")/.."
logs=${1:-5000}
qsos=${2:-1000}
bin=build/native/bin
work=out/crosscheck-bench
mkdir -p "$work"
if [ "$(cat "$work/made" 2>/dev/null)" != "$logs $qsos" ]; then
  rm -rf "$work/logs"
  "$bin/make_contest" "$work/logs" "$logs" "$qsos"
  echo "$logs $qsos" > "$work/made"
fi
/usr/bin/time -v -o "$work/time.txt" "$bin/rdac" crosscheck "$work/logs" --districts examples/rda_sample.dat \
  --out "$work/out" --report "$work/pages" --workdir "$work/rdac" --timings > "$work/stdout.txt" 2> "$work/stderr.txt"
head -c 400 "$work/stdout.txt"; echo
grep '^rdac: .* logs, .* QSOs:' "$work/stderr.txt" || true
seconds=$(awk -F': ' '/Elapsed/ {n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i]; print s}' "$work/time.txt")
peak=$(awk -F': ' '/Maximum resident/ {printf "%.0f", $2 / 1024}' "$work/time.txt")
cpu=$(awk -F': ' '/User time|System time/ {s += $2} END {printf "%.1f", s}' "$work/time.txt")
echo "crosscheck of $logs logs: ${seconds} s (target 10 s) $(awk -v s="$seconds" 'BEGIN {print (s <= 10 ? "ok" : "MISSED")}'), ${cpu} s of CPU, peak memory ${peak} MB (largest process), load $(cut -d' ' -f1-3 /proc/loadavg)"
