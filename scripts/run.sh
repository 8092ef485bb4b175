#!/usr/bin/env bash
# Installs what is missing, builds, stages, and starts Halyard.exe from its installation folder on
# a sample source file. Without a display it runs under Xvfb and saves a screenshot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
dist=$root/build/win64/dist/Halyard
mkdir -p "$root/build/sample"
cp "$root/samples/hello.asm" "$root/build/sample/hello.asm"
sample="Z:$(echo "$root/build/sample/hello.asm" | tr / '\\')"
source "$root/scripts/wine-env.sh"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  halyard_wine_prefix
  cd "$dist" && exec wine Halyard.exe "$sample"
fi
# A Wine desktop window gives the program its caption and a full-screen work area.
exec "$root/scripts/screenshot.sh" -w 10 -C "$dist" "$root/build/screenshots/halyard.png" \
  wine explorer /desktop=Halyard,1280x1024 Halyard.exe "$sample"
