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
# Linked to the C++ runtime as the launcher is, whose start-up reserves its own memory.
c++ -O3 -std=c++17 -o "$work/empty_cpp" "$work/empty.cpp" -Wl,--no-as-needed -lstdc++

cmp -s <(echo 0 | "$launcher") <(echo 0 | "$work/minimal_menu") ||
  { echo "the minimal program no longer writes the launcher's bytes" >&2; exit 1; }

echo 0 >"$work/reply"
echo "== start to exit, reply 0, stdout to /dev/null"
if command -v hyperfine >/dev/null; then
  hyperfine --warmup 50 --runs 2000 "$launcher <$work/reply >/dev/null" \
    "$work/minimal_menu <$work/reply >/dev/null"
else
  for program in "$launcher" "$work/minimal_menu"; do
    start=$(date +%s%N)
    for _ in $(seq 1000); do echo 0 | "$program" >/dev/null; done
    echo "$program: $(( ($(date +%s%N) - start) / 1000 / 1000 )) us per run (with a shell pipe)"
  done
fi

echo "== instructions executed from start to exit (callgrind; repeatable on a busy machine)"
for program in "$launcher" "$work/minimal_menu" "$work/empty_cpp"; do
  total=$(valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" "$program" \
    <"$work/reply" 2>&1 >/dev/null | sed -n 's/.*Collected : //p')
  echo "$(basename "$program"): $total"
done

echo "== heap allocations (valgrind), reply 0, stdout to /dev/null"
for program in "$launcher" "$work/empty_cpp" "$work/minimal_menu"; do
  summary=$(valgrind "$program" <"$work/reply" 2>&1 >/dev/null | grep 'total heap usage')
  echo "$(basename "$program"): ${summary#*== }"
done
