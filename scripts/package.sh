#!/usr/bin/env bash
# Builds the Debian package build-package/q42_<version>_amd64.deb with CPack: the three programs
# in Release, installed under /usr with the ROM image, the guide, the examples, the man pages,
# the desktop entries, icons, MIME types and the AppStream metainfo. Only the programs are
# built, not the tests. With emscripten at hand the web page is built too (scripts/web.sh) and
# the package carries it in /usr/share/q42/web.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
web_site=""
if command -v emcc >/dev/null; then
    bash scripts/web.sh >/dev/null
    web_site="$PWD/build-web/site"
fi
# Debian's hardening: stack protection, fortified functions, relocations read-only and bound at
# start. Release's -O3 comes after their -O2 and wins. -Wdate-time is left out: the windows show
# the date the program was compiled, on purpose.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { dpkg-buildflags --get "$1" | sed 's/-Wdate-time//'; }
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON -DQ42_BUILD_BENCH=OFF -DQ42_WEB_SITE="$web_site" \
    -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
cmake --build build-package -j "$(nproc)" --target q42 q42-en q42cli
rm -f build-package/q42_*.deb
(cd build-package && cpack -G DEB >/dev/null)
ls build-package/q42_*.deb
