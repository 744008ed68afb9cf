#!/usr/bin/env bash
# smoke.sh WINDOWS_BUILD: the player's .zip as a player gets it. It must hold the game, the fonts,
# their licence and the read-me, and the game may need no DLL but Windows' own; unpacked in a
# folder of its own, the game is played in a real window under Wine and Xvfb by the Linux smoke
# tests: real_window.sh (start-up boxes, the map drawn, a second copy refused, Alt+F4, the closing
# questions, the save written) and comfort.sh (2× on a full-HD screen, the mouse mapped back, menus
# by pointer and keys, F11, resizing, the help, the fishing dialog; under openbox F11 five times,
# Alt+F4 in About and the window manager's close button). They wait for what the game reports.
set -euo pipefail
build=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
zip=$(ls "$build"/pomuru-*-windows.zip)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$work" && cmake -E tar xf "$zip")
folder=$(ls -d "$work"/pomuru-*-windows)
for file in tavo2.exe readme.txt fonts/ipag.ttf fonts/ipagp.ttf fonts/IPA_Font_License_Agreement_v1.0.txt; do
  [ -s "$folder/$file" ] || fail "the .zip lacks $file"
done
grep -q "IPA Font License Agreement v1.0" "$folder/fonts/IPA_Font_License_Agreement_v1.0.txt" || fail "no licence text"
grep -q "tavo2.exe" "$folder/readme.txt" || fail "the read-me does not name tavo2.exe"
echo "PASS: the .zip holds the game, the fonts, their licence and the read-me"

# Windows' own DLLs only: nothing of MinGW (libstdc++, libgcc, winpthread) or zlib travels along.
dlls=$(x86_64-w64-mingw32-objdump -p "$folder/tavo2.exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
for dll in $dlls; do
  case $dll in
    kernel32.dll | user32.dll | gdi32.dll | winmm.dll | msvcrt.dll | advapi32.dll | shell32.dll) ;;
    *) fail "tavo2.exe needs $dll" ;;
  esac
done
echo "PASS: tavo2.exe needs only $dlls"

# The unpacked game through Wine, in the build's Wine prefix.
cat >"$work/tavo2" <<WRAPPER
#!/bin/sh
TAVO2_WINEPREFIX='$build/wine-prefix' TAVO2_WINE_NEW_SERVER=\${TAVO2_WINE_NEW_SERVER:-1} exec bash '$here/../../windows/wine.sh' '$folder/tavo2.exe' "\$@"
WRAPPER
chmod +x "$work/tavo2"
bash "$here/../smoke/real_window.sh" "$work/tavo2"
bash "$here/../smoke/comfort.sh" "$work/tavo2"
