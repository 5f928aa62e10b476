# Cross build for 64-bit Windows with Debian's mingw-w64 (package g++-mingw-w64-x86-64):
# the same programs, for running under wine64 where the kernel cannot execute 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
# Debian keeps the 64-bit loader beside the 32-bit one, not on the PATH.
set(MINGW_WINE_NAMES wine64 /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
