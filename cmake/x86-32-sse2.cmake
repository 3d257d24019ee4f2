# Floating-point flags of every 32-bit x86 build, included by its toolchain file.
#
# Debian's 32-bit compilers target the Pentium Pro and compute doubles on the x87 stack, whose
# excess precision makes a few results differ from the 64-bit builds in their last digits
# (vorlix.exe 2 2 printed 5.58364e-17 dB instead of 0.00000 dB). SSE2 arithmetic rounds each
# operation to double as the 64-bit builds do; every x86 processor since 2001 has it, and
# current Windows requires it. cmake/x87_check.cmake proves that the flags took hold.
set(QUESDRAL_X86_32_FLAGS "-msse2 -mfpmath=sse")
