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

# The page: its scripts bundled with esbuild, the page itself, the service worker that keeps
# it for offline use, the examples with their list, the student's guides, the reference cards
# and the common mistakes.
(cd web && npm ci --no-audit --no-fund --loglevel=error)
node web/build.mjs "$site"
cp web/index.html web/style.css web/sw.js "$site"/
rm -rf "$site/examples" "$site/guide"
mkdir -p "$site/examples" "$site/guide"
cp examples/*.asm "$site/examples/"
cp docs/guide.*.md docs/card.*.md docs/mistakes.*.md "$site/guide/"
# Each example's title is the first line of its comment, in English and in Russian.
node --input-type=module - "$site/examples" <<'JS'
import { readdirSync, readFileSync, writeFileSync } from 'node:fs';
const folder = process.argv[2];
const list = readdirSync(folder).filter((name) => name.endsWith('.asm')).sort().map((file) => {
    const comments = readFileSync(`${folder}/${file}`, 'utf8').split('\n')
        .filter((line) => line.startsWith(';')).map((line) => line.slice(1).trim());
    const russian = comments.find((line) => /[А-Яа-яЁё]/.test(line)) ?? file;
    return { name: file.replace(/\.asm$/, ''), file, title: { en: comments[0] ?? file, ru: russian } };
});
writeFileSync(`${folder}/index.json`, JSON.stringify(list, null, 1) + '\n');
JS
echo "$site"
