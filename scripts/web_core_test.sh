#!/usr/bin/env bash
# The core's own test suites compiled to WebAssembly with Debian's emscripten and run under
# node: the machine, the assembler, the session, the debugger and the exercise checker behave in
# the browser's engine as they do natively. One test is left out: it opens a device and a pipe, which a browser has
# not.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
emcmake cmake -S . -B build-web-tests -G Ninja -DCMAKE_BUILD_TYPE=Release -DQ42_BUILD_GUI=OFF \
    -DQ42_BUILD_BENCH=OFF -DQ42_WEB_TESTS=ON >/dev/null
cmake --build build-web-tests -j "$(nproc)" --target web_core_tests web_assembler_tests
node build-web-tests/bin/web_core_tests.js \
    --gtest_filter=-Regression.FilesThatAreNoTextsAreRefusedBeforeReading
node build-web-tests/bin/web_assembler_tests.js
