/* A stand-in for winscard.dll: Wine 8's own is a stub that knows no reader. Copied over the
 * prefix's system copy as winscard.dll, it answers what the environment of the process says:
 *   QT_TEST_WINSCARD_ESTABLISH  hex code SCardEstablishContext returns (0 when not set)
 *   QT_TEST_WINSCARD_LIST       hex code SCardListReadersA returns (0 when not set)
 *   QT_TEST_WINSCARD_LIST_SLEEP hex milliseconds SCardListReadersA sleeps before it answers, as a
 *                               Remote Desktop client that does not answer
 *   QT_TEST_WINSCARD_READER1..4 "HEXSTATE NAME": a reader and the event state it reports; the name
 *                               is given to the caller in the ANSI code page, as Windows does.
 *                               "!HEXCODE NAME": a reader whose status call fails with that code
 *   QT_TEST_WINSCARD_LOG        a file each call appends one line to, with how it was called */
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <winscard.h>

#include <stdio.h>
#include <string.h>
#include <wchar.h>

#define MOST_READERS 4
#define LONGEST_NAME 512

static const SCARDCONTEXT kContext = 0x5CA4D;

struct Reader {
    char name[LONGEST_NAME];
    DWORD state;
    DWORD code; /* what a status call about it returns */
};

static DWORD ScriptedCode(const wchar_t* variable) {
    wchar_t value[16];
    const DWORD n = GetEnvironmentVariableW(variable, value, 16);
    return n == 0 || n >= 16 ? 0 : (DWORD)wcstoul(value, NULL, 16);
}

static int ScriptedReaders(struct Reader* readers) {
    int count = 0;
    for (int i = 1; i <= MOST_READERS; ++i) {
        wchar_t variable[32], value[LONGEST_NAME];
        swprintf(variable, 32, L"QT_TEST_WINSCARD_READER%d", i);
        const DWORD n = GetEnvironmentVariableW(variable, value, LONGEST_NAME);
        if (n == 0 || n >= LONGEST_NAME) break;
        wchar_t* name = NULL;
        const int fails = value[0] == L'!';
        const DWORD number = (DWORD)wcstoul(value + fails, &name, 16);
        readers[count].state = fails ? 0 : number;
        readers[count].code = fails ? number : 0;
        if (*name == L' ') ++name;
        if (!WideCharToMultiByte(CP_ACP, 0, name, -1, readers[count].name, LONGEST_NAME, NULL, NULL)) break;
        ++count;
    }
    return count;
}

static void Log(const char* line) {
    wchar_t path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"QT_TEST_WINSCARD_LOG", path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    const HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, NULL, OPEN_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line, (DWORD)strlen(line), &written, NULL);
    WriteFile(file, "\n", 1, &written, NULL);
    CloseHandle(file);
}

static const char* Which(SCARDCONTEXT context) { return context == kContext ? "ours" : "another"; }

__declspec(dllexport) LONG WINAPI SCardEstablishContext(DWORD scope, LPCVOID reserved1, LPCVOID reserved2,
                                                        LPSCARDCONTEXT context) {
    char line[96];
    snprintf(line, sizeof line, "SCardEstablishContext scope=%lu", (unsigned long)scope);
    Log(line);
    (void)reserved1;
    (void)reserved2;
    const DWORD code = ScriptedCode(L"QT_TEST_WINSCARD_ESTABLISH");
    if (code == 0) *context = kContext;
    return (LONG)code;
}

__declspec(dllexport) LONG WINAPI SCardReleaseContext(SCARDCONTEXT context) {
    char line[96];
    snprintf(line, sizeof line, "SCardReleaseContext context=%s", Which(context));
    Log(line);
    return SCARD_S_SUCCESS;
}

__declspec(dllexport) LONG WINAPI SCardListReadersA(SCARDCONTEXT context, LPCSTR groups, LPSTR list, LPDWORD length) {
    char line[128];
    snprintf(line, sizeof line, "SCardListReadersA context=%s groups=%s", Which(context), groups ? "some" : "all");
    Log(line);
    Sleep(ScriptedCode(L"QT_TEST_WINSCARD_LIST_SLEEP"));
    const DWORD code = ScriptedCode(L"QT_TEST_WINSCARD_LIST");
    if (code != 0) return (LONG)code;
    static struct Reader readers[MOST_READERS];
    const int count = ScriptedReaders(readers);
    if (count == 0) return (LONG)SCARD_E_NO_READERS_AVAILABLE;
    DWORD needed = 1;
    for (int i = 0; i < count; ++i) needed += (DWORD)strlen(readers[i].name) + 1;
    if (*length < needed) {
        *length = needed;
        return (LONG)SCARD_E_INSUFFICIENT_BUFFER;
    }
    char* at = list;
    for (int i = 0; i < count; ++i) {
        const size_t size = strlen(readers[i].name) + 1;
        memcpy(at, readers[i].name, size);
        at += size;
    }
    *at = '\0';
    *length = needed;
    return SCARD_S_SUCCESS;
}

__declspec(dllexport) LONG WINAPI SCardGetStatusChangeA(SCARDCONTEXT context, DWORD timeout,
                                                        LPSCARD_READERSTATEA states, DWORD count) {
    static struct Reader readers[MOST_READERS];
    const int known = ScriptedReaders(readers);
    for (DWORD i = 0; i < count; ++i) {
        int which = 0; /* the reader's number in the script; 0 for one it does not know */
        for (int r = 0; r < known && r < MOST_READERS; ++r)
            if (strcmp(states[i].szReader, readers[r].name) == 0) which = r + 1;
        char line[160];
        snprintf(line, sizeof line, "SCardGetStatusChangeA context=%s timeout=%lu current=0x%lx user=%s reader=%d",
                 Which(context), (unsigned long)timeout, (unsigned long)states[i].dwCurrentState,
                 states[i].pvUserData ? "set" : "null", which);
        Log(line);
        if (which && readers[which - 1].code) return (LONG)readers[which - 1].code;
        states[i].dwEventState =
            which ? readers[which - 1].state : SCARD_STATE_UNKNOWN | SCARD_STATE_CHANGED | SCARD_STATE_IGNORE;
    }
    return SCARD_S_SUCCESS;
}
