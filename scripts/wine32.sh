# Sourced by the scripts that run the shipped 32-bit build: 32-bit Wine from the
# private root that scripts/wine32-root makes, run by qemu's i386 user-mode emulator.
# This kernel refuses 32-bit programs of its own, so a binfmt_misc entry hands every
# 32-bit ELF program to qemu while the caller runs (made here, removed by wine32_leave;
# root only). The 64-bit Wine and its prefixes are left as they are.
wine32_root=${QUILLON_WINE32_ROOT:-/opt/quillon-wine32}
wine32_binfmt=

# wine32_put FILE PATH: FILE into the root at PATH, unless it holds it already.
wine32_put() {
    local file=$1 target=$wine32_root$2
    cmp -s "$file" "$target" && return 0
    mkdir -p "$(dirname "$target")"
    cp "$file" "$target.new.$$"
    mv "$target.new.$$" "$target"
}

# wine32_enter: sets up the emulation and exports the 32-bit Wine's variables. Each
# failure is told in one line.
wine32_enter() {
    local source_dir
    source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    if [ ! -f "$wine32_root/.complete" ]; then
        echo "No 32-bit Wine in $wine32_root: run scripts/deps (as root) first." >&2
        return 1
    fi
    # The workaround for the emulator's faults, built with the i686 build; preloaded into
    # the root's 32-bit programs only, through the root's own etc/ld.so.preload (qemu
    # looks up absolute paths in the root first).
    local fixes=$source_dir/build/i686/wine32/qemu-i386-fixes.so
    local fixes_source=$source_dir/tools/wine32/qemu_i386_fixes.c
    if [ ! -f "$fixes" ]; then
        echo "No build of the emulator's workaround ($fixes): run scripts/build i686." >&2
        return 1
    fi
    if [ "$fixes_source" -nt "$fixes" ]; then
        echo "The emulator's workaround ($fixes) is older than its source: run scripts/build i686." >&2
        return 1
    fi
    local preload=/usr/lib/quillon/qemu-i386-fixes.so
    wine32_put "$fixes" "$preload" &&
        wine32_put <(echo "$preload") /etc/ld.so.preload || {
        echo "Cannot put the emulator's workaround into $wine32_root." >&2
        return 1
    }

    local qemu=/usr/bin/qemu-i386-static
    if [ ! -x "$qemu" ]; then
        echo "No $qemu: run scripts/deps (as root) first." >&2
        return 1
    fi
    if ! mountpoint -q /proc/sys/fs/binfmt_misc &&
        ! mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null; then
        echo "Cannot mount binfmt_misc, which hands 32-bit programs to qemu: the 32-bit" \
            "Wine needs root." >&2
        return 1
    fi
    local name=quillon-i386-$$
    # An i386 ELF executable or shared object; F opens qemu now, whatever the caller's root.
    if ! printf '%s' ":$name:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$qemu:F" \
        2>/dev/null >/proc/sys/fs/binfmt_misc/register; then
        echo "Cannot register qemu for 32-bit programs with binfmt_misc (needs root)." >&2
        return 1
    fi
    wine32_binfmt=/proc/sys/fs/binfmt_misc/$name

    export QEMU_LD_PREFIX=$wine32_root
    export WINEARCH=win32
    export WINELOADER=$wine32_root/usr/lib/wine/wine
    if ! "$WINELOADER" --version >/dev/null 2>&1; then
        echo "32-bit Wine does not start under qemu ($WINELOADER --version fails)." >&2
        return 1
    fi
}

wine32_leave() {
    if [ -n "$wine32_binfmt" ] && [ -e "$wine32_binfmt" ]; then
        echo -1 >"$wine32_binfmt"
    fi
    wine32_binfmt=
}
