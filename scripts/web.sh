#!/usr/bin/env bash
# Builds the web page into build-web/site/: the session core compiled to WebAssembly with
# Debian's emscripten, and the page from web/ with its manifest and icons, so that a browser
# can install it as an application. Serve it with any static server:
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
# it for offline use, the examples with their list, the student's guides, the reference cards,
# the common mistakes, and the lessons with their exercises' starting texts and check files
# (the teachers' solutions stay out).
(cd web && npm ci --no-audit --no-fund --loglevel=error)
node web/build.mjs "$site"
cp web/index.html web/style.css web/sw.js web/manifest.webmanifest "$site"/
# The icons the browser installs the page with, drawn from the desktop program's.
mkdir -p "$site/icons"
cp desktop/q42.svg "$site/icons/"
for size in 192 512; do
    rsvg-convert -w "$size" -h "$size" desktop/q42.svg -o "$site/icons/q42-$size.png"
done
rm -rf "$site/examples" "$site/guide" "$site/lessons"
mkdir -p "$site/examples" "$site/guide" "$site/lessons/en" "$site/lessons/ru"
cp examples/*.asm "$site/examples/"
cp docs/guide.*.md docs/card.*.md docs/mistakes.*.md "$site/guide/"
cp docs/lessons/en/[0-9]*.md "$site/lessons/en/"
cp docs/lessons/ru/[0-9]*.md "$site/lessons/ru/"
cp examples/lessons/*.asm examples/lessons/*.q42test "$site/lessons/"
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
# The lessons, each with its title and its exercises in both languages, as the core reads them
# (the chapter on using the desktop program is shipped for the lessons' links, not listed).
node --input-type=module - "$site" <<'JS'
import { readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { resolve } from 'node:path';
const site = resolve(process.argv[2]);
const createQ42 = createRequire(`${site}/`)(`${site}/q42.js`);
const core = await createQ42({ wasmBinary: readFileSync(`${site}/q42.wasm`) });
const outline = (language, name) =>
    JSON.parse(core.lessonOutline(name, readFileSync(`${site}/lessons/${language}/${name}.md`, 'utf8')));
const names = JSON.parse(core.lessonNames(JSON.stringify(readdirSync(`${site}/lessons/en`))));
const list = names.map((name) => {
    const [en, ru] = [outline('en', name), outline('ru', name)];
    return { name, title: { en: en.title, ru: ru.title }, exercises: { en: en.exercises, ru: ru.exercises } };
});
writeFileSync(`${site}/lessons/index.json`, JSON.stringify(list, null, 1) + '\n');
JS
echo "$site"
