#!/usr/bin/env bash
# The library's folders in their order, lowest first: a file may include headers of its own
# folder and of the folders below it, never of one above. host/ stands apart: besides its own
# headers it includes only the export declarations and the platform stand-ins a logger has as
# well. resources/ (the resource ids) is open to every folder. Exits 1 naming each include
# that climbs.
set -euo pipefail
cd "$(dirname "$0")/.."

layers="platform contest log reports ui plugin"

awk -v layers="$layers" '
  BEGIN { n = split(layers, order, " "); for (i = 1; i <= n; ++i) rank[order[i]] = i }
  FNR == 1 { split(FILENAME, parts, "/"); folder = parts[1] }
  /^[ \t]*#[ \t]*include[ \t]*"/ {
    header = $0
    sub(/^[^"]*"/, "", header); sub(/".*$/, "", header)
    if (index(header, "/") == 0) next
    top = substr(header, 1, index(header, "/") - 1)
    if (top == "resources") next
    if (folder == "host") {
      if (top == "host" || top == "platform" || header == "plugin/exports.h") next
      bad = "host/ reaches the plug-in only through plugin/exports.h"
    } else {
      if (!(top in rank) || rank[top] <= rank[folder]) next
      bad = top "/ is above " folder "/"
    }
    printf "%s:%d: includes \"%s\": %s\n", FILENAME, FNR, header, bad
    failed = 1
  }
  END { exit failed }
' $(for folder in $layers host; do ls "$folder"/*.h "$folder"/*.cpp 2>/dev/null; done) || {
  echo "check-layers: the order is $layers (host/ apart)" >&2
  exit 1
}
echo "check-layers: every include keeps the order $layers (host/ apart)"
