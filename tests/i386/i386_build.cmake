# Test fixture, run with cmake -P: builds the suite for 32-bit x86 Linux with the toolchain
# file, tests off. Prints "Skipped:" (which the test reports as skipped) when qemu-i386 or the
# 32-bit C and C++ libraries of the compiler are missing.
#
# Expects: SOURCE_DIR, BUILD_DIR (the 32-bit build), TOOLCHAIN_FILE, GENERATOR, WERROR,
# QEMU_I386 (as found when the build was configured), READY_STAMP (written on success only).
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/../cross_build_steps.cmake")

# A stamp from an earlier run must not vouch for programs this run failed to make.
file(REMOVE "${READY_STAMP}")

if(NOT QEMU_I386)
  message("Skipped: qemu-i386 was not found when the build was configured (Debian: qemu-user)")
  return()
endif()

toolchain_compiler("${TOOLCHAIN_FILE}" compiler compiler_path)
if(NOT compiler_path)
  message("Skipped: the compiler ${compiler} is not installed")
  return()
endif()
# The compiler names a library it cannot find by its bare name.
foreach(library libc.a libstdc++.a)
  execute_process(COMMAND "${compiler_path}" -m32 "-print-file-name=${library}"
                  OUTPUT_VARIABLE library_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${library_path}")
    message("Skipped: ${compiler} has no 32-bit ${library} (Debian: gcc-multilib g++-multilib)")
    return()
  endif()
endforeach()

# The build also disassembles the 32-bit objects and fails on any x87 arithmetic.
configure_and_build()
file(TOUCH "${READY_STAMP}")
