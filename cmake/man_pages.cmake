# Manual pages: one per tool, written at build time by help2man from the tool's own --help
# and --version, so a page never says something the program does not; and the launcher's
# page, written by hand in man/quesdral.1. The pages are installed gzip-compressed (-9n, no
# name or time stamp, so that the same sources give the same bytes) into man1, as Debian
# wants them; `man vorlix.exe` then finds vorlix.exe.1.gz.
#
# Sets QUESDRAL_MAN_PAGES_COMPLETE to whether the build makes every page; packaging needs
# them all. Without help2man (or gzip) the build goes on without the tools' pages. A cross
# build makes none: its tools cannot run here, and Windows has no man. A build that
# changes the tools for a purpose of its own (mutants) may leave the pages out, so that
# only the tests run the tools.
option(QUESDRAL_MAN_PAGES "Build the man pages; the tools' pages need help2man" ON)
set(QUESDRAL_MAN_PAGES_COMPLETE FALSE)
if(CMAKE_CROSSCOMPILING OR WIN32 OR NOT QUESDRAL_MAN_PAGES)
  return()
endif()

set(quesdral_man_dir ${PROJECT_BINARY_DIR}/man)
set(quesdral_man_script ${CMAKE_CURRENT_LIST_DIR}/man_page.cmake)
find_program(QUESDRAL_GZIP gzip)
find_program(QUESDRAL_HELP2MAN help2man)

if(NOT QUESDRAL_GZIP)
  message(STATUS "gzip not found: no manual pages are built or installed")
  return()
endif()

# The launcher's page needs nothing but compressing.
add_custom_command(
  OUTPUT ${quesdral_man_dir}/quesdral.1.gz
  COMMAND ${CMAKE_COMMAND} -D PAGE=${PROJECT_SOURCE_DIR}/man/quesdral.1 -D GZIP=${QUESDRAL_GZIP}
          -D OUTPUT=${quesdral_man_dir}/quesdral.1 -P ${quesdral_man_script}
  DEPENDS ${PROJECT_SOURCE_DIR}/man/quesdral.1 ${quesdral_man_script}
  COMMENT "Compressing the man page of quesdral"
  VERBATIM)
set(quesdral_man_pages ${quesdral_man_dir}/quesdral.1.gz)

if(NOT QUESDRAL_HELP2MAN)
  message(STATUS "help2man not found: the tools' man pages are not built, nor installed, "
                 "and no Debian package can be made (Debian: help2man)")
else()
  # Each page names the tool's menu description from the launcher's catalogue, without its
  # leading "It " ("vorlix.exe - converts raw amplitude to dBs").
  set(see_also ${quesdral_man_dir}/see_also.h2m)
  file(CONFIGURE OUTPUT ${see_also} CONTENT "[SEE ALSO]\n.BR quesdral (1)\n")
  foreach(command description IN ZIP_LISTS QUESDRAL_TOOL_COMMANDS QUESDRAL_TOOL_DESCRIPTIONS)
    string(REGEX REPLACE "\\.exe$" "" target "${command}")
    string(REGEX REPLACE "^It " "" description "${description}")
    if(NOT TARGET ${target})
      message(FATAL_ERROR "the catalogue's ${target}.exe has no program to write a page from")
    endif()
    set(page ${quesdral_man_dir}/${target}.exe.1)
    add_custom_command(
      OUTPUT ${page}.gz
      COMMAND ${CMAKE_COMMAND} -D HELP2MAN=${QUESDRAL_HELP2MAN} -D GZIP=${QUESDRAL_GZIP}
              -D PROGRAM=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${target}.exe -D NAME=${description}
              -D INCLUDE=${see_also} -D OUTPUT=${page} -P ${quesdral_man_script}
      DEPENDS ${target} ${quesdral_man_script} ${see_also}
      COMMENT "Writing the man page of ${target}.exe"
      VERBATIM)
    list(APPEND quesdral_man_pages ${page}.gz)
  endforeach()
  set(QUESDRAL_MAN_PAGES_COMPLETE TRUE)
endif()

add_custom_target(quesdral_man_pages ALL DEPENDS ${quesdral_man_pages})
install(FILES ${quesdral_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
