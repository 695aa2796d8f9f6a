#include "RowTips.h"

#include <commctrl.h>

namespace {

// Long lines (a full address and an error) wrap at this width, in pixels at 96 DPI.
constexpr int kMaxTipWidth = 360;
// A line can take a while to read; the default of five seconds is too short.
constexpr int kShowForMs = 30000;

TTTOOLINFOA ToolFor(HWND owner, HWND control) {
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;  // also understood by the version 5 control
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = static_cast<UINT_PTR>(GetDlgCtrlID(control));
    return tool;
}

// The control's rectangle in its owner's client area.
RECT RectIn(HWND owner, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, owner, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

bool RowTips::Create(HWND owner, HINSTANCE instance, int dpi) {
    owner_ = owner;
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                               nullptr, instance, nullptr);
    if (!tooltip_) return false;
    SetDpi(dpi);
    SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kShowForMs, 0));
    return true;
}

void RowTips::Add(HWND control, const char* text) {
    if (!tooltip_ || !control) return;
    TTTOOLINFOA tool = ToolFor(owner_, control);
    tool.rect = RectIn(owner_, control);
    tool.lpszText = const_cast<char*>(text);  // copied by the control
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void RowTips::SetText(HWND control, const char* text) {
    if (!tooltip_ || !control) return;
    TTTOOLINFOA tool = ToolFor(owner_, control);
    tool.lpszText = const_cast<char*>(text);
    SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void RowTips::SetDpi(int dpi) {
    if (tooltip_) SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, MulDiv(kMaxTipWidth, dpi, 96));
}

void RowTips::Move(HWND control) {
    if (!tooltip_ || !control) return;
    TTTOOLINFOA tool = ToolFor(owner_, control);
    tool.rect = RectIn(owner_, control);
    SendMessageA(tooltip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
}
