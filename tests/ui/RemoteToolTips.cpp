#include "RemoteToolTips.h"

#include <commctrl.h>

#include "support/RemoteMemory.h"

namespace ui {
namespace {

constexpr std::size_t kTextSize = 1024;  // characters

using testsupport::RemoteBlock;

struct OwnerSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchToolTip(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<OwnerSearch*>(param);
    char className[64] = {};
    GetClassNameA(hwnd, className, sizeof className);
    if (lstrcmpiA(className, TOOLTIPS_CLASSA) != 0 || GetWindow(hwnd, GW_OWNER) != search->owner)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}


// The tool record first, its text buffer after it. The wide messages are used because the
// control answers the narrow TTM_GETTEXTA with at most 80 characters.
constexpr std::size_t kTextOffset = sizeof(TTTOOLINFOW);
constexpr std::size_t kBlockSize = kTextOffset + kTextSize * sizeof(wchar_t);

// Sends `message` with a tool record lent in `block`; the record comes back filled in.
std::optional<TTTOOLINFOW> AskForTool(HWND tooltip, const RemoteBlock& block, UINT message, WPARAM wParam) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.lpszText = reinterpret_cast<wchar_t*>(block.at(kTextOffset));
    const wchar_t empty = L'\0';
    block.Write(kTextOffset, &empty, sizeof empty);
    block.Write(0, &info, sizeof info);
    if (!SendMessageW(tooltip, message, wParam, reinterpret_cast<LPARAM>(block.at(0)))) return std::nullopt;
    block.Read(0, &info, sizeof info);
    return info;
}

// The tool with its text, asked for by the tool's identity.
// The tool with its text in the system code page, as the program gave it, asked for by the
// tool's identity.
RemoteTool WithText(HWND tooltip, const RemoteBlock& block, TTTOOLINFOW info) {
    info.lpszText = reinterpret_cast<wchar_t*>(block.at(kTextOffset));
    const wchar_t empty = L'\0';
    block.Write(0, &info, sizeof info);
    block.Write(kTextOffset, &empty, sizeof empty);
    SendMessageW(tooltip, TTM_GETTEXTW, kTextSize, reinterpret_cast<LPARAM>(block.at(0)));
    wchar_t text[kTextSize] = {};
    block.Read(kTextOffset, text, (kTextSize - 1) * sizeof(wchar_t));
    char narrow[kTextSize * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, static_cast<int>(sizeof narrow) - 1, nullptr, nullptr);
    return {info.uId, info.rect, std::string(narrow)};
}

}  // namespace

HWND FindToolTip(HWND owner) {
    OwnerSearch search{owner, nullptr};
    EnumWindows(&MatchToolTip, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<RemoteTool> ReadTools(HWND tooltip, HANDLE process) {
    const auto count = static_cast<int>(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    RemoteBlock block(process, kBlockSize);
    std::vector<RemoteTool> tools;
    for (int i = 0; i < count; ++i)
        if (const auto info = AskForTool(tooltip, block, TTM_ENUMTOOLSW, static_cast<WPARAM>(i)))
            tools.push_back(WithText(tooltip, block, *info));
    return tools;
}

std::optional<RemoteTool> CurrentTool(HWND tooltip, HANDLE process) {
    RemoteBlock block(process, kBlockSize);
    const auto info = AskForTool(tooltip, block, TTM_GETCURRENTTOOLW, 0);
    if (!info) return std::nullopt;
    return WithText(tooltip, block, *info);
}

std::string ReadToolText(HWND tooltip, HANDLE process, HWND owner, int id) {
    RemoteBlock block(process, kBlockSize);
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = owner;
    info.uId = static_cast<UINT_PTR>(id);
    return WithText(tooltip, block, info).text;
}

std::string ToolText(const std::vector<RemoteTool>& tools, int id) {
    for (const RemoteTool& tool : tools)
        if (tool.id == static_cast<UINT_PTR>(id)) return tool.text;
    return {};
}

}  // namespace ui
