# Sourced by the scripts that run the shipped 32-bit build: 32-bit Wine from the
# private root that scripts/wine32-root makes, run by qemu's i386 user-mode emulator.
# This kernel refuses 32-bit programs of its own, so a binfmt_misc entry hands every
# 32-bit ELF program to qemu while the caller runs (made here, removed by wine32_leave;
# root only). The 64-bit Wine and its prefixes are left as they are.
wine32_root=${QUILLON_WINE32_ROOT:-/opt/quillon-wine32}
wine32_binfmt=

# wine32_enter DIR: sets up the emulation and exports the 32-bit Wine's variables; the
# workaround for qemu's faults is built into DIR and put into the root when it changed.
wine32_enter() {
    local dir=$1 here
    here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
    if [ ! -f "$wine32_root/.complete" ]; then
        echo "No 32-bit Wine in $wine32_root: run scripts/deps (as root) first." >&2
        return 1
    fi
    # Preloaded into the root's 32-bit programs only, through the root's own
    # etc/ld.so.preload (qemu looks up absolute paths in the root first).
    local fixes=/usr/lib/quillon/qemu-i386-fixes.so
    gcc -m32 -shared -fPIC -O2 -fno-stack-protector -Wall -Wextra -Werror \
        -o "$dir/qemu-i386-fixes.so" "$here/../tests/wine32/qemu_i386_fixes.c" -ldl
    if ! cmp -s "$dir/qemu-i386-fixes.so" "$wine32_root$fixes"; then
        mkdir -p "$(dirname "$wine32_root$fixes")"
        cp "$dir/qemu-i386-fixes.so" "$wine32_root$fixes.new"
        mv "$wine32_root$fixes.new" "$wine32_root$fixes"
    fi
    echo "$fixes" >"$wine32_root/etc/ld.so.preload"

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
