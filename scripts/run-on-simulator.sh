#!/usr/bin/env bash
# Builds the program and the bridge+chip simulator, starts the simulator on a pseudo-terminal
# (a 64 Mbit chip whose contents are kept between runs) and connects the program to it.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target tarnwick tarnwick-sim
contents="${XDG_CACHE_HOME:-$HOME/.cache}/tarnwick/simulated-chip.bin"
mkdir -p "$(dirname "$contents")"

output=$(mktemp)
build/sim/tarnwick-sim --size 64 --line-rate --contents "$contents" >"$output" &
simulator=$!
trap 'kill "$simulator" 2>/dev/null; wait "$simulator" 2>/dev/null; rm -f "$output"' EXIT
for _ in $(seq 100); do
  [ -s "$output" ] && break
  sleep 0.05
done
port=$(head -n 1 "$output")
echo "simulator serves $port"
build/src/ui/tarnwick "$port"
