#pragma once
// The HTTPS servers of the tests (tls_server.py, run on the Linux side, where Python's TLS
// serves the certificates made by make-test-certs.sh), and trust in the test authority for the
// life of an object. The certificate folder and the Python script come from the build.
#include <map>
#include <string>
#include <vector>

#include "platform/Win32.h"
#include <wincrypt.h>

namespace nettest {

// The build's certificate folder as Windows sees it.
std::string CertificateFolder();

class TlsServers {
public:
    // Starts the servers and waits until they listen; throws when they do not come up.
    TlsServers();
    // Ends them (they also end by themselves when this program ends).
    ~TlsServers();
    TlsServers(const TlsServers&) = delete;
    TlsServers& operator=(const TlsServers&) = delete;

    // "https://localhost:PORT" + path for the listener "trusted", "untrusted", "wrong-host",
    // "inspected" (untrusted, its issuer's name with accents), "tls12" (TLS 1.2 only), "tls10"
    // (TLS 1.0 to 1.2) or "asks-cert" (TLS 1.0 to 1.2, asking for an optional client
    // certificate), as tls_server.py describes them.
    // (Wine matches a certificate's names against host names only, never against an address.)
    std::string Url(const std::string& listener, const std::string& path) const;
    unsigned short Port(const std::string& listener) const;
    // How many request lines the listener has read so far.
    int Requests(const std::string& listener) const;

private:
    std::string portsFile_;  // Windows path
    std::map<std::string, unsigned short> ports_;
};

// The test authority in the prefix's "Root" store while the object lives. The prefix is the
// tests' own; nothing is added to the Linux side's certificates.
class ScopedTrustedAuthority {
public:
    ScopedTrustedAuthority();
    ~ScopedTrustedAuthority();
    ScopedTrustedAuthority(const ScopedTrustedAuthority&) = delete;
    ScopedTrustedAuthority& operator=(const ScopedTrustedAuthority&) = delete;

private:
    std::vector<char> der_;
};

}  // namespace nettest
