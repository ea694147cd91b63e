#!/usr/bin/env bash
# Runs the Google Benchmark suite of the native build.
set -euo pipefail
cd "$(dirname "$0")/.."
bench=build/native/bin/stats_bench
if [[ ! -x $bench ]]; then echo "bench: no benchmarks built yet" >&2; exit 1; fi
mkdir -p out
"$bench" --benchmark_out=out/bench.json --benchmark_out_format=json "$@"
