# Cross build for Linux on 64-bit ARM with Debian's cross compiler (package
# g++-aarch64-linux-gnu). The programs are linked statically, so qemu-aarch64 runs
# them on another processor without arm64 libraries beside them.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

find_program(CMAKE_CXX_COMPILER NAMES aarch64-linux-gnu-g++ REQUIRED)
find_program(CMAKE_AR NAMES aarch64-linux-gnu-gcc-ar aarch64-linux-gnu-ar)
find_program(CMAKE_RANLIB NAMES aarch64-linux-gnu-gcc-ranlib aarch64-linux-gnu-ranlib)

set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Lets a native build run a just-built program (e.g. a custom command) under qemu.
find_program(QEMU_AARCH64 NAMES qemu-aarch64 qemu-aarch64-static)
if(QEMU_AARCH64)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QEMU_AARCH64})
endif()
