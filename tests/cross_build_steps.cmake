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

# Configures the project in BUILD_DIR with the toolchain file, as a Release build without
# tests, and builds it; any failure ends the script as failed.
function(configure_and_build)
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${BUILD_DIR}" -G "${GENERATOR}"
            "-DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN_FILE}" -DCMAKE_BUILD_TYPE=Release
            -DQUESDRAL_TESTS=OFF "-DQUESDRAL_WERROR=${WERROR}"
    COMMAND_ECHO STDOUT
    COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BUILD_DIR}" -j2
                  COMMAND_ECHO STDOUT
                  COMMAND_ERROR_IS_FATAL ANY)
endfunction()
