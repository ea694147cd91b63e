#!/usr/bin/env bash
# The library's folders in their order, lowest first: a file may include headers of its own
# folder and of the folders below it, never of one above. resources/ (the resource ids) is open
# to every folder. rdac/ stands apart: besides its own headers it includes only the export
# declarations and the platform stand-ins a logger has as well, and inside it the same rule
# holds: the shared folders in their order, each command's folder above them and closed to the
# other commands, the command line (rdac/*.cpp) on top. Exits 1 naming each include that climbs.
set -euo pipefail
cd "$(dirname "$0")/.."

layers="platform contest log reports ui plugin"
rdac_shared="io logs score"
rdac_commands="watch crosscheck"

awk -v layers="$layers" -v shared="$rdac_shared" -v commands="$rdac_commands" '
  BEGIN {
    n = split(layers, order, " "); for (i = 1; i <= n; ++i) rank[order[i]] = i
    n = split(shared, order, " "); for (i = 1; i <= n; ++i) rdacRank[order[i]] = i
    top = n + 2
    n = split(commands, order, " "); for (i = 1; i <= n; ++i) { rdacRank[order[i]] = top - 1; command[order[i]] = 1 }
  }
  FNR == 1 {
    n = split(FILENAME, parts, "/"); folder = parts[1]
    sub_ = n > 2 ? parts[2] : ""
  }
  /^[ \t]*#[ \t]*include[ \t]*"/ {
    header = $0
    sub(/^[^"]*"/, "", header); sub(/".*$/, "", header)
    if (index(header, "/") == 0) next
    first = substr(header, 1, index(header, "/") - 1)
    if (first == "resources") next
    if (folder == "rdac") {
      if (first == "platform" || header == "plugin/exports.h") next
      if (first != "rdac") {
        bad = "rdac/ reaches the plug-in only through plugin/exports.h"
      } else {
        n = split(header, hparts, "/")
        target = n > 2 ? hparts[2] : ""
        own = sub_ == "" ? top : rdacRank[sub_]
        theirs = target == "" ? top : rdacRank[target]
        if (target == sub_ || theirs < own) next
        bad = (target in command) ? "rdac/" target "/ belongs to another command" : "rdac/" (target == "" ? "" : target "/") " is above rdac/" sub_ (sub_ == "" ? "" : "/")
      }
    } else {
      if (!(first in rank) || rank[first] <= rank[folder]) next
      bad = first "/ is above " folder "/"
    }
    printf "%s:%d: includes \"%s\": %s\n", FILENAME, FNR, header, bad
    failed = 1
  }
  END { exit failed }
' $(for folder in $layers; do ls "$folder"/*.h "$folder"/*.cpp 2>/dev/null; done) \
  $(find rdac -name '*.h' -o -name '*.cpp' | sort) || {
  echo "check-layers: the order is $layers (rdac/ apart: $rdac_shared, then $rdac_commands, then the command line)" >&2
  exit 1
}
echo "check-layers: every include keeps the order $layers (rdac/ apart: $rdac_shared, then $rdac_commands, then the command line)"
