// Which way a request leaves the PC, from the Internet settings WinINet uses.
#include <gtest/gtest.h>

#include "checks/ProxyRoute.h"

namespace {

platform::ProxySettings Proxy(std::string servers, std::string bypass = {}) {
    platform::ProxySettings s;
    s.known = true;
    s.useProxy = true;
    s.proxyServer = std::move(servers);
    s.bypass = std::move(bypass);
    return s;
}

struct Case {
    const char* what;
    platform::ProxySettings settings;
    const char* url;
    const char* route;
};

TEST(ProxyRoute, NamesTheWayWinInetSendsTheRequest) {
    platform::ProxySettings direct;
    direct.known = true;
    platform::ProxySettings detect = Proxy("proxy:8080");
    detect.autoDetect = true;
    detect.autoConfigUrl = "http://wpad/proxy.pac";
    platform::ProxySettings script = Proxy("proxy:8080");
    script.autoConfigUrl = "http://config.corp/proxy.pac";
    platform::ProxySettings proxyOff = Proxy("proxy:8080");
    proxyOff.useProxy = false;

    const Case cases[] = {
        {"no proxy", direct, "http://www.quorvin.example/a", "direct"},
        {"settings unknown", platform::ProxySettings{}, "http://www.quorvin.example/a", ""},
        {"detection comes first", detect, "https://h/a", "through automatic proxy detection"},
        {"then the script", script, "https://h/a", "through the automatic configuration script http://config.corp/proxy.pac"},
        {"a proxy for every scheme", Proxy("proxy.corp:3128"), "https://h/a", "through proxy proxy.corp:3128"},
        {"written with its scheme", Proxy("http://proxy.corp:3128/"), "http://h/a", "through proxy proxy.corp:3128"},
        {"the https entry", Proxy("http=web:80;https=secure:443"), "HTTPS://h/a", "through proxy secure:443"},
        {"the http entry", Proxy("http=web:80;https=secure:443"), "http://h/a", "through proxy web:80"},
        {"no entry for the scheme", Proxy("ftp=f:21"), "https://h/a", "direct"},
        {"the common entry after a foreign one", Proxy("ftp=f:21;common:8080"), "https://h/a", "through proxy common:8080"},
        {"proxy switched off", proxyOff, "http://h/a", "direct"},
        {"bypassed by a pattern", Proxy("p:1", "*.quorvin.example;10.*"), "http://www.QUORVIN.example:80/a", "direct"},
        {"not matched by the pattern", Proxy("p:1", "*.quorvin.example"), "http://quorvin.example.evil/a", "through proxy p:1"},
        {"local names bypassed", Proxy("p:1", "<local>"), "http://intranet/a", "direct"},
        {"a dotted name is not local", Proxy("p:1", "<local>"), "http://www.quorvin.example/a", "through proxy p:1"},
        {"entries apart by blanks", Proxy("p:1", "a.example  b.example"), "http://b.example/x", "direct"},
        {"user part is not the host", Proxy("p:1", "evil"), "http://evil@good.example/a", "through proxy p:1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RouteFor(c.settings, c.url), c.route);
    }
}

}  // namespace
