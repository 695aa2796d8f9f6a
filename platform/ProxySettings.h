#pragma once
// The per-user Internet settings that decide how WinINet sends a request: the "LAN settings" of
// Internet Options. Portable record; ReadProxySettings reads it on Windows.
#include <string>

namespace platform {

struct ProxySettings {
    bool known = false;           // false: the settings could not be read
    bool autoDetect = false;      // "Automatically detect settings"
    std::string autoConfigUrl;    // "Use automatic configuration script"; empty when off
    bool useProxy = false;        // "Use a proxy server for your LAN"
    std::string proxyServer;      // "host:port", or "http=host:port;https=host:port;..."
    std::string bypass;           // "<local>;*.example.com;10.*", ';' or ' ' between entries
};

// The settings of the connection WinINet uses by default, as WinINet itself reports them (its
// per-connection options, Internet Explorer 5 and later), else as the registry holds them.
ProxySettings ReadProxySettings();

}  // namespace platform
