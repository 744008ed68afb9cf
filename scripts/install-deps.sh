#!/usr/bin/env bash
# Installs the Debian packages the game, its tests and its tools need, when any is missing.
# (lintian checks the .deb; openbox is the window manager of the real-window tests.)
# Packages named as arguments are wanted too (a tool only one target uses, as gcovr for coverage).
# The Windows build: MinGW-w64 and its zlib, GoogleTest's sources, and Debian's wine64, which alone
# runs 64-bit programs (no i386 architecture needed). The web build: Emscripten with node-acorn for
# its optimising link, stb for zlib's part and the runner's glyphs, fonttools for the page's font,
# Chromium driven by Selenium for the page's test.
set -euo pipefail
packages=(cmake g++ make pkg-config libsdl2-dev libsdl2-ttf-dev libfontconfig-dev zlib1g-dev
          fonts-ipafont-gothic libgtest-dev libbenchmark-dev xvfb xdotool x11-apps x11-utils imagemagick
          librsvg2-bin appstream desktop-file-utils dpkg-dev file lintian openbox clang libclang-rt-14-dev
          g++-mingw-w64-x86-64 libz-mingw-w64-dev googletest wine64
          emscripten node-acorn libstb-dev python3-fonttools chromium chromium-driver python3-selenium "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Install them with:" >&2
  echo "  sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
