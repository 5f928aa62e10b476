#!/usr/bin/env bash
# Installs what the Windows build and its test run need on Debian: the 32-bit
# mingw-w64 cross compiler and Wine with 32-bit support. Does nothing when both
# are already there. Needs root (CI and the developer machines run as root).
set -euo pipefail

have_all() {
    command -v i686-w64-mingw32-g++ >/dev/null 2>&1 &&
        command -v wine >/dev/null 2>&1 &&
        dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'ok installed'
}

if have_all; then
    exit 0
fi

export DEBIAN_FRONTEND=noninteractive
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

# wine32 is an i386 package; apt only offers it once the architecture is known.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
# Recommends would add fonts, GStreamer, printing and more: nothing a console program uses.
$SUDO apt-get install -y -qq --no-install-recommends \
    g++-mingw-w64-i686 wine wine32:i386 >/dev/null

have_all || {
    echo "install.sh: cross compiler or Wine still missing after the install" >&2
    exit 1
}
