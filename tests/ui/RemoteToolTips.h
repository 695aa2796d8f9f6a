#pragma once
// Another program's tooltip control, read from outside through the control's own messages. Its
// answers are written into memory lent inside that program, as the messages expect.
#include <optional>
#include <string>
#include <vector>

#include "platform/Win32.h"

namespace ui {

struct RemoteTool {
    UINT_PTR id = 0;  // the control identifier the tool stands over
    RECT rect{};      // in the owner's client area
    std::string text;
};

// The tooltip control owned by `owner`; null when it has none.
HWND FindToolTip(HWND owner);

// Every tool of `tooltip`, in the control's order, with its current text. `process` needs
// PROCESS_VM_OPERATION, PROCESS_VM_READ and PROCESS_VM_WRITE access.
std::vector<RemoteTool> ReadTools(HWND tooltip, HANDLE process);

// The tool the tooltip is showing or about to show; nothing when there is none.
std::optional<RemoteTool> CurrentTool(HWND tooltip, HANDLE process);

// The text of the tool that `owner`'s tooltip has over its control `id`, asked for directly (one
// message, where ReadTools needs two per tool).
std::string ReadToolText(HWND tooltip, HANDLE process, HWND owner, int id);

// The text of the tool over control `id`; empty when there is no such tool.
std::string ToolText(const std::vector<RemoteTool>& tools, int id);

}  // namespace ui
