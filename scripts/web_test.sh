#!/usr/bin/env bash
# Builds the web page and tests it: the WebAssembly core under node against every example's
# transcript, then the page itself in headless Chromium (its screenshots go to
# build-web/screenshots/; scripts/screenshots.sh makes the ones in docs/).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/web.sh
node web/test/examples.mjs build-web/site
CHROMIUM=/usr/bin/chromium node web/test/page.mjs build-web/site
