#!/usr/bin/env bash
# Builds the suite's packages and checks them as a user meets them: the Debian package
# (exactly the nineteen programs and their nineteen man pages, lintian without errors or
# warnings, and the launcher run from an unpacked copy, finding its tool beside it) and the
# 64-bit and 32-bit Windows zips (exactly the nineteen programs, for the right processor).
#
#   .ci/check_packages.sh [LINUX_BUILD_DIR]     (default build-ci)
#
# Needs, besides the build's own packages: help2man, dpkg-dev, lintian, man-db, and the
# mingw-w64 compilers for the zips. Packages the programs of a Linux Release build, by default
# build-ci (make test PRESET=ci): warnings as errors and the tests beside them change none of
# the installed files, so its package is the one the default preset makes. Reuses
# build-mingw64 and build-mingw32 (make windows). Configures and builds any of them first
# where it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
  echo "check_packages: $*" >&2
  exit 1
}

# Compares two sorted lists, one entry a line; on a difference shows it and fails.
expect_same() {
  local what=$1 expected=$2 actual=$3
  if [[ "$expected" != "$actual" ]]; then
    diff <(echo "$expected") <(echo "$actual") | sed 's/^/  /' >&2 || true
    fail "$what differ from what is expected (< expected, > found)"
  fi
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

linux_build=${1:-build-ci}

echo "== Debian package"
if [[ ! -f "$linux_build/CMakeCache.txt" ]]; then
  cmake --preset ci -B "$linux_build" >/dev/null
fi
[[ $(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$linux_build/CMakeCache.txt") == Release ]] ||
  fail "$linux_build is not a Release build"
# The tools' commands, from the list of the catalogue's rows that configuring writes.
commands=$(cut -f4 "$linux_build/tool_catalogue.tsv" | LC_ALL=C sort)
[[ -n "$commands" ]] || fail "$linux_build/tool_catalogue.tsv lists no tools"
programs=$(printf '%s\nquesdral\n' "$commands" | LC_ALL=C sort)
cmake --build "$linux_build" --target package
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$linux_build/CMakeCache.txt")
deb=$linux_build/quesdral_${version}_$(dpkg --print-architecture).deb
[[ -f "$deb" ]] || fail "$deb was not made"

# shellcheck disable=SC2086 # one word a program
expected=$( (
  printf 'usr/bin/%s\n' $programs
  printf 'usr/libexec/quesdral/quesdral-tools\n'
  printf 'usr/share/lintian/overrides/quesdral\n'
  printf 'usr/share/man/man1/%s.1.gz\n' $programs
  printf 'usr/share/quesdral/schemas/%s.schema.json\n' ${commands//.exe/}
  printf 'usr/share/doc/quesdral/%s\n' README.md changelog.gz copyright
) | LC_ALL=C sort)
found=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./||' | LC_ALL=C sort)
expect_same "the files in $deb" "$expected" "$found"
# The eighteen commands are links to the one program that holds every tool.
links=$(dpkg-deb --fsys-tarfile "$deb" | tar -tv | sed -nE 's|.* \./usr/bin/([^ ]+) -> (.*)$|\1 \2|p' |
  LC_ALL=C sort)
expect_same "the links in $deb" "$(printf '%s ../libexec/quesdral/quesdral-tools\n' $commands)" \
  "$links"
echo "$deb: $(wc -l <<<"$found") files, $(stat -c %s "$deb") bytes"

echo "== lintian"
lintian --fail-on error,warning "$deb" || fail "lintian found errors or warnings in $deb"
echo "lintian: no errors, no warnings"

echo "== the unpacked package"
dpkg -x "$deb" "$scratch/root"
for command in $programs; do
  page="$scratch/root/usr/share/man/man1/$command.1.gz"
  name=$(lexgrog "$page" | sed 's/^[^:]*: //')
  [[ "$name" == "\"$command - "* ]] || fail "$page: its NAME line reads $name"
  text=$(MANWIDTH=80 man --warnings -l "$page" 2>"$scratch/warnings")
  [[ ! -s "$scratch/warnings" ]] || fail "$page: man warns: $(cat "$scratch/warnings")"
  if [[ "$command" != quesdral ]]; then
    for part in SYNOPSIS OPTIONS --help --version "Example:  $command" "quesdral(1)"; do
      [[ "$text" == *"$part"* ]] || fail "$page: has no \"$part\""
    done
    # Each example of the help starts a line of its own in the page too (man may widen
    # the blanks of a justified line and print a dash as another hyphen).
    "$scratch/root/usr/bin/$command" --help | sed -nE "s/^(Example:| ) +($command( [^ ]+)*)(  .*)?$/\2/p" |
      while read -r example; do
        grep -qE "^ +(Example: +)?$(sed 's/[.]/[.]/g; s/-/./g; s/ / +/g' <<<"$example")( |$)" <<<"$text" ||
          fail "$page: the example \"$example\" does not start a line"
      done
  fi
done
echo "19 man pages: NAME lines, options and examples in place, each example on its own line"

# No PATH to search but the launcher's own folder: the tool can only be found beside it.
output=$(cd / && printf '1\n0.5\n' | env -i PATH=/nonexistent "$scratch/root/usr/bin/quesdral" 2>/dev/null) ||
  fail "quesdral ended with status $?"
echo "$output"
[[ "$output" == *" 1  VORLIX    It converts raw amplitude to dBs"* ]] || fail "no menu shown"
[[ "$(tail -n 1 <<<"$output")" == \
  " ENTER A NUMBER ON THE LIST TO EXECUTE A PROGRAM ==> Level: -6.02060 dB" ]] ||
  fail "VORLIX's result did not follow the prompt"

echo "== installed size"
# Counted as dpkg counts it: each file and each link at its own size in KiB rounded up (a
# link is never counted at the size of what it points to), each directory 1 KiB.
stated=$(dpkg-deb --field "$deb" Installed-Size)
counted=$(find "$scratch/root" -mindepth 1 -printf '%y %s\n' |
  awk '{ kib += $1 == "d" ? 1 : int(($2 + 1023) / 1024) } END { print kib }')
[[ "$stated" == "$counted" ]] || fail "$deb: Installed-Size is $stated KiB; its files take $counted KiB"
echo "$deb: Installed-Size $stated KiB, as its unpacked files take (du -sk: $(du -sk "$scratch/root" | cut -f1))"

for preset in mingw64 mingw32; do
  echo "== Windows zip ($preset)"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target package
  case $preset in
    mingw64) system=win64 machine=8664 ;;
    mingw32) system=win32 machine=014c ;;
  esac
  top=quesdral-$version-$system
  zip=build-$preset/$top.zip
  [[ -f "$zip" ]] || fail "$zip was not made"
  # shellcheck disable=SC2086 # one word a command
  expected=$( (
    echo "$top/README.md"
    printf "$top/bin/%s\n" quesdral.exe $commands
    printf "$top/share/quesdral/schemas/%s.schema.json\n" ${commands//.exe/}
  ) | LC_ALL=C sort)
  found=$(cmake -E tar tf "$zip" | grep -v '/$' | LC_ALL=C sort)
  expect_same "the files in $zip" "$expected" "$found"
  # Each program is a Windows console program for the zip's processor: the machine field
  # of its PE header (x86-64 8664, i386 014c).
  (cd "$scratch" && cmake -E tar xf "$OLDPWD/$zip")
  for exe in "$scratch/$top"/bin/*.exe; do
    pe_at=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
    [[ "$(od -An -tx1 -j"$pe_at" -N4 "$exe" | tr -d ' ')" == 50450000 ]] || fail "$exe: no PE header"
    found_machine=$(od -An -tx2 -j$((pe_at + 4)) -N2 "$exe" | tr -d ' ')
    [[ "$found_machine" == "$machine" ]] || fail "$exe: machine $found_machine, not $machine"
  done
  echo "$zip: 19 programs for $system, README.md and the schemas, $(stat -c %s "$zip") bytes"
done

echo "== packages checked"
