// Started plainly, the program is its one window; closing it ends the program. Started with
// "/report FILE" (or "-report FILE"), it makes the checks without a window and writes their
// report to FILE, for IT departments checking many PCs. "/?" shows how to use it.
#include <optional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/report/SilentReport.h"
#include "app/window/frmMain.h"
#include "platform/CommandLineArgs.h"
#include "platform/CommonControls.h"
#include "platform/SystemLibrary.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // Before anything else can load a DLL: never one planted beside the program.
    platform::RestrictDllSearchToSystemFolder();
    const std::vector<std::string> arguments = platform::CommandLineArguments();
    if (const std::optional<std::string> reportFile = ReportFileRequested(arguments))
        return RunSilentReport(*reportFile);
    if (HelpRequested(arguments)) {
        MessageBoxA(nullptr, kUsage, "QTSysCheck", MB_OK | MB_ICONINFORMATION);
        return 0;
    }

    // The standard controls, the tooltip and the link, nothing more: every class registered costs
    // start-up.
    // Loaded only now, after the search is restricted; without them the window has no tooltips
    // and no links to the fixes.
    platform::InitCommonControls(ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_LINK_CLASS);

    frmMain form(instance);
    if (!form.Create(showCommand)) return 1;
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) form.Dispatch(msg);
    return static_cast<int>(msg.wParam);
}
