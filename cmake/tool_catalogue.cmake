# The launcher's catalogue (launcher/tool_catalogue.hpp) is the one list of the suite's
# tools, and this file is the one place outside C++ that reads it: adding a row there is
# enough for the tool's program, its install rule, its man page, the package checks and
# every test that runs all tools.
#
# It sets, in catalogue order:
#   QUESDRAL_TOOL_COMMANDS      the commands ("vorlix.exe;truska.exe;...")
#   QUESDRAL_TOOL_DESCRIPTIONS  the menu descriptions ("It converts raw amplitude to dBs;...")
# and writes ${PROJECT_BINARY_DIR}/tool_catalogue.tsv (QUESDRAL_TOOL_CATALOGUE_TSV) for the
# scripts: one row a line, its number, label, description and command separated by tabs,
# without a header line.
#
# The rows are read from the braces of kToolCatalogue{{ ... }}, however they are laid out
# over lines. A row this reader does not understand, numbers that do not run 1, 2, 3...
# or a command named twice stop the configuration, so no row is ever silently left out.
add_library(quesdral_catalogue INTERFACE)
target_include_directories(quesdral_catalogue INTERFACE ${PROJECT_SOURCE_DIR}/launcher)

set(catalogue_header ${PROJECT_SOURCE_DIR}/launcher/tool_catalogue.hpp)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                                                             ${catalogue_header})
file(READ ${catalogue_header} catalogue_text)
set(table_start "kToolCatalogue{{")
string(FIND "${catalogue_text}" "${table_start}" start)
if(start EQUAL -1)
  message(FATAL_ERROR "${catalogue_header} holds no ${table_start} ... }};")
endif()
string(LENGTH "${table_start}" start_length)
math(EXPR start "${start} + ${start_length}")
string(SUBSTRING "${catalogue_text}" ${start} -1 table)
string(FIND "${table}" "}};" end)
string(SUBSTRING "${table}" 0 ${end} table)

# A row: {1, "VORLIX", "It converts raw amplitude to dBs", "vorlix.exe"}. A description
# takes no quote, backslash, brace, semicolon or tab: C++ would need escapes for the first
# two, and the others would split the row or the lists that hold it.
set(blank "[ \t\r\n]*")
set(row_pattern "^{${blank}([0-9]+),${blank}\"([A-Z]+)\",${blank}\"([^\"\\\\{};\t]*)\",${blank}")
string(APPEND row_pattern "\"([A-Za-z]+\\.exe)\"${blank}}$")
string(REGEX MATCHALL "{[^{}]*}" rows "${table}")
string(REGEX REPLACE "{[^{}]*}" "" between "${table}")
string(REGEX REPLACE "[ \t\r\n,]" "" between "${between}")
if(NOT between STREQUAL "")
  message(FATAL_ERROR "${catalogue_header}: the catalogue holds text that is no row "
                      "(blanks left out): ${between}")
endif()

set(QUESDRAL_TOOL_COMMANDS "")
set(QUESDRAL_TOOL_DESCRIPTIONS "")
set(tsv "")
set(expected_number 1)
foreach(row IN LISTS rows)
  if(NOT row MATCHES "${row_pattern}")
    message(FATAL_ERROR "${catalogue_header}: a catalogue row not understood: ${row}")
  endif()
  if(NOT CMAKE_MATCH_1 EQUAL expected_number)
    message(FATAL_ERROR "${catalogue_header}: row ${expected_number} is numbered "
                        "${CMAKE_MATCH_1}; the rows are numbered 1, 2, 3... in order")
  endif()
  if(CMAKE_MATCH_4 IN_LIST QUESDRAL_TOOL_COMMANDS)
    message(FATAL_ERROR "${catalogue_header}: two rows run ${CMAKE_MATCH_4}")
  endif()
  list(APPEND QUESDRAL_TOOL_COMMANDS "${CMAKE_MATCH_4}")
  list(APPEND QUESDRAL_TOOL_DESCRIPTIONS "${CMAKE_MATCH_3}")
  string(APPEND tsv "${CMAKE_MATCH_1}\t${CMAKE_MATCH_2}\t${CMAKE_MATCH_3}\t${CMAKE_MATCH_4}\n")
  math(EXPR expected_number "${expected_number} + 1")
endforeach()

if(expected_number EQUAL 1)
  message(FATAL_ERROR "${catalogue_header}: the catalogue has no rows")
endif()

set(QUESDRAL_TOOL_CATALOGUE_TSV ${PROJECT_BINARY_DIR}/tool_catalogue.tsv)
file(WRITE ${QUESDRAL_TOOL_CATALOGUE_TSV} "${tsv}")
