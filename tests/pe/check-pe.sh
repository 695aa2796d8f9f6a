#!/bin/bash
# Checks the shipped program file without running it: a GUI program of the expected kind that
# takes from DLLs only functions on the reviewed list of what Windows XP SP2 has (so it imports
# only DLLs Windows protects from planting), and that lets the loader harden it (address
# randomisation, no executable data), and that is aware of terminal services.
# Usage: check-pe.sh OBJDUMP PROGRAM.exe pe32|pe32+ [FUNCTION_LIST SOURCE_DIR [DLLS [MAX_BYTES]]]
# Without the list of functions Windows XP SP2 has (xp-sp2-functions.txt), only the kind and the
# hardening are checked. DLLS, such as "advapi32.dll gdi32.dll", is the exact set of DLLs the
# program must import, in any order and case. MAX_BYTES is the largest the file may be.
set -euo pipefail
objdump="$1" exe="$2" kind="$3" allow_list="${4:-}" sources="${5:-}" expected_dlls="${6:-}" max_bytes="${7:-}"
headers=$("$objdump" -p "$exe")
fail=0
complain() { echo "FAIL: $*"; fail=1; }

case "$kind" in
  pe32)  grep -q 'Magic.*(PE32)' <<<"$headers" || complain "not a 32-bit (PE32) program" ;;
  pe32+) grep -q 'Magic.*(PE32+)' <<<"$headers" || complain "not a 64-bit (PE32+) program" ;;
esac
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || complain "not a GUI-subsystem program"

# Hardening. DYNAMIC_BASE lets the loader place the program at a random address, which needs the
# base relocations kept; NX_COMPAT keeps data pages from running as code; a 64-bit program also
# asks for randomisation over the whole 64-bit space (HIGH_ENTROPY_VA, which needs the program to
# be large-address aware). Older Windows ignores these flags.
field() {  # the hexadecimal value of a header line, without 0x
  sed -En "s/^$1[[:space:]]+(0x)?([0-9a-fA-F]+).*/\2/p" <<<"$headers" | head -n1
}
dll_flags=$(field DllCharacteristics) file_flags=$(field Characteristics)
if [ -z "$dll_flags" ] || [ -z "$file_flags" ]; then
  complain "no DllCharacteristics or Characteristics in the headers"
else
  dll_flags=$((16#$dll_flags)) file_flags=$((16#$file_flags))
  need_flag() { (( $1 & $2 )) || complain "$3"; }
  need_flag "$dll_flags" 0x40 "DllCharacteristics lacks DYNAMIC_BASE (no address randomisation)"
  need_flag "$dll_flags" 0x100 "DllCharacteristics lacks NX_COMPAT (data pages executable)"
  # Aware of terminal services: on a Remote Desktop session host, Windows gives a program without
  # the flag a private Windows folder of the user's.
  need_flag "$dll_flags" 0x8000 "DllCharacteristics lacks TERMINAL_SERVER_AWARE (a private Windows folder on Remote Desktop hosts)"
  if [ "$kind" = pe32+ ]; then
    need_flag "$dll_flags" 0x20 "DllCharacteristics lacks HIGH_ENTROPY_VA (64-bit randomisation)"
    need_flag "$file_flags" 0x20 "not large-address aware, which HIGH_ENTROPY_VA needs"
  fi
  (( file_flags & 0x1 )) && complain "relocations stripped: the program cannot be moved"
  grep -Eq '^Entry 5 [0-9a-fA-F]+ 0*[1-9a-fA-F][0-9a-fA-F]* Base Relocation' <<<"$headers" ||
    complain "no base relocations: the program cannot be moved"
fi

# Every function the program takes from a DLL must be on the reviewed list of functions Windows
# XP SP2 has: those it imports, and those it loads on first use (found in the sources where they
# are looked up: SystemLibrary's Get<...>("Name") after the call that names its DLL, such as
# WinInetLibrary()).
if [ -n "$allow_list" ]; then
  listed() {  # listed DLL FUNCTION HOW
    awk -v d="$1" -v f="$2" -v h="$3" '!/^#/ && tolower($1) == d && $2 == f && $3 == h {found = 1} END {exit !found}' "$allow_list"
  }
  while read -r dll function; do
    dll=$(tr 'A-Z' 'a-z' <<<"$dll")
    listed "$dll" "$function" import ||
      complain "imports $dll $function, which is not on the list of functions Windows XP SP2 has"
  done < <(awk -F'\t' '/DLL Name:/ {split($2, a, ": "); dll = a[2]; next}
                        dll != "" && NF >= 3 && $2 ~ /^[0-9a-f]+$/ {split($3, b, " "); print dll, b[2]}' <<<"$headers")
  while read -r dll function; do
    listed "$dll" "$function" first-use ||
      complain "loads $dll $function on first use, which is not on the list of functions Windows XP SP2 has"
  done < <(awk '/WinInetLibrary\(\)/ {dll = "wininet.dll"} /VersionLibrary\(\)/ {dll = "version.dll"}
               /ShellLibrary\(\)/ {dll = "shell32.dll"} /Ole32Library\(\)/ {dll = "ole32.dll"}
               /CommonControlsLibrary\(\)/ {dll = "comctl32.dll"} /WinsockLibrary\(\)/ {dll = "ws2_32.dll"}
               /WinScardLibrary\(\)/ {dll = "winscard.dll"}
               /SecurityLibrary\(\)/ {dll = "secur32.dll"} /WinHttpLibrary\(\)/ {dll = "winhttp.dll"}
               match($0, /Get<[^>]*>\("[A-Za-z0-9_]+"\)/) {
                 name = substr($0, RSTART, RLENGTH); sub(/^Get<[^>]*>\("/, "", name); sub(/"\)$/, "", name)
                 print dll, name }' "$sources"/platform/*.cpp)
fi

imported_dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
if [ -n "$expected_dlls" ]; then
  expected_dlls=$(tr 'A-Z ' 'a-z\n' <<<"$expected_dlls" | sed '/^$/d' | sort | tr '\n' ' ')
  [ "$imported_dlls" = "$expected_dlls" ] ||
    complain "imports ${imported_dlls% }, not exactly ${expected_dlls% } (known DLLs only)"
fi

# The file handed to customers stays small; the size is named so a build over it says by how much.
bytes=$(stat -c %s "$exe")
if [ -n "$max_bytes" ] && (( bytes > max_bytes )); then
  complain "$(basename "$exe") is $bytes bytes ($((bytes / 1024)) KB), over the limit of $max_bytes bytes ($((max_bytes / 1024)) KB) by $((bytes - max_bytes))"
fi

echo "$imported_dlls"
echo "$bytes bytes"
sed -n '/^DllCharacteristics/,/^[A-Z]/{/^[[:space:]]/p}' <<<"$headers" | tr -s '\t\n' '  '; echo
exit $fail
