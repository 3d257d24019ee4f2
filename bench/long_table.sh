#!/usr/bin/env bash
# Start-to-exit cost of YOMBRIC's long table (`yombric.exe 30 20 12 230 20`: 9,931 modes,
# about 363 KB, stdout to /dev/null) beside a minimal C program that prints the same bytes
# (bench/room_modes_floor.c), in instructions (callgrind: repeatable on a busy machine),
# with the ratio; the tool's heap allocations per mode row; and the cost of its slowest
# refusal (`yombric.exe 30 20 12 30000 20`: too many modes), in instructions and in
# milliseconds (best of five runs) beside a trivial run's.
# Usage: bench/long_table.sh BUILD_DIR   (a Release build that holds bin/yombric.exe)
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR}
tool=$build/bin/yombric.exe
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
room=(30 20 12 230 20)
refused=(30 20 12 30000 20)

cc -O2 -o "$work/room_modes_floor" "$here/room_modes_floor.c" -lm
"$tool" "${room[@]}" >"$work/tool.txt"
"$work/room_modes_floor" "${room[@]}" >"$work/floor.txt"
if ! cmp "$work/tool.txt" "$work/floor.txt"; then
  echo "the C floor no longer prints what yombric.exe ${room[*]} prints:" >&2
  diff "$work/tool.txt" "$work/floor.txt" | head -20 >&2
  exit 1
fi

# Runs a program under callgrind, keeping its report as $work/NAME.log and its profile as
# $work/NAME.out; a refusal's non-zero status is expected, so only a missing total fails.
# Strings are left uncompressed so that every call line names its callee.
profile() {
  local name=$1
  shift
  valgrind --tool=callgrind --compress-strings=no --callgrind-out-file="$work/$name.out" \
    "$@" >/dev/null 2>"$work/$name.log" || true
  grep -q 'Collected : ' "$work/$name.log" ||
    { echo "callgrind did not run $*:" >&2; cat "$work/$name.log" >&2; exit 1; }
}
instructions() {
  sed -n 's/.*Collected : //p' "$work/$1.log"
}
# Calls into the C library's allocator, read from the profile: the tools are linked
# statically, where memcheck cannot replace malloc and reports 0 allocations. operator new
# calls malloc, so each allocation is counted once.
allocations() {
  awk '/^cfn=/ { callee = substr($0, 5); sub(/'"'"'[0-9]+$/, "", callee) }
       /^calls=/ && callee ~ /^(malloc|calloc|realloc|aligned_alloc|memalign|posix_memalign)$/ {
         split(substr($0, 7), count, " "); total += count[1] }
       END { print total + 0 }' "$work/$1.out"
}

echo "== instructions from start to exit: yombric.exe ${room[*]} beside the C floor"
profile tool "$tool" "${room[@]}"
profile floor "$work/room_modes_floor" "${room[@]}"
rows=$(sed -n 's/^All modes: //p' "$work/tool.txt")
echo "yombric.exe ${room[*]}: $(instructions tool)"
echo "room_modes_floor ${room[*]} (C floor): $(instructions floor)"
awk -v t="$(instructions tool)" -v f="$(instructions floor)" \
  'BEGIN { printf "ratio: %.2fx\n", t / f }'

echo "== heap allocations of yombric.exe ${room[*]} ($rows mode rows)"
awk -v a="$(allocations tool)" -v r="$rows" \
  'BEGIN { printf "%d allocations, %.2f per row\n", a, a / r }'
echo "C floor: $(allocations floor) allocations"

echo "== the slowest refusal: yombric.exe ${refused[*]} (too many modes)"
status=0
"$tool" "${refused[@]}" >/dev/null 2>"$work/refusal.txt" || status=$?
if [ "$status" -ne 2 ] || ! grep -q 'more than the 10000' "$work/refusal.txt"; then
  echo "yombric.exe ${refused[*]} was not refused for too many modes (status $status):" >&2
  cat "$work/refusal.txt" >&2
  exit 1
fi
profile refusal "$tool" "${refused[@]}"
echo "instructions: $(instructions refusal)"
# Wall time in milliseconds, the best of five runs, read from bash's own clock so that no
# other program starts between the two readings.
best_ms() {
  local best= start elapsed
  for _ in 1 2 3 4 5; do
    start=${EPOCHREALTIME/./}
    "$@" >/dev/null 2>&1 || true
    elapsed=$((${EPOCHREALTIME/./} - start))
    if [ -z "$best" ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
  done
  awk -v us="$best" 'BEGIN { printf "%.1f ms", us / 1e3 }'
}
echo "wall time: $(best_ms "$tool" "${refused[@]}") (best of 5; starting and ending" \
  "a trivial run, yombric.exe 1 1 1 100: $(best_ms "$tool" 1 1 1 100))"
