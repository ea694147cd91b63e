#!/usr/bin/env bash
# Soaks Stats.dll under Wine for the given seconds: random export sequences with the windows
# open and the fake host answering, in processes of at most ten minutes each (a crash names the
# seed of a run that short), each loading and unloading the library many times. Prints the calls
# made, the longest call, and every hang (a call over 2 s) and crash; exits non-zero on either.
# SOAK_X87 and SOAK_MXCSR set the host's floating-point words (a Delphi-built logger's are 0x1332
# and 0x1900); a call that does not give them back fails the soak too.
set -uo pipefail
seconds=${1:-600}
host_words=()
[[ -n ${SOAK_X87:-} ]] && host_words+=("STATS_SOAK_X87=$SOAK_X87")
[[ -n ${SOAK_MXCSR:-} ]] && host_words+=("STATS_SOAK_MXCSR=$SOAK_MXCSR")
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
start_display
start_wine_session
trap 'stop_wine_session; stop_display' EXIT
districts=$(winepath -w "$PWD/examples/rda_sample.dat" 2>/dev/null)
bin=$STATS_WIN32_BUILD/bin
calls=0 longest=0 longest_export=none hangs=0 crashes=0 loads=0 runs=0 words_changed=0
end=$((SECONDS + seconds))
while ((SECONDS < end)); do
  segment=$((end - SECONDS < 600 ? end - SECONDS : 600))
  seed=$((RANDOM * 32768 + RANDOM))
  out=$(cd "$bin" && env "${host_words[@]}" STATS_SOAK_DISTRICTS="$districts" timeout $((segment + 120)) wine stats_soak.exe "$segment" "$seed" 2>&1 </dev/null; echo "exit=$?")
  out=${out//$'\r'/}
  rc=$(tail -1 <<<"$out" | cut -d= -f2)
  runs=$((runs + 1))
  summary=$(grep -o 'seed=.*' <<<"$out" | tail -1)
  grep '^HANG' <<<"$out"
  grep '^WORDS' <<<"$out"
  hangs=$((hangs + $(grep -c '^HANG: .* still running' <<<"$out")))  # also in a run that then crashed
  if [[ -z $summary ]]; then
    echo "soak: CRASH (exit $rc) in the run with seed $seed:"
    tail -20 <<<"$out"
    crashes=$((crashes + 1))
    continue
  fi
  ((rc == 1)) || ((rc == 0)) || { echo "soak: exit $rc after: $summary"; crashes=$((crashes + 1)); }
  field() { grep -o "$1=[^ ]*" <<<"$summary" | cut -d= -f2; }
  calls=$((calls + $(field calls)))
  loads=$((loads + $(field loads)))
  words_changed=$((words_changed + $(field words_changed)))
  if awk "BEGIN{exit !($(field longest_ms) > $longest)}"; then
    longest=$(field longest_ms) longest_export=$(field longest_export)
  fi
done
echo "soak: ${seconds}s in $runs processes${SOAK_X87:+ (host x87 word $SOAK_X87${SOAK_MXCSR:+, MXCSR $SOAK_MXCSR})}: $calls calls, $loads loads, longest call ${longest} ms ($longest_export), $hangs hangs, $crashes crashes, $words_changed calls that changed the host's words"
((hangs == 0 && crashes == 0 && words_changed == 0))
