# Sourced by the scripts that run Wine: the project's own prefix under build/, quiet, and no
# Mono/Gecko prompt (without the override wineboot waits on it forever). WINEARCH=win32 in the
# environment asks for a 32-bit Windows, with its own prefix build/wine32; anything else is the
# 64-bit one in build/wine.
root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Each prefix runs on the loader of its own width: Debian's "wine" script would take the 32-bit
# loader for both as soon as wine32 is installed, and not every kernel runs 32-bit programs.
if [ "${WINEARCH:-}" = win32 ]; then
    export WINEPREFIX=${WINEPREFIX:-$root_dir/build/wine32}
    WINELOADER=${WINELOADER:-/usr/lib/wine/wine}
else
    export WINEARCH=win64
    export WINEPREFIX=${WINEPREFIX:-$root_dir/build/wine}
    # (No "command -v ... | head": under pipefail that dies of SIGPIPE now and then.)
    WINELOADER=${WINELOADER:-/usr/lib/wine/wine64}
    [ -x "$WINELOADER" ] || WINELOADER=$(command -v wine64 || command -v wine || echo wine)
fi
export WINELOADER
export WINEDEBUG=-all
# CORVANE_DLL_OVERRIDES adds overrides of a test's own.
export WINEDLLOVERRIDES="mscoree,mshtml=${CORVANE_DLL_OVERRIDES:+;$CORVANE_DLL_OVERRIDES}"

# Stops the prefix's Wine server and waits until it and every Wine process of the prefix are gone.
stop_wine() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}

# True when 32-bit Windows programs can run here: Debian's 32-bit Wine is installed and the kernel
# runs its loader, a 32-bit Linux program (see deps.sh).
wine32_runs() {
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Boots the prefix once; several callers may arrive at once, only one boots.
wine_prefix_ready() {
    mkdir -p "$WINEPREFIX"
    flock "$WINEPREFIX/.boot-lock" bash -c '[ -f "$WINEPREFIX/system.reg" ] || { "$WINELOADER" wineboot -i && wineserver -w; }' >/dev/null 2>&1
    # Debian's Wine doesn't put its own fonts into a new prefix: without them "MS Sans Serif" falls
    # back to a wider font and caption buttons lose their glyphs.
    local fonts=$WINEPREFIX/drive_c/windows/Fonts
    if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/sserife.fon" ]; then
        mkdir -p "$fonts"
        cp -n /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
    fi
}
