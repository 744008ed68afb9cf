#!/usr/bin/env bash
# run.sh FUZZ_BIN_DIR SECONDS: runs each fuzz target for SECONDS from its seeds (tests/fuzz/seeds/
# TARGET, and for the script parser the runner tests' scripts too), growing a corpus kept beside
# the targets. A crash, leak, sanitizer report or timeout fails it, and the input that did it is
# kept beside the targets as crash-* / leak-* / timeout-*.
set -uo pipefail
bin=$(cd "$1" && pwd) seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
for target in save_loader script_parser; do
  corpus="$bin/corpus-$target"
  log="$bin/$target.log"
  mkdir -p "$corpus"
  seeds=("$here/seeds/$target")
  max_len=12000  # a record and more
  if [ "$target" = script_parser ]; then seeds+=("$here/../scripts"); max_len=4096; fi
  if "$bin/tavo2-fuzz-$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=$max_len \
       -print_final_stats=1 -artifact_prefix="$bin/" "$corpus" "${seeds[@]}" > "$log" 2>&1; then
    echo "$target: $(grep -oE 'stat::number_of_executed_units: [0-9]+' "$log" | grep -oE '[0-9]+') runs in $seconds s," \
         "corpus $(ls "$corpus" | wc -l) inputs, nothing found"
  else
    tail -n 80 "$log"
    echo "FAIL: fuzzing $target found the fault above"
    exit 1
  fi
done
