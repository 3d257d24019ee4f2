# Run by CPack after it has made the Debian package (CPACK_POST_BUILD_SCRIPTS), to state
# the room the package takes once installed. CPack counts each symbolic link at the size of
# the file it points to, so the eighteen links to the one program that holds every tool
# would count as eighteen more copies of it. Installed-Size is counted again here as dpkg
# counts it: each file and each link at its own size in KiB, rounded up (a link's size is
# the length of its target), and each directory as 1 KiB. The package is then made again
# around the same files with the corrected control file.
cmake_minimum_required(VERSION 3.25)

find_program(dpkg_deb dpkg-deb)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  if(NOT dpkg_deb)
    message(FATAL_ERROR "dpkg-deb is needed to state the true Installed-Size of ${package}")
  endif()
  set(root ${CPACK_TOPLEVEL_DIRECTORY}/installed-size)
  file(REMOVE_RECURSE ${root})
  execute_process(COMMAND ${dpkg_deb} --raw-extract ${package} ${root} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "dpkg-deb could not unpack ${package}")
  endif()

  file(GLOB_RECURSE entries LIST_DIRECTORIES true ${root}/*)
  set(kib 0)
  foreach(entry IN LISTS entries)
    if(entry MATCHES "^${root}/DEBIAN(/|$)")
      continue()
    endif()
    if(IS_SYMLINK ${entry})
      file(READ_SYMLINK ${entry} target)
      string(LENGTH "${target}" bytes)
    elseif(IS_DIRECTORY ${entry})
      set(bytes 1)
    else()
      file(SIZE ${entry} bytes)
    endif()
    math(EXPR kib "${kib} + (${bytes} + 1023) / 1024")
  endforeach()

  file(READ ${root}/DEBIAN/control control)
  string(REGEX REPLACE "\nInstalled-Size: [0-9]+\n" "\nInstalled-Size: ${kib}\n" control
                       "${control}")
  file(WRITE ${root}/DEBIAN/control "${control}")
  execute_process(COMMAND ${dpkg_deb} --root-owner-group --build ${root} ${package}
                  OUTPUT_QUIET RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "dpkg-deb could not make ${package} again")
  endif()
  file(REMOVE_RECURSE ${root})
  message(STATUS "${package}: Installed-Size ${kib} KiB")
endforeach()
