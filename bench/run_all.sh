#!/usr/bin/env bash
# Runs every benchmark of the suite against the build folder given (default build-bench).
set -euo pipefail
build=${1:-build-bench}
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/launcher_startup.sh" "$build"
bash "$here/tool_startup.sh" "$build"
bash "$here/long_table.sh" "$build"
for bench in "$build"/bin/*_bench; do
  [ -x "$bench" ] && "$bench"
done
