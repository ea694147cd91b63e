#!/usr/bin/env bash
# The DLL's export directory: module name, 23 names at their ordinals, signatures as the
# logger's decorated names encode them, and imports from system DLLs only.
set -euo pipefail
dll=$1
dump=$(i686-w64-mingw32-objdump -p "$dll")
fail() { echo "check_exports: $*" >&2; exit 1; }

grep -q $'^Name \t*[0-9a-f]* Stats.dll$' <<<"$dump" || fail "export directory does not name Stats.dll"

expected=$(cat <<'LIST'
1 int __cdecl AddData0(char const *, char const *, class COleDateTime *, class COleDateTime *, class COleDateTime *, class COleDateTime *, unsigned int, unsigned int, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, int, int, int, double, double, char const *, char const *, char const *, char const *, char const *)
2 int __cdecl CheckCallFunc0(char const *, unsigned int, unsigned int, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, int, int, int, double, double, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char *, char *)
3 int __cdecl GetNumberOfSets(void)
4 char const * __cdecl GetResult0(int *)
5 char const * __cdecl GetSetName(int)
6 int __cdecl RemoveData0(char const *, char const *, class COleDateTime *, class COleDateTime *, class COleDateTime *, class COleDateTime *, unsigned int, unsigned int, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, int, int, int, double, double, char const *, char const *, char const *, char const *, char const *)
7 int __cdecl ResetStats0(char const *, int, char const *, class COleDateTime *, class COleDateTime *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, char const *, int, int, int, double, double, char const *, char const *, char const *)
8 char const * __cdecl RunCommand0(int, char const *)
9 void __cdecl SetupSet0(void)
10 int __cdecl StatsGetExchgCount0(char const *, char const *, char const *)
11 int __cdecl StatsIsValidExchg0(char const *, char const *, char const *, char const *, int, int, int)
12 unsigned long __cdecl setVersion(char const *)
13 AddData0
14 CheckCall0
15 GetExchgCount0
16 GetNumberOfSets
17 GetResult0
18 GetSetName
19 IsValidExchg0
20 RemoveData0
21 ResetStats0
22 SetupSet0
23 setVersion
LIST
)

# objdump prints each name's ordinal less the base of 1.
actual=$(sed -n '/Ordinal\/Name Pointer\] Table/,/^$/s/^\t\[ *\([0-9]*\)\] \(.*\)/\1 \2/p' <<<"$dump" |
  while read -r index name; do
    if [[ $name == \?* ]]; then name=$(llvm-undname "$name" | sed -n 2p); fi
    echo "$((index + 1)) $name"
  done)
[[ $actual == "$expected" ]] || fail "export table differs:"$'\n'"$(diff <(echo "$expected") <(echo "$actual"))"

bad_imports=$(awk '/DLL Name/{print $3}' <<<"$dump" |
  grep -viE '^(kernel32|user32|gdi32|ole32|oleaut32|advapi32|comctl32|comdlg32|shell32|msvcrt)\.dll$' || true)
[[ -z $bad_imports ]] || fail "imports beyond the system DLLs: $bad_imports"
echo "check_exports: 23 names at ordinals 1-23, Stats.dll, system imports only"
