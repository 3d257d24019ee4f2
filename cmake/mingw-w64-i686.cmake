# Cross build for i686 Windows consoles with Debian's mingw-w64 toolchain.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Link the C and C++ runtimes statically: the programs then run from any folder,
# under Wine too, without the compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Doubles in SSE2 registers, as the 64-bit builds compute them.
include(${CMAKE_CURRENT_LIST_DIR}/x86-32-sse2.cmake)
set(CMAKE_C_FLAGS_INIT "${QUESDRAL_X86_32_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "${QUESDRAL_X86_32_FLAGS}")
