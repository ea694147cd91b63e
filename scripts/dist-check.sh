#!/usr/bin/env bash
# Checks the operator's zip as an operator meets it: unzips it into a fresh folder, lays out a
# logger's folder as the page says (Stats.dll and rdac.exe in Plugins, the district list, a log
# and the country file beside it), and runs every command of the page (<pre class="cmd">) with
# rdac.exe under Wine; the same commands with the native rdac give what each must print.
# Usage: dist-check.sh out/dist/Stats-VERSION.zip
set -euo pipefail
cd "$(dirname "$0")/.."
zip=$1
check=$(mktemp -d "$PWD/out/dist/check.XXXXXX")
trap 'rm -rf "$check"' EXIT
unzip -q "$zip" -d "$check/unzipped"
unzipped=$(echo "$check"/unzipped/*)
[[ -f $unzipped/Stats.html && -f $unzipped/Stats-en.html && -f $unzipped/Stats.dll ]] ||
  { echo "dist-check: the zip lacks Stats.dll or a page" >&2; exit 1; }
(cd "$unzipped" && sha256sum --quiet -c SHA256SUMS.txt) || { echo "dist-check: checksums do not match" >&2; exit 1; }

# What an operator has beside the logger: the publisher's list, the exported log, cty.dat.
lay_out() {
  mkdir -p "$1/Plugins"
  cp examples/rda_sample.dat "$1/rda_list.txt"
  cp examples/sample.adi "$1/mylog.adi"
  cp /usr/share/hamradio-files/cty.dat "$1/cty.dat"
  [[ -f /usr/share/hamradio-files/cty.csv ]] && cp /usr/share/hamradio-files/cty.csv "$1/cty.csv"
  return 0
}
native=$check/native
lay_out "$native"
cp build/native/bin/rdac build/native/bin/libStats.so "$native/Plugins/"
windows=$check/windows
lay_out "$windows"
cp "$unzipped/Stats.dll" "$windows/Plugins/"
have_exe=0
if [[ -f $unzipped/rdac.exe ]]; then
  cp "$unzipped/rdac.exe" "$windows/Plugins/"
  have_exe=1
  source scripts/wine-env.sh
  wine_prefix_ready
fi

mapfile -t commands < <(python3 - "$unzipped/Stats.html" <<'PY'
import html, re, sys
for command in re.findall(r'<pre class="cmd">(.*?)</pre>', open(sys.argv[1], encoding="utf-8").read(), re.S):
    print(html.unescape(command).strip())
PY
)
[[ ${#commands[@]} -gt 0 ]] || { echo "dist-check: the page has no command" >&2; exit 1; }

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
  out=$(grep -Ev '^rdac: (read|resolved|fed) [0-9]+ of ' <<<"$out" || true)
  out=${out//\\//}
  out=${out//Z:$folder/FOLDER}
  echo "${out//$folder/FOLDER}"
}

failed=0
for command in "${commands[@]}"; do
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
done
((have_exe)) || echo "dist-check: no rdac.exe in the zip: the page's commands were run with the native rdac only"
exit $failed
