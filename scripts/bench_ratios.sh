#!/usr/bin/env bash
# The speed table's ratios, each from one run of alternating measurements (the medians of
# ROUNDS, default 3), in processor time, since the machine may be shared:
#   - q42cli run against the minimal reference interpreter, on the countdown and the mixed loop;
#   - a breakpoint never reached against none: q42cli debug, the page's core (and the desktop's,
#     in gui_bench's ratios);
#   - the page's WebAssembly core under node, history on, against native q42cli run.
# Expects a build with the benchmarks (build/, as scripts/bench.sh makes it, or BUILD) and, for
# the page, build-web/ (scripts/web.sh); the page's ratios are left out without it.
#   scripts/bench_ratios.sh [ROUNDS] [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."

rounds=${1:-3}
build=${2:-build}
cli=$build/bin/q42cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Processor seconds of a command's children, as the shell's `times` reports them.
cpu_seconds() {
    (
        "$@" > /dev/null
        times
    ) | tail -1 | awk '{ split($1, u, /[ms]/); split($2, s, /[ms]/)
                         printf "%.3f\n", u[1] * 60 + u[2] + s[1] * 60 + s[2] }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# The benchmark programs as code files (bench/bench_programs.h): the countdown of 10^8 steps,
# and the mixed loop with D0 rounds in the word at 0050, about 10^8 steps too, so that the
# program's start counts for little.
printf '%s\n' 01D0 0683 01D1 7530 2311 4DFC 2310 4DF4 AF18 > "$work/countdown.cod"
{
    printf '%s\n' 01D0 7FFF 01D1 0040 0152 2912 0125 C153 E413 6D02 0000 0E22 9D10 0E33 2310 \
        4DE8 231E 0050 4DDA AF18 0000 2153 0D00
    for ((i = 23; i < 40; i++)); do echo 0000; done
    echo 00D0
} > "$work/mixed.cod"

# q42cli run against the reference interpreter, program by program.
for program in countdown mixed; do
    steps=$("$cli" run --json "$work/$program.cod" | awk -F': ' '/"steps"/ { print $2 + 0 }')
    cli_rates=() reference_rates=()
    for ((i = 0; i < rounds; i++)); do
        seconds=$(cpu_seconds "$cli" run "$work/$program.cod")
        cli_rates+=("$(awk -v n="$steps" -v t="$seconds" 'BEGIN { print n / t }')")
        "$build/bin/machine_bench" --benchmark_filter="^Reference/$program\$" \
            --benchmark_out="$work/reference.json" --benchmark_out_format=json > /dev/null 2>&1
        reference_rates+=("$(awk -F': ' '/"steps\/s"/ { print $2 + 0 }' "$work/reference.json")")
    done
    cli_rate=$(printf '%s\n' "${cli_rates[@]}" | median)
    reference_rate=$(printf '%s\n' "${reference_rates[@]}" | median)
    awk -v c="$cli_rate" -v r="$reference_rate" -v p="$program" \
        'BEGIN { printf "ratio q42cli run / reference interpreter, %s = %.2f\n", p, c / r }'
done

# q42cli debug with a breakpoint that is never reached against none.
plain=() marked=()
for ((i = 0; i < rounds; i++)); do
    plain+=("$(cpu_seconds bash -c "printf 'run\nquit\n' | $cli debug --max-steps 200000000 $work/countdown.cod")")
    marked+=("$(cpu_seconds bash -c "printf 'break *0040\nwatch 0060\nrun\nquit\n' | $cli debug --max-steps 200000000 $work/countdown.cod")")
done
awk -v p="$(printf '%s\n' "${plain[@]}" | median)" -v m="$(printf '%s\n' "${marked[@]}" | median)" \
    'BEGIN { printf "ratio q42cli debug with a breakpoint and a watchpoint / without = %.2f\n", p / m }'

# The page's core under node, as the page runs it, with and without a breakpoint.
if [[ -f build-web/bin/q42.wasm ]]; then
    printf '%s\n' "        MOV #1667,R0" "OUTER:  MOV #30000,R1" "INNER:  SUB #1,R1" \
        "        BNE INNER" "        SUB #1,R0" "        BNE OUTER" "        HLT" \
        "        NOP" > "$work/countdown.asm"
    node bench/page_speed.mjs build-web/bin "$cli" "$work/countdown.asm" "$rounds" 8
else
    echo "no build-web/: the page's ratios need scripts/web.sh first"
fi
