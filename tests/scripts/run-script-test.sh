#!/usr/bin/env bash
# run-script-test.sh RUNNER SAVEGEN NAME.script
# Runs NAME.script through the runner in a fresh directory and compares standard output with
# NAME.out, the whole of it; or, where the test is about a few lines, with NAME.expect: each of its
# lines must come in the output, in its order, other lines between them are not looked at.
# Header lines of the script:
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
expect=${script%.script}.expect
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
  esac
done < "$script"
exit $status
