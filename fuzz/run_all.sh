#!/usr/bin/env bash
# Runs every fuzz target of a build for a bounded time each, starting from the committed
# seed corpus, and fails on the first finding. New inputs the fuzzers find go to a scratch
# folder, so the committed corpus only changes by hand.
#   fuzz/run_all.sh BUILD_DIR [SECONDS]     (SECONDS per target, default 60)
set -euo pipefail
build_dir=${1:?usage: fuzz/run_all.sh BUILD_DIR [SECONDS]}
seconds=${2:-60}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

status=0
for target in reply_scanner_fuzz number_parsing_fuzz answer_loop_fuzz; do
  program=$build_dir/bin/$target
  seeds=$source_dir/fuzz/corpus/$target
  mkdir -p "$scratch/$target"
  echo "== $target for ${seconds}s"
  # A finding leaves its input as crash-* or timeout-* in the scratch folder, and a
  # non-zero status here.
  if ! "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$scratch/" -print_final_stats=1 \
      "$scratch/$target" "$seeds" 2>"$scratch/$target.log"; then
    tail -n 60 "$scratch/$target.log"
    for artifact in "$scratch"/crash-* "$scratch"/timeout-* "$scratch"/leak-* "$scratch"/oom-*; do
      [ -e "$artifact" ] || continue
      echo "-- finding: $artifact"
      od -c "$artifact" | head -n 20
      cp "$artifact" "$build_dir/" && echo "-- kept as $build_dir/$(basename "$artifact")"
    done
    status=1
  else
    grep -E '^(stat::number_of_executed_units|stat::new_units_added|#[0-9]+ *DONE)' \
      "$scratch/$target.log" || true
  fi
done
exit $status
