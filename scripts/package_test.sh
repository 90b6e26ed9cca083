#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh built, as a lab administrator would get it:
# lintian finds no errors, the AppStream metainfo and the desktop entries validate, and the
# unpacked q42cli, run from a folder outside the source tree, finds its ROM image through the
# installed data directory and runs an installed example as the source tree's transcript says;
# the guide in both languages and the man pages are there. When emscripten is at hand the package
# carries the web page, and a plain web server serves it from the installed folder.
set -euo pipefail
cd "$(dirname "$0")/.."

deb=$(ls build-package/q42_*.deb)
version=$(sed -n 's/^project(q42 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ "$(basename "$deb")" = "q42_${version}_amd64.deb" ]

lintian --fail-on error --tag-display-limit 0 "$deb"

root=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$root" "$work"' EXIT
dpkg-deb -x "$deb" "$root"
appstreamcli validate --no-net --explain "$root"/usr/share/metainfo/org.q42.Q42.metainfo.xml
desktop-file-validate "$root"/usr/share/applications/q42.desktop \
    "$root"/usr/share/applications/q42-en.desktop
for file in usr/bin/q42 usr/bin/q42-en usr/share/q42/Q42ROM.TXT \
    usr/share/doc/q42/guide.en.md usr/share/doc/q42/guide.ru.md \
    usr/share/man/man1/q42cli.1.gz usr/share/man/man1/q42.1.gz usr/share/man/man1/q42-en.1.gz \
    usr/share/mime/packages/q42.xml usr/share/icons/hicolor/scalable/apps/q42.svg \
    usr/share/icons/hicolor/48x48/apps/q42.png; do
    [ -e "$root/$file" ] || { echo "package_test: $file is missing" >&2; exit 1; }
done

cp "$root"/usr/share/doc/q42/examples/hello.asm "$work"/
(cd "$work" && "$root"/usr/bin/q42cli run hello.asm) > "$work"/hello.out
diff -u examples/hello.out "$work"/hello.out
"$root"/usr/bin/q42cli --version | grep -qx "q42cli $version"
if command -v emcc >/dev/null; then
    web="$root/usr/share/q42/web"
    for file in index.html app.js q42.js q42.wasm sw.js manifest.webmanifest icons/q42-192.png \
        icons/q42-512.png examples/index.json lessons/index.json guide/guide.en.md; do
        [ -s "$web/$file" ] || { echo "package_test: the web page's $file is missing" >&2; exit 1; }
    done
    # Served as a school would, by Python's web server from the installed folder.
    python3 - "$web" <<'PY'
import functools, http.server, sys, threading, urllib.request
folder = sys.argv[1]
class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass
handler = functools.partial(Quiet, directory=folder)
server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
threading.Thread(target=server.serve_forever, daemon=True).start()
base = f'http://127.0.0.1:{server.server_address[1]}/'
for name in ['', 'q42.wasm', 'manifest.webmanifest']:
    with urllib.request.urlopen(base + name) as answer, open(f'{folder}/{name or "index.html"}', 'rb') as file:
        assert answer.read() == file.read(), f'{name or "index.html"} is served wrong'
server.shutdown()
PY
fi
echo "package_test: $(basename "$deb") is good"
