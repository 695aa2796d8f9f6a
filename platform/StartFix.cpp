#include "StartFix.h"

#include "ScopedHandle.h"  // brings in Win32.h, which shellapi.h needs first
#include "SystemLibrary.h"

#include <objbase.h>
#include <shellapi.h>

namespace platform {
namespace {

// COM for the length of one start: a shell extension that the start goes through may need it.
// Left alone when the thread already has it in another mode.
class ComForThisCall {
public:
    ComForThisCall() {
        try {
            const auto initialize = Ole32Library().Get<decltype(&::CoInitializeEx)>("CoInitializeEx");
            uninitialize_ = Ole32Library().Get<decltype(&::CoUninitialize)>("CoUninitialize");
            if (FAILED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) uninitialize_ = nullptr;
        } catch (const MissingSystemFunction&) {
            uninitialize_ = nullptr;
        }
    }
    ~ComForThisCall() {
        if (uninitialize_) uninitialize_();
    }
    ComForThisCall(const ComForThisCall&) = delete;
    ComForThisCall& operator=(const ComForThisCall&) = delete;

private:
    decltype(&::CoUninitialize) uninitialize_ = nullptr;
};

// A 32-bit process's redirection of System32 to SysWOW64, turned off for this thread for the length
// of one start, and on again after it, however the start ends. Looked up: 32-bit Windows XP SP2 and
// Windows 2000 lack both functions (they came with XP x64 and Server 2003 SP1), and have no
// redirection to turn off.
class NativeSystemFolderForThisCall {
public:
    NativeSystemFolderForThisCall() {
        using Disable = BOOL(WINAPI*)(PVOID*);
        const auto disable = OptionalFunction<Disable>("kernel32.dll", "Wow64DisableWow64FsRedirection");
        revert_ = OptionalFunction<Revert>("kernel32.dll", "Wow64RevertWow64FsRedirection");
        if (!disable || !revert_ || !disable(&previous_)) revert_ = nullptr;
    }
    ~NativeSystemFolderForThisCall() {
        if (revert_) revert_(previous_);
    }
    NativeSystemFolderForThisCall(const NativeSystemFolderForThisCall&) = delete;
    NativeSystemFolderForThisCall& operator=(const NativeSystemFolderForThisCall&) = delete;

private:
    using Revert = BOOL(WINAPI*)(PVOID);
    Revert revert_ = nullptr;
    PVOID previous_ = nullptr;
};

// ERROR_SUCCESS, or the start's error, read before redirection is turned back on.
DWORD Execute(decltype(&::ShellExecuteExA) execute, SHELLEXECUTEINFOA& info, bool nativeSystemFolder) {
    const auto started = [&] {
        if (execute(&info)) return static_cast<DWORD>(ERROR_SUCCESS);
        const DWORD error = GetLastError();
        return error != ERROR_SUCCESS ? error : static_cast<DWORD>(ERROR_GEN_FAILURE);
    };
    if (!nativeSystemFolder) return started();
    // Microsoft warns that DLLs loaded while redirection is off come from the wrong folder: it is
    // off for this one call only, with shell32 and ole32 loaded and COM started before it.
    const NativeSystemFolderForThisCall native;
    return started();
}

}  // namespace

unsigned long StartFix(const FixAction& action, HWND owner) {
    const bool starts = action.kind == FixAction::Kind::Program || action.kind == FixAction::Kind::Page;
    if (!starts || action.target.empty()) return ERROR_INVALID_PARAMETER;
    decltype(&::ShellExecuteExA) execute = nullptr;
    try {
        execute = ShellLibrary().Get<decltype(&::ShellExecuteExA)>("ShellExecuteExA");
    } catch (const MissingSystemFunction&) {
        return ERROR_PROC_NOT_FOUND;
    }
    const ComForThisCall com;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    // No error box of the shell's: the row says what went wrong. DDEWAIT (NOASYNC on newer
    // Windows): the start is over when the call returns.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_FLAG_DDEWAIT;
    info.hwnd = owner;
    info.lpFile = action.target.c_str();
    info.lpParameters = action.parameters.empty() ? nullptr : action.parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    return Execute(execute, info, action.kind == FixAction::Kind::Program && action.nativeSystemFolder);
}

}  // namespace platform
