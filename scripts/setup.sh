#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine, only what is missing.
# Used by start.sh and test.sh; safe to run again.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

packages=(cmake make python3 g++ googletest
          g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 mingw-w64-tools binutils-mingw-w64-i686
          wine wine64 wine32:i386 xvfb xauth
          clang libclang-rt-14-dev osslsigncode openssl)
for p in "${packages[@]}"; do have "$p" || need+=("$p"); done
[ ${#need[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages: ${need[*]}; run this script as root to install them" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -q
apt-get install -y -q "${need[@]}"
