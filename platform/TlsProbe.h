#pragma once
// A TLS handshake and nothing more, offering exactly the versions asked for, over a Winsock
// socket to the service: directly, or through an HTTP proxy's CONNECT tunnel, the proxy being
// the one given or the one an automatic configuration script or detection picks (WinHTTP). No
// request is sent once the handshake is done. Schannel itself is used (secur32), so the versions
// are the ones Windows would agree for a program that offers the same.
//
// The work runs on a thread of its own: a name lookup blocks outside any socket time limit, and
// the limit is for the whole (lookup, connection, CONNECT, handshake). A probe given up on is left
// to end there by itself.
#include "ChunkRelay.h"
#include "HandshakeTrace.h"

namespace platform {

class TlsProbe {
public:
    TlsProbe() = default;
    TlsProbe(const TlsProbe&) = delete;
    TlsProbe& operator=(const TlsProbe&) = delete;

    // Blocks for at most request.limit. What happened, step by step; a part of Windows that is
    // missing is said in `missing`, never thrown.
    HandshakeTrace Handshake(const ProbeRequest& request);

    // Thread-safe, and for good (the program is closing): the probe in progress and every later
    // one end at once as cancelled.
    void Cancel() { relay_.Cancel(); }

private:
    ChunkRelay relay_;
};

}  // namespace platform
