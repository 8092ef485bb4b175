#!/usr/bin/env bash
# Starts a command under the project's Wine environment on an X display (its own Xvfb when there is
# none), waits, saves a PNG of the whole screen, then ends the command.
# usage: screenshot.sh [-w seconds] [-C folder] out.png command [args...]
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
wait_s=8 dir=.
while getopts "w:C:" opt; do
  case $opt in w) wait_s=$OPTARG ;; C) dir=$OPTARG ;; *) exit 2 ;; esac
done
shift $((OPTIND - 1))
[ $# -ge 2 ] || { echo "usage: $0 [-w seconds] [-C folder] out.png command [args...]" >&2; exit 2; }
out=$1; shift
mkdir -p "$(dirname "$out")"
halyard_wine_prefix
halyard_display || exit 1
(cd "$dir" && exec "$@") &
pid=$!
sleep "$wait_s"
import -window root "$out"
rc=$?
kill "$pid" 2>/dev/null
wineserver -k 2>/dev/null
wait "$pid" 2>/dev/null
halyard_stop_display
[ $rc -eq 0 ] && echo "screenshot: $(cd "$(dirname "$out")" && pwd)/$(basename "$out")"
exit $rc
