# Sourced by every script that runs one of our Windows programs.  Gives a private Wine prefix under
# build/ (never the user's ~/.wine), one per word size, quiet, without the Mono and Gecko installers,
# and one persistent wineserver per prefix whose standard streams are detached, so that Wine's
# background services never hold a caller's pipes open (ctest would otherwise wait for them forever).
#
# BRISALO_WINE_ARCH=32 runs PE32 programs (needs a kernel that executes 32-bit code and wine32);
# BRISALO_WINE_ARCH=64 runs PE32+ programs with wine64.
BRISALO_ROOT=${BRISALO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
BRISALO_WINE_ARCH=${BRISALO_WINE_ARCH:-64}
if [ "$BRISALO_WINE_ARCH" = 32 ]; then
    export WINEARCH=win32
    BRISALO_WINE=/usr/lib/wine/wine
    BRISALO_WINESERVER=/usr/lib/wine/wineserver32
else
    export WINEARCH=win64
    BRISALO_WINE=/usr/lib/wine/wine64
    BRISALO_WINESERVER=/usr/lib/wine/wineserver64
fi
[ -x "$BRISALO_WINESERVER" ] || BRISALO_WINESERVER=/usr/lib/wine/wineserver
export WINESERVER=$BRISALO_WINESERVER
export WINEPREFIX=${BRISALO_WINEPREFIX:-$BRISALO_ROOT/build/wineprefix$BRISALO_WINE_ARCH}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}

wineserver_running() {
    # a running server for this prefix listens on .../server-DEV-INODE/socket in a wine folder of /tmp
    local id
    [ -d "$WINEPREFIX" ] || return 1
    id=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
    compgen -G "/tmp/.wine-$(id -u)/$id/socket" >/dev/null || compgen -G "/tmp/wine-*/$id/socket" >/dev/null
}

brisalo_wine_up() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.brisalo-ready" ]; then
            env -u DISPLAY "$BRISALO_WINE" wineboot -i </dev/null >/dev/null 2>&1 || true
            "$BRISALO_WINESERVER" -w </dev/null >/dev/null 2>&1 || true
            touch "$WINEPREFIX/.brisalo-ready"
        fi
        if ! wineserver_running; then
            setsid "$BRISALO_WINESERVER" -p </dev/null >/dev/null 2>&1 9>&- &
            for _ in $(seq 100); do wineserver_running && break; sleep 0.1; done
            # Bring up Wine's background services now, with detached streams: started by the first
            # program instead, they would inherit its stdout and hold the caller's pipe open.
            # (BRISALO_WINE_LOG names a file for their messages, for tests that want to see them.)
            "$BRISALO_WINE" wineboot </dev/null >>"${BRISALO_WINE_LOG:-/dev/null}" 2>&1 9>&- || true
        fi
    ) 9>"$WINEPREFIX.lock"
}

brisalo_wine_down() {
    "$BRISALO_WINESERVER" -k </dev/null >/dev/null 2>&1 || true
}

# Can this machine run PE32 programs at all?  (Some kernels are built without 32-bit support.)
brisalo_can_run_pe32() {
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}
