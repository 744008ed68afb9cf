#!/usr/bin/env bash
# Plays the game once in a real X window on a private Xvfb server: answers the two start-up boxes,
# checks that the window shows a picture, closes with Alt+F4, answers the two closing questions
# and checks the save file the game leaves behind.
#
# Usage: real_window.sh BINARY
# Environment: SMOKE_SCREENSHOT=FILE.png keeps the screenshot; SMOKE_MIN_COLOURS (default 8) is
# the least number of distinct colours the window must show; SMOKE_SAVE_DIR is where the save file
# must appear (default: the empty directory the game is started in).
set -uo pipefail

readonly caption_pattern="ポムル"
readonly save_file="tavo2.dat"
readonly save_size=11236
readonly min_colours="${SMOKE_MIN_COLOURS:-8}"
readonly step_delay=1  # seconds for the game to react to a key

pass() { echo "PASS: $*"; }
fail() {
  echo "FAIL: $*"
  if [ -n "${workdir:-}" ] && [ -s "$workdir/game.log" ]; then
    echo "---- game output ----"
    cat "$workdir/game.log"
  fi
  exit 1
}

[ $# -eq 1 ] || { echo "usage: $0 BINARY" >&2; exit 2; }
binary="$(readlink -f -- "$1")"
[ -x "$binary" ] || fail "no executable at $1"
for tool in Xvfb xdotool xwd /usr/bin/convert; do
  command -v "$tool" >/dev/null || fail "$tool is missing (Debian packages: xvfb xdotool x11-apps imagemagick)"
done

workdir="$(mktemp -d)"
rundir="$workdir/run"
mkdir "$rundir"
xvfb_pid=""
game_pid=""

cleanup() {
  if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
    kill -KILL "$game_pid" 2>/dev/null
    wait "$game_pid" 2>/dev/null
  fi
  if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
    kill "$xvfb_pid" 2>/dev/null
    for _ in $(seq 30); do
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

game_alive() { kill -0 "$game_pid" 2>/dev/null; }

# A private X server on the first free display.
for n in $(seq 97 120); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$workdir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do
    DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1 && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
    export DISPLAY=":$n"
    break
  fi
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
done
[ -n "$xvfb_pid" ] || fail "could not start Xvfb on any display from :97 to :120"
pass "Xvfb running on $DISPLAY"

# The game, in an empty directory so that it starts without a save file.
(cd "$rundir" && exec "$binary") >"$workdir/game.log" 2>&1 &
game_pid=$!

window="$(timeout 20 xdotool search --sync --name "$caption_pattern" 2>/dev/null | head -n 1)"
[ -n "$window" ] || fail "no window named \"$caption_pattern\" appeared within 20 s"
pass "window $window appeared"

eval "$(xdotool getwindowgeometry --shell "$window")"  # sets X, Y, WIDTH, HEIGHT
echo "info: window at ($X, $Y), client area ${WIDTH}x${HEIGHT}"

# Keyboard focus to the game, and the pointer over it in case focus follows the pointer.
xdotool mousemove --window "$window" 5 5
xdotool windowfocus "$window" 2>/dev/null
sleep 0.5

# No save file: two OK boxes greet the player.
for box in 1 2; do
  sleep "$step_delay"
  game_alive || fail "the game ended before start-up box $box"
  xdotool key --clearmodifiers Return
done
sleep "$step_delay"
game_alive || fail "the game ended after the start-up boxes"
pass "start-up boxes answered"

screenshot="$workdir/screen.png"
xwd -root -silent | /usr/bin/convert xwd:- "png:$screenshot" || fail "could not take a screenshot"
[ -n "${SMOKE_SCREENSHOT:-}" ] && cp "$screenshot" "$SMOKE_SCREENSHOT"
colours="$(/usr/bin/convert "$screenshot" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -format %k info:)"
[ "${colours:-0}" -gt "$min_colours" ] || fail "the window looks blank: $colours colours (need more than $min_colours)"
pass "the window shows $colours colours"

# Alt+F4 is the frame's close box: "quit?" (Yes/No), then "save?" (Yes/No/Cancel).
xdotool key alt+F4
for question in 1 2; do
  sleep "$step_delay"
  game_alive || fail "the game ended before closing question $question"
  xdotool key --clearmodifiers Return
done

for _ in $(seq 100); do
  game_alive || break
  sleep 0.1
done
game_alive && fail "the game was still running 10 s after the closing questions"
wait "$game_pid"
status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "the game exited with status $status"
pass "the game exited"

save_dir="${SMOKE_SAVE_DIR:-$rundir}"
[ -f "$save_dir/$save_file" ] || fail "$save_file was not written in $save_dir"
[ -n "${SMOKE_SAVE_DIR:-}" ] && [ -e "$rundir/$save_file" ] && fail "$save_file was written in the starting directory too"
size="$(stat -c %s "$save_dir/$save_file")"
[ "$size" -eq "$save_size" ] || fail "$save_file has $size bytes, expected $save_size"
pass "$save_file written with $size bytes"
echo "PASS: real window smoke test"
