#include "CommandLineArgs.h"

#include <climits>
#include <cwchar>

#include "ScopedHandle.h"  // brings in Win32.h, which shellapi.h needs first

#include <shellapi.h>

#include "SystemLibrary.h"

namespace platform {

namespace {

// The argument array CommandLineToArgvW hands over: one LocalFree releases it all.
struct ArgumentArrayTraits {
    using handle_type = LPWSTR*;
    static handle_type invalid() { return nullptr; }
    static void close(handle_type h) { LocalFree(h); }
};
using ScopedArgumentArray = ScopedHandle<ArgumentArrayTraits>;

std::string Utf8FromWide(const wchar_t* text) {
    const std::size_t length = std::wcslen(text);
    if (length == 0 || length > static_cast<std::size_t>(INT_MAX)) return {};
    const int wideLength = static_cast<int>(length);
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string utf8(static_cast<std::size_t>(size), '\0');
    const int written =
        WideCharToMultiByte(CP_UTF8, 0, text, wideLength, utf8.data(), size, nullptr, nullptr);
    utf8.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return utf8;
}

// True when something follows the program's name: the name runs to its closing quote when it
// starts with one, else to the first blank, as CommandLineToArgvW takes it.
bool HasArguments(const wchar_t* line) {
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"') ++line;
        if (*line) ++line;
    } else {
        while (*line && *line != L' ' && *line != L'\t') ++line;
    }
    while (*line == L' ' || *line == L'\t') ++line;
    return *line != L'\0';
}

}  // namespace

std::vector<std::string> CommandLineArguments() {
    const wchar_t* line = GetCommandLineW();
    // Started plainly, as a customer starts it: the shell is not needed, nor loaded for it.
    if (!line || !HasArguments(line)) return {};
    decltype(&::CommandLineToArgvW) split = nullptr;
    try {
        split = ShellLibrary().Get<decltype(&::CommandLineToArgvW)>("CommandLineToArgvW");
    } catch (const MissingSystemFunction&) {
        return {};
    }
    int count = 0;
    const ScopedArgumentArray arguments(split(line, &count));
    std::vector<std::string> result;
    if (!arguments) return result;
    // The first entry is the program itself.
    for (int i = 1; i < count; ++i) result.push_back(Utf8FromWide(arguments.get()[i]));
    return result;
}

}  // namespace platform
