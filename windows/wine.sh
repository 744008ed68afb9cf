#!/usr/bin/env bash
# wine.sh PROGRAM.exe [ARG...]: runs a program of the Windows build under Wine, in a Wine prefix of
# that build's own (wine-prefix beside the program; TAVO2_WINEPREFIX to choose another), made on
# first use and then shared by every test. Debian's wine64 alone runs 64-bit programs.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 PROGRAM.exe [ARG...]" >&2; exit 2; }
program=$(readlink -f -- "$1")
shift
wine=${WINE:-}
if [ -z "$wine" ]; then
  for candidate in /usr/lib/wine/wine64 "$(command -v wine64 || true)" "$(command -v wine || true)"; do
    [ -n "$candidate" ] && [ -x "$candidate" ] && { wine=$candidate; break; }
  done
fi
[ -n "$wine" ] || { echo "error: Wine is missing (Debian package wine64)" >&2; exit 1; }
export WINEPREFIX=${TAVO2_WINEPREFIX:-$(dirname "$program")/wine-prefix}
# Wine's own notes stay out of the programs' output; no Mono or Gecko is wanted (or reachable).
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree=;mshtml="
# Made once, under a lock: tests start in parallel. The registry reaches its files only when the
# Wine server ends, so the prefix is ready after that.
ready=$WINEPREFIX/tavo2-prefix-ready
if [ ! -f "$ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$ready" ]; then
      "$wine" wineboot -i >/dev/null 2>&1 || true
      wineserver=$(dirname "$wine")/wineserver
      [ -x "$wineserver" ] || wineserver=$(command -v wineserver || echo true)
      "$wineserver" -w || true
      [ -f "$WINEPREFIX/system.reg" ] && touch "$ready"
    fi
  ) 9>"$WINEPREFIX.lock"
  [ -f "$ready" ] || { echo "error: could not make the Wine prefix $WINEPREFIX" >&2; exit 1; }
fi
# A program for a real window waits for a Wine server left from runs without a display
# (TAVO2_WINE_NEW_SERVER=1): joining it, its windows would never reach the X server.
if [ "${TAVO2_WINE_NEW_SERVER:-0}" = 1 ]; then
  wineserver=$(dirname "$wine")/wineserver
  [ -x "$wineserver" ] || wineserver=$(command -v wineserver || echo true)
  "$wineserver" -w || true
fi
exec "$wine" "$program" "$@"
