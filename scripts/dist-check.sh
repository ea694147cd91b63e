#!/usr/bin/env bash
# Checks the operator's zip as a Russian operator meets it: unzips it into a fresh folder, lays
# out a logger's folder inside a user's folder, both with Cyrillic names, as the Russian page says
# (Stats.dll, rdac.exe, cty.dat and cty.csv from the zip in Plugins, the publisher's district list
# and a log beside it), and runs every command of the page (<pre class="cmd">) in order with
# rdac.exe under Wine in code page 1251 and the Russian language; the same commands with the
# native rdac, in Russian too, give what each must print. What each printed under Wine is shown.
# Usage: dist-check.sh out/dist/Stats-VERSION.zip
set -euo pipefail
cd "$(dirname "$0")/.."
zip=$1
check=$(mktemp -d "$PWD/out/dist/check.XXXXXX")
trap 'rm -rf "$check"' EXIT
unzip -q "$zip" -d "$check/unzipped"
unzipped=$(echo "$check"/unzipped/*)
for file in Stats.html Stats-en.html Stats.dll cty.dat cty.csv cty-copyright.txt; do
  [[ -f $unzipped/$file ]] || { echo "dist-check: the zip lacks $file" >&2; exit 1; }
done
(cd "$unzipped" && sha256sum --quiet -c SHA256SUMS.txt) || { echo "dist-check: checksums do not match" >&2; exit 1; }

# What an operator has beside the logger: the district list as its publisher lays it out (region
# headings, district lines with blanks or a tab, a deleted district), made from the example
# table, and the exported log.
lay_out() {
  mkdir -p "$1/Plugins"
  awk 'NR == 1 { next }
       substr($0, 1, 2) != region { region = substr($0, 1, 2); printf "\tSample region (%s)\tUA3\r\n", region }
       { sep = NR % 10 ? "\t" : "   "; printf "%s%s%s\r\n", substr($0, 1, 5), sep, substr($0, 7) }
       END { printf "SP-99\tdeleted 01.01.2012\tSP-01\r\n" }' examples/rda_sample.dat | tr -d '\r' | sed 's/$/\r/' \
    >"$1/rda_list.txt"
  cp examples/sample.adi "$1/mylog.adi"
}
native=$check/Оператор/Журналы/native
lay_out "$native"
cp build/native/bin/rdac build/native/bin/libStats.so "$native/Plugins/"
windows=$check/Оператор/Журналы/Tarn
lay_out "$windows"
cp "$unzipped/Stats.dll" "$unzipped/cty.dat" "$unzipped/cty.csv" "$windows/Plugins/"
have_exe=0
if [[ -f $unzipped/rdac.exe ]]; then
  cp "$unzipped/rdac.exe" "$windows/Plugins/"
  have_exe=1
  source scripts/wine-env.sh
  wine_prefix_ready
fi
# A Russian operator's system: the language and the code pages (1251, 866) of Russian Windows.
export LANG=ru_RU.UTF-8
unset LC_ALL LC_MESSAGES RDAC_LANG

mapfile -t commands < <(python3 - "$unzipped/Stats.html" <<'PY'
import html, re, sys
for command in re.findall(r'<pre class="cmd">(.*?)</pre>', open(sys.argv[1], encoding="utf-8").read(), re.S):
    print(html.unescape(command).strip())
PY
)
[[ ${#commands[@]} -gt 0 ]] || { echo "dist-check: the page has no command" >&2; exit 1; }

got=""
# Runs one command of the page in a folder; `watch` runs for a few seconds and keeps its first
# line of standard output (the score it starts from), the others end with their exit code. What it printed, with the folder's own path and
# Windows' separators and line ends evened out.
run_in() {
  local folder=$1 program=$2 command=$3
  read -r -a words <<<"${command#Plugins\\rdac.exe }"
  local args=()
  for word in "${words[@]}"; do args+=("$(if [[ $program == native ]]; then echo "${word//\\//}"; else echo "$word"; fi)"); done
  local out
  if [[ $program == native ]]; then
    out=$(cd "$folder" && if [[ ${args[0]} == watch ]]; then timeout 8 Plugins/rdac "${args[@]}" 2>/dev/null | head -n 1; else Plugins/rdac "${args[@]}" 2>&1; echo "exit $?"; fi) || true
  else
    out=$(cd "$folder" && if [[ ${args[0]} == watch ]]; then timeout 20 wine 'Plugins\rdac.exe' "${args[@]}" 2>/dev/null </dev/null | head -n 1; else wine 'Plugins\rdac.exe' "${args[@]}" 2>&1 </dev/null; echo "exit $?"; fi) || true
  fi
  out=${out//$'\r'/}
  # A slow run shows its progress; how far it got when is no result.
  out=$(grep -Ev '^rdac: .*[0-9]+ (of|из) [0-9]+' <<<"$out" || true)
  out=${out//\\//}
  out=${out//Z:$folder/FOLDER}
  out=${out//z:$folder/FOLDER}
  echo "${out//$folder/FOLDER}"
}

failed=0
for command in "${commands[@]}"; do
  got=""
  expected=$(run_in "$native" native "$command")
  # The page must be right before rdac.exe is compared with it: each command succeeds natively.
  if [[ -z $expected || ( $expected == *"exit "* && $expected != *"exit 0" ) ]]; then
    echo "dist-check: the page's command fails natively: $command" >&2
    echo "$expected" | sed 's/^/  /' >&2
    failed=1
    continue
  fi
  if ((have_exe)); then
    got=$(run_in "$windows" wine "$command")
    if [[ $got != "$expected" ]]; then
      echo "dist-check: under Wine, '$command' printed something else:" >&2
      diff <(echo "$expected") <(echo "$got") | sed 's/^/  /' >&2 || true
      failed=1
      continue
    fi
  fi
  echo "dist-check: ok: $command"
  sed 's/^/    /' <<<"${got:-$expected}"
done
((have_exe)) || echo "dist-check: no rdac.exe in the zip: the page's commands were run with the native rdac only"
exit $failed
