#!/usr/bin/env bash
# Configures and builds the trees.  Usage: scripts/build.sh [native] [win32] [wintest] [fuzz]
#   native  - build/native, Linux g++: portable modules, unit tests, benchmarks, host tools
#   win32   - build/win32, MinGW-w64 i686: the product, staged in build/win32/Brisalo6
#   wintest - the tree whose Windows tests run under Wine here: build/win32 itself where this
#             machine runs PE32 programs, otherwise build/win64 (x86_64, same sources)
#   fuzz    - build/fuzz, clang with libFuzzer and ASan/UBSan
# Prints the tree that runs the Windows tests as the last line when asked for wintest.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
JOBS=${JOBS:-$(nproc)}
GEN=(); command -v ninja >/dev/null && GEN=(-G Ninja)
HOST_BIN=$PWD/build/native/bin

configure() { # configure <dir> <args...>
    local dir=$1; shift
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S . -B "$dir" "${GEN[@]}" "$@" >/dev/null
    else
        local keep=()
        for a in "$@"; do case "$a" in -DCMAKE_TOOLCHAIN_FILE=*) ;; *) keep+=("$a") ;; esac; done
        cmake "$dir" "${keep[@]}" >/dev/null
    fi
}
build() { cmake --build "$1" -j "$JOBS" 2>&1 | grep -vE '^\[[0-9]+/[0-9]+\] ' || [ "${PIPESTATUS[0]}" -eq 0 ]; }

pe32=OFF; brisalo_can_run_pe32 && pe32=ON
for what in "$@"; do
    case "$what" in
        native)
            configure build/native
            build build/native ;;
        win32)
            configure build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw32.cmake -DBRISALO_WINE_TESTS=$pe32 \
                -DBRISALO_HOST_BIN="$HOST_BIN"
            build build/win32 ;;
        wintest)
            if [ $pe32 = ON ]; then
                configure build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw32.cmake -DBRISALO_WINE_TESTS=ON \
                    -DBRISALO_HOST_BIN="$HOST_BIN"
                build build/win32
                echo build/win32
            else
                configure build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw64.cmake -DBRISALO_WINE_TESTS=ON \
                    -DBRISALO_HOST_BIN="$HOST_BIN"
                build build/win64
                echo build/win64
            fi ;;
        fuzz)
            CC=clang CXX=clang++ configure build/fuzz -DBRISALO_FUZZ=ON
            build build/fuzz ;;
        *) echo "unknown tree: $what" >&2; exit 2 ;;
    esac
done
