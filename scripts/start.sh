#!/bin/bash
# Builds QTSysCheck.exe and starts it under Wine. With no $DISPLAY it runs on a virtual screen
# (Xvfb), waits for the checks to finish, saves a PNG of the window and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh

. tests/harness/wine-env.sh /dev/null   # for wine32_works only
preset=windows-x86
if ! wine32_works; then
  echo "note: this machine cannot run 32-bit Wine; starting the 64-bit build of the same code" >&2
  preset=windows-x64
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target QTSysCheck window_snapshot -j"$(nproc)"
build="$root/build/$preset"
exe="$build/bin/QTSysCheck.exe"
prefix="$build/wineprefix"
run=tests/harness/wine-run.sh

if [ -n "${DISPLAY:-}" ]; then
  # A real display: the person's own screen.
  tests/harness/wine-up.sh "$prefix" --own-display >/dev/null
  "$run" "$prefix" "$exe"
  tests/harness/wine-down.sh "$prefix"
  exit 0
fi

trap 'tests/harness/wine-down.sh "$prefix"' EXIT
tests/harness/wine-up.sh "$prefix" >/dev/null
"$run" "$prefix" "$exe" &
mkdir -p "$build/screenshots"
shot="$build/screenshots/QTSysCheck.png"
# 103 is the Close button: it becomes usable when the last check has run.
"$run" "$prefix" "$build/bin/window_snapshot.exe" "Quorvin Tessary Card System" "$shot" \
  --wait-enabled 103 --timeout 200 --close
wait
echo "$shot"
