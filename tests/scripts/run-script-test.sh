#!/usr/bin/env bash
# run-script-test.sh RUNNER SAVEGEN NAME.script
# Runs NAME.script through the runner in a fresh directory and compares standard output with
# NAME.out. Header lines of the script:
#   #! save FIELD=VALUE ...     write a crafted tavo2.dat first (see tests/tools/savegen.cpp)
#   #! mkdir NAME               make a directory NAME first (a save file that cannot be written)
#   #! exit N                   the exit code expected (0 when absent)
#   #! stderr TEXT              standard error must contain TEXT
#   #! file-size NAME N         after the run, file NAME has N bytes
#   #! no-file NAME             after the run, file NAME does not exist
#   #! same-as-save FIELD=...   after the run, tavo2.dat still holds exactly that crafted save
set -u
runner=$1 savegen=$2 script=$3
expected=${script%.script}.out
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

want_exit=0
while IFS= read -r line; do
  case "$line" in
    "#! save"*) eval "\"$savegen\" ${line#\#! save}" > tavo2.dat || { echo "savegen failed"; exit 1; } ;;
    "#! mkdir "*) mkdir -p "${line#\#! mkdir }" ;;
    "#! exit "*) want_exit=${line#\#! exit } ;;
  esac
done < "$script"

"$runner" "$script" > out.txt 2> err.txt
got_exit=$?
status=0
if [ "$got_exit" != "$want_exit" ]; then
  echo "exit code $got_exit, expected $want_exit"; cat err.txt; status=1
fi
if ! diff -u "$expected" out.txt; then status=1; fi
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
  esac
done < "$script"
exit $status
