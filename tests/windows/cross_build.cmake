# Test fixture, run with cmake -P: cross-builds the whole project for 64-bit Windows with the
# mingw-w64 toolchain file, then the stand-in tool of the Windows tests with the same
# compiler. Prints "Skipped:" (which the test reports as skipped) when the compiler is
# missing.
#
# Expects: SOURCE_DIR, BUILD_DIR (the cross build), TOOLCHAIN_FILE, GENERATOR, WERROR,
# STAND_IN_SOURCE, STAND_IN (the .exe to write), READY_STAMP (written on success only).
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/../cross_build_steps.cmake")

# A stamp from an earlier run must not vouch for binaries this run failed to make.
file(REMOVE "${READY_STAMP}")

toolchain_compiler("${TOOLCHAIN_FILE}" compiler compiler_path)
if(NOT compiler_path)
  message("Skipped: the cross compiler ${compiler} is not installed (Debian: g++-mingw-w64-x86-64)")
  return()
endif()

configure_and_build()
# Not a target of the project: the stand-in exists only for these tests.
execute_process(COMMAND "${compiler_path}" -std=c++17 -O2 -Wall -Wextra -Werror -static
                        "${STAND_IN_SOURCE}" -o "${STAND_IN}"
                COMMAND_ECHO STDOUT
                COMMAND_ERROR_IS_FATAL ANY)
file(TOUCH "${READY_STAMP}")
