#include "WinHttpProxy.h"

#include <algorithm>
#include <vector>

#include "ScopedHandle.h"
#include "Win32.h"
#include <winhttp.h>

namespace platform {
namespace {

struct WinHttpFunctions {
    decltype(&::WinHttpOpen) open;
    decltype(&::WinHttpSetTimeouts) setTimeouts;
    decltype(&::WinHttpGetProxyForUrl) getProxyForUrl;
    decltype(&::WinHttpCloseHandle) closeHandle;
};

const WinHttpFunctions& WinHttp() {
    static const WinHttpFunctions functions = [] {
        SystemLibrary& dll = WinHttpLibrary();
        return WinHttpFunctions{
            dll.Get<decltype(&::WinHttpOpen)>("WinHttpOpen"),
            dll.Get<decltype(&::WinHttpSetTimeouts)>("WinHttpSetTimeouts"),
            dll.Get<decltype(&::WinHttpGetProxyForUrl)>("WinHttpGetProxyForUrl"),
            dll.Get<decltype(&::WinHttpCloseHandle)>("WinHttpCloseHandle"),
        };
    }();
    return functions;
}

struct WinHttpHandleTraits {
    using handle_type = HINTERNET;
    static handle_type invalid() { return nullptr; }
    static void close(handle_type h) { WinHttp().closeHandle(h); }
};
using ScopedWinHttpHandle = ScopedHandle<WinHttpHandleTraits>;

// WinHTTP hands out the proxy texts in GlobalAlloc'd memory.
struct GlobalMemoryTraits {
    using handle_type = HGLOBAL;
    static handle_type invalid() { return nullptr; }
    static void close(handle_type h) { GlobalFree(h); }
};
using ScopedGlobalMemory = ScopedHandle<GlobalMemoryTraits>;

std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Narrow(const wchar_t* text) {
    if (!text || !*text) return {};
    const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return {};
    std::vector<char> narrow(static_cast<std::size_t>(length));
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), length, nullptr, nullptr);
    return std::string(narrow.data());
}

}  // namespace

SystemLibrary& WinHttpLibrary() {
    static SystemLibrary library("winhttp.dll");
    return library;
}

ScriptProxy ProxyForUrl(const std::string& url, const std::string& autoConfigUrl, std::chrono::milliseconds limit) {
    const WinHttpFunctions& winHttp = WinHttp();
    ScriptProxy result;
    ScopedWinHttpHandle session(winHttp.open(L"QTSysCheck", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                                             WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) {
        result.error = GetLastError();
        return result;
    }
    const int ms = static_cast<int>(std::clamp<long long>(limit.count(), 1, 0x7FFFFFFF));
    winHttp.setTimeouts(session.get(), ms, ms, ms, ms);
    const std::wstring wideUrl = Wide(url);
    const std::wstring wideScript = Wide(autoConfigUrl);
    WINHTTP_AUTOPROXY_OPTIONS options{};
    if (autoConfigUrl.empty()) {
        options.dwFlags = WINHTTP_AUTOPROXY_AUTO_DETECT;
        options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
    } else {
        options.dwFlags = WINHTTP_AUTOPROXY_CONFIG_URL;
        options.lpszAutoConfigUrl = wideScript.c_str();
    }
    options.fAutoLogonIfChallenged = TRUE;
    WINHTTP_PROXY_INFO info{};
    if (!winHttp.getProxyForUrl(session.get(), wideUrl.c_str(), &options, &info)) {
        result.error = GetLastError();
        return result;
    }
    const ScopedGlobalMemory proxy(info.lpszProxy), bypass(info.lpszProxyBypass);
    result.known = true;
    result.proxies = Narrow(info.lpszProxy);
    result.direct = info.dwAccessType != WINHTTP_ACCESS_TYPE_NAMED_PROXY || result.proxies.empty();
    return result;
}

}  // namespace platform
