#!/usr/bin/env bash
# Runs the fuzz targets one after another: first every input that once failed, then fuzzing
# for SECONDS each. "fresh" starts from the seeds alone with a fixed random seed (make test:
# the same inputs every run, so that a test run passes or fails for the code, not for luck);
# "keep" grows a corpus in BUILD/fuzz-corpus/ from run to run with new random choices each
# time (make fuzz, which goes looking for new faults). A crash or a failed check fails the
# run; its input is left in BUILD/fuzz-crashes/TARGET/.
#   usage: run_fuzzers.sh BUILD SECONDS fresh|keep [TARGET...]
set -euo pipefail
build=$1 seconds=$2 mode=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_dxf_reader fuzz_clipboard fuzz_link_targets)

for target in "${targets[@]}"; do
  binary=$build/bin/fuzz/$target
  crashes=$build/fuzz-crashes/$target
  corpus=$build/fuzz-corpus/$target
  # The reader's resident size reaches about 1.5 GiB within 30 s (sanitizer quarantine and
  # allocator caches; real leaks are LeakSanitizer's to report), so the limit leaves room.
  options=(-timeout=10 -rss_limit_mb=6144 -artifact_prefix="$crashes/" -print_final_stats=1)
  if [ "$mode" = fresh ]; then
    corpus=$build/fuzz-corpus-fresh/$target
    rm -rf "$corpus"
    options+=(-seed=1)
  fi
  mkdir -p "$crashes" "$corpus"
  [ "$target" = fuzz_dxf_reader ] && options+=(-dict="$here/dxf.dict")

  regressions=("$here/regressions/$target"/*)
  if [ -e "${regressions[0]}" ]; then
    echo "== $target: ${#regressions[@]} former failures"
    "$binary" "${options[@]}" "${regressions[@]}"
  fi
  echo "== $target: fuzzing for $seconds s"
  "$binary" "${options[@]}" -max_total_time="$seconds" "$corpus" "$here/seeds/$target"
done
