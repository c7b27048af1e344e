#!/usr/bin/env bash
# Builds and starts the painting program under Wine.  With a display it opens the program for you;
# without one it runs it under Xvfb, saves a screenshot to out/screenshot.png and exits.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh native win32
source scripts/wine-env.sh
if brisalo_can_run_pe32; then
    tree=build/win32 arch=32
else
    # This kernel cannot execute 32-bit code, so Wine cannot run the PE32 product here; run the
    # x86_64 build of the same sources instead.
    echo "note: this machine cannot run 32-bit programs; starting the x86_64 build" >&2
    tree=$(scripts/build.sh wintest | tail -n 1) arch=64
fi
if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
    export BRISALO_WINE_ARCH=$arch
    source scripts/wine-env.sh
    brisalo_wine_up
    cd "$tree/Brisalo6"
    exec "$BRISALO_WINE" pintara6.exe "$@"
fi
exec python3 scripts/demo.py --tree "$tree" --arch "$arch" --out out/screenshot.png -- "$@"
