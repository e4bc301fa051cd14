# 32-bit x86 Linux with the floating point of the product's compiler: GCC's i686 target
# computes on the x87 unit, in extended precision, without SSE. The test programs link
# statically and run under qemu-i386, since the kernel may not run 32-bit programs itself.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
# MinGW's i686 compiler targets the Pentium Pro with the x87 unit by default.
set(cpu_flags "-m32 -march=pentiumpro -mfpmath=387 -mno-sse")
set(CMAKE_C_FLAGS_INIT "${cpu_flags}")
set(CMAKE_CXX_FLAGS_INIT "${cpu_flags}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
find_program(VELMARK_QEMU_I386 qemu-i386 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VELMARK_QEMU_I386})
