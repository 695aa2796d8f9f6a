#!/bin/bash
# Test fixture set-up: an Xvfb display for the window tests, the build's Wine prefix (created
# once), and a wineserver started detached so that Wine's background processes never hold
# ctest's output pipe open. Usage: wine-up.sh PREFIX [--own-display]
# With --own-display the programs go to the caller's $DISPLAY instead of a new Xvfb.
set -euo pipefail
prefix="$1"
here="$(cd "$(dirname "$0")" && pwd)"

if [ "${2:-}" = "--own-display" ]; then
  echo "$DISPLAY" > "$prefix.display"
  rm -f "$prefix.xvfb.pid"
# A free display number; its number is kept beside the prefix for wine-env.sh.
elif [ ! -f "$prefix.display" ] || ! kill -0 "$(cat "$prefix.xvfb.pid" 2>/dev/null || echo none)" 2>/dev/null; then
  for n in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  setsid Xvfb ":$n" -screen 0 1366x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  echo $! > "$prefix.xvfb.pid"
  echo ":$n" > "$prefix.display"
  for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
fi

. "$here/wine-env.sh" "$prefix"

if [ ! -f "$prefix/.qt-ready" ]; then
  rm -rf "$prefix"
  mkdir -p "$prefix"
  wine64_cmd wineboot -i </dev/null >/dev/null 2>&1
  wineserver -w
  # A virtual desktop: Wine then draws title bars itself, as a window manager would.
  wine64_cmd reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
  wine64_cmd reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
  wineserver -w
  touch "$prefix/.qt-ready"
fi

setsid wineserver -p </dev/null >/dev/null 2>&1 &
# Warm the prefix from outside ctest's pipe: the first program starts Wine's services.
wine64_cmd cmd /c exit </dev/null >/dev/null 2>&1
echo "Wine prefix $WINEPREFIX on display $DISPLAY"
