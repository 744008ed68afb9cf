#!/usr/bin/env bash
# Plays the game in a real X window on a private Xvfb server with a full-HD screen and checks what
# the player sees: the window opens at 2× and maps the mouse back, F11 and resizing keep the
# picture whole, the menu bar follows the pointer and the keyboard, a click beside a modal dialog
# flashes its caption, a dragged dialog keeps its caption on the screen, the help stays above the
# map and turns pages, Enter presses the fishing dialog's first button, and Y answers the closing
# questions. Then openbox manages the window: F11 and back five times leave it where it was,
# Alt+F4 in About closes About only, and the window manager's close button under About flashes
# About's caption.
#
# Nothing is sampled at fixed times: every check waits, up to a deadline, for what it expects to
# see, or reads what the game reports (TAVO2_REPORT: dialogs, boxes and caption flashes).
#
# Usage: comfort.sh BINARY          Environment: COMFORT_SHOTS=DIR keeps the screenshots;
# SMOKE_DEADLINE (default 30) is how many seconds an awaited change may take.
set -uo pipefail

[ $# -eq 1 ] || { echo "usage: $0 BINARY" >&2; exit 2; }
binary="$(readlink -f -- "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
mkdir "$work/run"
xvfb_pid=""
game_pid=""
wm_pid=""
passed=0
failed=0

cleanup() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
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
report="$work/game.log"
source "$here/wait.sh"

start_xvfb 141 160 1920x1080 || { echo "FAIL: no Xvfb"; exit 1; }

(cd "$work/run" && TAVO2_REPORT=1 exec "$binary") >"$work/game.log" 2>&1 &
game_pid=$!
window="$(timeout 20 xdotool search --sync --name "ポムル" 2>/dev/null | head -n 1)"
[ -n "$window" ] || { echo "FAIL: no window"; cat "$work/game.log"; exit 1; }
until_true viewable "$window" || { echo "FAIL: the window is not shown"; exit 1; }
xdotool mousemove --window "$window" 5 5
xdotool windowfocus "$window" 2>/dev/null

# Where the game's screen lies in the window: the largest whole scale, centred. xwininfo gives the
# client area's place on the screen also when a window manager has framed it.
geometry() {
  local info
  info=$(xwininfo -id "$window") || return 1
  X=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  Y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  WIDTH=$(sed -n 's/.*Width: *//p' <<<"$info")
  HEIGHT=$(sed -n 's/.*Height: *//p' <<<"$info")
  local sx=$((WIDTH / 600)) sy=$((HEIGHT / 443))
  scale=$((sx < sy ? sx : sy))
  [ "$scale" -ge 1 ] || scale=1
  left=$((X + (WIDTH - 600 * scale) / 2))
  top=$((Y + (HEIGHT - 443 * scale) / 2))
}
# The window's place and size is PLACE (X,Y WIDTHxHEIGHT), waited for.
placed() { geometry && [ "$X,$Y ${WIDTH}x$HEIGHT" = "$1" ]; }
sized() { geometry && [ "${WIDTH}x$HEIGHT" = "$1" ]; }
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
isnt() { local p; p=$(pixel "$1" "$2" "$3"); [ -n "$p" ] && [ "$p" != "$4" ]; }
# shown NAME CONDITION...: screenshots NAME until CONDITION holds on it, up to the deadline.
shown() {
  local name=$1
  shift
  until_true shot_then "$name" "$@"
}
shot_then() { shot "$1"; shift; "$@"; }
navy=0,0,128
grey=128,128,128
face=192,192,192

# The two start-up boxes of a new game.
answer_box() {  # answer_box N KEY: the Nth box is open, KEY answers it
  until_true reported "box " "$1" && xdotool key --clearmodifiers "$2" && until_true reported "answered " "$1"
}
startup_boxes() { answer_box 1 Return && answer_box 2 Return; }
check "the two start-up boxes open and Enter answers them" startup_boxes
geometry
check "opens at 2× on a full-HD screen (window ${WIDTH}x${HEIGHT})" [ "$scale" -eq 2 -a "$WIDTH" -eq 1200 -a "$HEIGHT" -eq 886 ]

move 10 9
check "the menu title under the pointer is lit" shown hover is hover 5 1 255,255,255
move 300 300
check "and no longer once the pointer leaves it" shown nohover is nohover 5 1 "$face"
# What the map shows with nothing over it, for the checks after the window has moved.
unlit_title=$(pixel nohover 6 9) map_70_70=$(pixel nohover 70 70) map_70_60=$(pixel nohover 70 60)

# ﾍﾙﾌﾟ: press on its title, drag to バージョン, release: About opens (centred on the map).
move 60 9; xdotool mousedown 1
until_true shot_then menu isnt menu 70 70 "$map_70_70"  # the menu is open
move 70 70
until_true shot_then item is item 70 70 "$navy"  # the item under the pointer is lit
xdotool mouseup 1
check "press, drag and release on a menu item opens About" shown about is about 250 140 "$navy"

# The flash itself lasts 420 ms: the game says when it begins, and the caption must end lit.
flashes=$(count "flash ポムル")
click 40 300
check "a click beside About flashes its caption" until_true reported "flash ポムル" $((flashes + 1))
check "and the flash ends with the caption lit" shown flashed is flashed 250 140 "$navy"

move 250 140; xdotool mousedown 1
xdotool mousemove "$(gx 250)" $((top + 1600)); xdotool mouseup 1
check "About dragged below the window keeps its caption in view" shown dragged is dragged 250 430 "$navy"
xdotool key Escape
check "and Esc still closes it" shown closed is closed 250 430 "$(pixel about 250 430)"

xdotool key alt
check "Alt alone lights the first menu title" shown alt is alt 6 9 "$navy"
xdotool key Return
check "Enter opens it with its first item lit" shown altmenu is altmenu 12 30 "$navy"
xdotool key Escape Escape
until_true shot_then unlit is unlit 6 9 "$unlit_title"
xdotool key F10
check "F10 lights the first menu title" shown f10 is f10 6 9 "$navy"
xdotool key Escape
until_true shot_then unlit is unlit 6 9 "$unlit_title"

xdotool key F1
check "F1 opens the help against the bottom, off the top of the map" shown help1 is help1 100 160 "$navy"
# The click goes before the page key, so once the page has turned the click was handled. The click
# gave the map the keys; F6 hands them back to the help.
help_page() { /usr/bin/convert "$work/$1.png" -crop "1100x400+$(gx 20)+$(gy 180)" +repage rgb:- | md5sum; }
page_turned() { [ "$(help_page help1)" != "$(help_page help3)" ]; }
click 300 60; xdotool key F6 Next
check "PageDown turns the help's page" shown help3 page_turned
check "and clicking the map before left the help above it" is help3 100 160 "$navy"
xdotool key Escape
until_true shot_then nohelp is nohelp 100 160 "$(pixel hover 100 160)"

opened=$(count "open だだ今、釣りしてます。")
click 60 79
check "the fishing dialog opens against the left edge" shown fishing is fishing 100 105 "$navy"
check "beside it the map stays in view" is fishing 500 200 "$(pixel hover 500 200)"
boxes=$(count "box ")
xdotool key Return
check "Enter presses its first button (投入: no rod, so a message box)" until_true reported "box " $((boxes + 1))
check "which shows" shown enter isnt enter 200 240 "$(pixel fishing 200 240)"
xdotool key Return; until_true reported "answered " $((boxes + 1))
xdotool key Escape; until_true reported "box " $((boxes + 2))  # the trip ends: "終了します。"
xdotool key Return; until_true reported "closed だだ今、釣りしてます。" $((opened + 1))

geometry
place="$X,$Y ${WIDTH}x$HEIGHT"
xdotool key F11
check "F11 makes the window full screen" until_true placed "0,0 1920x1080"
xdotool key F11
check "and F11 again puts it back where it was ($place)" until_true placed "$place"
xdotool windowsize "$window" 1400 950
until_true sized 1400x950
check "a resized window keeps the picture whole at 2×, centred (offset $((left - X)),$((top - Y)))" \
  [ "$scale" -eq 2 -a $((left - X)) -eq 100 -a $((top - Y)) -eq 32 ]
move 60 9; xdotool click 1
until_true shot_then menu2 isnt menu2 70 60 "$map_70_60"
move 70 60
check "and the mouse still finds the menu there, the item under it lit" shown resizedmenu is resizedmenu 70 60 "$navy"
xdotool key Escape Escape
until_true shot_then unlit is unlit 6 9 "$unlit_title"

# With a window manager: openbox frames the window that is already there.
openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
framed() { xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '= [0-9]'; }
check "openbox frames the game's window" until_true framed
xdotool windowactivate "$window" 2>/dev/null
geometry
place="$X,$Y ${WIDTH}x$HEIGHT"
round_trips() {
  for round in 1 2 3 4 5; do
    xdotool key F11
    until_true placed "0,0 1920x1080" || { echo "round $round: not full screen"; return 1; }
    xdotool key F11
    until_true placed "$place" || { geometry; echo "round $round: at $X,$Y ${WIDTH}x$HEIGHT"; return 1; }
  done
}
check "under openbox, F11 and back five times leave the window where it was ($place)" round_trips

# About through the menu by pointer; openbox takes Alt+F4 for itself and asks the game to close.
open_about() {
  local n
  n=$(count "open ポムル")
  move 60 9; xdotool click 1
  until_true shot_then menu3 isnt menu3 70 70 "$map_70_70" && move 70 70 && xdotool click 1 &&
    until_true reported "open ポムル" $((n + 1))
}
check "About opens under openbox" open_about
closed=$(count "closed ポムル")
boxes=$(count "box ")
xdotool keydown alt key F4
check "Alt+F4 in About closes About" until_true reported "closed ポムル" $((closed + 1))
xdotool keyup alt
xdotool key F10  # only with no modal window left does the menu bar light
no_new_box() { [ "$(count "box ")" -eq "$boxes" ]; }
only_about() { shown f10b is f10b 6 9 "$navy" && no_new_box; }
check "and only About: the menu bar answers F10, no closing question asked" only_about
xdotool key Escape
until_true shot_then unlit is unlit 6 9 "$unlit_title"

# The window manager's close button (Clearlooks: 11 px in from the frame's top right corner).
check "About opens again" open_about
flashes=$(count "flash ポムル")
geometry
xdotool mousemove $((X + WIDTH - 11)) $((Y - 11)) click 1
check "the window manager's close button under About flashes About's caption" \
  until_true reported "flash ポムル" $((flashes + 1))
closed=$(count "closed ポムル")
move 250 140  # back over the game, for openbox's focus
xdotool key Escape
still_there() { until_true reported "closed ポムル" $((closed + 1)) && no_new_box; }
check "and About is still there for Esc to close, with no closing question" still_there

boxes=$(count "box ")
xdotool key alt+F4
until_true reported "box " $((boxes + 1)) && xdotool key y
until_true reported "box " $((boxes + 2)) && xdotool key y
ended() { ! kill -0 "$game_pid" 2>/dev/null; }
until_true ended
check "Y answers both closing questions: the game saved and ended" [ -s "$work/run/tavo2.dat" ]
ended && game_pid=""

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] || { echo "---- game output ----"; cat "$report"; exit 1; }
