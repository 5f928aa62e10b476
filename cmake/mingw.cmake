# Cross build for Windows with Debian's mingw-w64, shared by mingw-i686.cmake and
# mingw-x86_64.cmake (they set MINGW_TRIPLET and the processor, then include this).
# The .exe files are linked statically, so they run under Wine or on Windows
# without the compiler's runtime DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model: std::thread needs it with this compiler generation.
find_program(CMAKE_CXX_COMPILER NAMES ${MINGW_TRIPLET}-g++-posix ${MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${MINGW_TRIPLET}-gcc-posix ${MINGW_TRIPLET}-gcc)
find_program(CMAKE_RC_COMPILER NAMES ${MINGW_TRIPLET}-windres)
find_program(CMAKE_AR NAMES ${MINGW_TRIPLET}-gcc-ar ${MINGW_TRIPLET}-ar)
find_program(CMAKE_RANLIB NAMES ${MINGW_TRIPLET}-gcc-ranlib ${MINGW_TRIPLET}-ranlib)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Lets a native build run a just-built .exe (e.g. a custom command) through Wine.
find_program(WINE_PROGRAM NAMES ${MINGW_WINE_NAMES})
if(WINE_PROGRAM)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
endif()
