#!/usr/bin/env bash
# Runs every libFuzzer target of build/fuzz: first the checked-in corpus of each, then fuzzing
# for the given seconds per target. Exits non-zero when any target finds a crash, a sanitizer
# report, a leak or an input slower than 10 s; the input is left in build/fuzz/findings/.
# Usage: scripts/fuzz.sh SECONDS_PER_TARGET [TARGET...]   (default: every target)
set -uo pipefail
seconds=${1:-600}
shift $(($# > 0))
targets=("$@")
((${#targets[@]})) || targets=(exports data_files adif cabrillo country_file crosscheck)
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/fuzz/bin
findings=$root/build/fuzz/findings
mkdir -p "$findings"
status=0
export TMPDIR
TMPDIR=$(mktemp -d)
trap 'rm -rf "$TMPDIR"' EXIT
for target in "${targets[@]}"; do
  work=$root/build/fuzz/corpus/$target  # what this machine's runs found, kept between runs
  mkdir -p "$work"
  log=$root/build/fuzz/$target.log
  # The plug-in's fuzzers work in a scratch folder under TMPDIR, removed at the end.
  "$bin/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/$target-" "$work" "$root/tests/fuzz/corpus/$target" >"$log" 2>&1
  rc=$?
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
  cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1)
  if ((rc != 0)); then
    echo "fuzz: $target FOUND A FAULT (exit $rc); see $log and $findings/$target-*"
    grep -m3 -E 'ERROR|runtime error|deadly signal' "$log"
    status=1
  else
    echo "fuzz: $target ${seconds}s: ${execs:-?} executions, ${cov:-no coverage line}"
  fi
done
exit $status
