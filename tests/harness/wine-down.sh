#!/bin/bash
# Test fixture clean-up: ends the prefix's Wine processes and the Xvfb display.
# Usage: wine-down.sh PREFIX
prefix="$1"
. "$(dirname "$0")/wine-env.sh" "$prefix"
wineserver -k 2>/dev/null || true
# The copies that the display-scale and colour-scheme tests run in (wine-dpi-run.sh), if they ran.
for copy in "$prefix-dpi" "$prefix-dpi-high-contrast-black"; do
  if [ -d "$copy" ]; then
    WINEPREFIX="$copy" wineserver -k 2>/dev/null || true
    rm -f "$copy.display"
  fi
done
if [ -f "$prefix.xvfb.pid" ]; then
  kill "$(cat "$prefix.xvfb.pid")" 2>/dev/null || true
fi
rm -f "$prefix.xvfb.pid" "$prefix.display"
exit 0
