#!/usr/bin/env bash
# The run command: installs what is missing, builds the Windows program and runs it under Wine in
# its own prefix (build/wine-run), from C:\Program Files\Corvane with a sample keldevicetypes.dat
# and demo setup commands that show what they received. With a reachable display the operator
# uses the program there; without one it runs on a virtual display, a tour goes through one install
# and one upgrade, at 96 and at 144 DPI and in high-contrast colours, and a picture of each dialog
# is saved under build/screenshots/ (<dialog>.png, <dialog>-144dpi.png and <dialog>-contrast.png).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
bin=$root/build/windows/bin
shots=$root/build/screenshots
pictures=(choice install about install-command complete upgrade upgrade-command)

export WINEPREFIX=$root/build/wine-run
source scripts/wine-env.sh

# The program directory: the program, the catalogue and a demo command under every name the
# launcher may run for the sample types.
program_dir='C:\Program Files\Corvane'
program=$WINEPREFIX/drive_c/Program\ Files/Corvane
prepare_program_dir() {
    local type
    rm -rf "$program"
    mkdir -p "$program"
    cp "$bin/corvane.exe" "$bin/corvane.html" "$program/"
    printf '%s\r\n' "LT WX PRM" "TR9 GNX" >"$program/keldevicetypes.dat"
    for type in LT WX PRM TR9 GNX; do
        cp "$bin/corvane_demo_command.exe" "$program/KELSETUP-$type.exe"
        cp "$bin/corvane_demo_command.exe" "$program/${type,,}-UPGRADE.exe"
    done
}

# The system colours of a high-contrast scheme (white on black, as Windows' High Contrast Black),
# as name=R G B; a program that draws in fixed colours shows up dark on dark or light on light.
high_contrast=(
    "Background=0 0 0" "Window=0 0 0" "WindowText=255 255 255" "WindowFrame=255 255 255"
    "ButtonFace=0 0 0" "ButtonText=255 255 255" "ButtonHilight=255 255 255" "ButtonLight=192 192 192"
    "ButtonShadow=128 128 128" "ButtonDkShadow=255 255 255" "GrayText=63 242 63" "Hilight=26 235 255"
    "HilightText=0 0 0" "Menu=0 0 0" "MenuText=255 255 255" "MenuBar=0 0 0" "MenuHilight=26 235 255"
    "ActiveTitle=0 0 0" "TitleText=255 255 255" "GradientActiveTitle=0 0 0" "InactiveTitle=0 0 0"
    "InactiveTitleText=63 242 63" "GradientInactiveTitle=0 0 0" "ActiveBorder=255 255 255"
    "InactiveBorder=255 255 255" "InfoWindow=0 0 0" "InfoText=255 255 255" "AppWorkspace=0 0 0"
    "HotTrackingColor=255 255 0"
)
set_colours() {
    local colour
    for colour in "$@"; do
        "$WINELOADER" reg add 'HKCU\Control Panel\Colors' /v "${colour%%=*}" /d "${colour#*=}" /f >/dev/null 2>&1
    done
}

# Second half of a run without a display, inside xvfb-run: the tour, from an empty store so that
# its pictures come out the same every time. There is no window manager, so Wine draws the
# window frames itself and the pictures show the captions.
if [ "${1:-}" = "--tour-on-virtual-display" ]; then
    wine_prefix_ready
    prepare_program_dir
    trap stop_wine EXIT
    "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    # Once as most screens are, once at 150 % (144 DPI), and once at 96 DPI in the colours of a
    # high-contrast scheme; a process reads both settings as it starts.
    for pass in 96 144 contrast; do
        dpi=${pass/contrast/96}
        "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
        [ "$pass" != contrast ] || set_colours "${high_contrast[@]}"
        mkdir -p "$shots/$pass"
        rm -rf "$WINEPREFIX/drive_c/kel"
        # Every step of the tour has its own time limit; this one only guards against the unforeseen.
        timeout 300 "$WINELOADER" "$bin/corvane_tour.exe" "$program_dir" "Z:${shots//\//\\}\\$pass" >/dev/null
    done
    "$WINELOADER" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
    for colour in "${high_contrast[@]}"; do
        "$WINELOADER" reg delete 'HKCU\Control Panel\Colors' /v "${colour%%=*}" /f >/dev/null 2>&1
    done
    exit
fi

scripts/deps.sh
echo "=== build: windows"
scripts/build-preset windows

if [ -n "${DISPLAY:-}" ] && timeout 10 xwd -root -silent >/dev/null 2>&1; then
    wine_prefix_ready
    prepare_program_dir
    trap stop_wine EXIT
    # The desktop's window manager draws the frames.
    "$WINELOADER" reg delete 'HKCU\Software\Wine\X11 Driver' /v Decorated /f >/dev/null 2>&1 || true
    echo "=== running $program_dir\\corvane.exe; systems go to $WINEPREFIX/drive_c/kel"
    "$WINELOADER" "$program_dir\\corvane.exe"
    exit 0
fi

echo "=== no display: touring the dialogs on a virtual display"
rm -rf "$shots"
mkdir -p "$shots"
# In the locale the Windows tests use, not the caller's: the same pictures on every machine.
source scripts/locales.sh
in_code_page en_US 1252 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --tour-on-virtual-display ||
    { echo "the tour failed"; exit 1; }
echo "=== screenshots"
for picture in "${pictures[@]}"; do
    # Without metadata, so that the same dialogs give the same files.
    convert "$shots/96/$picture.bmp" -strip "$shots/$picture.png"
    convert "$shots/144/$picture.bmp" -strip "$shots/$picture-144dpi.png"
    convert "$shots/contrast/$picture.bmp" -strip "$shots/$picture-contrast.png"
    echo "$shots/$picture.png $shots/$picture-144dpi.png $shots/$picture-contrast.png"
done
rm -rf "$shots/96" "$shots/144" "$shots/contrast"
