#!/usr/bin/env bash
# Plays the game once in a real X window on a private Xvfb server without a window manager:
# answers the two start-up boxes, checks that the window shows a picture, starts a second copy in
# the same folder (it says so and ends, and the first keeps the keyboard), closes with Alt+F4,
# answers the two closing questions and checks the save file the game leaves behind. Every step
# waits, up to a deadline, for what the game reports (TAVO2_REPORT) or shows.
#
# Usage: real_window.sh BINARY
# Environment: SMOKE_SCREENSHOT=FILE.png keeps the screenshot; SMOKE_MIN_COLOURS (default 8) is
# the least number of distinct colours the window must show; SMOKE_SAVE_DIR is where the save file
# must appear (default: the empty directory the game is started in); SMOKE_DEADLINE (default 30)
# how many seconds an awaited change may take.
set -uo pipefail

readonly caption_pattern="ポムル"
readonly save_file="tavo2.dat"
readonly save_size=11236
readonly min_colours="${SMOKE_MIN_COLOURS:-8}"

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
second_pid=""
report="$workdir/game.log"
source "$(dirname "$0")/wait.sh"

cleanup() {
  for pid in "$game_pid" "$second_pid"; do
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
      kill -KILL "$pid" 2>/dev/null
      wait "$pid" 2>/dev/null
    fi
  done
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
game_ended() { ! game_alive; }
# The game reports its Nth line starting with PREFIX, or has ended (which the caller tells apart).
awaited() { until_true reported_or_ended "$@"; }
reported_or_ended() { reported "$@" || game_ended; }

start_xvfb 97 120 1024x768 || fail "could not start Xvfb on any display from :97 to :120"
pass "Xvfb running on $DISPLAY"

# The game, in an empty directory so that it starts without a save file.
(cd "$rundir" && TAVO2_REPORT=1 exec "$binary") >"$report" 2>&1 &
game_pid=$!

window="$(timeout 20 xdotool search --sync --name "$caption_pattern" 2>/dev/null | head -n 1)"
[ -n "$window" ] || fail "no window named \"$caption_pattern\" appeared within 20 s"
pass "window $window appeared"

eval "$(xdotool getwindowgeometry --shell "$window")"  # sets X, Y, WIDTH, HEIGHT
echo "info: window at ($X, $Y), client area ${WIDTH}x${HEIGHT}"

# Keyboard focus to the game, and the pointer over it in case focus follows the pointer.
until_true viewable "$window" || fail "the window is not shown"
xdotool mousemove --window "$window" 5 5
xdotool windowfocus "$window" 2>/dev/null

# No save file: two OK boxes greet the player.
for box in 1 2; do
  awaited "box " "$box"
  game_alive || fail "the game ended before start-up box $box"
  xdotool key --clearmodifiers Return
  awaited "answered " "$box"
done
game_alive || fail "the game ended after the start-up boxes"
pass "start-up boxes answered"

screenshot="$workdir/screen.png"
colours=0
colourful() {
  xwd -root -silent | /usr/bin/convert xwd:- "png:$screenshot" || return 1
  colours="$(/usr/bin/convert "$screenshot" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -format %k info:)"
  [ "${colours:-0}" -gt "$min_colours" ]
}
until_true colourful || fail "the window looks blank: $colours colours (need more than $min_colours)"
[ -n "${SMOKE_SCREENSHOT:-}" ] && cp "$screenshot" "$SMOKE_SCREENSHOT"
pass "the window shows $colours colours"

# A second copy in the same folder says so in a box of its own and ends. The keyboard must then be
# the first copy's again (without a window manager nobody else gives it back).
second_report="$workdir/second.log"
: >"$second_report"
# (Under Wine the second copy joins the first one's Wine server instead of waiting for its end.)
(cd "$rundir" && TAVO2_REPORT=1 TAVO2_WINE_NEW_SERVER=0 exec "$binary") >"$second_report" 2>&1 &
second_pid=$!
second_ended() { ! kill -0 "$second_pid" 2>/dev/null; }
report="$second_report" until_true reported "box " || fail "the second copy showed no box"
other_window() { second_window=$(xdotool search --name "$caption_pattern" 2>/dev/null | grep -vx "$window" | head -n 1); [ -n "$second_window" ]; }
until_true other_window || fail "the second copy's window is not to be found"
# SDL gives its window the focus itself; elsewhere the player would click the box first.
[ "$(xdotool getwindowfocus 2>/dev/null)" = "$second_window" ] || xdotool windowfocus "$second_window" 2>/dev/null
xdotool key --clearmodifiers Return
until_true second_ended || fail "the second copy did not end after its box"
wait "$second_pid"
second_status=$?
second_pid=""
[ "$second_status" -eq 1 ] || fail "the second copy exited with status $second_status, not 1"
pass "a second copy in the same folder said so and ended"
# The focus on the first copy's window, or on the root window (Wine, which leaves focus to a window
# manager): then keys go to the window under the pointer, which is the first copy's.
root_window=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
focused() { local f; f=$(xdotool getwindowfocus 2>/dev/null) && { [ "$f" = "$window" ] || [ "$f" = $((root_window)) ]; }; }
until_true focused || fail "the keyboard focus is on $(xdotool getwindowfocus 2>&1), not on the first copy's window $window"
pass "and the first copy has the keyboard focus again"

# Alt+F4 is the frame's close box: "quit?" (Yes/No), then "save?" (Yes/No/Cancel).
xdotool key alt+F4
for question in 1 2; do
  awaited "box " $((2 + question)) || fail "closing question $question did not come (has the game the keyboard?)"
  game_alive || fail "the game ended before closing question $question"
  xdotool key --clearmodifiers Return
done

until_true game_ended || fail "the game was still running $deadline s after the closing questions"
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
