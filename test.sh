#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs all tests; ends with "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")"
scripts/deps.sh || { echo "0 passed, 1 failed"; exit 1; }
mkdir -p build/results
rm -f build/results/*.xml

trees=(build/native)
fail_build=0
scripts/build.sh native || fail_build=1
scripts/build.sh win32 || fail_build=1
wintree=$(scripts/build.sh wintest | tail -n 1) || fail_build=1
[ -n "$wintree" ] && trees+=("$wintree")
scripts/build.sh fuzz || fail_build=1
trees+=(build/fuzz)

source scripts/wine-env.sh
for t in "${trees[@]}"; do
    [ -f "$t/CTestTestfile.cmake" ] || continue
    echo "== ctest in $t"
    name=$(basename "$t")
    (cd "$t" && ctest -j "$(nproc)" --output-on-failure --timeout 900 --output-junit "$PWD/../results/$name.xml") \
        | grep -vE '^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed|^ *Start +[0-9]+: '
done
for arch in 32 64; do BRISALO_WINE_ARCH=$arch bash -c 'source scripts/wine-env.sh; brisalo_wine_down'; done

python3 - "$fail_build" build/results/*.xml <<'PY'
import sys, xml.etree.ElementTree as ET
passed = failed = skipped = 0
failed += int(sys.argv[1])
for f in sys.argv[2:]:
    try:
        root = ET.parse(f).getroot()
    except Exception:
        failed += 1
        continue
    for case in root.iter('testcase'):
        status = case.get('status', '')
        if case.find('skipped') is not None or status in ('notrun', 'disabled', 'skipped'):
            skipped += 1
        elif case.find('failure') is not None or case.find('error') is not None or status == 'fail':
            failed += 1
        else:
            passed += 1
line = f"{passed} passed, {failed} failed"
if skipped:
    line += f", {skipped} skipped"
print(line)
sys.exit(1 if failed or passed == 0 else 0)
PY
