#include "Clipboard.h"

#include <climits>

#include "ScopedHandle.h"

namespace platform {
namespace {

// Global memory that has not been handed to the clipboard yet.
struct GlobalMemoryTraits {
    using handle_type = HGLOBAL;
    static handle_type invalid() { return nullptr; }
    static void close(handle_type h) { GlobalFree(h); }
};
using ScopedGlobalMemory = ScopedHandle<GlobalMemoryTraits>;

// The clipboard, open for this thread until the end of the scope.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) {
        // Another program may hold it for a moment (clipboard viewers, remote-desktop sync).
        for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_) Sleep(20);
        }
    }
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_ = false;
};

// `utf8` as NUL-terminated UTF-16 in movable global memory, as the clipboard takes it.
ScopedGlobalMemory Utf16Copy(std::string_view utf8) {
    if (utf8.size() > static_cast<std::size_t>(INT_MAX / 2)) return {};
    const int length = static_cast<int>(utf8.size());
    const int units =
        length == 0 ? 0 : MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (length != 0 && units == 0) return {};
    ScopedGlobalMemory memory(
        GlobalAlloc(GMEM_MOVEABLE, (static_cast<SIZE_T>(units) + 1) * sizeof(wchar_t)));
    if (!memory) return {};
    auto* text = static_cast<wchar_t*>(GlobalLock(memory.get()));
    if (!text) return {};
    if (units != 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, text, units);
    text[units] = L'\0';
    GlobalUnlock(memory.get());
    return memory;
}

}  // namespace

bool PutTextOnClipboard(HWND owner, std::string_view utf8Text) {
    ScopedGlobalMemory text = Utf16Copy(utf8Text);
    if (!text) return false;
    OpenedClipboard clipboard(owner);
    if (!clipboard || !EmptyClipboard()) return false;
    if (!SetClipboardData(CF_UNICODETEXT, text.get())) return false;
    text.release();  // the clipboard owns it now
    return true;
}

}  // namespace platform
