// The TLS probe's decisions: each address's share of the time, and the step after each of
// Schannel's answers in the handshake (the server's request for a client certificate among them,
// which Wine's Schannel never reports).
#include "platform/ProbeDecisions.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using platform::ConnectAttemptLimit;
using platform::HandshakeNext;
using platform::NextAfter;

TEST(ConnectAttemptLimit, LeavesTimeForTheNextAddress) {
    struct Case {
        std::chrono::milliseconds left;
        bool moreFollow;
        std::chrono::milliseconds limit;
    } const cases[] = {
        {10s, true, 5s},  {10s, false, 10s}, {1ms, true, 0ms},
        {0ms, true, 0ms}, {0ms, false, 0ms}, {-5ms, false, 0ms},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConnectAttemptLimit(c.left, c.moreFollow), c.limit) << c.left.count() << " " << c.moreFollow;
}

// Three addresses that never answer: each is tried, the last gets what is left, and together
// they keep to the limit.
TEST(ConnectAttemptLimit, EveryAddressIsTriedWithinTheWholeLimit) {
    std::chrono::milliseconds left = 10s;
    std::chrono::milliseconds spent{0};
    for (int address = 0; address < 3; ++address) {
        const auto share = ConnectAttemptLimit(left, address < 2);
        EXPECT_GE(share, 2500ms) << address;
        spent += share;
        left -= share;
    }
    EXPECT_EQ(spent, 10s);
}

TEST(NextAfter, GoesOnWithoutACertificateOnceWhenTheServerAsksForOne) {
    namespace s = platform::sec_status;
    struct Case {
        std::uint32_t status;
        bool calledAgainAlready;
        HandshakeNext next;
    } const cases[] = {
        {s::kOk, false, HandshakeNext::Done},
        {s::kContinueNeeded, false, HandshakeNext::Continue},
        {s::kContinueNeeded, true, HandshakeNext::Continue},
        {s::kIncompleteMessage, false, HandshakeNext::ReadMore},
        {s::kIncompleteCredentials, false, HandshakeNext::CallAgain},
        // Asked again after the anonymous answer: no loop.
        {s::kIncompleteCredentials, true, HandshakeNext::Fail},
        {0x80090304, false, HandshakeNext::Fail},  // SEC_E_INTERNAL_ERROR, Wine's refusal
        {0x80090326, false, HandshakeNext::Fail},  // SEC_E_ILLEGAL_MESSAGE
        {0x00090317, false, HandshakeNext::Fail},  // SEC_I_CONTEXT_EXPIRED: not a handshake step
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextAfter(c.status, c.calledAgainAlready), c.next) << std::hex << c.status << " " << c.calledAgainAlready;
}

}  // namespace
