#!/usr/bin/env bash
# Runs every fuzz target of a build for a bounded time, all at once, each starting from the
# committed seed corpus, and fails if any finds something. New inputs the fuzzers find go to
# a scratch folder, so the committed corpus only changes by hand.
#   fuzz/run_all.sh BUILD_DIR [SECONDS]     (SECONDS of each target's run, default 60)
# The targets run side by side rather than one after the other: each is one process, and
# on a machine of two or more cores the run then takes SECONDS rather than three times that.
set -euo pipefail
build_dir=${1:?usage: fuzz/run_all.sh BUILD_DIR [SECONDS]}
seconds=${2:-60}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

targets=(reply_scanner_fuzz number_parsing_fuzz answer_loop_fuzz)
pids=()
for target in "${targets[@]}"; do
  mkdir -p "$scratch/$target" "$scratch/$target-artifacts"
  echo "== $target for ${seconds}s"
  # A finding leaves its input as crash-* or timeout-* in the target's artifact folder, and
  # a non-zero status here.
  "$build_dir/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$scratch/$target-artifacts/" -print_final_stats=1 \
    "$scratch/$target" "$source_dir/fuzz/corpus/$target" 2>"$scratch/$target.log" &
  pids+=($!)
done

status=0
for i in "${!targets[@]}"; do
  target=${targets[$i]}
  if wait "${pids[$i]}"; then
    echo "== $target:"
    grep -E '^(stat::number_of_executed_units|stat::new_units_added|#[0-9]+ *DONE)' \
      "$scratch/$target.log" || true
    continue
  fi
  echo "== $target found something:"
  tail -n 60 "$scratch/$target.log"
  for artifact in "$scratch/$target-artifacts"/*; do
    [ -e "$artifact" ] || continue
    echo "-- finding: $artifact"
    od -c "$artifact" | head -n 20
    cp "$artifact" "$build_dir/" && echo "-- kept as $build_dir/$(basename "$artifact")"
  done
  status=1
done
exit $status
