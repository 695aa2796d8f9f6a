#pragma once
// The proxy that an automatic configuration script or automatic detection picks for an address,
// as WinHTTP works it out (WinHttpGetProxyForUrl; winhttp.dll 5.1, Windows XP SP1 and later),
// loaded on first use by full path from the system folder.
#include <chrono>
#include <cstdint>
#include <string>

#include "SystemLibrary.h"

namespace platform {

SystemLibrary& WinHttpLibrary();

struct ScriptProxy {
    bool known = false;        // WinHTTP gave an answer
    bool direct = false;       // it says: no proxy
    std::string proxies;       // else its list ("host:port; ...")
    std::uint32_t error = 0;   // WinHTTP's error when not known
};

// `autoConfigUrl` empty: by automatic detection (DHCP and DNS). Blocks for up to `limit` for each
// download; throws MissingSystemFunction when WinHTTP or one of its functions is missing.
ScriptProxy ProxyForUrl(const std::string& url, const std::string& autoConfigUrl, std::chrono::milliseconds limit);

}  // namespace platform
