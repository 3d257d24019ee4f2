# GoogleTest for the unit tests, as the targets GTest::gtest and GTest::gtest_main. A native
# build uses the installed package (Debian: libgtest-dev). A cross build cannot link the build
# machine's libraries, so it compiles GoogleTest for its own target from the sources that
# Debian's package googletest puts in /usr/src/googletest (whose build names the same targets).
if(NOT CMAKE_CROSSCOMPILING)
  find_package(GTest REQUIRED)
  return()
endif()

set(QUESDRAL_GOOGLETEST_SOURCE_DIR /usr/src/googletest
    CACHE PATH "GoogleTest's sources, compiled for the target of a cross build")
if(NOT EXISTS ${QUESDRAL_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "a cross build with tests compiles GoogleTest from its sources, not found "
                      "in ${QUESDRAL_GOOGLETEST_SOURCE_DIR} (Debian: googletest)")
endif()
set(BUILD_GMOCK OFF)
set(INSTALL_GTEST OFF)
add_subdirectory(${QUESDRAL_GOOGLETEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/googletest
                 EXCLUDE_FROM_ALL SYSTEM)
# Static programs cannot use the C library's name resolver, which only GoogleTest's streaming
# of results to a socket needs; leave that out rather than warn at every link.
target_compile_definitions(gtest PUBLIC GTEST_HAS_STREAM_RESULT=0)
