// Imports version.dll and wininet.dll statically, as the checker once did: the planting test's
// proof that it sees planted DLLs that a program loads before its first line. Wine binds a
// function that a planted DLL lacks to a stub, so the first call ends the probe, after the
// planted DLLs have left their markers.
#include <windows.h>
#include <wininet.h>

int main() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    DWORD handle = 0;
    GetFileVersionInfoSizeA(self, &handle);
    InternetAttemptConnect(0);
    return 0;
}
