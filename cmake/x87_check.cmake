# 32-bit x86 builds compute doubles in SSE2 registers (cmake/x86-32-sse2.cmake). This check
# proves it after each build: it disassembles every object file compiled from our sources
# and fails the build if one holds an x87 instruction that rounds a result (add, multiply,
# divide, square root, a transcendental function, a comparison of stack values...).
#
# Allowed are the x87 instructions that cannot change a value, which the 32-bit calling
# convention and the compiler's SSE2 code still need: loads and stores of floats and doubles
# (a double comes back from a function in st(0)), exact sign operations (fabs, fchs), the
# conversions between 64-bit integers and doubles (fild, fistp with the control word set to
# truncate), each rounding once as the SSE2 conversion would, and register exchanges.
# Loads and stores of 80-bit values (fldt, fstpt) are not allowed: they mean long double.
#
# The C runtime's and the C++ library's own functions (log10, pow, printf) are not ours and
# are not scanned: they come compiled, and on 32-bit x86 some compute internally on the x87
# stack by design. Their results reach our code rounded to double, the same values for every
# caller.

# quesdral_check_no_x87_arithmetic(DIRECTORIES dir...): adds the check for every library and
# program defined in these source folders and below. Does nothing outside 32-bit x86 builds.
function(quesdral_check_no_x87_arithmetic)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "" "DIRECTORIES")
  if(NOT (CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$"))
    return()
  endif()
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    return()
  endif()
  if(NOT CMAKE_OBJDUMP)
    message(FATAL_ERROR "a 32-bit x86 build needs objdump to check its arithmetic")
  endif()

  set(targets "")
  set(directories ${arg_DIRECTORIES})
  while(directories)
    list(POP_FRONT directories directory)
    get_property(found DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(below DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    list(APPEND directories ${below})
    foreach(target IN LISTS found)
      get_target_property(type ${target} TYPE)
      if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY)$")
        list(APPEND targets ${target})
      endif()
    endforeach()
  endwhile()

  set(objects "")
  foreach(target IN LISTS targets)
    list(APPEND objects "$<TARGET_OBJECTS:${target}>")
  endforeach()
  set(objects_file ${PROJECT_BINARY_DIR}/x87_check/objects.txt)
  file(GENERATE OUTPUT ${objects_file} CONTENT "$<JOIN:${objects},\n>\n")
  set(stamp ${PROJECT_BINARY_DIR}/x87_check/passed.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND "${CMAKE_COMMAND}" "-DOBJDUMP=${CMAKE_OBJDUMP}" "-DOBJECTS_FILE=${objects_file}"
            "-DSTAMP=${stamp}" -P "${PROJECT_SOURCE_DIR}/cmake/x87_scan.cmake"
    DEPENDS ${objects} ${objects_file} ${PROJECT_SOURCE_DIR}/cmake/x87_scan.cmake
    COMMENT "Checking that our 32-bit x86 code does no x87 arithmetic"
    VERBATIM)
  add_custom_target(quesdral_x87_check ALL DEPENDS ${stamp})
endfunction()
