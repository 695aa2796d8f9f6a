#pragma once
// Which way a request for an address leaves the PC under the Internet settings WinINet uses:
// support staff can then tell "blocked at the proxy" from "no network". Portable.
#include <string>
#include <string_view>

#include "platform/ProxySettings.h"

// "direct", "through proxy HOST:PORT", "through the automatic configuration script URL" or
// "through automatic proxy detection"; empty when the settings are not known. WinINet tries
// detection first, then the script, then the proxy, so the first of them that is on is named.
// The proxy is the one for the address's scheme ("https=..."), else the one for every scheme;
// an address whose host the bypass list names goes direct.
std::string RouteFor(const platform::ProxySettings& settings, std::string_view url);

// The same choice as parts, for a connection that is to go the way WinINet's went.
struct ProxyChoice {
    enum class Way { Unknown, Direct, Proxy, AutoDetect, AutoConfigScript };
    Way way = Way::Unknown;
    std::string proxy;  // "host:port" (or as Internet Options holds it) for Proxy
};
ProxyChoice ProxyChoiceFor(const platform::ProxySettings& settings, std::string_view url);
