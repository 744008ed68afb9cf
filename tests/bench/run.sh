#!/usr/bin/env bash
# run.sh BUILD_DIR: the benchmarks. Timer delivery runs in a real window under Xvfb.
set -euo pipefail
build=$1
display=""
for n in $(seq 121 140); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
echo "Timer delivery in a real window (Xvfb):"
DISPLAY=$display "$build/tests/tavo2-timer-lateness" "${TIMER_SECONDS:-5}"
for bench in "$build"/tests/tavo2-bench-*; do
  [ -x "$bench" ] || continue
  echo
  echo "$(basename "$bench"):"
  "$bench"
done
