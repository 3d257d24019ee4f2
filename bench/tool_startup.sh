#!/usr/bin/env bash
# Start-to-exit cost of a trivial tool run (`vorlix.exe 0.5`, stdout to /dev/null) beside
# a minimal C program that parses, computes and prints the same (bench/minimal_level.c),
# in instructions (callgrind: repeatable on a busy machine), with the ratio; and the size
# of the nineteen programs.
# Usage: bench/tool_startup.sh BUILD_DIR   (a Release build that holds bin/vorlix.exe)
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cc -O2 -o "$work/minimal_level" "$here/minimal_level.c" -lm
[ "$("$work/minimal_level" 0.5)" = "$("$build/bin/vorlix.exe" 0.5)" ] ||
  { echo "the minimal program no longer prints what vorlix.exe prints" >&2; exit 1; }

# The profile is written to the work folder, never to /dev/null, which must stay a device.
instructions() {
  valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" "$@" 2>&1 >/dev/null |
    sed -n 's/.*Collected : //p'
}
echo "== instructions from start to exit: vorlix.exe 0.5 beside the C floor"
tool=$(instructions "$build/bin/vorlix.exe" 0.5)
floor=$(instructions "$work/minimal_level" 0.5)
echo "vorlix.exe 0.5: $tool"
echo "minimal_level 0.5 (C floor): $floor"
awk -v t="$tool" -v f="$floor" 'BEGIN { printf "ratio: %.2fx\n", t / f }'

echo "== size of the nineteen programs as installed (links counted once)"
du -cshL "$build/bin/quesdral" "$build/bin/quesdral-tools" 2>/dev/null | tail -1
