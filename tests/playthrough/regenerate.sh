#!/usr/bin/env bash
# regenerate.sh [BUILD]: plays the whole game again with the autoplayer, one day a run of the
# program in one directory, and rewrites day*.script and day*.out here; then replays them as the
# test does. Run it after a change to the game's rules or to the autoplayer (build first).
set -eu
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -f "$here"/day*.script "$here"/day*.out
for day in $(seq 1 30); do
  status=0
  (cd "$work" && "$build/tests/tavo2-autoplay" "$day" "$here/day$day.script" "$here/day$day.out") || status=$?
  case $status in
    0) ;;
    10) echo "played through in $day days"
        exec bash "$here/run-playthrough.sh" "$build/tavo2-script" "$build/tests/tavo2-savegen" "$here" ;;
    *) echo "day $day failed"; exit 1 ;;
  esac
done
echo "not played through in 30 days"
exit 1
