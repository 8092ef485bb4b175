#!/usr/bin/env bash
# Builds and runs the DOS session benchmark under the project's Wine prefix:
#   bench/win/session_bench.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cmake --build "$root/build/win64" --target bench_session stage dos_test_programs >/dev/null
source "$root/scripts/wine-env.sh"
halyard_wine_prefix >/dev/null
halyard_display >/dev/null
wine cmd /c exit >/dev/null 2>&1
dist=$(winepath -w "$root/build/win64/dist/Halyard/bin/Dosrun.exe")
programs=$(winepath -w "$root/build/win64/dos")
wine "$root/build/win64/bench_session.exe" "$dist" "$programs" | tr -d '\r'

# The processor time a session takes at its prompt, as Linux counts it for the Dosrun process
# (Wine's GetProcessTimes of another process may lag): 10 s in a console of its own.
folder=$(mktemp -d)
cp "$root/build/win64/dist/Halyard/bin/Dosrun.exe" "$folder/"
(cd "$folder" && wine start Dosrun.exe >/dev/null 2>&1 &)
sleep 4
pid=$(pgrep -f "Dosrun.exe" | head -1)
ticks=$(getconf CLK_TCK)
before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
sleep 10
after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
kill "$pid"
awk -v t=$((after - before)) -v hz="$ticks" 'BEGIN { printf "session at the prompt, by Linux:     %7.2f %% of a core over 10 s\n", t * 100 / hz / 10 }'
rm -rf "$folder"
