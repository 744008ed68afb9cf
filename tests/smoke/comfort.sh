#!/usr/bin/env bash
# Plays the game in a real X window on a private Xvfb server with a full-HD screen and checks what
# the player sees: the window opens at 2× and maps the mouse back, F11 and resizing keep the
# picture whole, the menu bar follows the pointer and the keyboard, a click beside a modal dialog
# flashes its caption, a dragged dialog keeps its caption on the screen, the help stays above the
# map and turns pages, Enter presses the fishing dialog's first button, and Y answers the closing
# questions.
#
# Usage: comfort.sh BINARY          Environment: COMFORT_SHOTS=DIR keeps the screenshots.
set -uo pipefail

[ $# -eq 1 ] || { echo "usage: $0 BINARY" >&2; exit 2; }
binary="$(readlink -f -- "$1")"
work="$(mktemp -d)"
mkdir "$work/run"
xvfb_pid=""
game_pid=""
passed=0
failed=0

cleanup() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
check() {  # check WHAT CONDITION...
  local what=$1
  shift
  if "$@"; then
    echo "PASS: $what"
    passed=$((passed + 1))
  else
    echo "FAIL: $what"
    failed=$((failed + 1))
  fi
}

for n in $(seq 141 160); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
  DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1 && { export DISPLAY=":$n"; break; }
  kill "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
done
[ -n "$xvfb_pid" ] || { echo "FAIL: no Xvfb"; exit 1; }

(cd "$work/run" && exec "$binary") >"$work/game.log" 2>&1 &
game_pid=$!
window="$(timeout 20 xdotool search --sync --name "ポムル" 2>/dev/null | head -n 1)"
[ -n "$window" ] || { echo "FAIL: no window"; cat "$work/game.log"; exit 1; }
xdotool windowfocus "$window" 2>/dev/null
settle() { sleep "${1:-0.6}"; }

# Where the game's screen lies in the window: the largest whole scale, centred.
geometry() {
  eval "$(xdotool getwindowgeometry --shell "$window")"  # X, Y, WIDTH, HEIGHT
  local sx=$((WIDTH / 600)) sy=$((HEIGHT / 443))
  scale=$((sx < sy ? sx : sy))
  [ "$scale" -ge 1 ] || scale=1
  left=$((X + (WIDTH - 600 * scale) / 2))
  top=$((Y + (HEIGHT - 443 * scale) / 2))
}
# Root-window point of the middle of game pixel (x, y).
gx() { echo $((left + $1 * scale + scale / 2)); }
gy() { echo $((top + $1 * scale + scale / 2)); }
move() { xdotool mousemove "$(gx "$1")" "$(gy "$2")"; }
click() { move "$1" "$2"; xdotool click 1; }
shot() { xwd -root -silent | /usr/bin/convert xwd:- "png:$work/$1.png"; [ -n "${COMFORT_SHOTS:-}" ] && cp "$work/$1.png" "$COMFORT_SHOTS/"; return 0; }
# The colour of game pixel (x, y) in a screenshot, as r,g,b.
pixel() {
  /usr/bin/convert "$work/$1.png" -crop "1x1+$(gx "$2")+$(gy "$3")" -depth 8 txt:- |
    sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}
is() { [ "$(pixel "$1" "$2" "$3")" = "$4" ]; }
navy=0,0,128
grey=128,128,128

settle 1
xdotool key Return; settle 0.4; xdotool key Return; settle  # the two start-up boxes of a new game
geometry
check "opens at 2× on a full-HD screen (window ${WIDTH}x${HEIGHT})" [ "$scale" -eq 2 -a "$WIDTH" -eq 1200 -a "$HEIGHT" -eq 886 ]

move 10 9; settle 0.3; shot hover
check "the menu title under the pointer is lit" is hover 5 1 255,255,255
move 300 300; settle 0.3; shot nohover
check "and no longer once the pointer leaves it" is nohover 5 1 192,192,192

# ﾍﾙﾌﾟ: press on its title, drag to バージョン, release: About opens (centred on the map).
move 60 9; xdotool mousedown 1; settle 0.3; move 70 70; settle 0.2; xdotool mouseup 1; settle; shot about
check "press, drag and release on a menu item opens About" is about 250 140 "$navy"

# The flash lasts 420 ms: quick grabs now, read afterwards.
click 40 300
for i in 1 2 3 4 5 6; do xwd -root -silent -out "$work/flash$i.xwd"; done
settle 0.6; shot flashed
flash_seen=no
for i in 1 2 3 4 5 6; do
  /usr/bin/convert "xwd:$work/flash$i.xwd" "png:$work/flash$i.png"
  is "flash$i" 250 140 "$grey" && flash_seen=yes
done
check "a click beside About flashes its caption" [ "$flash_seen" = yes ]
check "and the flash ends with the caption lit" is flashed 250 140 "$navy"

move 250 140; xdotool mousedown 1; settle 0.2
xdotool mousemove "$(gx 250)" $((top + 1600)); settle 0.2; xdotool mouseup 1; settle; shot dragged
check "About dragged below the window keeps its caption in view" is dragged 250 430 "$navy"
xdotool key Escape; settle; shot closed
check "and Esc still closes it" is closed 250 430 "$(pixel about 250 430)"

xdotool key alt; settle 0.3; shot alt
check "Alt alone lights the first menu title" is alt 6 9 "$navy"
xdotool key Return; settle 0.3; shot altmenu
check "Enter opens it with its first item lit" is altmenu 12 30 "$navy"
xdotool key Escape Escape; settle 0.3
xdotool key F10; settle 0.3; shot f10
check "F10 lights the first menu title" is f10 6 9 "$navy"
xdotool key Escape; settle 0.3

xdotool key F1; settle; shot help1
check "F1 opens the help against the bottom, off the top of the map" is help1 100 160 "$navy"
click 300 60; settle; shot help2
check "clicking the map leaves the help above it" bash -c "[ \"$(pixel help2 100 160)\" != \"$(pixel hover 100 160)\" ]"
# The click gave the map the keys; F6 hands them back to the help.
xdotool key F6 Next; settle; shot help3
help_changed() { [ "$(/usr/bin/convert "$work/help2.png" "$work/help3.png" -crop "1100x400+$(gx 20)+$(gy 180)" +repage -compose difference -composite -format '%[fx:maxima.r>0]' info: 2>/dev/null | tail -c1)" = 1 ] || ! cmp -s <(/usr/bin/convert "$work/help2.png" -crop "1100x400+$(gx 20)+$(gy 180)" rgb:-) <(/usr/bin/convert "$work/help3.png" -crop "1100x400+$(gx 20)+$(gy 180)" rgb:-); }
check "PageDown turns the help's page" help_changed
xdotool key Escape; settle

click 60 79; settle; shot fishing
check "the fishing dialog opens against the left edge" is fishing 100 105 "$navy"
check "beside it the map stays in view" is fishing 500 200 "$(pixel hover 500 200)"
xdotool key Return; settle; shot enter
check "Enter presses its first button (投入: no rod, so a message box)" bash -c "[ \"$(pixel enter 200 240)\" != \"$(pixel fishing 200 240)\" ]"
xdotool key Return; settle 0.4; xdotool key Escape; settle 0.4; xdotool key Return; settle

xdotool key F11; settle 1; geometry
check "F11 makes the window full screen (${WIDTH}x${HEIGHT})" [ "$WIDTH" -eq 1920 -a "$HEIGHT" -eq 1080 ]
xdotool key F11; settle 1
xdotool windowsize "$window" 1400 950; settle 1; geometry; shot resized
check "a resized window keeps the picture whole at 2×, centred (offset $((left - X)),$((top - Y)))" \
  [ "$scale" -eq 2 -a $((left - X)) -eq 100 -a $((top - Y)) -eq 32 ]
move 60 9; xdotool click 1; settle 0.3; move 70 60; settle 0.3; shot resizedmenu
check "and the mouse still finds the menu there, the item under it lit" is resizedmenu 70 60 "$navy"
xdotool key Escape; settle 0.3

xdotool key alt+F4; settle; xdotool key y; settle; xdotool key y; settle 1
for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
check "Y answers both closing questions: the game saved and ended" [ -s "$work/run/tavo2.dat" ]
kill -0 "$game_pid" 2>/dev/null || game_pid=""

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
