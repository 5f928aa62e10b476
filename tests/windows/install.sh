#!/usr/bin/env bash
# Installs what the Windows build and its test run need on Debian, for one of two
# paths (argument 32, the default, or 64):
#   32  the 32-bit mingw-w64 cross compiler and Wine with 32-bit support
#   64  for kernels that cannot execute 32-bit code: the 32-bit cross compiler still
#       (the 32-bit programs are the target and are always built), the 64-bit one
#       and the 64-bit Wine
# Does nothing when all is there already. Needs root (CI and the developer machines
# run as root).
set -euo pipefail

arch="${1:-32}"
case "$arch" in
32) packages=(g++-mingw-w64-i686 wine wine32:i386) ;;
64) packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64) ;;
*)
    echo "install.sh: unknown path '$arch' (32 or 64)" >&2
    exit 2
    ;;
esac

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'; }

have_all() {
    command -v i686-w64-mingw32-g++-posix >/dev/null 2>&1 || return 1
    command -v wine >/dev/null 2>&1 || return 1
    if [ "$arch" = 32 ]; then
        installed wine32:i386
    else
        command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 && installed wine64
    fi
}

if have_all; then
    exit 0
fi

export DEBIAN_FRONTEND=noninteractive
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

# wine32 is an i386 package; apt only offers it once the architecture is known.
if [ "$arch" = 32 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
# Recommends would add fonts, GStreamer, printing and more: nothing a console program uses.
$SUDO apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null

have_all || {
    echo "install.sh: cross compiler or Wine still missing after the install" >&2
    exit 1
}
