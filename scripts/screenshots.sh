#!/usr/bin/env bash
# Screenshots of the desktop program in Russian and in English, for docs/: starts each under Xvfb
# with a light window manager (so that title bars show), runs examples/hello.asm and saves the
# screen.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
mkdir -p docs
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target q42_screenshot >/dev/null

shoot() {  # output file, then "en" for the English program
    xvfb-run -a -s "-screen 0 1280x860x24" bash -c "
        openbox >/dev/null 2>&1 &
        sleep 1
        build/bin/q42_screenshot examples/hello.asm '$1' ${2:-}
        kill %1"
    echo "wrote $1"
}

shoot docs/screenshot-ru.png
shoot docs/screenshot-en.png en
