#!/usr/bin/env bash
# screenshots.sh BUILD_DIR OUT_DIR: plays every tests/docs/*.script through the headless runner,
# each in a fresh directory, and keeps the pictures its `shot` commands take in OUT_DIR. A script
# may start with "#! save FIELD=VALUE ..." lines: a crafted tavo2.dat is written first, as in the
# runner tests (tests/tools/savegen.cpp). "#! skip REASON" leaves a script out, for a screen that
# is not drawn yet. A script that fails is reported and the others still run.
set -u
build=$(cd "$1" && pwd) out=$(mkdir -p "$2" && cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
status=0
for script in "$here"/*.script; do
  name=$(basename "$script" .script)
  if reason=$(grep -m1 '^#! skip' "$script"); then
    echo "screenshots: $name skipped (${reason#\#! skip })"
    continue
  fi
  work=$(mktemp -d)
  (
    cd "$work" || exit 1
    while IFS= read -r line; do
      case "$line" in
        "#! save"*) eval "\"$build/tests/tavo2-savegen\" ${line#\#! save}" > tavo2.dat || exit 1 ;;
      esac
    done < "$script"
    "$build/tavo2-script" "$script" > out.txt 2> err.txt || { cat out.txt err.txt; exit 1; }
    for png in *.png; do [ -e "$png" ] && cp "$png" "$out/"; done
    exit 0
  ) || { echo "screenshots: $name failed" >&2; status=1; }
  rm -rf "$work"
done
exit $status
