#!/usr/bin/env bash
# Runs one Windows program of ours under Wine; ctest's emulator for the Windows trees.
# Usage: wine-run.sh [--arch 32|64] [--path DIR]... PROGRAM.exe [ARGS...]
# Each --path folder is searched for DLLs, so tests load the staged libraries by name.
set -euo pipefail
paths=()
while [ $# -gt 0 ]; do
    case "$1" in
        --arch) export BRISALO_WINE_ARCH=$2; shift 2 ;;
        --path) p=$(cd "$2" 2>/dev/null && pwd || echo "$2"); paths+=("Z:${p//\//\\}"); shift 2 ;;
        *) break ;;
    esac
done
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
if [ ${#paths[@]} -gt 0 ]; then
    WINEPATH=$(IFS=';'; echo "${paths[*]}")
    export WINEPATH
fi
brisalo_wine_up
exec "$BRISALO_WINE" "$@" </dev/null
