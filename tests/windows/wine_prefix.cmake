# Test fixture, run with cmake -P: with MODE=init, makes a fresh private Wine prefix for the
# Windows tests, so that they share nothing with the user's own Wine or an earlier run; with
# MODE=remove, stops its Wine server and deletes it. Prints "Skipped:" (which the test
# reports as skipped) when Wine is missing.
#
# Expects: MODE, WINE64, WINESERVER, PREFIX, READY_STAMP (written once the prefix is ready).
cmake_minimum_required(VERSION 3.25)

file(REMOVE "${READY_STAMP}")
if(NOT WINE64 OR NOT WINESERVER)
  message("Skipped: Wine is not installed (Debian: wine64)")
  return()
endif()

# Without a display the prefix needs no window; DLL overrides keep wineboot from offering
# to install components that console programs never use.
set(wine_env --unset=DISPLAY --unset=WAYLAND_DISPLAY "WINEPREFIX=${PREFIX}" WINEDEBUG=-all
             "WINEDLLOVERRIDES=mscoree,mshtml=")

if(EXISTS "${PREFIX}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env ${wine_env} "${WINESERVER}" -k
                  OUTPUT_QUIET ERROR_QUIET)
  file(REMOVE_RECURSE "${PREFIX}")
endif()
if(MODE STREQUAL "remove")
  return()
endif()

string(TIMESTAMP started "%s")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env ${wine_env} "${WINE64}" wineboot --init
                INPUT_FILE /dev/null
                RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT EXISTS "${PREFIX}/drive_c/windows/system32/cmd.exe")
  message(FATAL_ERROR "wineboot --init failed (${status}) in ${PREFIX}")
endif()
string(TIMESTAMP ended "%s")
math(EXPR seconds "${ended} - ${started}")
message("Wine prefix ${PREFIX} ready in ${seconds} s")
file(TOUCH "${READY_STAMP}")
