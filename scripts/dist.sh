#!/usr/bin/env bash
# Packs what an operator downloads: out/dist/Stats-VERSION.zip with Stats.dll, rdac.exe, the
# country file (cty.dat, cty.csv and their notice), the
# operator's page in Russian (Stats.html) and English (Stats-en.html) from the one template
# scripts/operator-page.html, the pictures of the windows, and SHA256SUMS.txt; the zip's own
# checksum beside it. Then scripts/dist-check.sh runs the page's commands from the unzipped zip.
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
rdac_exe=build/win32/bin/rdac.exe
if [[ -f $rdac_exe ]]; then
  cp "$rdac_exe" "$stage/"
else
  echo "dist: $rdac_exe is not built; the zip goes without it and its page's commands are checked natively only" >&2
fi
# The country file rdac.exe reads beside itself, as scripts/setup.sh installs it from Debian's
# package (MIT), with the package's notice, which the licence asks to ship along.
cty_folder=/usr/share/hamradio-files
[[ -f $cty_folder/cty.dat && -f $cty_folder/cty.csv ]] || { echo "dist: no $cty_folder/cty.dat and cty.csv (bash scripts/setup.sh)" >&2; exit 1; }
cp "$cty_folder/cty.dat" "$cty_folder/cty.csv" "$stage/"
{
  echo "cty.dat and cty.csv: the country files of the country-files project (www.country-files.com),"
  echo "as packaged by Debian in hamradio-files $(dpkg-query -W -f='${Version}' hamradio-files 2>/dev/null || echo '(version unknown)')."
  echo
  cat /usr/share/doc/hamradio-files/copyright
} | sed 's/$/\r/' >"$stage/cty-copyright.txt"
screens=""
caption() {
  case $1 in
    setup) echo "<ru>Окно настройки: CW и SSB переключают вид работы логгера; флажки показывают окно RDA и окно предыдущих связей (DXCC), включают подсказку района («Использовать подсказку», Use hint) и держат окна поверх остальных.</ru><en>The setup window: CW and SSB switch the logger's mode; the boxes show the RDA window and the previous-QSO (DXCC) window, turn the district hint (Use hint) on and keep the windows on top.</en>" ;;
    rda) echo "<ru>Окно RDA: районы, сработанные до сих пор.</ru><en>The RDA window: the districts worked so far.</en>" ;;
    dxcc_empty) echo "<ru>Окно предыдущих связей (DXCC), пока ничего не сработано.</ru><en>The previous-QSO (DXCC) window before anything is worked.</en>" ;;
    dxcc_prefix_grid) echo "<ru>То же окно, пока позывной не набран: префиксы стран, сработанные на диапазоне трансивера (здесь 20m), и сколько их из всех стран.</ru><en>The same window while no callsign is typed: the country prefixes worked on the rig's band (20m here), and how many they are of all countries.</en>" ;;
    dxcc_worked_with) echo "<ru>Пока набирается позывной: когда с этой станцией уже работали, на каком диапазоне и каким видом работы, и что она передала; диапазон трансивера отмечен.</ru><en>While a callsign is typed: when that station was worked, on which band and mode, and what it sent; the rig's band is marked.</en>" ;;
    cabrillo) echo "<ru>Окно заголовка Cabrillo при экспорте; оно запоминает введённое.</ru><en>The Cabrillo header dialog of an export; it remembers what was typed.</en>" ;;
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
SCREENS=$screens python3 scripts/operator_page.py "$version" "$stage"
(cd "$stage" && find . -type f ! -name SHA256SUMS.txt | sed 's|^\./||' | sort | xargs sha256sum >SHA256SUMS.txt)
(cd out/dist && zip -qr -X "$name.zip" "$name" && sha256sum "$name.zip" >"$name.zip.sha256")
echo "dist: out/dist/$name.zip"
unzip -l "out/dist/$name.zip" | sed -n '4,$p' | head -n -2
cat "out/dist/$name.zip.sha256"
bash scripts/dist-check.sh "out/dist/$name.zip"
