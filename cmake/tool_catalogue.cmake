# The launcher's catalogue is the one list of the suite's tools. The build reads the
# commands from its rows (one row per line: {1, "VORLIX", "...", "vorlix.exe"},) so that
# adding a tool there is enough for its program, its install rule and every test that runs
# all tools.
add_library(quesdral_catalogue INTERFACE)
target_include_directories(quesdral_catalogue INTERFACE ${PROJECT_SOURCE_DIR}/launcher)

set(catalogue_header ${PROJECT_SOURCE_DIR}/launcher/tool_catalogue.hpp)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                                                             ${catalogue_header})
file(STRINGS ${catalogue_header} catalogue_rows
     REGEX "^ *{[0-9]+, \"[A-Z]+\", \"[^\"]*\", \"[A-Za-z]+\\.exe\"},$")
set(QUESDRAL_TOOL_COMMANDS "")
foreach(row IN LISTS catalogue_rows)
  string(REGEX MATCH "\"([A-Za-z]+\\.exe)\"},$" command_found "${row}")
  list(APPEND QUESDRAL_TOOL_COMMANDS ${CMAKE_MATCH_1})
endforeach()
list(LENGTH QUESDRAL_TOOL_COMMANDS tool_count)
if(NOT tool_count EQUAL 18)
  message(FATAL_ERROR "read ${tool_count} tools from ${catalogue_header}, expected 18: "
                      "its rows must stay one per line")
endif()
