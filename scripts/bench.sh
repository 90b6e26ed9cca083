#!/usr/bin/env bash
# Builds and runs every benchmark, printing the ratios each measures in one run: the machine
# against a minimal reference interpreter, the desktop run loop against the bare machine, the
# start-up and the assembler, the CPU time while a program waits for input, and q42cli on the
# countdown. Repetitions give medians: scripts/bench.sh 3
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
repetitions=${1:-1}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target machine_bench gui_bench idle_cpu q42cli
export QT_QPA_PLATFORM=offscreen
aggregate=(--benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true)

./build/bin/machine_bench "${aggregate[@]}"
./build/bin/gui_bench "${aggregate[@]}"
./build/bin/idle_cpu 10

# The countdown of two nested counters, 10^8 steps, as a code file.
countdown=$(mktemp --suffix=.cod)
trap 'rm -f "$countdown"' EXIT
printf '01D0\n0683\n01D1\n7530\n2311\n4DFC\n2310\n4DF4\nAF18\n' > "$countdown"
TIMEFORMAT='q42cli run, countdown of 10^8 steps: %R s'
time ./build/bin/q42cli run "$countdown" > /dev/null
