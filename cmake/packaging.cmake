# The suite as packages, made by CPack: `cmake --build <build> --target package` (make
# package) makes a Debian package of the nineteen programs and their man pages on Linux, and
# a zip of the nineteen .exe files on Windows (the mingw64 and mingw32 presets). Both hold
# the files that the install rules put in place, so they match `cmake --install`.
include(${CMAKE_CURRENT_LIST_DIR}/man_pages.cmake)

set(QUESDRAL_PACKAGE_MAINTAINER "Quesdral developers <quesdral@example.org>"
    CACHE STRING "Who answers for the Debian package: name <address>")

if(WIN32)
  # A Windows user unpacks the zip and reads README.md first; the programs are in bin/.
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
  set(CPACK_GENERATOR ZIP)
else()
  # Debian keeps a package's copyright and change log beside its other documents, and
  # wants the change log compressed.
  set(package_doc_dir ${PROJECT_BINARY_DIR}/doc)
  string(TIMESTAMP release_date "%a, %d %b %Y 00:00:00 +0000" UTC)
  file(CONFIGURE OUTPUT ${package_doc_dir}/copyright @ONLY CONTENT [=[
Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Quesdral

Files: *
Copyright: 2026 The Quesdral developers
License: proprietary
 All rights reserved. No licence to copy, change or pass on this software has been
 granted yet.
]=])
  file(CONFIGURE OUTPUT ${package_doc_dir}/changelog @ONLY CONTENT [=[
quesdral (@PROJECT_VERSION@) unstable; urgency=medium

  * Release @PROJECT_VERSION@: the launcher quesdral and its eighteen acoustics tools, with
    their manual pages.

 -- @QUESDRAL_PACKAGE_MAINTAINER@  @release_date@
]=])
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${package_doc_dir}/copyright
          DESTINATION ${CMAKE_INSTALL_DOCDIR})
  # What lintian is told to accept, each with its reason, where Debian looks for it.
  if(QUESDRAL_STATIC_TOOLS)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME quesdral)
  endif()
  if(QUESDRAL_GZIP)
    add_custom_command(
      OUTPUT ${package_doc_dir}/changelog.gz
      COMMAND ${QUESDRAL_GZIP} -9n -k -f changelog
      DEPENDS ${package_doc_dir}/changelog
      WORKING_DIRECTORY ${package_doc_dir}
      COMMENT "Compressing the change log"
      VERBATIM)
    add_custom_target(quesdral_changelog ALL DEPENDS ${package_doc_dir}/changelog.gz)
    install(FILES ${package_doc_dir}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
  endif()

  # The Debian package needs every man page; without them (no help2man, or a cross build
  # whose tools cannot run here) CPack refuses, and says why.
  if(NOT QUESDRAL_MAN_PAGES_COMPLETE)
    set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackNoManPages.cmake)
    file(CONFIGURE OUTPUT ${CPACK_PROJECT_CONFIG_FILE} CONTENT [=[
message(FATAL_ERROR "the Debian package needs the tools' man pages, which this build does "
                    "not make: install help2man (Debian: help2man) and configure again, "
                    "natively, with QUESDRAL_MAN_PAGES on")
]=])
  endif()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION sound)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The C and C++ libraries the programs link, at the versions dpkg-shlibdeps finds.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  # CPack counts the tools' links at the program's size; the package states its true size.
  set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/deb_installed_size.cmake)
endif()

set(CPACK_PACKAGE_NAME quesdral)
set(CPACK_PACKAGE_VENDOR "The Quesdral developers")
set(CPACK_PACKAGE_CONTACT "${QUESDRAL_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "console calculators for sound and acoustics")
set(CPACK_PACKAGE_DESCRIPTION [=[
Eighteen small programs that compute with sound: levels in dB from amplitudes
and powers, dBFS at any bit depth, the inverse square law, frequencies and
MIDI numbers, overtones, AM and FM sidebands, equal divisions of the octave,
beats, band-pass centres, echoes, the Doppler shift and the standing waves of
a room.

The launcher quesdral offers them from one numbered menu. Each tool also runs
on its own, with its values as arguments or answering its questions one by
one, and writes text, CSV or JSON.]=])
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/build/" "/build-[^/]*/")
include(CPack)
