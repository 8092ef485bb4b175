#!/usr/bin/env bash
# Builds both Windows builds (scripts/build.sh --i686) and packages each of them into
# build/packages: an installer (Halyard-<version>-win64-installer.exe, ...-win32-installer.exe)
# and a portable zip of the installation folder (Halyard-<version>-win64.zip, ...-win32.zip).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" --i686
for build in win64 win32; do
  cmake --build "$root/build/$build" --target package
done
ls -l "$root/build/packages"
