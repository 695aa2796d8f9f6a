// What a proxy sends back to CONNECT, and the proxy lists and addresses the client TLS probe
// connects by, on any input. The input is two lines: a proxy list (or an address), then the
// proxy's answer (the rest). Besides running under the sanitizers, each input checks that a
// finished head lies within what arrived, that a valid status has three digits, and that an
// endpoint read has a host and a port from 1 to 65535 taken from the text.
#include <string>

#include "FuzzSupport.h"
#include "platform/ProxyTunnel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto fields = fuzz::Fields(fuzz::AsText(data, size), 2);
    const std::string_view list = fields[0];
    const std::string_view answer = fields[1];

    const platform::ConnectReply reply = platform::ParseConnectReply(answer);
    if (reply.complete) fuzz::Require(reply.headLength > 0 && reply.headLength <= answer.size(), "the head lies within");
    if (reply.valid)
        fuzz::Require(answer.substr(9, 3) == std::to_string(reply.status + 1000).substr(1),
                      "the status is the line's three digits");

    for (const auto& endpoint : {platform::FirstProxy(list), platform::UrlEndpoint(list)}) {
        if (!endpoint) continue;
        fuzz::Require(!endpoint->host.empty(), "a host");
        fuzz::Require(endpoint->port != 0, "a port");
        fuzz::Require(list.find(endpoint->host) != std::string_view::npos, "the host comes from the text");
        const std::string request = platform::ConnectRequest(*endpoint);
        fuzz::Require(request.compare(0, 8, "CONNECT ") == 0 && request.ends_with("\r\n\r\n"), "one request");
    }
    return 0;
}
