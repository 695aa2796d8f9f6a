// Starting the program creates and shows the one window; closing it ends the program.
#include "app/frmMain.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    frmMain form(instance);
    if (!form.Create(showCommand)) return 1;
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) form.Dispatch(msg);
    return static_cast<int>(msg.wParam);
}
