#pragma once
// The vendor's two endpoints, stood in for on this machine while the object lives: the prefix's
// Internet settings send every address to a local proxy, which answers the application page
// with its marker and tunnels HTTPS to the local HTTPS server, whose test authority the prefix
// trusts meanwhile. The checker then passes both Internet rows without leaving the machine.
#include "internet/LoopbackServer.h"
#include "internet/TestProxy.h"
#include "internet/TlsServers.h"

namespace bench {

class LocalEndpoints {
public:
    LocalEndpoints();
    LocalEndpoints(const LocalEndpoints&) = delete;
    LocalEndpoints& operator=(const LocalEndpoints&) = delete;

private:
    // In this order: the proxy needs the HTTPS server's port, the setting the proxy's.
    nettest::TlsServers servers_;
    nettest::ScopedTrustedAuthority trust_;
    nettest::LoopbackServer proxy_;
    nettest::ScopedProxySetting setting_;
};

}  // namespace bench
