#!/usr/bin/env bash
# Installs, with apt-get, whatever the build, the tests and the program need and this machine
# lacks. Safe to run again: it does nothing when all is there.
set -euo pipefail

packages=(
    cmake make g++ libgtest-dev googletest            # native build and tests (GoogleTest built, and
                                                      # its sources for the Windows build)
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
                                                      # Windows builds, 64-bit and 32-bit
    wine wine64 fonts-wine xvfb xauth                 # running and testing the Windows program (with
                                                      # its fonts: MS Sans Serif, and Marlett for the
                                                      # caption buttons)
    wine64-preloader                                  # without it Wine now and then fails to start a
                                                      # program at all (README, notes on testing)
    libc6:i386                                        # tells whether 32-bit programs run here
    locales                                           # the locales that give Wine its code pages
    clang libclang-rt-14-dev valgrind                 # fuzzing and memory checks
    imagemagick x11-apps                              # screenshots of the dialogs
    zip unzip osslsigncode openssl                    # release zips, their signatures and checks
)

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

updated=false
install_missing() {
    local missing=() package
    for package in "$@"; do
        installed "$package" || missing+=("$package")
    done
    [ ${#missing[@]} -gt 0 ] || return 0
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    if ! $updated; then
        apt-get update -qq
        updated=true
    fi
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# 32-bit Wine comes from Debian's i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Adding the i386 architecture"
    dpkg --add-architecture i386
fi
install_missing "${packages[@]}"

# In a git checkout the release command takes its date from the last commit, and the release checks
# copy the tree by its file list: both need git, which a bare Debian root lacks. A tree unpacked from
# a tarball has no history to read and does without it.
if [ -e "$(dirname "${BASH_SOURCE[0]}")/../.git" ]; then
    install_missing git
fi

# Wine's 32-bit loader is a 32-bit Linux program. A kernel without 32-bit support (booted with
# ia32_emulation off, as some virtual machines are) can't run it, so it is installed only where the
# i386 C library's own loader runs; elsewhere the test command builds the 32-bit program and its
# tests but reports their runs as skipped. (The scripts run the 64-bit prefix on the 64-bit loader
# either way, so an unusable wine32 does no harm.)
if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    install_missing wine32:i386 wine32-preloader:i386
fi
