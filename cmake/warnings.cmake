# One interface target carries our warning flags, so that only our own targets get them
# and third-party code is compiled as its authors intended.
add_library(quesdral_warnings INTERFACE)

if(MSVC)
  target_compile_options(quesdral_warnings INTERFACE /W4 /permissive-)
  if(QUESDRAL_WERROR)
    target_compile_options(quesdral_warnings INTERFACE /WX)
  endif()
else()
  target_compile_options(quesdral_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                                                     -Wconversion -Wsign-conversion)
  if(QUESDRAL_WERROR)
    target_compile_options(quesdral_warnings INTERFACE -Werror)
  endif()
endif()
