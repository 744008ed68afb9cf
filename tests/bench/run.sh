#!/usr/bin/env bash
# run.sh BUILD_DIR: the benchmarks. Timer delivery, start-up, memory and the scaled presentation
# run in a real window under Xvfb (a screen large enough for 3×).
set -euo pipefail
build=$(readlink -f "$1")
display=""
for n in $(seq 121 140); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
Xvfb "$display" -screen 0 1920x1440x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 1
echo "Timer delivery in a real window (Xvfb):"
DISPLAY=$display "$build/tests/tavo2-timer-lateness" "${TIMER_SECONDS:-5}"
# The pointer moving over the window all the while (each move is a line of the record).
wiggle() {
  while :; do
    for x in 150 300 450 600; do DISPLAY=$display xdotool mousemove "$x" 250 >/dev/null 2>&1; sleep 0.02; done
  done
}
echo
echo "The same, the pointer moving over the window, without the session record:"
wiggle & wiggler=$!
DISPLAY=$display "$build/tests/tavo2-timer-lateness" "${TIMER_SECONDS:-5}"
echo "and with it:"
DISPLAY=$display "$build/tests/tavo2-timer-lateness" "${TIMER_SECONDS:-5}" "$work/lateness-record.txt"
kill $wiggler; wait $wiggler 2>/dev/null || true
echo "($(grep -c '^mouse move' "$work/lateness-record.txt") moves recorded)"

# CPU time the game takes over ten seconds on the map (ms of CPU per second), from the scheduler's
# count in nanoseconds.
cpu_ms() { awk '{ print $1 / 1e6 }' "/proc/$1/schedstat"; }
echo
echo "The game on the map for 10 s, CPU per second (ms):"
echo "| record | pointer still | pointer moving |"
echo "|---|---|---|"
mkdir "$work/idle"
"$build/tests/tavo2-savegen" >"$work/idle/tavo2.dat"
for record in off on off on; do
  row="| $record |"
  args=(--no-record)
  [ "$record" = on ] && args=(--record "$work/idle/session.txt")
  for pointer in still moving; do
    (cd "$work/idle" && exec env DISPLAY=$display "$build/tavo2" "${args[@]}") >/dev/null 2>&1 &
    game=$!
    DISPLAY=$display timeout 20 xdotool search --sync --name "ポムル" >/dev/null 2>&1
    sleep 1
    [ "$pointer" = moving ] && { wiggle & wiggler=$!; }
    before=$(cpu_ms $game)
    sleep 10
    after=$(cpu_ms $game)
    [ "$pointer" = moving ] && { kill $wiggler; wait $wiggler 2>/dev/null || true; }
    kill $game; wait $game 2>/dev/null || true
    row="$row $(awk -v a="$after" -v b="$before" 'BEGIN { printf "%.3f", (a - b) / 10 }') |"
  done
  echo "$row"
done
echo
echo "The game in a real window (Xvfb), median of 5 starts:"
"$build/tests/tavo2-savegen" >"$work/tavo2.dat"  # a saved game: the first frame is the map
for run in 1 2 3 4 5; do
  (cd "$work" && DISPLAY=$display "$build/tests/tavo2-window-figures" "$(date +%s%N)") >"$work/run$run.txt"
done
# Each row: the median of its five values.
rows=$(wc -l <"$work/run1.txt")
for i in $(seq "$rows"); do
  label=$(sed -n "${i}p" "$work/run1.txt" | cut -d'|' -f2)
  unit=$(sed -n "${i}p" "$work/run1.txt" | cut -d'|' -f3 | awk '{print $2}')
  median=$(for f in "$work"/run*.txt; do sed -n "${i}p" "$f" | cut -d'|' -f3 | awk '{print $1}'; done | sort -n | sed -n 3p)
  echo "|$label| $median $unit |"
done
for bench in "$build"/tests/tavo2-bench-*; do
  [ -x "$bench" ] || continue
  echo
  echo "$(basename "$bench"):"
  "$bench"
done
