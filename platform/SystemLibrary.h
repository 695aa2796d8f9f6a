#pragma once
// A system DLL that the program does not import, loaded on first use, after WinMain has
// restricted the DLL search: by its full path in the system folder, or, for one the manifest takes
// side by side, by its name. Windows looks for a DLL in the program's own folder first unless it
// is one it protects (a "known DLL"); wininet.dll, version.dll and comctl32.dll are not protected,
// so a DLL of that name saved beside the program, as a drive-by download can do, would be taken
// instead. By full path, and with the search order that looks for its own imports in its own
// folder, only the system's copy is loaded. The DLL stays loaded until the program ends: an
// abandoned fetch may still be using it.
#include "MissingSystemFunction.h"
#include "Threads.h"
#include "Win32.h"

namespace platform {

class SystemLibrary {
public:
    enum class Lookup {
        // By its full path in the system folder.
        FullPath,
        // By its name, searching the system folder only where Windows can be told so: for a DLL
        // that the program's manifest takes side by side (comctl32 version 6), which a full path
        // would bypass.
        SideBySide,
    };

    explicit SystemLibrary(const char* fileName, Lookup lookup = Lookup::FullPath)
        : fileName_(fileName), lookup_(lookup) {}
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;

    // The exported function `name`, as a pointer of type `Function`. Throws MissingSystemFunction
    // when the DLL cannot be loaded or has no such function. Thread-safe.
    template <typename Function>
    Function Get(const char* name) {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(Address(name)));
    }

private:
    FARPROC Address(const char* name);

    const char* fileName_;
    Lookup lookup_;
    Mutex mutex_;
    bool loaded_ = false;
    HMODULE module_ = nullptr;
};

// The ones the program needs once its window is up: the Internet and version-resource functions,
// and the shell's folder and command-line functions. shell32.dll and ole32.dll are protected,
// but taking them on first use keeps them, and all they load, out of the way of the first paint.
SystemLibrary& WinInetLibrary();
SystemLibrary& VersionLibrary();
SystemLibrary& ShellLibrary();
SystemLibrary& Ole32Library();
// comctl32.dll, for the tooltips and the themed button. Not a known DLL either: imported, it and
// the uxtheme.dll it loads would be looked for beside the program before WinMain could restrict
// the search. Taken side by side, so that the manifest still gets version 6.
SystemLibrary& CommonControlsLibrary();

// A function that only newer Windows has, from a DLL every process has loaded already (kernel32,
// user32, ntdll), looked up by name so that the program still starts where it is missing: null
// there.
template <typename Function>
Function OptionalFunction(const char* loadedDll, const char* name) {
    const HMODULE module = GetModuleHandleA(loadedDll);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// First thing in WinMain: DLLs loaded from then on, and the DLLs they load in turn, come from the
// system folder only (SetDefaultDllDirectories, Windows 8 and later, and 7 and Vista with its
// update); where that is missing, at least the current folder is taken out of the search.
void RestrictDllSearchToSystemFolder();

}  // namespace platform
