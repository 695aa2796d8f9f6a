#pragma once
// The TLS probe's decisions that need no Windows: how long one of a name's addresses may take to
// connect, and what follows each answer of InitializeSecurityContext once the server has spoken.
// Portable; TlsProbe.cpp checks the status values against the Windows headers.
#include <chrono>
#include <cstdint>

namespace platform {

// The time one connection attempt may take of the `left` the probe has: half of it while other
// addresses follow, so that one that never answers (a broken IPv6 route on a dual-stack PC) leaves
// time for the next; all of it for the last. The attempts together never outlast `left`.
constexpr std::chrono::milliseconds ConnectAttemptLimit(std::chrono::milliseconds left, bool moreFollow) {
    if (left.count() <= 0) return std::chrono::milliseconds(0);
    return moreFollow ? left / 2 : left;
}

// SECURITY_STATUS values, as winerror.h numbers them.
namespace sec_status {
inline constexpr std::uint32_t kOk = 0x00000000;
inline constexpr std::uint32_t kContinueNeeded = 0x00090312;
inline constexpr std::uint32_t kIncompleteCredentials = 0x00090320;
inline constexpr std::uint32_t kIncompleteMessage = 0x80090318;
}  // namespace sec_status

enum class HandshakeNext {
    ReadMore,   // a record is not complete yet: read, then call again with all of it
    CallAgain,  // the same data again, at once: the server asked for a certificate there is none of
    Continue,   // send what came out and go on with the server's next data
    Done,       // the handshake is complete
    Fail,       // the status is the probe's end
};

// What follows `status`, InitializeSecurityContext's answer to the server's data.
// `calledAgainAlready`: the server's request for a certificate was answered without one before.
constexpr HandshakeNext NextAfter(std::uint32_t status, bool calledAgainAlready) {
    switch (status) {
    case sec_status::kOk: return HandshakeNext::Done;
    case sec_status::kContinueNeeded: return HandshakeNext::Continue;
    case sec_status::kIncompleteMessage: return HandshakeNext::ReadMore;
    // With no default credentials, Schannel tells the caller of the request instead of picking a
    // certificate itself; called again, it goes on anonymously, as a .NET program does. Once.
    case sec_status::kIncompleteCredentials:
        return calledAgainAlready ? HandshakeNext::Fail : HandshakeNext::CallAgain;
    default: return HandshakeNext::Fail;
    }
}

}  // namespace platform
