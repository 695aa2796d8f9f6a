#include "ProxySettings.h"

#include <cstdint>
#include <vector>

#include "MissingSystemFunction.h"
#include "RegistryKey.h"
#include "WinInet.h"

namespace platform {
namespace {

// A text WinINet allocated for a per-connection option; it is the caller's to free.
std::string TakeText(char* text) {
    if (!text) return {};
    std::string copy(text);
    GlobalFree(text);
    return copy;
}

bool ReadThroughWinInet(ProxySettings& settings) {
    INTERNET_PER_CONN_OPTIONA options[4]{};
    options[0].dwOption = INTERNET_PER_CONN_FLAGS;
    options[1].dwOption = INTERNET_PER_CONN_PROXY_SERVER;
    options[2].dwOption = INTERNET_PER_CONN_PROXY_BYPASS;
    options[3].dwOption = INTERNET_PER_CONN_AUTOCONFIG_URL;
    INTERNET_PER_CONN_OPTION_LISTA list{};
    list.dwSize = sizeof list;
    list.pszConnection = nullptr;  // the LAN connection, which WinINet uses by default
    list.dwOptionCount = 4;
    list.pOptions = options;
    DWORD size = sizeof list;
    try {
        if (!WinInet().internetQueryOption(nullptr, INTERNET_OPTION_PER_CONNECTION_OPTION, &list, &size))
            return false;
    } catch (const MissingSystemFunction&) {
        return false;  // the registry then
    }
    const DWORD flags = options[0].Value.dwValue;
    settings.autoDetect = (flags & PROXY_TYPE_AUTO_DETECT) != 0;
    settings.useProxy = (flags & PROXY_TYPE_PROXY) != 0;
    settings.proxyServer = TakeText(options[1].Value.pszValue);
    settings.bypass = TakeText(options[2].Value.pszValue);
    std::string script = TakeText(options[3].Value.pszValue);
    if (flags & PROXY_TYPE_AUTO_PROXY_URL) settings.autoConfigUrl = std::move(script);
    return true;
}

// A text or number value of `key`; empty or 0 when it is missing or of another type.
std::string TextValue(HKEY key, const char* name) {
    DWORD type = 0, size = 0;
    if (QueryRegistryValueInfo(key, name, type, size) != ERROR_MORE_DATA || (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    std::vector<std::uint8_t> data(size);
    if (QueryRegistryValueData(key, name, data) != ERROR_SUCCESS) return {};
    std::string text(data.begin(), data.end());
    return text.substr(0, text.find('\0'));
}

DWORD NumberValue(HKEY key, const char* name) {
    std::vector<std::uint8_t> data(sizeof(DWORD));
    DWORD type = 0, size = 0;
    if (QueryRegistryValueInfo(key, name, type, size) != ERROR_MORE_DATA || type != REG_DWORD || size != sizeof(DWORD))
        return 0;
    if (QueryRegistryValueData(key, name, data) != ERROR_SUCCESS || data.size() != sizeof(DWORD)) return 0;
    return static_cast<DWORD>(data[0] | data[1] << 8 | data[2] << 16 | static_cast<DWORD>(data[3]) << 24);
}

// Where WinINet keeps them for the user. Detection is left as off: the registry holds it only
// inside a binary record whose layout Windows does not document.
bool ReadFromRegistry(ProxySettings& settings) {
    ScopedRegistryKey key;
    if (OpenRegistryKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
                        KEY_QUERY_VALUE, key) != ERROR_SUCCESS)
        return false;
    settings.useProxy = NumberValue(key.get(), "ProxyEnable") != 0;
    settings.proxyServer = TextValue(key.get(), "ProxyServer");
    settings.bypass = TextValue(key.get(), "ProxyOverride");
    settings.autoConfigUrl = TextValue(key.get(), "AutoConfigURL");
    return true;
}

}  // namespace

ProxySettings ReadProxySettings() {
    ProxySettings settings;
    settings.known = ReadThroughWinInet(settings) || ReadFromRegistry(settings);
    return settings;
}

}  // namespace platform
