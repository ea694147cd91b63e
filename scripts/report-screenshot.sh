#!/usr/bin/env bash
# Renders an rdac report page with headless Chromium into a PNG, as a browser shows it.
#   bash scripts/report-screenshot.sh out/demo/report.html out/screens/report.png [HEIGHT]
set -euo pipefail
page=$(realpath "$1")
png=$(realpath -m "$2")
height=${3:-3200}
mkdir -p "$(dirname "$png")"
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-background-networking \
  --disable-component-update --disable-sync --no-first-run --user-data-dir="$profile" \
  --hide-scrollbars --window-size=1100,"$height" --screenshot="$png" "file://$page" >/dev/null 2>&1
echo "report screenshot: $png"
