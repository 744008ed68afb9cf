#!/usr/bin/env bash
# site.sh SOURCE PROGRAM_DIR SITE: writes the page's static files into SITE: the page, the game's
# tavo2.js and tavo2.wasm from PROGRAM_DIR, the font subsets and their licence, the icons, the
# manifest and the service worker with the list of those files and a version made from them.
set -euo pipefail
source=$1 program=$2 site=$3
page=$source/web/page
rm -rf "$site.new"
mkdir -p "$site.new/fonts" "$site.new/icons"
cp "$page/index.html" "$page/style.css" "$page/page.js" "$page/manifest.webmanifest" "$site.new/"
cp "$program/tavo2.js" "$program/tavo2.wasm" "$site.new/"
/usr/bin/python3 "$page/fonts.py" "$source" "$site.new/fonts"
ipa_doc=/usr/share/doc/fonts-ipafont-gothic
awk '/^License: IPA-1$/ { inside = 1; next }
     inside && /^ / { sub(/^ /, ""); print ($0 == "." ? "" : $0); next }
     { inside = 0 }' "$ipa_doc/copyright" >"$site.new/fonts/IPA_Font_License_Agreement_v1.0.txt"
grep -q "IPA Font License Agreement v1.0" "$site.new/fonts/IPA_Font_License_Agreement_v1.0.txt" ||
  { echo "error: no IPA licence text in $ipa_doc/copyright" >&2; exit 1; }
for size in 32 180 192 512; do
  rsvg-convert -w $size -h $size "$source/resources/desktop/pomuru.svg" -o "$site.new/icons/icon-$size.png"
done
cd "$site.new"
files=$(find . -type f ! -name sw.js | sort)
version=$(cat $files | sha256sum | cut -c1-16)
list=$(printf "'./',"; for f in $files; do printf "'%s'," "${f#./}"; done)
sed -e "s|@VERSION@|pomuru-$version|" -e "s|@FILES@|${list%,}|" "$page/sw.in.js" >sw.js
cd - >/dev/null
rm -rf "$site"
mv "$site.new" "$site"
