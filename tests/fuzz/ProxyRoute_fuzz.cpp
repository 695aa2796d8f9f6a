// RouteFor on any proxy server list, bypass list and address, as the Internet settings and a
// redirect may give them. The input is three lines: the proxy server list, the bypass list, the
// address (the rest). Besides running under the sanitizers, each input checks that the proxy
// named comes from the server list, that a "*" entry bypasses every address, and that more
// bypass entries never send a request that went direct through a proxy.
#include <string>

#include "FuzzSupport.h"
#include "checks/ProxyRoute.h"

namespace {

constexpr std::string_view kThroughProxy = "through proxy ";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto fields = fuzz::Fields(fuzz::AsText(data, size), 3);
    platform::ProxySettings settings;
    settings.known = true;
    settings.useProxy = true;
    settings.proxyServer = std::string(fields[0]);
    settings.bypass = std::string(fields[1]);
    const std::string_view url = fields[2];
    const std::string route = RouteFor(settings, url);

    if (route.compare(0, kThroughProxy.size(), kThroughProxy) == 0) {
        const std::string proxy = route.substr(kThroughProxy.size());
        fuzz::Require(!proxy.empty(), "a proxy is named");
        fuzz::Require(settings.proxyServer.find(proxy) != std::string::npos,
                      "the proxy named is in the server list");
    } else {
        fuzz::Require(route == "direct", "direct, or through a proxy");
    }

    platform::ProxySettings more = settings;
    more.bypass += ";*.more.example;<local>";
    if (route == "direct") fuzz::Require(RouteFor(more, url) == "direct", "more bypass entries keep it direct");
    more.bypass += " *";
    fuzz::Require(RouteFor(more, url) == "direct", "\"*\" bypasses every address");

    settings.useProxy = false;
    fuzz::Require(RouteFor(settings, url) == "direct", "no proxy, no proxy named");
    return 0;
}
