#!/usr/bin/env bash
# Builds and runs the debugger's step benchmark in the real IDE under the project's Wine prefix:
#   bench/win/debug_ui_step_bench.sh <folder whose masm16/ holds MASM.EXE and LINK.EXE>
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
tools=${1:?name the folder of the DOS tools}
cmake --build "$root/build/win64" --target bench_debug_ui_step stage >/dev/null
source "$root/scripts/wine-env.sh"
halyard_wine_prefix >/dev/null
halyard_display >/dev/null
wine cmd /c exit >/dev/null 2>&1
HALYARD_DIST=$(winepath -w "$root/build/win64/dist/Halyard") \
  wine "$root/build/win64/bench_debug_ui_step.exe" "$(winepath -w "$tools")" | tr -d '\r'
