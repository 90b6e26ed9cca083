#!/usr/bin/env bash
# Runs clang-tidy with the project's .clang-tidy over every source file of the build in build/
# (configure it first). With "size", only the function-size check: every function of the project,
# tests and benchmarks included, must fit in 60 lines; the script fails when one does not.
#   bash scripts/tidy.sh          # every check of .clang-tidy
#   bash scripts/tidy.sh size     # function sizes only
set -euo pipefail
cd "$(dirname "$0")/.."

checks=()
[[ "${1:-}" == size ]] && checks=(-checks='-*,readability-function-size')
files=$(git ls-files '*.cpp' | grep -v '^web/' || true)
report=$(run-clang-tidy -quiet -p build -j "$(nproc)" "${checks[@]}" $files 2>/dev/null |
         sed 's/\x1b\[[0-9;]*m//g' | grep -E '^/.*(warning|error):' | sort -u || true)
echo "$report"
[[ -z "$report" ]]
