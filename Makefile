# Shorthands over the CMake presets in CMakePresets.json.
#   make run               build the suite in Release and start the launcher
#   make test              build and run every test (PRESET=ci or sanitize for the CI builds)
#   make bench             build and run the benchmarks
PRESET ?= default

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
