#!/usr/bin/env bash
# Builds the native tree and runs every benchmark program; each prints its ratio against the
# baseline it measures in the same run.  Extra arguments go to every program (e.g. --benchmark_filter).
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh native
for b in build/native/bench/*; do
    [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    "$b" "$@"
done
