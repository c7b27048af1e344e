#!/usr/bin/env bash
# Installs whatever the build, the tests and the demo need on a Debian 12 machine.
# Idempotent and quiet when everything is already there; uses sudo when not root.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

# command or file that proves a package is present -> package name
need=()
check() { # check <probe> <package>
    local probe=$1 pkg=$2
    case "$probe" in
        /*) [ -e "$probe" ] || need+=("$pkg") ;;
        *)  command -v "$probe" >/dev/null 2>&1 || need+=("$pkg") ;;
    esac
}

check cmake cmake
check g++ g++
check make make
check ninja ninja-build
check i686-w64-mingw32-g++-posix g++-mingw-w64-i686-posix
check x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix
check i686-w64-mingw32-windres binutils-mingw-w64-i686

check /usr/lib/wine/wine64 wine64
check wine wine
check Xvfb xvfb
check xdotool xdotool
check xwd x11-apps
check /usr/bin/compare imagemagick
check /usr/src/googletest/CMakeLists.txt googletest
check /usr/include/gtest/gtest.h libgtest-dev
check /usr/include/benchmark/benchmark.h libbenchmark-dev
check /usr/include/pixman-1/pixman.h libpixman-1-dev
check clang clang
check /usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a libclang-rt-14-dev
check /usr/lib/llvm-14/lib/libFuzzer.a libfuzzer-14-dev
check python3 python3
check gcab gcab
check nginx nginx-light
check file file
check xxd xxd

# PE32 programs need wine32, which runs only where the kernel executes 32-bit code; elsewhere the
# Windows tests run as PE32+ under wine64 (see CMakeLists.txt).  It is installed either way and the
# scripts find out at run time which of the two can be used.
check /usr/lib/i386-linux-gnu/wine/i386-windows/kernel32.dll wine32:i386

if [ ${#need[@]} -eq 0 ]; then exit 0; fi

echo "installing: ${need[*]}" >&2
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
