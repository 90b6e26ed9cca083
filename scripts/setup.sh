#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
  xvfb xauth openbox imagemagick librsvg2-bin
  clang libclang-rt-14-dev
  qt6-translations-l10n xdotool
  libcli11-dev libtomlplusplus-dev nlohmann-json3-dev
  dpkg-dev fakeroot file lintian appstream desktop-file-utils
  emscripten node-acorn chromium
  g++-mingw-w64-x86-64-posix wine64
)

# Node and npm may come from elsewhere than Debian (with npm inside the nodejs package); Debian's
# are installed only when there are none.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
