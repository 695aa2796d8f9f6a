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
    if (execute(&info)) return ERROR_SUCCESS;
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
}

}  // namespace platform
