#!/usr/bin/env bash
# rdac.exe under Wine against the native rdac on the same input: CASE is
#   score       the example log with --html and --cabrillo: the same output, page and Cabrillo file
#               (rdac.exe confirms the plug-in's header dialog itself). Not with --report: in an
#               export run the plug-in rewrites its file at each of the report's many results.
#   crosscheck  a small synthetic contest with every option that changes a score (the penalty,
#               partner errors counting, a period): the same checked.csv, results.csv and pages
#   handles     rdac.exe started by a parent whose event it inherits: its second process does
#               not get that event (it inherits its pipe handles only)
#   cyrillic    the example log, its report (--report) and the work folder in folders with
#               Cyrillic names, under code page 1252
#   helper      killing rdac.exe crosscheck while its second process scores ends that process
#               too (the job object), where it would otherwise score on for seconds
#   language    rdac.exe speaks Russian under a Russian user's Windows, English with --lang en
#   watch       rdac.exe watch takes a record appended to the log, and Ctrl-C (SIGINT to Wine)
#               ends it with the result of the whole log, as the native rdac scores it
#   saves       a logger saving its log by renaming a new file over it (log_saver.exe, beside
#               rdac.exe) while rdac.exe watch follows it: not one rename fails
# Usage: rdac_exe_test.sh CASE RDAC_EXE NATIVE_BIN SOURCE_DIR
set -euo pipefail
case_=$1 exe=$2 native_bin=$3 source=$4
cty=/usr/share/hamradio-files/cty.dat
for tool in "$native_bin/rdac" "$native_bin/make_contest"; do
  [[ -x $tool ]] || { echo "no native $tool: build the native preset first (make build-native)" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/native" "$work/wine"

# Runs rdac natively in native/ and rdac.exe in wine/, each with the same arguments.
both() {
  (cd "$work/native" && "$native_bin/rdac" "$@" >out.txt 2>err.txt) || { cat "$work/native/err.txt" >&2; exit 1; }
  (cd "$work/wine" && wine "$exe" "$@" --cty "$cty" >out.txt 2>err.txt) || { cat "$work/wine/err.txt" >&2; exit 1; }
}

# Files that must be the same; rdac.exe writes paths with backslashes, and the two builds may
# be of different commits (CREATED-BY names the version).
same() {
  local file version='s/^CREATED-BY: rdac [^ ]+/CREATED-BY: rdac VERSION/'
  for file in "$@"; do
    if ! diff -u <(sed -E "$version" "$work/native/$file") <(tr '\\' '/' <"$work/wine/$file" | sed -E "$version"); then
      echo "rdac_exe_test $case_: $file differs between rdac and rdac.exe" >&2
      exit 1
    fi
  done
}

case $case_ in
  score)
    both score "$source/examples/sample.adi" --districts "$source/examples/rda_sample.dat" \
      --hints "$source/examples/RDAC_sample.hlp" --workdir out --html result.html --cabrillo --header NAME=Ivan
    grep -q '^Score: ' "$work/native/out.txt"
    same out.txt result.html out/RA3AL.cbr
    # Again into the same work folder: its hint file and district table are replaced.
    (cd "$work/wine" && wine "$exe" score "$source/examples/sample.adi" --districts "$source/examples/rda_sample.dat" \
      --hints "$source/examples/RDAC_sample.hlp" --workdir out --cty "$cty" >again.txt 2>err.txt) ||
      { echo "rdac_exe_test score: a second run into the same work folder failed" >&2; cat "$work/wine/err.txt" >&2; exit 1; }
    ;;
  crosscheck)
    for side in native wine; do "$native_bin/make_contest" "$work/$side/logs" 24 40 >/dev/null; done
    both crosscheck logs --districts "$source/examples/rda_sample.dat" --out checked --workdir out --penalty 1.5 \
      --count-partner-errors --start "2017-08-19 14:00" --end "2017-08-20 08:00" --report pages
    grep -q 'partner_error' "$work/native/out.txt" && grep -q 'out_of_period' "$work/native/out.txt"
    same out.txt checked/checked.csv checked/results.csv pages/index.html pages/index-en.html \
      $(cd "$work/native" && ls pages/log/*.html)
    ;;
  helper)
    cd "$work/wine"
    "$native_bin/make_contest" logs 300 150 >/dev/null
    wine "$exe" crosscheck logs --districts "$source/examples/rda_sample.dat" --out checked --workdir out \
      --cty "$cty" >out.txt 2>err.txt &
    parent=$!
    # This run's helper only: its job file lies in this test's own folder.
    mine="scoring-job .*$(basename "$work")"
    helper=
    for _ in $(seq 600); do
      helper=$(pgrep -f "$mine" | head -1 || true)
      [[ -n $helper ]] && break
      sleep 0.1
    done
    [[ -n $helper ]] || { echo "rdac_exe_test helper: no helper started" >&2; cat err.txt >&2; exit 1; }
    # Killed while the helper scores: it shows from the moment rdac.exe creates it, suspended until
    # it is in the job; the bad-QSO file its plug-in starts in its work folder says it runs there.
    for _ in $(seq 600); do
      compgen -G "out/second/BadQSO_*" >/dev/null && break
      sleep 0.02
    done
    kill -9 "$parent"
    for _ in $(seq 50); do kill -0 "$helper" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$helper" 2>/dev/null; then
      kill "$helper"
      echo "rdac_exe_test helper: the helper outlived rdac.exe by 5 s" >&2
      exit 1
    fi
    ;;
  handles)
    cd "$work/wine"
    "$native_bin/make_contest" logs 300 150 >/dev/null
    wine "$(dirname "$exe")/helper_handles_probe.exe" "$exe" crosscheck logs --districts "$source/examples/rda_sample.dat" \
      --out checked --workdir out --cty "$cty" >probe.txt 2>err.txt || {
      echo "rdac_exe_test handles: $(cat probe.txt)" >&2; exit 1; }
    cat probe.txt
    ;;
  cyrillic)
    for side in native wine; do
      mkdir -p "$work/$side/Журнал контеста"
      cp "$source/examples/sample.adi" "$work/$side/Журнал контеста/журнал.adi"
    done
    LANG=C.UTF-8 LC_ALL= both score "Журнал контеста/журнал.adi" --districts "$source/examples/rda_sample.dat" \
      --workdir "Работа" --report "Журнал контеста/отчёт.html"
    grep -q '^Score: ' "$work/native/out.txt"
    same out.txt "Журнал контеста/отчёт.html"
    ;;
  watch)
    cd "$work/wine"
    # The example log's first records, then the rest up to the end of the next one.
    python3 - "$source/examples/sample.adi" <<'PY'
import sys
log = open(sys.argv[1], 'rb').read()
cut = log.find(b'<EOR>', 3000) + 5
open('live.adi', 'wb').write(log[:cut])
open('more.adi', 'wb').write(log[cut:log.find(b'<EOR>', cut) + 5])
open('whole.adi', 'wb').write(log[:log.find(b'<EOR>', cut) + 5])
PY
    wine "$exe" watch live.adi --districts "$source/examples/rda_sample.dat" --cty "$cty" --poll 0.1 \
      >watch.txt 2>err.txt &
    watcher=$!
    waitFor() { for _ in $(seq 300); do grep -q "$1" watch.txt && return 0; sleep 0.1; done
                echo "rdac_exe_test watch: no '$1' in:" >&2; cat watch.txt err.txt >&2; kill $watcher; exit 1; }
    waitFor 'following it'
    cat more.adi >>live.adi
    waitFor ' score '
    kill -INT $watcher
    wait $watcher || { echo "rdac_exe_test watch: exit code $?" >&2; exit 1; }
    "$native_bin/rdac" score whole.adi --districts "$source/examples/rda_sample.dat" --workdir "$work/native" \
      >"$work/native/out.txt"
    final=$(sed -n '/RDA CONTEST/,/Created by/p' watch.txt)
    [[ -n $final && $final == "$(sed -n '/RDA CONTEST/,/Created by/p' "$work/native/out.txt")" ]] || {
      echo "rdac_exe_test watch: the final result differs from the native score of the same records" >&2
      cat watch.txt >&2; exit 1; }
    ;;
  saves)
    cd "$work/wine"
    python3 - "$source/examples/sample.adi" <<'PY'
import sys
log = open(sys.argv[1], 'rb').read()
first = log.find(b'<EOR>') + 5
open('live.adi', 'wb').write(log[:first])
open('record.adi', 'wb').write(log[first:log.find(b'<EOR>', first) + 5])
PY
    wine "$exe" watch live.adi --districts "$source/examples/rda_sample.dat" --cty "$cty" --poll 0.01 \
      >watch.txt 2>err.txt &
    watcher=$!
    for _ in $(seq 300); do grep -q 'following it' watch.txt && break; sleep 0.1; done
    saved=0
    wine "$(dirname "$exe")/log_saver.exe" live.adi record.adi 150 100 >saver.txt 2>&1 || saved=$?
    kill -INT $watcher
    wait $watcher || true
    cat saver.txt
    [[ $saved == 0 ]] || { echo "rdac_exe_test saves: the logger's save failed beside rdac.exe watch" >&2; exit 1; }
    grep -q ' score ' watch.txt || { echo "rdac_exe_test saves: watch took no saved record" >&2; cat watch.txt err.txt >&2; exit 1; }
    ;;
  language)
    # Russian where the user's Windows speaks it, English when asked; what the operator can do
    # about a missing file rather than the system's words.
    cd "$work/wine"
    russian=$(env -u LC_ALL -u RDAC_LANG LANG=ru_RU.UTF-8 wine "$exe" score missing.adi 2>&1 </dev/null || true)
    english=$(env -u LC_ALL -u RDAC_LANG LANG=ru_RU.UTF-8 wine "$exe" score missing.adi --lang en 2>&1 </dev/null || true)
    [[ $russian == *"не удаётся прочитать лог "*"missing.adi: такого файла или папки нет: проверьте имя или создайте папку"* &&
       $english == *"cannot read the log "*"missing.adi: there is no such file or folder: check the name, or create the folder"* ]] || {
      echo "rdac_exe_test language: got '$russian' and '$english'" >&2; exit 1; }
    ;;
  *)
    echo "rdac_exe_test: no case $case_" >&2
    exit 2
    ;;
esac
echo "rdac_exe_test $case_: rdac.exe and rdac agree"
