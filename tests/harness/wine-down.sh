#!/bin/bash
# Test fixture clean-up: ends the prefix's Wine processes and the Xvfb display.
# Usage: wine-down.sh PREFIX
prefix="$1"
. "$(dirname "$0")/wine-env.sh" "$prefix"
wineserver -k 2>/dev/null || true
if [ -f "$prefix.xvfb.pid" ]; then
  kill "$(cat "$prefix.xvfb.pid")" 2>/dev/null || true
fi
rm -f "$prefix.xvfb.pid" "$prefix.display"
exit 0
