#!/usr/bin/env bash
# Builds and runs every benchmark, printing the ratios each measures in one run: the machine
# against a minimal reference interpreter, the desktop run loop against the bare machine, the
# start-up and the assembler, the CPU time while a program waits for input, and q42cli on the
# countdown; and what a run's history costs: time, memory and a step back. Repetitions give
# medians: scripts/bench.sh 3
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
repetitions=${1:-1}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target machine_bench history_bench gui_bench idle_cpu q42cli
export QT_QPA_PLATFORM=offscreen
aggregate=(--benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true
    --benchmark_enable_random_interleaving=true)

machine_log=$(mktemp)
countdown=$(mktemp --suffix=.cod)
trap 'rm -f "$machine_log" "$countdown"' EXIT
./build/bin/machine_bench "${aggregate[@]}" | tee "$machine_log"
./build/bin/history_bench "${aggregate[@]}"
./build/bin/gui_bench "${aggregate[@]}"
./build/bin/idle_cpu 10

# The countdown of two nested counters, 10^8 steps, as a code file, run as often as the
# benchmarks are repeated, against the bare machine's median time for the same program.
printf '01D0\n0683\n01D1\n7530\n2311\n4DFC\n2310\n4DF4\nAF18\n' > "$countdown"
cli_times=()
for ((i = 0; i < repetitions; i++)); do
    start=$(date +%s%N)
    ./build/bin/q42cli run "$countdown" > /dev/null
    cli_times+=($((($(date +%s%N) - start) / 1000000)))
done
cli_ms=$(printf '%s\n' "${cli_times[@]}" | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }')
bare_ms=$(sed 's/\x1b\[[0-9;]*m//g' "$machine_log" |
    awk '$1 == "Machine/countdown" || $1 == "Machine/countdown_median" { print $2 }' | tail -1)
echo "q42cli run, countdown of 10^8 steps: ${cli_ms} ms (median of ${repetitions})," \
    "the bare machine: ${bare_ms} ms"
awk -v bare="$bare_ms" -v cli="$cli_ms" \
    'BEGIN { printf "ratio q42cli / bare machine, countdown = %.2f\n", bare / cli }'

# The three ratios of the speed table, each measured alternately in one run and given as the
# median of the repetitions (at least 3). The machine may be shared: processor time is measured.
./scripts/bench_ratios.sh "$((repetitions < 3 ? 3 : repetitions))"
