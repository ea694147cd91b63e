#!/usr/bin/env bash
# rdac crosscheck measured on a contest it has never seen: tests/committee/ writes LOGS logs
# (default 400) with the committee's verdicts, rdac checks them, the evaluator compares.
#   scripts/committee-check.sh [LOGS [SEED]]    RDAC=path/to/rdac WORK=folder to override,
#   WITHOUT=class,... to leave classes of faults out (make_committee_contest.py --help lists them),
#   STRICT=1 to exit 1 when the checker misses the bar
# When rdac stops on the folder as a committee gets it (a stray file, an empty CALLSIGN:), it is
# said, and those files are set aside for a second run, which leaves every other verdict as it was.
set -euo pipefail
cd "$(dirname "$0")/.."
logs=${1:-400}
seed=${2:-1}
rdac=${RDAC:-build/native/bin/rdac}
work=${WORK:-out/committee}
contest=$work/contest

python3 tests/committee/make_committee_contest.py "$contest" --logs "$logs" --seed "$seed" ${WITHOUT:+--without "$WITHOUT"}
options=(--districts examples/rda_sample.dat --workdir "$work/rdac")
if "$rdac" crosscheck --help | grep -q -- '--start'; then
  options+=(--start "$(sed -n 1p "$contest/period.txt")" --end "$(sed -n 2p "$contest/period.txt")")
else
  echo "committee-check: rdac crosscheck takes no contest period; out_of_period cannot be given"
fi

check() {
  rm -rf "$work/checked"
  set +e
  "$rdac" crosscheck "$1" "${options[@]}" --out "$work/checked" > "$work/stdout.txt" 2> "$work/stderr.txt"
  status=$?
  set -e
  head -c 600 "$work/stdout.txt"
  echo "committee-check: rdac exit $status, $(grep -c 'QSO line skipped' "$work/stderr.txt" || true) QSO line(s) skipped"
  grep -v 'QSO line skipped' "$work/stderr.txt" | head -n 8 || true
  return $status
}

if ! check "$contest/logs"; then
  echo "committee-check: rdac stopped on the folder as sent; again without the stray files and the log with an empty CALLSIGN:"
  rm -rf "$work/readable"
  cp -r "$contest/logs" "$work/readable"
  awk -F, '$7 ~ /stray_file|blank_callsign/ {print $1}' "$contest/truth_logs.csv" |
    while read -r name; do rm -f "$work/readable/$name"; done
  check "$work/readable"
fi
echo
python3 tests/committee/evaluate_crosscheck.py "$contest" "$work/checked" ${STRICT:+--strict}
