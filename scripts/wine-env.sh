# Sourced by the scripts that run Wine: the project's own prefix under build/, quiet, and no
# Mono/Gecko prompt (without the override wineboot waits on it forever).
root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root_dir/build/wine}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# The prefix is 64-bit, so the 64-bit loader runs it. Debian's "wine" script would take the 32-bit
# loader as soon as wine32 is installed, which not every machine can run.
if [ -z "${WINELOADER:-}" ]; then
    WINELOADER=$(command -v /usr/lib/wine/wine64 wine64 wine | head -n 1)
fi
export WINELOADER
wine() { "$WINELOADER" "$@"; }

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
