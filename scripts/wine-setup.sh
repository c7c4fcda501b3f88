# Sourced by the scripts that run the build under a Wine of their own (the test bench,
# the demo): the Wine's variables, a display, a bounded prefix boot, the desktop window,
# a host for the installer to find and the clean-up of everything started here.
wine_setup_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$wine_setup_dir/wine32.sh"
. "$wine_setup_dir/xvfb.sh"
xvfb_pid=

# wine_use win32|win64: exports the variables of that Wine for the prefix in WINEPREFIX;
# win32 is 32-bit Wine under qemu's i386 emulator, and fails, saying why, where it
# cannot run.
wine_use() {
    export WINEDEBUG=-all
    # No Mono or Gecko installers: nothing here needs them, and they only slow a boot.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    # The 64-bit server serves 32-bit Wine as well.
    export WINESERVER=/usr/lib/wine/wineserver64
    unset WINEDLLPATH
    if [ "$1" = win32 ]; then
        wine32_enter
    else
        export WINEARCH=win64
        export WINELOADER=/usr/lib/wine/wine64
    fi
}

# wine_boot LOG ARGS...: one step of a prefix's boot ("wineboot -i", ...), bounded: a
# Wine that hangs or fails ends the step with the tail of LOG.
wine_boot() {
    local log=$1
    shift
    if ! timeout 300 "$WINELOADER" "$@" >>"$log" 2>&1; then
        echo "${0##*/}: '$*' failed or did not finish within 5 minutes; the prefix's log ($log):" >&2
        tail -n 30 "$log" >&2
        return 1
    fi
}

# wine_desktop NAME [PROGRAM]: a Wine desktop window of 1024x768 named NAME, for every
# program or for PROGRAM only. It stands in for a window manager on a bare X server, so
# windows get their frames and focus and activation after a modal box closes behave as
# on Windows. A desktop is made when its first window opens: a desktop of the prefix's
# that is already running without a window (Default, after a boot) must not be named.
wine_desktop() {
    local name=$1 key='HKCU\Software\Wine\Explorer'
    [ -n "${2:-}" ] && key="HKCU\\Software\\Wine\\AppDefaults\\$2\\Explorer"
    "$WINELOADER" reg add "$key" /v Desktop /t REG_SZ /d "$name" /f >/dev/null &&
        "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v "$name" /t REG_SZ \
            /d 1024x768 /f >/dev/null
}

# wine_host_register FOLDER: an image editor installed in FOLDER (a Windows path), its
# plug-in folder FOLDER\Plug-Ins, registered where the shipped 32-bit installer looks
# (the 64-bit build reads the same view). wine_host_remove takes it away again.
wine_host_key='HKLM\Software\Adobe\Photoshop\7.0'
wine_host_register() {
    "$WINELOADER" reg add "$wine_host_key" /v ApplicationPath /t REG_SZ /d "$1" /f /reg:32 >/dev/null
}
wine_host_remove() {
    "$WINELOADER" reg delete "$wine_host_key" /f /reg:32 >/dev/null 2>&1 || true
}

# wine_fonts: Wine's own fonts (its Marlett draws the caption buttons; without it a close
# box is the letter "r") into the prefix's Fonts folder, where every process finds them.
# Debian's Wine 8 looks for them outside its data folder, where the package puts them.
wine_fonts() {
    local fonts=/usr/share/wine/fonts
    [ "$WINEARCH" = win32 ] && fonts=$wine32_root/usr/share/wine/fonts
    if [ ! -f "$fonts/marlett.ttf" ]; then
        echo "${0##*/}: no Wine fonts in $fonts: run scripts/deps (as root) first." >&2
        return 1
    fi
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n "$fonts"/* "$WINEPREFIX/drive_c/windows/Fonts/"
}

wine_server_start() {
    "$WINESERVER" -p
}

# Ends every process of the prefix and waits for the server to go.
wine_server_stop() {
    "$WINESERVER" -k >/dev/null 2>&1
    "$WINESERVER" -w >/dev/null 2>&1
    return 0
}

# wine_cleanup: ends what was started here: the prefix's processes, the X server and the
# emulation.
wine_cleanup() {
    [ -n "${WINESERVER:-}" ] && wine_server_stop
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1
    xvfb_pid=
    wine32_leave
}
