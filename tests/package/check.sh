#!/usr/bin/env bash
# check.sh BUILD_DIR: the game installed as a desktop program.
#  1. make install with PREFIX and DESTDIR puts every file where a desktop looks for it; the desktop
#     entry, the metainfo and the icons are valid.
#  2. The .deb that CPack built installs with dpkg into a scratch root, its dependencies can be met
#     from this Debian system, and the installed launcher runs the game in a real window, keeping
#     the save in $XDG_DATA_HOME/pomuru (created when missing).
set -euo pipefail
build=$(readlink -f "$1")
cd "$(dirname "$0")/../.."
app=jp.pomuru.pomuru
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() {  # check WHAT COMMAND...
  local what=$1
  shift
  if "$@" >"$work/out" 2>&1; then
    echo "PASS: $what"
    passed=$((passed + 1))
  else
    echo "FAIL: $what"
    sed 's/^/    /' "$work/out"
    failed=$((failed + 1))
  fi
}

# 1. make install
make --no-print-directory install BUILD="$build" PREFIX=/opt/pomuru DESTDIR="$work/stage" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; exit 1; }
root="$work/stage/opt/pomuru"
files=(bin/tavo2 libexec/pomuru/pomuru-launch share/applications/$app.desktop share/metainfo/$app.metainfo.xml
       share/icons/hicolor/scalable/apps/$app.svg)
for size in 16 22 24 32 48 64 128 256; do files+=("share/icons/hicolor/${size}x${size}/apps/$app.png"); done
missing() { for f in "${files[@]}"; do [ -e "$root/$f" ] || { echo "missing $f"; return 1; }; done; }
check "make install puts the game, launcher, desktop entry, metainfo and icons under PREFIX in DESTDIR" missing
icon_sizes() {
  for size in 16 22 24 32 48 64 128 256; do
    [ "$(identify -format %wx%h "$root/share/icons/hicolor/${size}x${size}/apps/$app.png")" = "${size}x${size}" ] ||
      { echo "the ${size} px icon is not ${size}x${size}"; return 1; }
  done
}
check "each icon has its size" icon_sizes
entry() {
  local d="$root/share/applications/$app.desktop"
  grep -qx 'Name=ポムル' "$d" && grep -qx 'Categories=Game;SportsGame;' "$d" &&
    grep -qx "Exec=/opt/pomuru/libexec/pomuru/pomuru-launch" "$d" && grep -qx "Icon=$app" "$d" &&
    desktop-file-validate "$d"
}
check "the desktop entry is named ポムル, is a game, runs the installed launcher and is valid" entry
check "appstreamcli validates the metainfo" appstreamcli validate --no-net --strict "$root/share/metainfo/$app.metainfo.xml"
answers() { "$root/bin/tavo2" --version | grep -q '^ポムル (tavo2) 2.11$' && "$root/bin/tavo2" --help | grep -q 'tavo2.dat'; }
check "tavo2 --version and --help answer on the terminal" answers

# 2. the Debian package
deb=$(ls "$build"/pomuru_*.deb)
scratch="$work/scratch"
mkdir -p "$scratch/var/lib/dpkg/info" "$scratch/var/lib/dpkg/updates"
touch "$scratch/var/lib/dpkg/status"
# The scratch root holds no other package: the dependencies are checked against this system.
check "dpkg installs the package into a scratch root" dpkg --root="$scratch" --force-depends --force-not-root -i "$deb"
check "its dependencies can be met on this system" apt-get satisfy --simulate "$(dpkg-deb -f "$deb" Depends)"
check "the package holds only the game's files" bash -c "! dpkg-deb -c '$deb' | grep -E 'tests|savegen|script|bench'"
launched() {
  XDG_DATA_HOME="$work/xdg/data" SMOKE_SAVE_DIR="$work/xdg/data/pomuru" \
    bash tests/smoke/real_window.sh "$scratch/usr/libexec/pomuru/pomuru-launch"
}
check "the packaged launcher runs the game and keeps the save in \$XDG_DATA_HOME/pomuru" launched

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
