# Run with cmake -P by the check in cmake/x87_check.cmake: disassembles each object file named
# in OBJECTS_FILE (one per line) with OBJDUMP and fails, naming the function and the
# instruction, if any x87 instruction other than the value-preserving ones listed there
# appears. Writes STAMP when every object passes.
cmake_minimum_required(VERSION 3.25)

file(REMOVE "${STAMP}")
file(STRINGS "${OBJECTS_FILE}" objects)
list(LENGTH objects object_count)
if(object_count EQUAL 0)
  message(FATAL_ERROR "no object files listed in ${OBJECTS_FILE}")
endif()

# Every x87 mnemonic begins with f; these are the ones that cannot change a value. The
# operand-size suffix: s float, l double or 32-bit integer, ll 64-bit integer. No t (80 bits).
set(allowed "^(f(ld|st|stp)[sl]?|fi(ld|st|stp|sttp)(s|l|ll)?|fabs|fchs|fxch|fnstcw|fldcw)$")

set(offences "")
set(x87_count 0)
foreach(object IN LISTS objects)
  execute_process(COMMAND "${OBJDUMP}" -d --no-show-raw-insn -C "${object}"
                  OUTPUT_VARIABLE listing
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not disassemble ${object}")
  endif()
  # Function headers ("00000000 <name>:") and instructions whose mnemonic begins with f.
  string(REGEX MATCHALL "\n[0-9a-f]+ <[^\n]*>:|\t(f[a-z0-9]*)[^\n]*" lines "${listing}")
  set(function "?")
  foreach(line IN LISTS lines)
    if(line MATCHES "^\n[0-9a-f]+ <(.*)>:$")
      set(function "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^\t(f[a-z0-9]*)")
      set(mnemonic "${CMAKE_MATCH_1}")
      math(EXPR x87_count "${x87_count} + 1")
      if(NOT mnemonic MATCHES "${allowed}")
        string(STRIP "${line}" instruction)
        string(APPEND offences "  ${object}: ${function}: ${instruction}\n")
      endif()
    endif()
  endforeach()
endforeach()

if(NOT offences STREQUAL "")
  message(FATAL_ERROR
          "x87 arithmetic in our 32-bit code; the build must compute doubles in SSE2 "
          "registers (cmake/x86-32-sse2.cmake):\n${offences}")
endif()
message("No x87 arithmetic in ${object_count} object files "
        "(${x87_count} value-preserving x87 instructions)")
file(TOUCH "${STAMP}")
