# Shared by the real-window tests (sourced): a private Xvfb server, and waiting with a deadline
# instead of sleeping for a guessed time. Sets $xvfb_pid and DISPLAY; reads $report, the file the
# game (TAVO2_REPORT=1) writes its report lines to.
deadline="${SMOKE_DEADLINE:-30}"  # seconds an awaited change may take

# start_xvfb FIRST LAST SIZE: a server on the first free display from :FIRST to :LAST
# (SMOKE_DISPLAYS="N ..." names the displays to try instead).
start_xvfb() {
  local n
  for n in ${SMOKE_DISPLAYS:-$(seq "$1" "$2")}; do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "${3}x24" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    DISPLAY=":$n" until_true server_up "$xvfb_pid" && { export DISPLAY=":$n"; return 0; }
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
  done
  return 1
}
server_up() { kill -0 "$1" 2>/dev/null && xdotool getdisplaygeometry >/dev/null 2>&1; }

# until_true COMMAND...: runs COMMAND until it succeeds; fails once the deadline has passed.
until_true() {
  local end=$((SECONDS + deadline))
  until "$@"; do
    [ "$SECONDS" -ge "$end" ] && return 1
    sleep 0.05
  done
}

# count PREFIX: how many report lines start with PREFIX; reported PREFIX [N]: at least N (1) do.
count() { awk -v p="$1" 'index($0, p) == 1 { n++ } END { print n + 0 }' "$report"; }
reported() { [ "$(count "$1")" -ge "${2:-1}" ]; }

# viewable WINDOW: the window is mapped and shown (before that it cannot take the focus).
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q "Map State: IsViewable"; }
