#!/bin/bash
# Runs a Windows program with Wine set to a display scale, in a copy of the build's prefix so that
# the other tests keep theirs at 100 %. Wine reads the scale (LogPixels) when its server starts, so
# the copy's server is restarted after the setting. The copy's files are hard links to the
# prefix's, but for the registry's, which Wine rewrites in place: those are copied.
# Usage: wine-dpi-run.sh PREFIX DPI PROGRAM.exe [ARGS...]   (DPI 96 = 100 %, 144 = 150 %)
# With QT_TEST_SCHEME=high-contrast-black, a copy of its own takes Windows' High Contrast Black
# colours too.
# Exits 77 (ctest's "skipped") for a 32-bit program where 32-bit Wine cannot run.
set -uo pipefail
main="$1" dpi="$2"
shift 2
here="$(cd "$(dirname "$0")" && pwd)"
scheme="${QT_TEST_SCHEME:-}"
copy="$main-dpi${scheme:+-$scheme}"

. "$here/wine-env.sh" "$main"   # the display of the running fixture
if is_pe32 "$1" && ! wine32_works; then
  echo "skipped: this machine cannot run 32-bit Wine (its kernel runs no 32-bit Linux programs)"
  exit 77
fi
if [ ! -f "$copy/.qt-ready" ]; then
  rm -rf "$copy"
  cp -al "$main" "$copy" || exit 1
  for hive in "$copy"/*.reg; do
    rm -f "$hive" && cp -p "$main/$(basename "$hive")" "$hive" || exit 1
  done
fi
cp "$main.display" "$copy.display"
. "$here/wine-env.sh" "$copy"

wineserver -k 2>/dev/null
for key in 'HKCU\Control Panel\Desktop' \
           'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
  wine64_cmd reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1 || exit 1
done
if [ "$scheme" = high-contrast-black ]; then
  for colour in 'Window 0 0 0' 'ButtonFace 0 0 0' 'WindowText 255 255 255' 'ButtonText 255 255 255' \
                'HotTrackingColor 255 255 0'; do
    wine64_cmd reg add 'HKCU\Control Panel\Colors' /v "${colour%% *}" /d "${colour#* }" /f \
      </dev/null >/dev/null 2>&1 || exit 1
  done
fi
# At 200 % the window, with the links to the fixes, is wider than the prefix's 1024 x 768 desktop:
# give the copy the whole screen, a 1366 x 768 laptop's.
wine64_cmd reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1366x768 /f </dev/null >/dev/null 2>&1
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
# As wine-up.sh does: a detached server, warmed from outside ctest's pipe.
setsid wineserver -p 10 </dev/null >/dev/null 2>&1 &
wine64_cmd cmd /c exit </dev/null >/dev/null 2>&1

# (Wine passes no QT_ variable on to Windows programs.)
QTSYSCHECK_TEST_DPI="$dpi" "$here/wine-run.sh" "$copy" "$@"
status=$?
wineserver -k 2>/dev/null
exit $status
