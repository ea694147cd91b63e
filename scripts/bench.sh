#!/usr/bin/env bash
# Runs the benchmarks and checks the figures an operator relies on: a reload and the result
# that grow no faster than the log, a callsign check that does not grow with it.
set -euo pipefail
cd "$(dirname "$0")/.."
bench=build/native/bin/stats_bench
mkdir -p out
"$bench" --benchmark_out=out/bench.json --benchmark_out_format=json --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true "$@"
python3 - <<'PY'
import json
runs = {b["run_name"]: b for b in json.load(open("out/bench.json"))["benchmarks"]
        if b.get("aggregate_name") == "median"}
def ms(name):
    b = runs[name]
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
    return b["real_time"] * scale
checks = [
    ("reload(100k) <= 12 x reload(10k)", ms("BM_FullReload/100000") / ms("BM_FullReload/10000"), 12),
    ("CheckCall0(100k) <= 2 x CheckCall0(1k)", ms("BM_CheckCall/100000") / ms("BM_CheckCall/1000"), 2),
    ("GetResult0(100k) <= 12 x GetResult0(10k)", ms("BM_GetResult/100000") / ms("BM_GetResult/10000"), 12),
]
print()
print(f"full reload of 100,000 QSOs: {ms('BM_FullReload/100000'):.1f} ms (target 150 ms) "
      + ("ok" if ms("BM_FullReload/100000") <= 150 else "MISSED"))
for text, ratio, limit in checks:
    print(f"{text}: {ratio:.2f} " + ("ok" if ratio <= limit else "MISSED"))
PY
