# Build for 32-bit x86 Linux on a 64-bit Debian machine with the build machine's compilers
# and their 32-bit libraries (Debian: gcc-multilib, g++-multilib). The programs run through
# qemu-i386 (Debian: qemu-user), which is also what runs the unit tests: a 64-bit kernel
# need not run 32-bit programs itself (ours here refuses them with "Exec format error").
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i386)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
include(${CMAKE_CURRENT_LIST_DIR}/x86-32-sse2.cmake)
set(CMAKE_C_FLAGS_INIT "-m32 ${QUESDRAL_X86_32_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "-m32 ${QUESDRAL_X86_32_FLAGS}")
# Static programs need no 32-bit loader or libraries at run time, under the emulator or not.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static")
find_program(QUESDRAL_QEMU_I386 NAMES qemu-i386 qemu-i386-static)
if(QUESDRAL_QEMU_I386)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUESDRAL_QEMU_I386})
endif()
