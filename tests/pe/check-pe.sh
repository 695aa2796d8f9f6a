#!/bin/bash
# Checks the shipped program file without running it: a GUI program of the expected kind that
# imports only DLLs every Windows has, no function that Windows XP lacks, and that lets the
# loader harden it (address randomisation, no executable data).
# Usage: check-pe.sh OBJDUMP PROGRAM.exe pe32|pe32+
set -euo pipefail
objdump="$1" exe="$2" kind="$3"
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
  if [ "$kind" = pe32+ ]; then
    need_flag "$dll_flags" 0x20 "DllCharacteristics lacks HIGH_ENTROPY_VA (64-bit randomisation)"
    need_flag "$file_flags" 0x20 "not large-address aware, which HIGH_ENTROPY_VA needs"
  fi
  (( file_flags & 0x1 )) && complain "relocations stripped: the program cannot be moved"
  grep -Eq '^Entry 5 [0-9a-fA-F]+ 0*[1-9a-fA-F][0-9a-fA-F]* Base Relocation' <<<"$headers" ||
    complain "no base relocations: the program cannot be moved"
fi

allowed="kernel32 user32 gdi32 advapi32 shell32 ole32 version wininet comctl32 msvcrt crypt32"
while read -r dll; do
  lower=$(tr 'A-Z' 'a-z' <<<"${dll%.*}")
  [[ " $allowed " == *" $lower "* ]] || complain "imports $dll, which is not a Windows system DLL it may use"
done < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers")

# Functions that mingw's runtime likes to import but Windows XP SP2 does not have.
newer="GetTickCount64 InitializeConditionVariable SleepConditionVariableCS SleepConditionVariableSRW
WakeConditionVariable WakeAllConditionVariable InitializeSRWLock AcquireSRWLockExclusive
AcquireSRWLockShared ReleaseSRWLockExclusive ReleaseSRWLockShared TryAcquireSRWLockExclusive
InitOnceExecuteOnce InitOnceBeginInitialize FlsAlloc FlsFree FlsGetValue FlsSetValue
InitializeCriticalSectionEx GetSystemTimePreciseAsFileTime CompareStringEx LCMapStringEx
GetLocaleInfoEx GetErrorMode SetThreadErrorMode CreateSymbolicLinkA CreateSymbolicLinkW
GetFinalPathNameByHandleW CancelIoEx K32GetProcessMemoryInfo GetCurrentProcessorNumber"
imports=$(awk '/DLL Name:/{on=1} on && /^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+[A-Za-z_]/{print $3}' <<<"$headers")
for f in $newer; do
  grep -qx "$f" <<<"$imports" && complain "imports $f, which Windows XP does not have"
done

echo "$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr '\n' ' ')"
echo "$(stat -c %s "$exe") bytes"
sed -n '/^DllCharacteristics/,/^[A-Z]/{/^[[:space:]]/p}' <<<"$headers" | tr -s '\t\n' '  '; echo
exit $fail
