#!/usr/bin/env bash
# package.sh TAVO2.EXE FONTS_DIR README ZIP STRIP: packs the folder a Windows player copies: the game,
# fonts/ with the IPA fonts, their licence and read-me, and a Japanese read-me, as ZIP.
set -euo pipefail
exe=$1 fonts=$2 readme=$3 zip=$4 strip=$5
ipa_doc=/usr/share/doc/fonts-ipafont-gothic
name=$(basename "$zip" .zip)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/$name/fonts"
"$strip" -o "$stage/$name/tavo2.exe" "$exe"
cp "$fonts/ipag.ttf" "$fonts/ipagp.ttf" "$stage/$name/fonts/"
# Windows' Notepad reads UTF-8 with a byte order mark and CR LF line ends everywhere.
windows_text() { printf '\xEF\xBB\xBF'; sed 's/$/\r/'; }
# The licence is the IPA-1 text of the Debian package's copyright file (its own lines, unindented).
awk '/^License: IPA-1$/ { inside = 1; next }
     inside && /^ / { sub(/^ /, ""); print ($0 == "." ? "" : $0); next }
     { inside = 0 }' "$ipa_doc/copyright" | windows_text >"$stage/$name/fonts/IPA_Font_License_Agreement_v1.0.txt"
grep -q "IPA Font License Agreement v1.0" "$stage/$name/fonts/IPA_Font_License_Agreement_v1.0.txt" ||
  { echo "error: no IPA licence text in $ipa_doc/copyright" >&2; exit 1; }
cp "$ipa_doc/Readme_IPAfont00303.txt" "$stage/$name/fonts/"
windows_text <"$readme" >"$stage/$name/readme.txt"
rm -f "$zip"
(cd "$stage" && cmake -E tar cf "$(readlink -f "$(dirname "$zip")")/$name.zip" --format=zip "$name")
