#!/bin/bash
# The build's CMAKE_CROSSCOMPILING_EMULATOR: runs a Windows program in the build's Wine prefix.
# Usage: wine-run.sh PREFIX PROGRAM.exe [ARGS...]
# Exits 77 (ctest's "skipped") for a 32-bit program on a machine where 32-bit Wine cannot run.
. "$(dirname "$0")/wine-env.sh" "$1"
shift
if is_pe32 "$1"; then
  if ! wine32_works; then
    echo "skipped: this machine cannot run 32-bit Wine (its kernel runs no 32-bit Linux programs)"
    exit 77
  fi
  unset WINELOADER
  exec wine "$@"
fi
exec "$WINE64_LOADER" "$@"
