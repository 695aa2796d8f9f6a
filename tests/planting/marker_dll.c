/* Planted beside a program under the names of system libraries: when any process loads it, it
 * leaves "<its own file name>.loaded" beside itself, so a test sees which names were loaded.
 * It exports nothing; only its loading matters. */
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

static void LeaveMarker(HINSTANCE self) {
    /* Static: no heap work under the loader lock. */
    static WCHAR path[32768];
    static const WCHAR suffix[] = L".loaded";
    const DWORD room = (DWORD)(sizeof path / sizeof path[0] - sizeof suffix / sizeof suffix[0]);
    const DWORD n = GetModuleFileNameW(self, path, room);
    if (n == 0 || n >= room) return;
    for (DWORD i = 0; i < sizeof suffix / sizeof suffix[0]; ++i) path[n + i] = suffix[i];
    const HANDLE marker = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, NULL);
    if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) LeaveMarker(self);
    return TRUE;
}
