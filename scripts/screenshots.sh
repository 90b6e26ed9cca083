#!/usr/bin/env bash
# Screenshots of the desktop program in Russian and in English, for docs/: builds both
# configurations, starts each under Xvfb with a light window manager (so that title bars show),
# runs examples/hello.asm and saves the screen.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
mkdir -p docs

shoot() {  # build directory, English on or off, output file
    cmake -S . -B "$1" -G Ninja -DQ42_ENGLISH_INTERFACE="$2" >/dev/null
    cmake --build "$1" --target q42_screenshot >/dev/null
    xvfb-run -a -s "-screen 0 1280x860x24" bash -c "
        openbox >/dev/null 2>&1 &
        sleep 1
        '$1/bin/q42_screenshot' examples/hello.asm '$3'
        kill %1"
    echo "wrote $3"
}

shoot build OFF docs/screenshot-ru.png
shoot build-en ON docs/screenshot-en.png
