#!/bin/bash
# Checks the shipped program file without running it: a GUI program of the expected kind that
# imports only DLLs every Windows has, and no function that Windows XP lacks.
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
exit $fail
