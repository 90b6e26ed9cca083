#!/usr/bin/env bash
# Builds the web page into build-web/site/: the session core compiled to WebAssembly with
# Debian's emscripten, and the page from web/. Serve it with any static server:
#   cd build-web/site && python3 -m http.server
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release -DQ42_BUILD_GUI=OFF \
    -DQ42_BUILD_BENCH=OFF >/dev/null
cmake --build build-web -j "$(nproc)" --target q42web
site=build-web/site
mkdir -p "$site"
cp build-web/bin/q42.js build-web/bin/q42.wasm "$site"/
echo "$site"
