# What the two Windows toolchains share: Debian's mingw-w64 with posix threads for the processor
# CMAKE_SYSTEM_PROCESSOR names (x86_64 or i686), everything linked statically.
set(CMAKE_SYSTEM_NAME Windows)
set(triple ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The host's packages (its GoogleTest among them) are of no use to a Windows build.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything static, so the executables run on a bare Windows (or Wine prefix) without the
# compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Address space layout randomisation (with 64-bit addresses on x64), data execution prevention and
# awareness of remote desktop sessions, as station PCs are often run over one.
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--dynamicbase,--nxcompat,--tsaware")
if(CMAKE_SYSTEM_PROCESSOR STREQUAL x86_64)
    string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--high-entropy-va")
endif()
