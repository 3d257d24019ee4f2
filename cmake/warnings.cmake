# One interface target carries our warning and sanitizer flags, so that only our own
# targets get them and third-party code is compiled as its authors intended.
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

if(QUESDRAL_SANITIZE)
  set(sanitize_flags -fsanitize=address,undefined -fno-sanitize-recover=all
                     -fno-omit-frame-pointer)
  target_compile_options(quesdral_warnings INTERFACE ${sanitize_flags})
  target_link_options(quesdral_warnings INTERFACE ${sanitize_flags})
endif()
