#!/usr/bin/env bash
# Builds and runs the debugger's step benchmark under the project's Wine prefix:
#   bench/win/debug_step_bench.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cmake --build "$root/build/win64" --target bench_debug_step stage >/dev/null
source "$root/scripts/wine-env.sh"
halyard_wine_prefix >/dev/null
halyard_display >/dev/null
wine cmd /c exit >/dev/null 2>&1
folder=$(mktemp -d)
wine "$root/build/win64/bench_debug_step.exe" "$(winepath -w "$root/build/win64/dist/Halyard/bin/Dosrun.exe")" \
  "$(winepath -w "$folder")" | tr -d '\r'
rm -rf "$folder"
