#pragma once
// The vendor's two endpoints as a customer's machine reaches them through its company proxy,
// all on this machine: the proxy set in the prefix's Internet settings serves the application
// download page itself and tunnels connections to the secure web service to one of the given
// HTTPS test servers: the "trusted" one, whose certificate comes from a test authority that the
// prefix trusts while the object lives, or another, as an inspecting proxy would answer.
#include <mutex>
#include <string>
#include <vector>

#include "tests/internet/LoopbackServer.h"
#include "tests/internet/TestProxy.h"
#include "tests/internet/TlsServers.h"

namespace scenario {

class VendorEndpoints {
public:
    explicit VendorEndpoints(const nettest::TlsServers& servers, const std::string& service = "trusted");
    VendorEndpoints(const VendorEndpoints&) = delete;
    VendorEndpoints& operator=(const VendorEndpoints&) = delete;

    // The proxy was asked for the application page at the built-in host.
    bool SawAppPageRequest() const;
    // The proxy was asked to connect to the built-in web-service host on port 443.
    bool SawServiceTunnel() const;
    // Every request head the proxy saw, for failure messages.
    std::string Requests() const;

private:
    std::string Answer(const std::string& head) const;
    void Record(const std::string& head);
    bool Saw(const std::string& start) const;

    nettest::ScopedTrustedAuthority trust_;
    mutable std::mutex mutex_;
    std::vector<std::string> heads_;
    nettest::LoopbackServer proxy_;  // after what its handlers use, so it stops first
    nettest::ScopedProxySetting setting_;
};

}  // namespace scenario
