#!/usr/bin/env bash
# The release command: builds corvane.exe for 64-bit and 32-bit Windows in release mode and writes
# corvane-<version>-win64.zip and corvane-<version>-win32.zip (each with the program, its help page
# and the operators' README.txt) and SHA256SUMS beside them, into build/dist or the directory given.
# With CORVANE_SIGN_PFX (a PKCS#12 file) and CORVANE_SIGN_PASSWORD set both programs are
# Authenticode-signed first, with an RFC 3161 timestamp from CORVANE_SIGN_TIMESTAMP_URL when that is set.
# Unsigned, two runs from the same commit give the same bytes wherever the tree lies.
# Usage: scripts/package.sh [output directory]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
dist=${1:-build/dist}

fail() {
    echo "package: $*" >&2
    exit 1
}

scripts/deps.sh

# Whatever a run wrote last is gone before anything else can fail, so a failed run leaves no zip.
mkdir -p "$dist"
dist=$(cd "$dist" && pwd)
rm -f "$dist"/corvane-*-win64.zip "$dist"/corvane-*-win32.zip "$dist/SHA256SUMS"

# The certificate is tried before the long part, and its password never goes on a command line.
signing=false
if [ -n "${CORVANE_SIGN_PFX:-}" ] || [ -n "${CORVANE_SIGN_PASSWORD+set}" ]; then
    [ -n "${CORVANE_SIGN_PFX:-}" ] || fail "CORVANE_SIGN_PASSWORD is set but CORVANE_SIGN_PFX is not: nothing to sign with"
    [ -n "${CORVANE_SIGN_PASSWORD+set}" ] || fail "CORVANE_SIGN_PFX is set but CORVANE_SIGN_PASSWORD is not"
    [ -f "$CORVANE_SIGN_PFX" ] && [ -r "$CORVANE_SIGN_PFX" ] ||
        fail "cannot read the certificate file $CORVANE_SIGN_PFX"
    # Files exported by older Windows use ciphers OpenSSL 3 keeps in its legacy provider.
    openssl pkcs12 -in "$CORVANE_SIGN_PFX" -passin env:CORVANE_SIGN_PASSWORD -noout >/dev/null 2>&1 ||
        openssl pkcs12 -legacy -in "$CORVANE_SIGN_PFX" -passin env:CORVANE_SIGN_PASSWORD -noout >/dev/null 2>&1 ||
        fail "cannot open the certificate $CORVANE_SIGN_PFX with CORVANE_SIGN_PASSWORD: wrong password, or not a PKCS#12 file"
    signing=true
fi

# Every date in the zips is the commit's, so that they depend on the sources alone; tools that can
# stamp a date take it too.
: "${SOURCE_DATE_EPOCH:=$(git log -1 --format=%ct 2>/dev/null)}"
[ -n "$SOURCE_DATE_EPOCH" ] || fail "not a git checkout: set SOURCE_DATE_EPOCH to the release's date (seconds since 1970)"
export SOURCE_DATE_EPOCH

# From scratch, so that nothing of an earlier build (a flag since changed, another version's cache)
# reaches a release.
for preset in windows-release windows-x86-release; do
    echo "=== build: $preset"
    rm -rf "build/$preset"
    scripts/build-preset "$preset"
done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows-release/CMakeCache.txt)
[ -n "$version" ] || fail "no project version in build/windows-release/CMakeCache.txt"

work=$root/build/package
rm -rf "$work"
mkdir -p "$work/out"
trap 'rm -rf "$work"' EXIT
if $signing; then
    (umask 077 && printf '%s' "$CORVANE_SIGN_PASSWORD" >"$work/password")
fi

# Lays out one zip's files in $work/<name>: the program (signed when asked), the help page and the
# README with Windows line ends, so that Notepad on an old PC shows its lines.
stage() {
    local name=$1 preset=$2 bits=$3
    local dir=$work/$name
    mkdir -p "$dir"
    if $signing; then
        local timestamp=()
        [ -z "${CORVANE_SIGN_TIMESTAMP_URL:-}" ] || timestamp=(-ts "$CORVANE_SIGN_TIMESTAMP_URL")
        osslsigncode sign -pkcs12 "$CORVANE_SIGN_PFX" -readpass "$work/password" -n Corvane -h sha256 \
            "${timestamp[@]}" -in "build/$preset/bin/corvane.exe" -out "$dir/corvane.exe" >"$work/sign.log" 2>&1 ||
            { cat "$work/sign.log" >&2; fail "signing the $bits program failed"; }
    else
        cp "build/$preset/bin/corvane.exe" "$dir/corvane.exe"
    fi
    cp ui/res/corvane.html "$dir/corvane.html"
    sed -e "s/@VERSION@/$version/g" -e "s/@BITS@/$bits/g" -e 's/$/\r/' package/README.txt >"$dir/README.txt"
    chmod 644 "$dir"/*
    touch -d "@$SOURCE_DATE_EPOCH" "$dir"/*
}

# zip keeps the order given and, with -X, no owner or extra times; the times it keeps are local.
pack() {
    local name=$1
    (cd "$work/$name" && TZ=UTC zip -X -D -q "$work/out/$name.zip" corvane.exe corvane.html README.txt)
}

stage "corvane-$version-win64" windows-release 64-bit
stage "corvane-$version-win32" windows-x86-release 32-bit
pack "corvane-$version-win64"
pack "corvane-$version-win32"
(cd "$work/out" && sha256sum "corvane-$version-win32.zip" "corvane-$version-win64.zip" >SHA256SUMS)
mv "$work/out"/*.zip "$work/out/SHA256SUMS" "$dist/"

echo "=== release $version"
(cd "$dist" && ls -l "corvane-$version-win64.zip" "corvane-$version-win32.zip" SHA256SUMS && cat SHA256SUMS)
if $signing; then
    echo "Both programs are signed with $CORVANE_SIGN_PFX${CORVANE_SIGN_TIMESTAMP_URL:+, timestamped by $CORVANE_SIGN_TIMESTAMP_URL}."
else
    echo "The programs are not signed (set CORVANE_SIGN_PFX and CORVANE_SIGN_PASSWORD to sign them)."
fi
