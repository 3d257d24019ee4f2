#!/usr/bin/env bash
# Start-to-exit cost of the launcher (reply 0, stdout to /dev/null) beside a minimal C
# program that writes the same bytes and reads one number, and the heap use of both
# against an empty C++ program built the same way.
# Usage: bench/launcher_startup.sh BUILD_DIR   (a Release build that holds bin/quesdral)
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR}
launcher=$build/bin/quesdral
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cc -O2 -o "$work/minimal_menu" "$here/minimal_menu.c"
printf 'int main() { return 0; }\n' >"$work/empty.cpp"
c++ -O3 -std=c++17 -o "$work/empty_cpp" "$work/empty.cpp"

cmp -s <(echo 0 | "$launcher") <(echo 0 | "$work/minimal_menu") ||
  { echo "the minimal program no longer writes the launcher's bytes" >&2; exit 1; }

echo "== start to exit, reply 0, stdout to /dev/null"
if command -v hyperfine >/dev/null; then
  hyperfine -N --warmup 50 --runs 1000 --input <(yes 0 | head -1) --output null \
    "$launcher" "$work/minimal_menu" 2>/dev/null ||
    hyperfine --warmup 50 --runs 1000 "echo 0 | $launcher >/dev/null" \
      "echo 0 | $work/minimal_menu >/dev/null"
else
  for program in "$launcher" "$work/minimal_menu"; do
    start=$(date +%s%N)
    for _ in $(seq 1000); do echo 0 | "$program" >/dev/null; done
    echo "$program: $(( ($(date +%s%N) - start) / 1000 / 1000 )) us per run (with a shell pipe)"
  done
fi

echo "== heap allocations (valgrind), reply 0, stdout to /dev/null"
for program in "$launcher" "$work/empty_cpp" "$work/minimal_menu"; do
  summary=$(echo 0 | valgrind "$program" 2>&1 >/dev/null | grep 'total heap usage')
  echo "$(basename "$program"): ${summary#*== }"
done
