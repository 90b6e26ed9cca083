#!/usr/bin/env bash
# Screenshots of the desktop program in Russian and in English, for docs/: starts each under Xvfb
# with a light window manager (so that title bars show), runs examples/hello.asm and saves the
# screen; the same on three screens from a projector's to a scaled one; then a run of examples/stars.asm paused at a breakpoint, with the execution log;
# then Help › Lessons; then the web page after a run of examples/stars.asm and its reference card,
# in headless Chromium, in both languages.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
mkdir -p docs
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target q42_screenshot >/dev/null

shoot() {  # screen size, example, output file, then the options of q42_screenshot
    local size=$1 example=$2 output=$3
    shift 3
    xvfb-run -a -s "-screen 0 ${size}x24" bash -c "
        openbox >/dev/null 2>&1 &
        sleep 1
        build/bin/q42_screenshot '$example' '$output' $*
        kill %1"
    echo "wrote $output"
}

# The windows as they open on a projector's 1024x768, on 1280x1024, and on 2560x1600 at scale 2:
# after a run, with the intermediate text and the execution log open.
shoot 1024x768 examples/hello.asm docs/screen-1024.png log
shoot 1280x1024 examples/hello.asm docs/screen-1280.png en log
QT_SCALE_FACTOR=2 shoot 2560x1600 examples/hello.asm docs/screen-2560.png log

shoot 1280x860 examples/hello.asm docs/screenshot-ru.png
shoot 1280x860 examples/hello.asm docs/screenshot-en.png en
# A breakpoint on BNE NEXT, one step after the pause: the log tells each step in words.
shoot 1280x1200 examples/stars.asm docs/debugging-ru.png pause=24
shoot 1280x1200 examples/stars.asm docs/debugging-en.png en pause=24
# Help › Lessons on lesson 7, its program opened in the editor.
shoot 1600x1000 examples/hello.asm docs/lesson-ru.png lesson=7
shoot 1600x1000 examples/hello.asm docs/lesson-en.png en lesson=7

bash scripts/web.sh >/dev/null
node web/test/screenshots.mjs build-web/site docs
