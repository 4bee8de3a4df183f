# Cross-build for 32-bit Windows with Debian's mingw-w64 (posix threads); tests run under 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# A 32-bit prefix of its own (build/wine32): a 32-bit Windows, not 32-bit programs on a 64-bit one.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env WINEARCH=win32 ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
