#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build with the desktop
# program's tests in Russian and in English, the Debian package and its check, the web page (the
# core's suites in WebAssembly under node, every example in the page in headless Chromium),
# q42cli.exe for Windows under Wine, and the core and its tests again under AddressSanitizer
# and UndefinedBehaviorSanitizer. Fuzzing takes longer than a test run should: scripts/fuzz.sh
# runs it.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh

jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# The Debian package, built in Release and checked as it will be installed.
bash scripts/package.sh
bash scripts/package_test.sh

# The web page: the core's own suites in WebAssembly, then the page in a real browser.
bash scripts/web_core_test.sh
bash scripts/web_test.sh

# q42cli.exe for Windows, cross-built with MinGW-w64, and its tests under Wine.
bash scripts/windows.sh

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQ42_SANITIZE=ON \
      -DQ42_BUILD_GUI=OFF -DQ42_BUILD_BENCH=OFF
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
