#!/usr/bin/env bash
# run-script-test.sh RUNNER SAVEGEN NAME.script
# Runs NAME.script through the runner in a fresh directory and compares standard output with
# NAME.out, the whole of it (with TAVO2_UPDATE_EXPECTED=1 it writes NAME.out instead); or, where
# the test is about a few lines, with NAME.expect: each of its lines must come in the output, in
# its order, other lines between them are not looked at. Header lines of the script:
#   #! save FIELD=VALUE ...     write a crafted tavo2.dat first (see tests/tools/savegen.cpp)
#   #! mkdir NAME               make a directory NAME first (a save file that cannot be written)
#   #! sh COMMAND               run a shell command in the directory first (after the lines above it)
#   #! as-user                  make the directory an ordinary user's, and do the steps above and
#                               the run as that user (nobody, when run as root): file permissions
#                               do not bind root
#   #! hold-lock                another copy of the game holds the save lock during the run
#   #! exit N                   the exit code expected (0 when absent)
#   #! stderr TEXT              standard error must contain TEXT
#   #! file-size NAME N         after the run, file NAME has N bytes
#   #! no-file NAME             after the run, file NAME does not exist
#   #! same-as-save FIELD=...   after the run, tavo2.dat still holds exactly that crafted save
#   #! check COMMAND            after the run, the shell command succeeds ($savegen is the generator)
# Exits 77 (skipped) when the script needs an ordinary user and none can be had.
set -u
runner=$1 savegen=$2 script=$3
expected=${script%.script}.out
expect=${script%.script}.expect
work=$(mktemp -d)
bin=""
trap 'chmod -R u+rwX "$work" 2>/dev/null; rm -rf "$work" ${bin:+"$bin"}' EXIT
cd "$work" || exit 1

as_user=()
if grep -q '^#! as-user' "$script" && [ "$(id -u)" = 0 ]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
  if ! command -v setpriv >/dev/null || ! chown nobody:nogroup "$work" || ! "${as_user[@]}" true 2>/dev/null; then
    echo "SKIP: running as root and cannot become the user nobody, so file permissions cannot be tested"
    exit 77
  fi
  # The programs may sit in a folder closed to that user (a checkout under /root): use copies.
  if ! "${as_user[@]}" test -x "$runner" || ! "${as_user[@]}" test -x "$savegen"; then
    bin=$(mktemp -d)
    cp "$runner" "$bin/runner" && cp "$savegen" "$bin/savegen" && chmod 755 "$bin" || exit 1
    runner=$bin/runner savegen=$bin/savegen
  fi
fi
# Runs a setup step, as the ordinary user when the script asks for one.
setup() { "${as_user[@]}" bash -c "$1"; }

want_exit=0
while IFS= read -r line; do
  case "$line" in
    "#! save"*) setup "\"$savegen\" ${line#\#! save} > tavo2.dat" || { echo "savegen failed"; exit 1; } ;;
    "#! mkdir "*) setup "mkdir -p ${line#\#! mkdir }" ;;
    "#! sh "*) setup "${line#\#! sh }" || { echo "setup failed: ${line#\#! sh }"; exit 1; } ;;
    "#! hold-lock")
      exec 9>>tavo2.dat.lock
      flock -n 9 || { echo "cannot take the save lock"; exit 1; } ;;
    "#! exit "*) want_exit=${line#\#! exit } ;;
  esac
done < "$script"

"${as_user[@]}" "$runner" < "$script" > out.txt 2> err.txt 9>&-
got_exit=$?
if [ "${TAVO2_UPDATE_EXPECTED:-}" = 1 ]; then
  cp out.txt "$expected"
  exit 0
fi
status=0
export savegen
if [ "$got_exit" != "$want_exit" ]; then
  echo "exit code $got_exit, expected $want_exit"; cat err.txt; status=1
fi
if [ -e "$expected" ]; then
  diff -u "$expected" out.txt || status=1
elif [ -e "$expect" ]; then
  # In order: the first line still wanted is looked for in what follows the last one found.
  if ! missing=$(awk 'BEGIN { i = 0; n = 0 }
                      NR == FNR { if ($0 != "") want[n++] = $0; next }
                      i < n && $0 == want[i] { i++ }
                      END { if (i < n) { print want[i]; exit 1 } }' "$expect" out.txt); then
    echo "not in the output (in its order after the lines before it): $missing"
    echo "---- output ----"; cat out.txt; status=1
  fi
else
  echo "neither $expected nor $expect exists"; status=1
fi
while IFS= read -r line; do
  case "$line" in
    "#! stderr "*) grep -qF -- "${line#\#! stderr }" err.txt || { echo "stderr lacks: ${line#\#! stderr }"; cat err.txt; status=1; } ;;
    "#! file-size "*)
      set -- ${line#\#! file-size }
      size=$(stat -c %s "$1" 2>/dev/null || echo missing)
      [ "$size" = "$2" ] || { echo "$1: size $size, expected $2"; status=1; } ;;
    "#! no-file "*) [ ! -e "${line#\#! no-file }" ] || { echo "${line#\#! no-file } exists"; status=1; } ;;
    "#! same-as-save"*)
      # the file still holds the crafted save: compare with a fresh one made the same way
      eval "\"$savegen\" ${line#\#! same-as-save}" > expected.dat
      cmp -s expected.dat tavo2.dat || { echo "tavo2.dat changed"; status=1; } ;;
    "#! check "*) bash -c "${line#\#! check }" || { echo "check failed: ${line#\#! check }"; status=1; } ;;
  esac
done < "$script"
exit $status
