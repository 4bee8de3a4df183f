# Cross-build for 32-bit Windows with Debian's mingw-w64 (posix threads); tests run under 32-bit Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The host's packages (its GoogleTest among them) are of no use to a Windows build.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything static, so the executables run on a bare Windows (or Wine prefix) without the
# compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# A 32-bit prefix of its own (build/wine32): a 32-bit Windows, not 32-bit programs on a 64-bit one.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env WINEARCH=win32 ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
