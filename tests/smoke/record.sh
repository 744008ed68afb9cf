#!/usr/bin/env bash
# Plays two sessions in a real X window on a private Xvfb server, driven by xdotool at irregular
# times, and replays each session's record with tavo2-script:
#  1. a day: the start-up boxes, About by press, drag and release on the menu, the tackle shop and
#     purchases, a trip with strikes, the fish shop, the day ended and saved: the replay saves the
#     same tavo2.dat and shows the same screen on the way;
#  2. a trip from that save killed with kill -9: its record replays up to its last input without an
#     error; this start keeps the day's record as tavo2-session-1.txt.
# What is open in the live game is learnt by replaying its record so far (the runner's "where").
#
# Usage: record.sh BUILD_DIR       Environment: RECORD_DISPLAY=:N uses that X display number.
set -uo pipefail

[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
build=$(readlink -f -- "$1")
game=$build/tavo2 runner=$build/tavo2-script
source=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
run=$work/run
mkdir "$run"
record=$run/tavo2-session.txt
handled=$(date +%s%3N)  # when the live game's last input was seen in its record
xvfb_pid="" game_pid="" passed=0 failed=0

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
die() { echo "FAIL: $*"; [ -s "$work/game.log" ] && cat "$work/game.log"; exit 1; }

# A 1024 × 768 screen: the window opens at 1×, so its client area is the game's screen.
displays=${RECORD_DISPLAY:-$(seq -f ':%g' 161 180)}
for d in $displays; do
  [ -e "/tmp/.X${d#:}-lock" ] || [ -e "/tmp/.X11-unix/X${d#:}" ] && continue
  Xvfb "$d" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do DISPLAY=$d xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
  DISPLAY=$d xdotool getdisplaygeometry >/dev/null 2>&1 && { export DISPLAY=$d; break; }
  kill "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
done
[ -n "$xvfb_pid" ] || die "no Xvfb"

# Waits up to SECONDS for a command to succeed.
until_ok() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}
pause() { sleep "0.$((RANDOM % 9))$((RANDOM % 10))"; }  # an irregular human moment
last_input() { grep -E '^(mouse|keydown|keyup|closerequest)' "$record" | tail -n 1; }
last_is() { [ "$(last_input)" = "$1" ]; }
# The record so far, replayed in a fresh folder with the runner commands given after it.
probe() {
  local dir
  dir=$(mktemp -d -p "$work")
  cp "$record" "$dir/record.txt"
  printf '%s\n' "$@" >>"$dir/record.txt"
  (cd "$dir" && "$runner" record.txt 2>&1)
}
open_windows() { probe "$(since_last)" windows | grep '^windows'; }
showing() { open_windows | grep -q "\"$1\""; }

start_game() {
  (cd "$run" && exec "$game") >"$work/game.log" 2>&1 &
  game_pid=$!
  window=$(timeout 20 xdotool search --sync --name "ポムル" 2>/dev/null | head -n 1)
  [ -n "$window" ] || die "no window"
  eval "$(xdotool getwindowgeometry --shell "$window")"  # X, Y: the client area's origin
  xdotool windowfocus "$window" 2>/dev/null
  until_ok 10 grep -q '^startsave' "$record" || die "no record"
}
# Game screen points to the live window; each input is waited for until the record holds it.
point() { xdotool mousemove $((X + $1)) $((Y + $2)); }
# Input during a blocking pause (a conversation's) is thrown away, as a player's is: then again.
count() { grep -cx "$1" "$record"; }
more_than() { [ "$(count "$1")" -gt "$2" ]; }
# Gives an input (xdotool ARGS...) until the record holds one more LINE than before.
give() {
  local line=$1 before
  shift
  before=$(count "$line")
  for _ in 1 2 3 4 5; do
    xdotool "$@"
    until_ok 2 more_than "$line" "$before" && return 0
  done
  return 1
}
click_at() {
  point "$1" "$2"
  pause
  give "mouse down left $1 $2" click 1 || die "the click at $1,$2 was not recorded"
  handled=$(date +%s%3N)
  pause
}
press_key() {  # press_key RECORD_NAME XDOTOOL_NAME
  give "keydown $1" key "$2" || die "the key $1 was not recorded"
  handled=$(date +%s%3N)
  pause
}
# The live game's time has moved on since its last input, at least by what passed here since then.
since_last() { echo "wait $(($(date +%s%3N) - handled))"; }
button() {
  local at
  at=$(probe "$(since_last)" "where $1" | sed -n "s/^where $1 //p")
  [ -n "$at" ] || return 1
  click_at $at
}
# Answers whatever boxes, results and goodbyes are open until only the map is left: yes where a
# box asks, Enter for a box's OK and a dialog's default button, Esc for a dialog without buttons.
answer_all() {
  for _ in $(seq 16); do
    kill -0 "$game_pid" 2>/dev/null || return 0
    local top
    top=$(probe "$(since_last)" "windows detail" | grep '^window ' | tail -n 1)
    case "$top" in
      "window frame"*) return 0 ;;
      "window box"*" buttons "*6*) press_key y y ;;
      *" buttons -"*) press_key esc Escape ;;
      *) press_key enter Return ;;
    esac
  done
  return 1
}
# The live window's picture equals the replay's shot of the record so far.
same_screen() {
  probe "shot $work/replay.png" >/dev/null
  xwd -root -silent | /usr/bin/convert xwd:- -crop "600x443+$X+$Y" +repage "png:$work/live.png"
  [ "$(compare -metric AE "$work/live.png" "$work/replay.png" null: 2>&1)" = 0 ]
}

# 1. A day.
start_game
press_key enter Return
press_key enter Return
# ﾍﾙﾌﾟ pressed on its title, dragged to バージョン, released.
point 60 9
xdotool mousedown 1
pause
point 70 70
pause
xdotool mouseup 1
until_ok 10 last_is "mouse up left 70 70" || die "the release was not recorded"
check "About opened by press, drag and release on the menu" showing "ポムル"
press_key esc Escape
click_at 189 344  # the tackle shop
check "the tackle shop opened" showing "釣具店"
read -r _ _ sx sy < <(probe "where client" | grep '^where client')
buy() {
  click_at $((sx + $1)) $((sy + $2))
  button 1 || die "no sales corner at $1,$2"
  press_key y y
}
buy 104 258  # 生竹
check "a rod bought" grep -qx 'money=4100' <(probe "state money")
buy 59 96    # へら浮き
buy 286 44   # スレバリ
buy 286 128  # 高級ライン
press_key esc Escape
check "the map's screen is the replay's" until_ok 10 same_screen
click_at 58 83  # 丸湖
for round in 1 2 3; do
  button 111 || answer_all || die "round $round: no cast"
  sleep "$((RANDOM % 3)).$((RANDOM % 10))"
  button 113 || true
done
check "strikes were recorded" [ "$(grep -c "^mouse up" "$record")" -gt 8 ]
button 115 || die "no end of the trip"
check "the trip's goodbye over its last picture is the replay's" until_ok 10 same_screen
answer_all || die "the trip did not end"
click_at 299 355  # the fish shop
answer_all || die "the fish shop did not end"
check "after the fish shop the screen is the replay's" until_ok 10 same_screen
xdotool key alt+f
pause
press_key down Down
press_key enter Return
answer_all
until_ok 20 bash -c "! kill -0 $game_pid 2>/dev/null" || die "the game did not end with the day"
wait "$game_pid"
check "the day ended and the game exited" [ $? = 0 ]
game_pid=""
check "the live game saved" [ -s "$run/tavo2.dat" ]

(mkdir "$work/r" && cd "$work/r" && "$runner" "$record" >out.txt 2>err.txt)
check "the day's record replays without an error" [ $? = 0 ]
echo "info: the day's trip landed $(grep -c '^open "ただいま釣り結果"' "$work/r/out.txt") fish"
check "and saves the same tavo2.dat as the live game" cmp "$run/tavo2.dat" "$work/r/tavo2.dat"

# 2. A trip from that save, killed mid-way.
cp "$record" "$work/day.txt"
start_game
check "the next start keeps the record before as tavo2-session-1.txt" cmp -s "$work/day.txt" "$run/tavo2-session-1.txt"
click_at 58 83  # 丸湖
button 111 || die "no trip"
sleep 1.$((RANDOM % 10))
button 113 || die "no strike button"
sleep 0.$((RANDOM % 10))
kill -KILL "$game_pid"
wait "$game_pid" 2>/dev/null
game_pid=""
cp "$record" "$work/killed.txt"
(mkdir "$work/k" && cd "$work/k" && "$runner" ../killed.txt >out.txt 2>err.txt)
check "a record cut by kill -9 mid-trip replays to its end without an error" [ $? = 0 ]
trip_open() { grep -qx 'open "だだ今、釣りしてます。"' "$work/k/out.txt" && ! grep -q '^closed' "$work/k/out.txt"; }
check "and its last input left the trip open" trip_open

# 3. The playthrough's first day, its script given to the window as a player's input at its times.
# RECORD_PLAYTHROUGH=0 leaves it out (it lasts as long as the day: five minutes).
if [ "${RECORD_PLAYTHROUGH:-1}" = 1 ]; then
  rm -f "$run"/*
  mkdir "$work/p"
  (cd "$work/p" && "$runner" --transcript ../day1.txt "$source/tests/playthrough/day1.script" >/dev/null)
  start_game
  # One xdotool reads the whole day as its commands, with the transcript's waits between them.
  awk -v x="$X" -v y="$Y" '
    function key(k,  last) {
      last = k; sub(/.*\+/, "", last)
      if (last in names) sub(/[^+]*$/, names[last], k)
      return k
    }
    BEGIN { split("enter:Return esc:Escape f10:F10 f4:F4 down:Down up:Up left:Left right:Right", m, " ")
            for (i in m) { split(m[i], kv, ":"); names[kv[1]] = kv[2] } }
    $1 == "wait" { printf "sleep %.3f\n", $2 / 1000 }
    $1 == "mouse" && $2 == "move" { print "mousemove", x + $3, y + $4 }
    $1 == "mouse" && $2 != "move" { print ($2 == "down" ? "mousedown" : "mouseup"), ($3 == "right" ? 3 : 1) }
    $1 == "keydown" { print "key", key($2) }
  ' "$work/day1.txt" >"$work/day1.xdo"
  xdotool "$work/day1.xdo"
  handled=$(date +%s%3N)
  if ! until_ok 10 bash -c "! kill -0 $game_pid 2>/dev/null"; then
    # A strike a few milliseconds off can land another fish: then the day goes its own way, and is
    # ended by hand, so that there is a save to compare.
    echo "info: the window's day went its own way; it is ended by hand"
    answer_all
    xdotool key alt+f
    press_key down Down
    press_key enter Return
    answer_all
  fi
  until_ok 30 bash -c "! kill -0 $game_pid 2>/dev/null" || die "the playthrough's day did not end the game"
  game_pid=""
  (mkdir "$work/pr" && cd "$work/pr" && "$runner" "$record" >out.txt 2>err.txt)
  check "the playthrough's day played in a window replays from its record" [ $? = 0 ]
  check "to the same tavo2.dat as the window saved" cmp "$run/tavo2.dat" "$work/pr/tavo2.dat"
  cmp -s "$run/tavo2.dat" "$work/p/tavo2.dat" && same=the || same="not the"
  echo "info: the window's day ended with $same save the playthrough expects"
fi

echo "record: $passed passed, $failed failed"
[ "$failed" = 0 ]
