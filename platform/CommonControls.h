#pragma once
// The common controls (the tooltip, the themed button), with comctl32.dll loaded on first use
// rather than imported: see CommonControlsLibrary() in SystemLibrary.h.
#include "Win32.h"

#include <commctrl.h>

namespace platform {

// Registers the common-control window classes named by `iccFlags` (ICC_* of <commctrl.h>).
// False when comctl32 cannot be loaded, lacks InitCommonControlsEx, or refuses: the window then
// goes without those controls. Never throws.
bool InitCommonControls(DWORD iccFlags);

// Subclassing a control the way comctl32 version 6 keeps it (Windows XP and later): any number of
// procedures on one window, each with its own reference data, each calling on to the next. From
// the same comctl32 the controls come from. False, or the window's own procedure, where that
// comctl32 lacks them; never throws.
bool SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
bool GetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR* data);
bool RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
