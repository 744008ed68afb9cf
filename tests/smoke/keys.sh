#!/usr/bin/env bash
# Keys alone in a real window under a window manager (openbox on Xvfb): xdotool sends only keys,
# from the start-up boxes through the tackle shop to a fish landed at 丸湖. The headless runner
# plays the same keys first and keeps a picture of each step; after each step the window must come
# to show it (waited for with a deadline). The strike is real time: it goes in while the bite
# lasts, and is tried again if it misses. Then the gamepad through SDL's own events.
#
# Usage: keys.sh BUILD_DIR      Environment: KEYS_DISPLAY=:N uses that display.
set -uo pipefail

[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
build="$(readlink -f -- "$1")"
work="$(mktemp -d)"
mkdir "$work/run" "$work/ref"
pids=()
passed=0 failed=0
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null && wait "${pids[i]}" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
check() {  # check WHAT CONDITION...
  local what=$1
  shift
  if "$@"; then echo "PASS: $what"; passed=$((passed + 1)); else echo "FAIL: $what"; failed=$((failed + 1)); return 1; fi
}
within() {  # within SECONDS COMMAND...: until it succeeds or the time is up
  local end=$((SECONDS + $1))
  shift
  until "$@"; do [ "$SECONDS" -lt "$end" ] || return 1; sleep 0.1; done
}
wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }

displays=${KEYS_DISPLAY:-$(seq 161 180)}
for n in ${displays//:/}; do
  [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  export DISPLAY=":$n"
  within 5 xdotool getdisplaygeometry >/dev/null 2>&1 && break
  unset DISPLAY
done
[ -n "${DISPLAY:-}" ] || { echo "FAIL: no Xvfb"; exit 1; }
openbox >/dev/null 2>&1 &
pids+=($!)
within 10 wm_up || { echo "FAIL: openbox did not start"; exit 1; }

# Each line: the keys (xdotool's names) | the picture the window must come to show then, and the
# part of the screen compared (game pixels WxH+X+Y; the fishing dialog's clock and float move).
steps="
| box1
Return | box2
Return | map
shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab | map-tackle-shop
Return Tab Tab | shop-float
Return | sales-corner
Return | buy-question
y | shop-float-bought
Tab Tab Return Return y Tab Return Return y Tab Tab Tab Tab Tab Return Return y | shop-rod-bought
Escape Left Up | map-maruko
Return | fishing 600x22+0+97"
runner_keys() { local k=${1//Return/enter}; k=${k//Escape/esc}; k=${k,,}; [ -z "${k// /}" ] || echo "key $k"; }
while IFS='|' read -r keys see; do
  [ -n "$see" ] && runner_keys "$keys" && echo "shot $work/ref/$(echo $see | cut -d' ' -f1).png"
done <<<"$steps" >"$work/ref.script"
# The runner's try at the bite: cast, strike after 8.5 s, the fight's pictures; F6; Enter.
printf '%s\n' "key enter" "wait 8500" "key tab tab enter" "wait 4000" "shot $work/ref/landed.png" "key f6" \
  "shot $work/ref/result-focused.png" "key enter" "shot $work/ref/result-closed.png" >>"$work/ref.script"
(cd "$work/run" && "$build/tavo2-script" <"$work/ref.script" >"$work/ref.out" 2>&1) || { echo "FAIL: runner"; exit 1; }
rm -f "$work/run/tavo2.dat"

(cd "$work/run" && exec "$build/tavo2") >/dev/null 2>&1 &
pids+=($!)
window="$(timeout 20 xdotool search --sync --name "ポムル" 2>/dev/null | head -n 1)"
[ -n "$window" ] || { echo "FAIL: no window"; exit 1; }
xdotool windowactivate --sync "$window" 2>/dev/null
xdotool mousemove 1279 1023  # the pointer off the window: no menu title lit
# The client area on the screen (xdotool's own figures are off under a window manager).
info="$(xwininfo -id "$window")"
field() { sed -n "s/^ *$1: *\(-*[0-9]*\).*/\1/p" <<<"$info"; }
width=$(field Width) height=$(field Height)
scale=$((width / 600 < height / 443 ? width / 600 : height / 443))
left=$(($(field "Absolute upper-left X") + (width - 600 * scale) / 2))
top=$(($(field "Absolute upper-left Y") + (height - 443 * scale) / 2))

# Whether the window shows reference picture NAME now, in PART (game pixels WxH+X+Y).
shows() {
  local name=$1 part=${2:-600x443+0+0}
  local w=${part%%x*} h=${part#*x} x=${part#*+}
  h=${h%%+*} y=${x#*+} x=${x%+*}
  xwd -root -silent | /usr/bin/convert xwd:- -crop "$((w * scale))x$((h * scale))+$((left + x * scale))+$((top + y * scale))" \
    +repage -sample "${w}x${h}!" "png:$work/now.png" || return 1
  /usr/bin/convert "$work/ref/$name.png" -crop "$part" +repage "png:$work/want.png"
  [ "$(/usr/bin/compare -metric AE "$work/now.png" "$work/want.png" null: 2>&1)" = 0 ]
}

while IFS='|' read -r keys see; do
  [ -n "$see" ] || continue
  [ -z "${keys// /}" ] || xdotool key --clearmodifiers $keys
  check "keys lead to: $see" within 10 shows $see || break
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
  check "a fish landed by keys: its result opens beside the trip, not lit (try $try)" shows landed 238x22+362+0
  check "and the trip keeps the keys, its caption lit" shows landed 362x22+0+97
  xdotool key --clearmodifiers F6
  check "F6 gives the result the keys" within 10 shows result-focused 238x22+362+0
  check "and takes them from the trip" shows result-focused 362x22+0+97
  xdotool key --clearmodifiers Return
  check "Enter closes it" within 10 shows result-closed 232x260+368+0
  check "and the keys are back with the trip" shows result-closed 362x22+0+97
fi

"$build/tests/tavo2-gamepad-keys"
check "the gamepad's buttons and stick are keys" [ $? -eq 0 ]
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
