#!/usr/bin/env bash
# Checks of the release command, scripts/package.sh: two runs in different folders give the same
# bytes; each zip holds the operators' files and a hardened program for its processor that starts under Wine
# and shows the choice dialog; a run with a certificate signs both programs so that they verify
# against it; an unreadable certificate or a wrong password stops the command and leaves no zip.
# Needs the windows and windows-x86 presets built (their end-to-end driver starts the programs).
# Ends with the line "package: N passed, N failed, N skipped".
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
root=$(pwd)
work=$root/build/package-test
# The runs here sign only when a check asks, and take their date from git; outside a checkout
# (a tree from a tarball) there is no history to take it from, so they are given one, as a user
# there gives it.
unset CORVANE_SIGN_PFX CORVANE_SIGN_PASSWORD CORVANE_SIGN_TIMESTAMP_URL SOURCE_DATE_EPOCH
checkout=false
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    checkout=true
else
    SOURCE_DATE_EPOCH=$(date -d 2026-01-01T00:00:00Z +%s)
    export SOURCE_DATE_EPOCH
fi
rm -rf "$work"
mkdir -p "$work"
source scripts/locales.sh

passed=0
failed=0
skipped=0
# Runs one check, a function that prints why it fails (fail ends it): quiet when it passes.
check() {
    local name=$1
    shift
    if ("$@") >"$work/check.log" 2>&1; then
        passed=$((passed + 1))
        echo "ok: $name"
    else
        failed=$((failed + 1))
        echo "FAILED: $name"
        sed 's/^/    /' "$work/check.log"
    fi
}
fail() {
    echo "$*"
    exit 1
}

# Two releases of this tree: one where it lies, one from a copy of it elsewhere, so that any path of
# the build that reached the zips would show. The copy has no history, so it is given the date
# that the first run takes from git by itself.
package_twice() {
    scripts/package.sh "$work/here" >"$work/here.log" 2>&1 || { cat "$work/here.log"; fail "the release command failed"; }
    local copy=$work/elsewhere/corvane
    mkdir -p "$copy"
    if $checkout; then
        git ls-files -z --cached --others --exclude-standard |
            tar --create --null --files-from=- --ignore-failed-read 2>/dev/null | tar --extract --directory="$copy" ||
            fail "cannot copy the tree"
    else
        tar --create --exclude=./build --exclude=./.git . | tar --extract --directory="$copy" || fail "cannot copy the tree"
    fi
    SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)} "$copy/scripts/package.sh" >"$work/elsewhere.log" 2>&1 ||
        { cat "$work/elsewhere.log"; fail "the release command failed in the copy"; }
}

reproducible() {
    local name
    for name in "$zip64" "$zip32" SHA256SUMS; do
        cmp "$work/here/$name" "$work/elsewhere/corvane/build/dist/$name" || fail "$name differs between the two runs"
    done
    grep -q "not signed" "$work/here.log" || fail "a run without a certificate doesn't say that it signed nothing"
}

# The PE header of a program: the machine it is for and the link time.
u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }
u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }

contents() {
    local zip=$1 machine=$2 bits=$3 objdump=$4
    local dir=$work/unzipped/${zip%.zip}
    [ -f "$work/here/$zip" ] || fail "no $zip"
    [ "$(unzip -Z1 "$work/here/$zip" | tr '\n' ' ')" = "corvane.exe corvane.html README.txt " ] ||
        fail "$zip holds: $(unzip -Z1 "$work/here/$zip" | tr '\n' ' ')"
    mkdir -p "$dir" && unzip -q -o "$work/here/$zip" -d "$dir" || fail "cannot unzip $zip"

    local exe=$dir/corvane.exe header
    header=$(u32 "$exe" 60)
    [ "$(od -An -tx1 -j "$header" -N4 "$exe" | tr -d ' ')" = 50450000 ] || fail "corvane.exe has no PE header"
    [ "$(u16 "$exe" $((header + 4)))" = "$machine" ] ||
        fail "corvane.exe is for machine $(printf '0x%x' "$(u16 "$exe" $((header + 4)))"), not $(printf '0x%x' "$machine")"
    [ "$(u32 "$exe" $((header + 8)))" = 0 ] || fail "corvane.exe carries its link time"
    # Only Windows' own DLLs: the compiler's run-time is linked in.
    local dlls
    dlls=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p') || fail "cannot read the imports of corvane.exe"
    ! grep -iE 'libgcc|libstdc|libwinpthread|mingw' <<<"$dlls" || fail "corvane.exe needs a DLL of the compiler"
    # Address space randomisation, data execution prevention, 64-bit randomisation on x64 and
    # remote desktop awareness.
    local flags wanted=(DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE) flag
    [ "$bits" = 32-bit ] || wanted+=(HIGH_ENTROPY_VA)
    flags=$("$objdump" -p "$exe" | sed -n '/^DllCharacteristics/,/^[A-Z]/p') || fail "cannot read the header of corvane.exe"
    for flag in "${wanted[@]}"; do
        grep -qw "$flag" <<<"$flags" || fail "corvane.exe lacks $flag"
    done
    local resources
    resources=$(x86_64-w64-mingw32-windres -J coff -O rc -i "$exe") || fail "cannot read the resources of corvane.exe"
    grep -q "VALUE \"FileVersion\", \"$version\"" <<<"$resources" || fail "corvane.exe is not version $version"

    cmp "$dir/corvane.html" ui/res/corvane.html || fail "corvane.html is not the program's help page"
    local readme=$dir/README.txt
    [ "$(head -n 1 "$readme" | tr -d '\r')" = "Corvane $version for $bits Windows" ] ||
        fail "README.txt begins: $(head -n 1 "$readme")"
    [ "$(grep -c $'\r$' "$readme")" = "$(wc -l <"$readme")" ] || fail "README.txt has lines without Windows line ends"
    grep -q "KELSETUP-<type>" "$readme" && grep -q "<type>-UPGRADE" "$readme" && grep -q keldevicetypes.dat "$readme" ||
        fail "README.txt doesn't tell what goes beside the program"
}

checksums() {
    (cd "$work/here" && sha256sum --check --strict SHA256SUMS) || fail "SHA256SUMS doesn't match the zips"
    [ "$(cut -d ' ' -f 3 "$work/here/SHA256SUMS" | tr '\n' ' ')" = "$zip32 $zip64 " ] ||
        fail "SHA256SUMS lists: $(cut -d ' ' -f 3 "$work/here/SHA256SUMS" | tr '\n' ' ')"
}

# The packed program, started by the end-to-end driver of the same processor's build in its own
# Windows (in the locale the Windows tests use), shows the choice dialog and ends with exit code 0
# on Cancel.
starts() {
    local zip=$1 arch=$2 preset=$3
    local exe=$work/unzipped/${zip%.zip}/corvane.exe
    [ -f "$exe" ] || fail "no corvane.exe unpacked from $zip"
    local windows_path="Z:${exe//\//\\}"
    in_code_page en_US 1252 xvfb-run -a -s "-screen 0 1280x1024x24" env WINEARCH="$arch" \
        CORVANE_E2E_PROGRAM="$windows_path" scripts/with-wine scripts/wine-run "build/$preset/bin/corvane_e2e.exe" \
        --gtest_filter=ChoiceDialog.OpensCentredWithInstallCheckedAndEndsWithExitCodeZero ||
        fail "$zip: the program did not start and show its choice dialog under $arch Wine"
}

# A throwaway signer: a self-signed code-signing certificate in a password-protected PKCS#12 file.
make_certificate() {
    local name=$1
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Corvane test signer $name" \
        -addext keyUsage=critical,digitalSignature -addext extendedKeyUsage=codeSigning \
        -keyout "$work/$name.key" -out "$work/$name.pem" 2>/dev/null &&
        openssl pkcs12 -export -inkey "$work/$name.key" -in "$work/$name.pem" -out "$work/$name.pfx" \
            -passout pass:"throwaway password"
}

signed() {
    make_certificate signer && make_certificate stranger || fail "cannot make the test certificates"
    CORVANE_SIGN_PFX=$work/signer.pfx CORVANE_SIGN_PASSWORD="throwaway password" \
        scripts/package.sh "$work/signed" >"$work/signed.log" 2>&1 || { cat "$work/signed.log"; fail "the signed release failed"; }
    (cd "$work/signed" && sha256sum --check --strict SHA256SUMS) || fail "SHA256SUMS doesn't match the signed zips"
    local zip
    for zip in "$zip64" "$zip32"; do
        local dir=$work/unzipped/signed-${zip%.zip}
        unzip -q -o "$work/signed/$zip" -d "$dir" || fail "cannot unzip the signed $zip"
        # Verified against the signer's certificate alone, since a self-signed one chains to no
        # root the system trusts; another certificate must not do.
        osslsigncode verify -CAfile "$work/signer.pem" -in "$dir/corvane.exe" ||
            fail "the program in the signed $zip doesn't verify against the signer's certificate"
        ! osslsigncode verify -CAfile "$work/stranger.pem" -in "$dir/corvane.exe" >/dev/null 2>&1 ||
            fail "the program in the signed $zip verifies against another certificate"
    done
}

# A certificate that can't be used stops the command with a message naming the fault, before it
# writes a zip, and without showing the password.
refused() {
    local pfx=$1 password=$2 message=$3 out=$work/refused
    rm -rf "$out"
    if CORVANE_SIGN_PFX=$pfx CORVANE_SIGN_PASSWORD=$password scripts/package.sh "$out" >"$work/refused.log" 2>&1; then
        fail "the release command went on"
    fi
    grep -q "$message" "$work/refused.log" || { cat "$work/refused.log"; fail "the message doesn't say: $message"; }
    ! grep -qF "$password" "$work/refused.log" || fail "the output shows the password"
    [ -z "$(find "$out" -name '*.zip' 2>/dev/null)" ] || fail "a zip was written"
}

check "release command runs here and in a copy of the tree elsewhere" package_twice
# The project's version, as the release build saw it.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows-release/CMakeCache.txt 2>/dev/null)
zip64=corvane-$version-win64.zip
zip32=corvane-$version-win32.zip
check "the two unsigned releases are byte for byte the same" reproducible
check "64-bit zip holds an x64 program, its help and the README" contents "$zip64" $((0x8664)) 64-bit x86_64-w64-mingw32-objdump
check "32-bit zip holds an x86 program, its help and the README" contents "$zip32" $((0x14c)) 32-bit i686-w64-mingw32-objdump
check "SHA256SUMS matches both zips" checksums
check "64-bit program from the zip starts under 64-bit Wine" starts "$zip64" win64 windows
if (source scripts/wine-env.sh && wine32_runs); then
    check "32-bit program from the zip starts under 32-bit Wine" starts "$zip32" win32 windows-x86
else
    skipped=$((skipped + 1))
    echo "skipped: 32-bit program from the zip starts under 32-bit Wine (this kernel runs no 32-bit programs)"
fi
check "signed release verifies against the signer's certificate" signed
check "missing certificate stops the release" refused "$work/no-such.pfx" "any password" "cannot read the certificate file"
check "wrong password stops the release" refused "$work/signer.pfx" "not the password" "wrong password"

echo "package: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
