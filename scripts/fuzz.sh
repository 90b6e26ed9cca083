#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer and UndefinedBehaviorSanitizer) in
# build-fuzz/ and runs each in turn for SECONDS (default 600) on a copy of its seed corpus.
#   scripts/fuzz.sh [SECONDS] [TARGET...]      targets: assemble code_run rom_image machine
#                                             decoder text_file cli exercise check debug
#                                             similar
#                                             (default: all)
# Set Q42_FUZZ_KEEP=1 to keep the grown corpus in build-fuzz/corpus/TARGET for the next run, and
# Q42_FUZZ_SEED to a number other than 0 to make a run repeatable.
# A finding is written to build-fuzz/findings/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(assemble code_run rom_image machine decoder text_file cli exercise check debug similar)
fi

CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQ42_BUILD_FUZZ=ON -DQ42_SANITIZE=ON -DQ42_BUILD_GUI=OFF -DQ42_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz --target fuzz_all -j "$(nproc)"

mkdir -p build-fuzz/findings build-fuzz/logs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

failed=()
summary=()
for target in "${targets[@]}"; do
    if [ "${Q42_FUZZ_KEEP:-0}" = 1 ]; then
        corpus=build-fuzz/corpus/$target
    else
        corpus=$work/$target
    fi
    mkdir -p "$corpus"
    cp -n fuzz/corpus/"$target"/* "$corpus"/
    log=build-fuzz/logs/$target.log
    echo "== $target: $seconds s"
    status=0
    ./build-fuzz/bin/fuzz_"$target" -max_total_time="$seconds" -seed="${Q42_FUZZ_SEED:-0}" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix=build-fuzz/findings/"$target"- "$corpus" \
        >"$log" 2>&1 || status=$?
    execs=$(LC_ALL=C sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    cov=$(grep -aEo 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1 || true)
    line="$target: ${execs:-?} executions, ${cov:-no coverage line}"
    if [ "$status" -ne 0 ]; then
        line="$line, FAILED (see $log)"
        failed+=("$target")
        grep -aE 'ERROR|runtime error|Test unit written' "$log" | head -5 || true
    fi
    echo "$line"
    summary+=("$line")
done

echo "== summary"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
    echo "findings in: ${failed[*]}" >&2
    exit 1
fi
