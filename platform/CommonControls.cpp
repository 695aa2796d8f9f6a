#include "CommonControls.h"

#include "SystemLibrary.h"

namespace platform {

namespace {

// comctl32's subclassing functions, all four or none. Version 6 exports them by name (older ones
// by ordinal only, 410 to 413, and have no SysLink to subclass).
struct Subclassing {
    decltype(&::SetWindowSubclass) set = nullptr;
    decltype(&::GetWindowSubclass) get = nullptr;
    decltype(&::RemoveWindowSubclass) remove = nullptr;
    decltype(&::DefSubclassProc) next = nullptr;
};

const Subclassing& SubclassFunctions() {
    static const Subclassing functions = [] {
        try {
            SystemLibrary& comctl32 = CommonControlsLibrary();
            return Subclassing{comctl32.Get<decltype(&::SetWindowSubclass)>("SetWindowSubclass"),
                               comctl32.Get<decltype(&::GetWindowSubclass)>("GetWindowSubclass"),
                               comctl32.Get<decltype(&::RemoveWindowSubclass)>("RemoveWindowSubclass"),
                               comctl32.Get<decltype(&::DefSubclassProc)>("DefSubclassProc")};
        } catch (const MissingSystemFunction&) {
            return Subclassing{};
        }
    }();
    return functions;
}

}  // namespace

bool InitCommonControls(DWORD iccFlags) {
    using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    try {
        const auto init = CommonControlsLibrary().Get<InitCommonControlsExFunction>("InitCommonControlsEx");
        const INITCOMMONCONTROLSEX controls{sizeof controls, iccFlags};
        return init(&controls) != FALSE;
    } catch (const MissingSystemFunction&) {
        return false;
    }
}

bool SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
    const Subclassing& f = SubclassFunctions();
    return f.set && f.set(window, procedure, id, data) != FALSE;
}

bool GetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR* data) {
    const Subclassing& f = SubclassFunctions();
    return f.get && f.get(window, procedure, id, data) != FALSE;
}

bool RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
    const Subclassing& f = SubclassFunctions();
    return f.remove && f.remove(window, procedure, id) != FALSE;
}

LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only a subclass procedure calls it, one that SetWindowSubclass installed: so comctl32 has it.
    const Subclassing& f = SubclassFunctions();
    return f.next ? f.next(window, message, wParam, lParam) : 0;
}

}  // namespace platform
