# Shorthands over the CMake presets in CMakePresets.json.
#   make run      build the nineteen programs (Release, build/) and start the launcher
#   make test     build the programs and every test into build/ and run the tests
#                 (PRESET=ci or PRESET=sanitize for the CI builds)
#   make bench    build and run the benchmarks
#   make windows  cross-build the 64-bit and 32-bit Windows programs
PRESET ?= test

.PHONY: run test bench windows clean
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

clean:
	rm -rf build build-*
