#!/usr/bin/env bash
# Which lines and branches of the launcher and the tools the tests run.
#
#   scripts/coverage.sh [BUILD_DIR]     (make coverage; BUILD_DIR defaults to build-cov)
#
# Builds everything with gcc's --coverage in a folder of its own (Debug, so that a line's
# count is the line's own), runs every test except those of the Windows and 32-bit x86
# builds (other builds of the same sources, under Wine and qemu), and has
# gcovr report lines and branches of launcher/ and tools/, test files left out. Prints the
# summary and a table of the lines missed, and writes an HTML report with every source
# file into BUILD_DIR/coverage/index.html.
#
# Branches that only the C++ runtime can take (an exception thrown by operator new or by a
# stream) and branches the compiler itself marks unreachable are not counted: no test of
# ours could steer into them.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-cov}

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS=--coverage \
  -DCMAKE_EXE_LINKER_FLAGS=--coverage \
  -DQUESDRAL_TESTS=ON \
  -DQUESDRAL_WINDOWS_TESTS=OFF \
  -DQUESDRAL_I386_TESTS=OFF \
  -DQUESDRAL_MAN_PAGES=OFF
cmake --build "$build"
# Objects of targets the build no longer has leave their notes behind (a tool's own program
# before the tools became one); gcovr would report the sources they were compiled from.
ninja -C "$build" -t cleandead > /dev/null
find "$build" -name '*.gcno' | while read -r notes; do
  [ -e "${notes%.gcno}.o" ] || rm -f "$notes"
done

# Counts add up from run to run; start from none so the figures are this run's alone.
find "$build" -name '*.gcda' -delete
ctest --test-dir "$build" -LE "windows|i386" --output-on-failure -j "${QUESDRAL_JOBS:-2}"

out=$build/coverage
mkdir -p "$out"
# One pass of gcov into a tracefile, then every report from it.
gcovr --root "$root" --object-directory "$build" \
  --filter "$root/launcher/" --filter "$root/tools/" --exclude '.*_test\.cpp$' \
  --exclude-throw-branches --exclude-unreachable-branches \
  --json "$out/coverage.json"
report=(gcovr --root "$root" --add-tracefile "$out/coverage.json")
"${report[@]}" --sort-uncovered --txt "$out/lines.txt"
"${report[@]}" --sort-uncovered --branches --txt "$out/branches.txt"
"${report[@]}" --html-details "$out/index.html" --html-title "Quesdral: lines and branches run by the tests" \
  --print-summary > "$out/summary.txt"

# The files with something left to run: their lines, then their branches, by line number.
for table in lines branches; do
  echo
  awk -v what="$table" 'NR == 5 { sub("Missing", "Missing " what) } NR == 5 || $5 != "" && !/^-/' \
    "$out/$table.txt"
done
echo
cat "$out/summary.txt"
echo "HTML report: $out/index.html"
