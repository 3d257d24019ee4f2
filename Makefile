# Shorthands over the CMake presets in CMakePresets.json.
#   make run      build the nineteen programs (Release, build/) and start the launcher
#   make test     build the programs and every test into build/ and run the tests
#                 (PRESET=ci or PRESET=sanitize for the CI builds)
#   make bench    build and run the benchmarks
#   make windows  cross-build the 64-bit and 32-bit Windows programs
#   make coverage lines and branches the tests run (build-cov/coverage/index.html)
#   make mutants  plant faults one at a time and count those the tests catch (slow;
#                 MUTANTS="--count 100 --seed 7" to choose, --help for more)
#   make package  build the programs and their man pages into build/ and make the Debian
#                 package there (needs help2man and dpkg-dev)
PRESET ?= test

.PHONY: run test bench windows coverage mutants package clean
run:
	cmake --preset default
	cmake --build --preset default
	./build/bin/quesdral

test:
	cmake --workflow --preset $(PRESET)

bench:
	cmake --workflow --preset bench
	bash bench/run_all.sh build-bench

windows:
	cmake --workflow --preset mingw64
	cmake --workflow --preset mingw32

package:
	cmake --preset default
	cmake --build --preset default --target package

coverage:
	bash scripts/coverage.sh

mutants:
	python3 scripts/mutants.py $(MUTANTS)

clean:
	rm -rf build build-*
