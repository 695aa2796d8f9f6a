#!/bin/bash
# Test fixture clean-up: ends the prefix's Wine processes and the Xvfb display.
# Usage: wine-down.sh PREFIX
prefix="$1"
. "$(dirname "$0")/wine-env.sh" "$prefix"
wineserver -k 2>/dev/null || true
# The copy that the display-scale tests run in (wine-dpi-run.sh), if they ran.
if [ -d "$prefix-dpi" ]; then
  WINEPREFIX="$prefix-dpi" wineserver -k 2>/dev/null || true
  rm -f "$prefix-dpi.display"
fi
if [ -f "$prefix.xvfb.pid" ]; then
  kill "$(cat "$prefix.xvfb.pid")" 2>/dev/null || true
fi
rm -f "$prefix.xvfb.pid" "$prefix.display"
exit 0
