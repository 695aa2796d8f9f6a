#include "CommonControls.h"

#include <commctrl.h>

#include "SystemLibrary.h"

namespace platform {

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

}  // namespace platform
