#!/usr/bin/env bash
# Keys alone in a real window under a window manager (openbox on Xvfb): xdotool sends only keys,
# from the start-up boxes through the tackle shop to a fish landed at 丸湖. The headless runner
# plays the same keys first and keeps a picture at each step; after each step the window must come
# to show that picture (waited for with a deadline, never sampled at a fixed moment). The landing
# is real time: the strike goes in while the bite lasts, and is tried again if it misses. Then
# the gamepad through SDL's own events (tavo2-gamepad-keys) and a day played by it to a saved
# sale (tavo2-gamepad-day).
#
# Usage: keys.sh BUILD_DIR      Environment: KEYS_DISPLAY=:N uses that display number;
#                               KEYS_SHOTS=DIR keeps the screenshots.
set -uo pipefail

[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
build="$(readlink -f -- "$1")"
work="$(mktemp -d)"
mkdir "$work/run" "$work/ref"
xvfb_pid="" wm_pid="" game_pid=""
passed=0 failed=0
cleanup() {
  for pid in "$game_pid" "$wm_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
check() {  # check WHAT CONDITION...
  local what=$1
  shift
  if "$@"; then echo "PASS: $what"; passed=$((passed + 1)); else echo "FAIL: $what"; failed=$((failed + 1)); return 1; fi
}
# Runs a command until it succeeds or SECONDS pass.
within() {
  local seconds=$1
  shift
  local end=$((SECONDS + seconds))
  until "$@"; do [ "$SECONDS" -lt "$end" ] || return 1; sleep 0.1; done
}

displays=${KEYS_DISPLAY:-}
displays=${displays#:}
[ -n "$displays" ] || displays=$(seq 161 180)
for n in $displays; do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  within 5 xdotool getdisplaygeometry >/dev/null 2>&1 && break
  kill "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
done
[ -n "$xvfb_pid" ] || { echo "FAIL: no Xvfb"; exit 1; }
openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
within 10 wm_up || { echo "FAIL: openbox did not start"; cat "$work/openbox.log"; exit 1; }

# The steps: a key (xdotool's name, then the runner's) or a picture to wait for, optionally only a
# part of the screen (game pixels WxH+X+Y). The fishing dialog's clock and float move, so there
# only its caption and what lies beside it are compared.
steps="
see box1
key Return enter
see box2
key Return enter
see map
key shift+Tab shift+tab
key shift+Tab shift+tab
key shift+Tab shift+tab
key shift+Tab shift+tab
key shift+Tab shift+tab
see map-tackle-shop
key Return enter
key Tab tab
key Tab tab
see shop-float
key Return enter
see sales-corner
key Return enter
see buy-question
key y y
see shop-float-bought
key Tab tab
key Tab tab
key Return enter
key Return enter
key y y
key Tab tab
key Return enter
key Return enter
key y y
key Tab tab
key Tab tab
key Tab tab
key Tab tab
key Tab tab
key Return enter
key Return enter
key y y
see shop-rod-bought
key Escape esc
key Left left
key Up up
see map-maruko
key Return enter
see fishing 600x22+0+97
"
while read -r what a b; do
  case "$what" in
    key) echo "key $b" ;;
    see) echo "shot $work/ref/$a.png" ;;
  esac
done <<<"$steps" >"$work/ref.script"
# One try at the bite the runner meets: cast, strike after 8.5 s, the fight's pictures.
printf '%s\n' "key enter" "wait 8500" "key tab" "key tab" "key enter" "wait 4000" "shot $work/ref/landed.png" \
  "key f6" "shot $work/ref/result-focused.png" "key enter" "shot $work/ref/result-closed.png" >>"$work/ref.script"
(cd "$work/run" && "$build/tavo2-script" <"$work/ref.script" >"$work/ref.out" 2>&1) || { echo "FAIL: the runner"; cat "$work/ref.out"; exit 1; }
rm -f "$work/run/tavo2.dat"

(cd "$work/run" && exec "$build/tavo2") >"$work/game.log" 2>&1 &
game_pid=$!
window="$(timeout 20 xdotool search --sync --name "ポムル" 2>/dev/null | head -n 1)"
[ -n "$window" ] || { echo "FAIL: no window"; cat "$work/game.log"; exit 1; }
xdotool windowactivate --sync "$window" 2>/dev/null
xdotool mousemove 1279 1023  # the pointer away from the window: no menu title lit
# Where the client area is on the screen (xdotool's figures are off under a window manager).
info="$(xwininfo -id "$window")"
field() { sed -n "s/^ *$1: *\(-*[0-9]*\).*/\1/p" <<<"$info"; }
X=$(field "Absolute upper-left X") Y=$(field "Absolute upper-left Y") WIDTH=$(field Width) HEIGHT=$(field Height)
scale=$((WIDTH / 600 < HEIGHT / 443 ? WIDTH / 600 : HEIGHT / 443))
left=$((X + (WIDTH - 600 * scale) / 2))
top=$((Y + (HEIGHT - 443 * scale) / 2))
shot=0

# Whether the window shows reference picture NAME now, in part GEOMETRY of the game's screen.
shows() {
  local name=$1 part=${2:-600x443+0+0}
  local w=${part%%x*} rest=${part#*x}
  local h=${rest%%+*} xy=${rest#*+}
  local x=${xy%+*} y=${xy#*+}
  shot=$((shot + 1))
  xwd -root -silent | /usr/bin/convert xwd:- -crop "$((w * scale))x$((h * scale))+$((left + x * scale))+$((top + y * scale))" \
    +repage -sample "${w}x${h}!" "png:$work/now.png" || return 1
  [ -n "${KEYS_SHOTS:-}" ] && cp "$work/now.png" "$KEYS_SHOTS/$(printf %02d "$shot")-$name.png"
  /usr/bin/convert "$work/ref/$name.png" -crop "$part" +repage "png:$work/want.png"
  [ "$(/usr/bin/compare -metric AE "$work/now.png" "$work/want.png" null: 2>&1)" = 0 ]
}

while read -r what a b; do
  case "$what" in
    key) xdotool key --clearmodifiers "$a" ;;
    see) check "keys lead to: $a" within 10 shows "$a" "$b" || break ;;
  esac
done <<<"$steps"

if [ "$failed" -eq 0 ]; then
  # The bite lasts about five seconds; a strike that misses is tried again with a new cast.
  for try in 1 2 3 4 5 6; do
    xdotool key --clearmodifiers Return
    sleep 8.5
    xdotool key --clearmodifiers Tab Tab Return
    within 6 shows landed 238x22+362+0 && break
    xdotool key --clearmodifiers shift+Tab shift+Tab
  done
  check "a fish landed by keys: its result opens beside the trip, its caption not lit (try $try)" \
    within 1 shows landed 238x22+362+0
  check "and the trip keeps the keys, its caption lit" within 1 shows landed 362x22+0+97
  xdotool key --clearmodifiers F6
  check "F6 gives the result the keys" within 10 shows result-focused 238x22+362+0
  check "and takes them from the trip" within 1 shows result-focused 362x22+0+97
  xdotool key --clearmodifiers Return
  check "and Enter closes it" within 10 shows result-closed 232x260+368+0
  check "the keys back with the trip" within 1 shows result-closed 362x22+0+97
fi

kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
game_pid=""
"$build/tests/tavo2-gamepad-keys" >"$work/gamepad.log" 2>&1
gamepad=$?
cat "$work/gamepad.log"
check "the gamepad's buttons and stick are keys (tavo2-gamepad-keys)" [ "$gamepad" -eq 0 ]
mkdir "$work/pad"
(cd "$work/pad" && exec "$build/tests/tavo2-gamepad-day") >"$work/pad.log" 2>&1
gamepad=$?
cat "$work/pad.log"
check "a day played by the gamepad alone (tavo2-gamepad-day)" [ "$gamepad" -eq 0 ]

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
