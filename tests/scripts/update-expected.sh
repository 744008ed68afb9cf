#!/usr/bin/env bash
# update-expected.sh [NAME...]: rewrites NAME.out from the current program (all scripts without
# names; scripts checked against a NAME.expect are left alone). Read the diff before committing:
# an expected output is only as good as its review.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${BUILD:-$here/../../build}
names=("$@")
[ ${#names[@]} -gt 0 ] || names=($(cd "$here" && ls *.script | sed 's/\.script$//'))
for name in "${names[@]}"; do
  # NAME.expect lists the lines a test is about; it is written by hand, never from the program.
  if [ -e "$here/$name.expect" ]; then echo "update-expected: $name.expect is kept as written"; continue; fi
  work=$(mktemp -d)
  (
    cd "$work"
    while IFS= read -r line; do
      case "$line" in
        "#! save"*) eval "\"$build/tests/tavo2-savegen\" ${line#\#! save}" > tavo2.dat ;;
        "#! mkdir "*) mkdir -p "${line#\#! mkdir }" ;;
      esac
    done < "$here/$name.script"
    "$build/tavo2-script" "$here/$name.script" > "$here/$name.out" 2>/dev/null || true
  )
  rm -rf "$work"
done
