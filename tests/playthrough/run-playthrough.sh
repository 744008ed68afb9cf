#!/usr/bin/env bash
# run-playthrough.sh RUNNER SAVEGEN DIR: plays DIR/day1.script, day2.script, ... in order in one
# fresh directory, as a player's sessions: the first starts without a save file, each later one
# from the save of the day before. Each day's output must equal its .out file, and the file it
# saved must equal the crafted save of its "#! same-as-save" line. Across the days the tournament
# level must rise through every value from 0 to 7 but 5: the national title makes it 5 only until
# the map's next paint, which shows the champion picture and makes it 6.
set -u
runner=$(realpath "$1") savegen=$(realpath "$2") dir=$(realpath "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

status=0 days=0
while [ -f "$dir/day$((days + 1)).script" ]; do
  days=$((days + 1))
  script=$dir/day$days.script
  "$runner" "$script" > out.txt 2> err.txt
  code=$?
  [ "$code" = 0 ] || { echo "day $days: exit code $code"; cat err.txt; status=1; }
  diff -u "$dir/day$days.out" out.txt || { echo "day $days: output differs"; status=1; }
  check=$(grep -m1 '^#! same-as-save ' "$script") || { echo "day $days: no save check"; status=1; }
  eval "\"$savegen\" ${check#\#! same-as-save}" > expected.dat
  cmp -s expected.dat tavo2.dat || { echo "day $days: tavo2.dat is not the save expected"; status=1; }
  [ "$status" = 0 ] || exit 1
done
[ "$days" -gt 0 ] || { echo "no days in $dir"; exit 1; }

levels=$(cat "$dir"/day*.out | sed -n 's/^tournamentLevel=//p' | uniq | tr '\n' ' ')
[ "$levels" = "0 1 2 3 4 6 7 " ] || { echo "tournament levels seen: $levels"; exit 1; }
exit 0
