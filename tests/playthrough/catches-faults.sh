#!/usr/bin/env bash
# catches-faults.sh RUNNER SAVEGEN DIR: run-playthrough.sh must fail when a day's output, a day's
# saved file or the tournament levels are not what they should be. Each fault is made in a copy.
set -u
runner=$(realpath "$1") savegen=$(realpath "$2") dir=$(realpath "$3")
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
here=$(cd "$(dirname "$0")" && pwd)
last=$(ls "$dir"/day*.script | wc -l)

status=0
expect_failure() {
  if diff -rq "$dir" "$copy" 2>/dev/null | grep -qv "Only in $dir: [a-z-]*\.sh"; then :; else
    echo "fault not made: $1"; status=1; return
  fi
  if bash "$here/run-playthrough.sh" "$runner" "$savegen" "$copy" > /dev/null 2>&1; then
    echo "not caught: $1"; status=1
  fi
}
fresh() { rm -f "$copy"/*; cp "$dir"/day*.script "$dir"/day*.out "$copy"/; }

fresh; sed -i '0,/^money=/s/^money=\([0-9]*\)/money=1\1/' "$copy/day1.out"
expect_failure "a money line of the first day's output"
fresh; sed -i 's/^\(#! same-as-save .*\) money=\([0-9]*\)/\1 money=1\2/' "$copy/day1.script"
expect_failure "the money of the first day's save"
fresh; sed -i 's/^\(#! same-as-save .* owned=.*\),63/\1/' "$copy/day2.script"
expect_failure "an item missing from the second day's save"
fresh; rm "$copy/day$last.script" "$copy/day$last.out"
expect_failure "a playthrough that stops before the world stage"
exit $status
