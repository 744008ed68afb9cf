#!/usr/bin/env bash
# timer-lateness.sh WINDOWS_BUILD [SECONDS]: how late window timers of 1, 15 and 20 ms arrive in a
# real window of the Windows build under Wine on a private Xvfb server (Wine is not Windows).
set -euo pipefail
build=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
display=""
for n in $(seq 121 140); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
Xvfb "$display" -screen 0 1920x1440x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display TAVO2_WINE_NEW_SERVER=1 bash "$here/../../windows/wine.sh" "$build/tavo2-timer-lateness.exe" "${2:-5}"
