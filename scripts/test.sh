#!/usr/bin/env bash
# Installs what is missing, builds everything (the 32-bit programs too), and runs every test:
# the native core tests and the Windows tests under Wine. Ends with a summary and its exit status.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
start=$(date +%s)
"$root/scripts/setup.sh" || { echo "TESTS FAILED: setup"; exit 1; }
# Both builds, and their installers and zips (the 64-bit ones are tested below).
"$root/scripts/package.sh" || { echo "TESTS FAILED: build or packages"; exit 1; }
cmake --build "$root/build/win64" -j "$(nproc)" --target win_tests e2e_tests package_tests ||
  { echo "TESTS FAILED: build of the Windows tests"; exit 1; }
# The 32-bit tests are compiled, not run: these machines do not execute 32-bit code.
cmake --build "$root/build/win32" -j "$(nproc)" --target win_tests e2e_tests package_tests ||
  { echo "TESTS FAILED: build of the 32-bit Windows tests"; exit 1; }

source "$root/scripts/wine-env.sh"
halyard_wine_prefix
halyard_display || { echo "TESTS FAILED: no display"; exit 1; }
# One Wine server and its services for the whole run, started here so that they do not hold the
# output pipes of the first test open.
wineserver -p
wine cmd /c exit >/dev/null 2>&1 </dev/null
cleanup() { wineserver -k 2>/dev/null; halyard_stop_display; }
trap cleanup EXIT

status=0
echo "== native tests"
ctest --test-dir "$root/build/host" --output-on-failure || status=1
echo "== fuzz targets"
"$root/scripts/fuzz.sh" || status=1
echo "== Windows tests (Wine)"
ctest --test-dir "$root/build/win64" --output-on-failure || status=1

secs=$(( $(date +%s) - start ))
if [ $status -eq 0 ]; then echo "ALL TESTS PASSED (${secs}s)"; else echo "TESTS FAILED (${secs}s)"; fi
exit $status
