# 32-bit x86 build on a 64-bit Linux machine: g++ -m32 with Debian's
# multilib run-time, programs run under qemu-i386 (32-bit programs do not run
# natively on these machines).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-m32")

# Libraries from the i386 multiarch and lib32 folders, never the 64-bit ones.
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(CMAKE_SYSTEM_LIBRARY_PATH /usr/lib/i386-linux-gnu /lib/i386-linux-gnu /usr/lib32 /lib32)
set(CMAKE_FIND_LIBRARY_CUSTOM_LIB_SUFFIX 32)
set(PKG_CONFIG_LIBDIR /usr/lib/i386-linux-gnu/pkgconfig:/usr/lib32/pkgconfig)

find_program(RW_QEMU_I386 NAMES qemu-i386 qemu-i386-static REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${RW_QEMU_I386})
