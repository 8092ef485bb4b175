# Sourced by every script that runs Windows programs: the project's Wine prefix and display.
HALYARD_ROOT=${HALYARD_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$HALYARD_ROOT/build/wineprefix}
export WINEARCH=win64
export LANG=zh_CN.UTF-8            # ANSI code page 936 (Wine reads LC_ALL first)
{ export LC_ALL=zh_CN.UTF-8; } 2>/dev/null
export WINEDEBUG=-all
# No install prompts; and no Linux menu entries or desktop files for the shortcuts Windows programs
# make (Wine's shell would otherwise write them into the home folder).
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Creates the prefix once; later calls reuse it. Programs run in a Wine desktop window of
# 1280x1024: windows get their captions and maximize at once, without an X window manager (without
# one, Wine waits about two seconds on every maximized window that is hidden or destroyed).
halyard_wine_prefix() {
  local made=0
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    echo "wine: creating the prefix $WINEPREFIX" >&2
    wine wineboot -i >/dev/null 2>&1 || true
    made=1
  fi
  if [ ! -f "$WINEPREFIX/.halyard-desktop" ]; then
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 &&
      wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1 &&
      touch "$WINEPREFIX/.halyard-desktop"
    made=1
  fi
  # The session that set the prefix up may have started its desktop without a display; a program
  # joining that session could then make no window at all. Let it end first.
  if [ $made -eq 1 ]; then wineserver -w; fi
}

# Starts Xvfb when there is no usable display; halyard_stop_display stops exactly that server.
HALYARD_XVFB_PID=""
halyard_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in $(seq 90 999); do
    if [ -e "/tmp/.X$n-lock" ]; then
      # A lock whose server is gone is stale: take its number.
      kill -0 "$(tr -d ' ' < "/tmp/.X$n-lock" 2>/dev/null)" 2>/dev/null && continue
      rm -f "/tmp/.X$n-lock" "/tmp/.X11-unix/X$n"
    fi
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    HALYARD_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      kill -0 "$HALYARD_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "wine: could not start Xvfb" >&2
  return 1
}

halyard_stop_display() {
  if [ -n "$HALYARD_XVFB_PID" ]; then
    kill "$HALYARD_XVFB_PID" 2>/dev/null || true
    wait "$HALYARD_XVFB_PID" 2>/dev/null || true
    HALYARD_XVFB_PID=""
  fi
}
