# Sourced by the harness scripts: the environment every Wine call of the tests runs in.
# $1 is the build tree's Wine prefix; the tests never touch ~/.wine.
export WINEPREFIX="$1"
export WINEDEBUG=-all
# No Mono or Gecko install prompts.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ -f "$WINEPREFIX.display" ]; then
  DISPLAY=$(cat "$WINEPREFIX.display")
  export DISPLAY
fi

# Debian's `wine` starts the 32-bit loader, which needs a kernel that runs 32-bit Linux
# programs; some machines (certain VMs and sandboxes) have none. The 64-bit loader runs
# 64-bit Windows programs there, so that is the one used for everything but 32-bit programs.
WINE64_LOADER=/usr/lib/wine/wine64
WINE32_LOADER=/usr/lib/wine/wine
wine32_works() {
  [ -x "$WINE32_LOADER" ] && "$WINE32_LOADER" --version >/dev/null 2>&1
}
if [ -x "$WINE64_LOADER" ]; then
  export WINELOADER="$WINE64_LOADER"
  wine64_cmd() { "$WINE64_LOADER" "$@"; }
else
  wine64_cmd() { wine "$@"; }
fi

# True when the file is a 32-bit (PE32) Windows program.
is_pe32() {
  [ "$(od -An -tx1 -j "$(( $(od -An -tu4 -j 60 -N 4 "$1") + 24 ))" -N 2 "$1" 2>/dev/null | tr -d ' ')" = "0b01" ]
}
