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
