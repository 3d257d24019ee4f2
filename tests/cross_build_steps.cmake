# The steps the cross-build test fixtures share (tests/windows/cross_build.cmake,
# tests/i386/i386_build.cmake), included by those cmake -P scripts.

# The compiler a toolchain file names (its set(CMAKE_CXX_COMPILER ...) line): its name in
# <name_var>, and in <path_var> where it was found, or a false value when it is not installed.
function(toolchain_compiler toolchain_file name_var path_var)
  file(STRINGS "${toolchain_file}" compiler_line REGEX "^set\\(CMAKE_CXX_COMPILER ")
  string(REGEX REPLACE "^set\\(CMAKE_CXX_COMPILER +([^ )]+)\\).*" "\\1" compiler
                       "${compiler_line}")
  if(compiler STREQUAL "")
    message(FATAL_ERROR "no CMAKE_CXX_COMPILER in ${toolchain_file}")
  endif()
  find_program(compiler_path NAMES "${compiler}" NO_CACHE)
  set(${name_var} "${compiler}" PARENT_SCOPE)
  set(${path_var} "${compiler_path}" PARENT_SCOPE)
endfunction()

# Brings the cross build in BUILD_DIR up to date; any failure ends the script as failed.
# BUILD_DIR may be a preset's build folder that already holds a build for TOOLCHAIN_FILE
# (build-mingw64 after make windows, build-i386 after make test PRESET=i386): then it is only
# built, a no-op when it is current, so CI compiles each configuration once. Otherwise the
# project is configured there as a Release build without tests, with WERROR, and built.
function(configure_and_build)
  set(cache "${BUILD_DIR}/CMakeCache.txt")
  if(EXISTS "${cache}")
    file(STRINGS "${cache}" toolchain_line REGEX "^CMAKE_TOOLCHAIN_FILE:[A-Z]+=")
    string(REGEX REPLACE "^[^=]*=" "" toolchain "${toolchain_line}")
    file(REAL_PATH "${TOOLCHAIN_FILE}" wanted)
    if(toolchain STREQUAL "")
      set(found "")
    else()
      file(REAL_PATH "${toolchain}" found)
    endif()
    if(NOT found STREQUAL wanted)
      message(FATAL_ERROR "${BUILD_DIR} is a build for the toolchain \"${toolchain}\", not "
                          "${TOOLCHAIN_FILE}; name a build folder for it, or a new one")
    endif()
  else()
    execute_process(
      COMMAND "${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${BUILD_DIR}" -G "${GENERATOR}"
              "-DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN_FILE}" -DCMAKE_BUILD_TYPE=Release
              -DQUESDRAL_TESTS=OFF "-DQUESDRAL_WERROR=${WERROR}"
      COMMAND_ECHO STDOUT
      COMMAND_ERROR_IS_FATAL ANY)
  endif()
  execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BUILD_DIR}" -j2
                  COMMAND_ECHO STDOUT
                  COMMAND_ERROR_IS_FATAL ANY)
endfunction()
