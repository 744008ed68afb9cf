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
  TAVO2_UPDATE_EXPECTED=1 bash "$here/run-script-test.sh" "$build/tavo2-script" "$build/tests/tavo2-savegen" \
    "$here/$name.script"
done
