#!/usr/bin/env bash
# check.sh BUILD_DIR: the game installed as a desktop program.
#  1. make install with PREFIX and DESTDIR puts every file where a desktop looks for it; the desktop
#     entry, the metainfo and the icons are valid.
#     The manual page, in English and Japanese, names --help and every key of the README's table.
#  2. lintian finds nothing in the .deb made with a maintainer given, and in the default one only
#     the default's address.
#  3. The .deb installs with dpkg into a scratch root, its dependencies can be met from this Debian
#     system, and the installed launcher runs the game (in /usr/games) in a real window, keeping
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
files=(games/tavo2 libexec/pomuru/pomuru-launch share/applications/$app.desktop share/metainfo/$app.metainfo.xml
       share/icons/hicolor/scalable/apps/$app.svg share/man/man6/tavo2.6.gz share/man/ja/man6/tavo2.6.gz
       share/doc/pomuru/copyright share/doc/pomuru/changelog.gz)
for size in 16 22 24 32 48 64 128 256; do files+=("share/icons/hicolor/${size}x${size}/apps/$app.png"); done
missing() { for f in "${files[@]}"; do [ -e "$root/$f" ] || { echo "missing $f"; return 1; }; done; }
check "make install puts the game, launcher, desktop entry, metainfo, icons, manual pages and docs under PREFIX in DESTDIR" missing
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
answers() { "$root/games/tavo2" --version | grep -q '^ポムル (tavo2) 2.11$' && "$root/games/tavo2" --help | grep -q 'tavo2.dat'; }
check "tavo2 --version and --help answer on the terminal" answers

# The keys as the README's table names them: Alt+F4, F10, Enter, Y...
readme_keys=$(sed -n '/^## Keys/,/^## /p' README.md | sed -n 's/^| \([^|]*\) |.*/\1/p' | grep -v '^key' |
  grep -oE '[A-Z][A-Za-z0-9+]*' | sort -u)
manual() {  # manual LANGUAGE-DIR
  local page
  page=$(MANWIDTH=100 man -l "$root/share/man/$1/tavo2.6.gz" 2>/dev/null) || return 1
  grep -q -- '--help' <<<"$page" || { echo "no --help in $1"; return 1; }
  for key in $readme_keys; do grep -qF -- "$key" <<<"$page" || { echo "$1 lacks the key $key"; return 1; }; done
}
check "the manual page tavo2(6) names --help and every key of the README ($(echo $readme_keys | wc -w) names)" manual man6
check "and so does its Japanese page" manual ja/man6

# 2. lintian: nothing with a maintainer given; only the default's address by default.
lintian_says() { lintian --no-cfg "$1" 2>&1 | grep -E '^[EW]: ' || true; }
packaged_with() {  # packaged_with MAINTAINER
  make --no-print-directory package BUILD="$build" MAINTAINER="$1" >"$work/package.log" 2>&1 ||
    { cat "$work/package.log"; exit 1; }
}
deb=$(ls "$build"/pomuru_*.deb)
packaged_with "Tester of ポムル <tester@example.org>"
check "the package names the maintainer given at package time" \
  bash -c "dpkg-deb -f '$deb' Maintainer | grep -qx 'Tester of ポムル <tester@example.org>'"
nothing_said() { local said; said=$(lintian_says "$deb"); echo "$said"; [ -z "$said" ]; }
check "lintian finds no error or warning in it" nothing_said
packaged_with "ポムル developers <pomuru@localhost>"  # the default
only_the_default() {
  local said; said=$(lintian_says "$deb"); echo "$said"
  grep -q 'pomuru@localhost' <<<"$said" && ! grep -v 'pomuru@localhost' <<<"$said"
}
check "with the default maintainer, lintian names only its address" only_the_default

# 3. the Debian package
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
  [ -x "$scratch/usr/games/tavo2" ] && [ ! -e "$scratch/usr/bin/tavo2" ]
}
check "the packaged launcher runs the game from /usr/games and keeps the save in \$XDG_DATA_HOME/pomuru" launched

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
