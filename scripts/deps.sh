#!/usr/bin/env bash
# Installs, with apt-get, whatever the build, the tests and the program need and this machine
# lacks. Safe to run again: it does nothing when all is there.
set -euo pipefail

packages=(
    cmake make g++ libgtest-dev googletest            # native build and tests (GoogleTest built, and
                                                      # its sources for the Windows build)
    g++-mingw-w64-x86-64-posix mingw-w64-tools        # Windows build
    wine wine64 fonts-wine xvfb xauth                 # running and testing the Windows program (with
                                                      # its fonts: MS Sans Serif, and Marlett for the
                                                      # caption buttons)
    clang libclang-rt-14-dev valgrind                 # fuzzing and memory checks
    imagemagick x11-apps                              # screenshots of the dialogs
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
