# Cross build for 32-bit Windows with Debian's mingw-w64 (package g++-mingw-w64-i686).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLET i686-w64-mingw32)
set(MINGW_WINE_NAMES wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
