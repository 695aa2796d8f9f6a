// The texts of a CONNECT tunnel and the host and port of an address or a proxy.
#include "platform/ProxyTunnel.h"

#include <gtest/gtest.h>

namespace {

using platform::ParseConnectReply;

TEST(ConnectReply, TellsAFinishedHeadItsStatusAndWhereTheTunnelStarts) {
    struct Case {
        const char* received;
        bool complete, valid;
        std::uint32_t status;
        std::size_t headLength;
    } const cases[] = {
        {"HTTP/1.1 200 Connection established\r\n\r\n", true, true, 200, 39},
        {"HTTP/1.0 200 OK\r\nProxy-Agent: x\r\n\r\n\x16\x03", true, true, 200, 35},  // bytes past it stay
        {"HTTP/1.1 407 Proxy Authentication Required\r\nProxy-Authenticate: NTLM\r\n\r\n", true, true, 407, 72},
        {"HTTP/1.1 200\r\n\r\n", true, true, 200, 16},  // no reason phrase
        {"HTTP/1.1 200 OK\n\n", true, true, 200, 17},   // bare line feeds
        {"HTTP/1.1 200 OK\r\n", false, true, 200, 0},   // not finished yet
        {"HTTP/1.1 20", false, false, 0, 0},
        {"", false, false, 0, 0},
        {"SSH-2.0-OpenSSH\r\n\r\n", true, false, 0, 19},  // not a proxy
        {"HTTP/1.1 2000 OK\r\n\r\n", true, false, 0, 20},
        {"HTTP/2 200\r\n\r\n", true, false, 0, 14},
    };
    for (const Case& c : cases) {
        const platform::ConnectReply reply = ParseConnectReply(c.received);
        EXPECT_EQ(reply.complete, c.complete) << c.received;
        EXPECT_EQ(reply.valid, c.valid) << c.received;
        EXPECT_EQ(reply.status, c.valid ? c.status : reply.status) << c.received;
        if (c.complete) {
            EXPECT_EQ(reply.headLength, c.headLength) << c.received;
        }
    }
}

TEST(ConnectReply, AnEndlessHeadIsNoValidAnswer) {
    std::string head = "HTTP/1.1 200 OK\r\n";
    head += std::string(platform::kLongestConnectReply, 'x');
    EXPECT_FALSE(ParseConnectReply(head).valid);
}

TEST(ConnectRequest, NamesTheTargetInTheRequestAndItsHostLine) {
    EXPECT_EQ(platform::ConnectRequest({"svc.example", 443}),
              "CONNECT svc.example:443 HTTP/1.1\r\nHost: svc.example:443\r\n\r\n");
    EXPECT_EQ(platform::ConnectRequest({"::1", 8443}), "CONNECT [::1]:8443 HTTP/1.1\r\nHost: [::1]:8443\r\n\r\n");
}

TEST(Endpoints, AreReadFromAddressesAndProxyListsAsWindowsWritesThem) {
    struct Case {
        const char* text;
        bool isProxyList;
        const char* host;  // nullptr: none
        std::uint16_t port;
    } const cases[] = {
        {"https://svc.example/path", false, "svc.example", 443},
        {"HTTPS://svc.example:8443/path?q#f", false, "svc.example", 8443},
        {"http://user@web.example/", false, "web.example", 80},
        {"https://[::1]:4443/", false, "::1", 4443},
        {"https://svc.example:0/", false, nullptr, 0},
        {"https://svc.example:65536/", false, nullptr, 0},
        {"https://svc.example:44x/", false, nullptr, 0},
        {"ftp://svc.example/", false, nullptr, 0},
        {"https:///path", false, nullptr, 0},
        {"proxy.corp:8080", true, "proxy.corp", 8080},
        {"proxy.corp", true, "proxy.corp", 80},
        {"http=web:80;https=secure:8443", true, "secure", 8443},
        {"  first:3128; second:3128", true, "first", 3128},
        {"HTTP://proxy.corp:8080", true, "proxy.corp", 8080},
        {"", true, nullptr, 0},
        {"http=web:80", true, nullptr, 0},  // for http only
    };
    for (const Case& c : cases) {
        const auto endpoint = c.isProxyList ? platform::FirstProxy(c.text) : platform::UrlEndpoint(c.text);
        ASSERT_EQ(endpoint.has_value(), c.host != nullptr) << c.text;
        if (!endpoint) continue;
        EXPECT_EQ(endpoint->host, c.host) << c.text;
        EXPECT_EQ(endpoint->port, c.port) << c.text;
    }
}

}  // namespace
