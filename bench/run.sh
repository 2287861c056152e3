#!/usr/bin/env bash
# Start-up benchmark of the simulated travonel against static C references.
# Usage: bench/run.sh [RUNS]   (after cmake --build build)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-500}"
out=build/bench
mkdir -p "$out"
cc -O2 -static bench/rien.c -o "$out/rien"
cc -O2 -static bench/pause_ligne.c -o "$out/pause_ligne"
cc -O2 bench/bench.c -o "$out/bench"
prog=build/carte_simulee/travonel
[ -x "$prog" ] || { echo "build first: cmake -S . -B build && cmake --build build" >&2; exit 2; }
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "== nea 0 against a no-op"
"$out/bench" "$runs" "$out/rien" -- "$prog" nea 0
echo "== ead 1 against a 1 ms sleep and one write"
CARTE_SIMULEE=30D=02 "$out/bench" "$runs" "$out/pause_ligne" -- "$prog" ead 1
