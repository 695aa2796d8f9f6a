#pragma once
// The common controls (the tooltip, the themed button), with comctl32.dll loaded on first use
// rather than imported: see CommonControlsLibrary() in SystemLibrary.h.
#include "Win32.h"

namespace platform {

// Registers the common-control window classes named by `iccFlags` (ICC_* of <commctrl.h>).
// False when comctl32 cannot be loaded, lacks InitCommonControlsEx, or refuses: the window then
// goes without those controls. Never throws.
bool InitCommonControls(DWORD iccFlags);

}  // namespace platform
