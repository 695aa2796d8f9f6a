#include "TlsProbe.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "MissingSystemFunction.h"
#include "ProbeDecisions.h"
#include "ProxyTunnel.h"
#include "Schannel.h"
#include "ScopedHandle.h"
#include "Threads.h"
#include "WinHttpProxy.h"
#include "Winsock.h"

namespace platform {
namespace {

using Clock = SteadyClock;

static_assert(sec_status::kOk == static_cast<std::uint32_t>(SEC_E_OK));
static_assert(sec_status::kContinueNeeded == static_cast<std::uint32_t>(SEC_I_CONTINUE_NEEDED));
static_assert(sec_status::kIncompleteCredentials == static_cast<std::uint32_t>(SEC_I_INCOMPLETE_CREDENTIALS));
static_assert(sec_status::kIncompleteMessage == static_cast<std::uint32_t>(SEC_E_INCOMPLETE_MESSAGE));

// What the probe's thread has seen so far, for the caller to read however the probe ends.
class SharedTrace {
public:
    void Publish(const HandshakeTrace& trace) {
        std::lock_guard lock(mutex_);
        trace_ = trace;
    }
    HandshakeTrace Read() const {
        std::lock_guard lock(mutex_);
        return trace_;
    }

private:
    mutable Mutex mutex_;
    HandshakeTrace trace_;
};

struct SocketTraits {
    using handle_type = SOCKET;
    static handle_type invalid() { return INVALID_SOCKET; }
    static void close(handle_type s) { Winsock().closeSocket(s); }
};
using ScopedSocket = ScopedHandle<SocketTraits>;

class WinsockSession {
public:
    WinsockSession() {
        WSADATA data{};
        started_ = Winsock().wsaStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinsockSession() {
        if (started_) Winsock().wsaCleanup();
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;
    bool Started() const { return started_; }

private:
    bool started_ = false;
};

std::uint32_t LastSocketError() { return static_cast<std::uint32_t>(Winsock().wsaGetLastError()); }

// The time left until `deadline`, as select takes it.
timeval TimeLeft(Clock::time_point deadline) {
    const auto left = std::max<long long>(
        0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
    timeval tv{};
    tv.tv_sec = static_cast<long>(left / 1000);
    tv.tv_usec = static_cast<long>((left % 1000) * 1000);
    return tv;
}

enum class Wait { Ready, Failed, TimedOut };

// Waits until `s` can be read (or written). One socket per set, so a set's count after select says
// whether it was the one (FD_ISSET would import another function).
Wait WaitFor(SOCKET s, bool write, Clock::time_point deadline) {
    fd_set ready;
    fd_set failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(s, &ready);
    FD_SET(s, &failed);
    timeval tv = TimeLeft(deadline);
    const int n = Winsock().select(0, write ? nullptr : &ready, write ? &ready : nullptr, &failed, &tv);
    if (n == 0) return Wait::TimedOut;
    if (n == SOCKET_ERROR || failed.fd_count != 0) return Wait::Failed;
    return Wait::Ready;
}

// Resolves `endpoint` and connects to the first of its addresses that answers, each address
// given its share of the time left.
bool Connect(const Endpoint& endpoint, Clock::time_point deadline, HandshakeTrace& trace, SharedTrace& shared,
             ScopedSocket& connected) {
    trace.step = ProbeStep::Lookup;
    shared.Publish(trace);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    const std::string port = std::to_string(endpoint.port);
    if (const int error = Winsock().getAddrInfo(endpoint.host.c_str(), port.c_str(), &hints, &found); error != 0) {
        trace.error = static_cast<std::uint32_t>(error);
        return false;
    }
    const std::unique_ptr<addrinfo, decltype(Winsock().freeAddrInfo)> addresses(found, Winsock().freeAddrInfo);
    trace.step = ProbeStep::Connect;
    shared.Publish(trace);
    for (const addrinfo* address = found; address; address = address->ai_next) {
        ScopedSocket s(Winsock().socket(address->ai_family, address->ai_socktype, address->ai_protocol));
        if (!s) {
            trace.error = LastSocketError();
            continue;
        }
        u_long nonBlocking = 1;
        Winsock().ioctlSocket(s.get(), FIONBIO, &nonBlocking);
        if (Winsock().connect(s.get(), address->ai_addr, static_cast<int>(address->ai_addrlen)) != 0) {
            const std::uint32_t error = LastSocketError();
            if (error != WSAEWOULDBLOCK) {
                trace.error = error;
                continue;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            const auto attemptEnd = Clock::now() + ConnectAttemptLimit(left, address->ai_next != nullptr);
            const Wait wait = WaitFor(s.get(), true, attemptEnd);
            if (wait == Wait::TimedOut) {
                if (!address->ai_next) {
                    trace.timedOut = true;
                    return false;
                }
                trace.error = WSAETIMEDOUT;
                continue;
            }
            if (wait == Wait::Failed) {
                int soError = 0;
                int size = sizeof soError;
                Winsock().getSockOpt(s.get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&soError), &size);
                trace.error = static_cast<std::uint32_t>(soError);
                continue;
            }
        }
        connected = std::move(s);
        trace.error = 0;
        return true;
    }
    return false;
}

bool SendAll(SOCKET s, std::string_view data, Clock::time_point deadline, HandshakeTrace& trace) {
    while (!data.empty()) {
        const Wait wait = WaitFor(s, true, deadline);
        if (wait == Wait::TimedOut) {
            trace.timedOut = true;
            return false;
        }
        const int sent = Winsock().send(s, data.data(), static_cast<int>(std::min<std::size_t>(data.size(), 0x10000)), 0);
        if (sent == SOCKET_ERROR) {
            const std::uint32_t error = LastSocketError();
            if (error == WSAEWOULDBLOCK) continue;
            trace.error = error;
            trace.peerClosed = true;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

// Appends what arrives next to `into`. False at the end of the connection (peerClosed), on an
// error or at the deadline, each said in `trace`.
bool ReceiveSome(SOCKET s, std::string& into, Clock::time_point deadline, HandshakeTrace& trace) {
    char buffer[16 * 1024];
    for (;;) {
        const Wait wait = WaitFor(s, false, deadline);
        if (wait == Wait::TimedOut) {
            trace.timedOut = true;
            return false;
        }
        const int got = Winsock().recv(s, buffer, static_cast<int>(sizeof buffer), 0);
        if (got > 0) {
            into.append(buffer, static_cast<std::size_t>(got));
            return true;
        }
        if (got == 0) {
            trace.peerClosed = true;  // closed in order
            return false;
        }
        const std::uint32_t error = LastSocketError();
        if (error == WSAEWOULDBLOCK) continue;
        trace.error = error;
        trace.peerClosed = error == WSAECONNRESET || error == WSAECONNABORTED;
        return false;
    }
}

// Asks the proxy for a tunnel to `target`; what the proxy sent past its answer is left in `after`.
bool Tunnel(SOCKET s, const Endpoint& target, Clock::time_point deadline, HandshakeTrace& trace,
            SharedTrace& shared, std::string& after) {
    trace.step = ProbeStep::ProxyTunnel;
    shared.Publish(trace);
    if (!SendAll(s, ConnectRequest(target), deadline, trace)) return false;
    std::string reply;
    for (;;) {
        const bool more = ReceiveSome(s, reply, deadline, trace);
        const ConnectReply parsed = ParseConnectReply(reply);
        if (parsed.valid) trace.proxyStatus = parsed.status;
        if (!more) return false;
        if (!parsed.valid && (parsed.complete || reply.size() > kLongestConnectReply)) {
            trace.proxyStatus = 0;
            return false;
        }
        if (!parsed.complete) continue;
        if (parsed.status / 100 != 2) return false;
        after = reply.substr(parsed.headLength);
        return true;
    }
}

struct CredentialsTraits {
    using handle_type = CredHandle*;
    static handle_type invalid() { return nullptr; }
    static void close(handle_type h) { SecurityFunctions().FreeCredentialsHandle(h); }
};
struct ContextTraits {
    using handle_type = CtxtHandle*;
    static handle_type invalid() { return nullptr; }
    static void close(handle_type h) { SecurityFunctions().DeleteSecurityContext(h); }
};
struct ContextBufferTraits {
    using handle_type = void*;
    static handle_type invalid() { return nullptr; }
    static void close(handle_type h) { SecurityFunctions().FreeContextBuffer(h); }
};

bool IsFailure(SECURITY_STATUS status) { return status < 0; }

// Sends what InitializeSecurityContext put out, and frees it.
bool SendToken(SOCKET s, SecBuffer& token, Clock::time_point deadline, HandshakeTrace& trace) {
    const ScopedHandle<ContextBufferTraits> owned(token.pvBuffer);
    if (!token.pvBuffer || token.cbBuffer == 0) return true;
    return SendAll(s, std::string_view(static_cast<const char*>(token.pvBuffer), token.cbBuffer), deadline, trace);
}

bool Handshake(SOCKET s, const std::string& host, std::uint32_t protocols, Clock::time_point deadline,
               HandshakeTrace& trace, SharedTrace& shared, std::string input) {
    trace.step = ProbeStep::Handshake;
    shared.Publish(trace);
    const SecurityFunctionTableA& sspi = SecurityFunctions();
    SCHANNEL_CRED credentials{};
    credentials.dwVersion = SCHANNEL_CRED_VERSION;
    credentials.grbitEnabledProtocols = protocols;
    // WinINet has judged the certificate already; only the versions count here.
    credentials.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
    CredHandle credentialHandle{};
    TimeStamp expiry{};
    char package[] = UNISP_NAME_A;
    SECURITY_STATUS status = sspi.AcquireCredentialsHandleA(nullptr, package, SECPKG_CRED_OUTBOUND, nullptr,
                                                            &credentials, nullptr, nullptr, &credentialHandle, &expiry);
    if (status != SEC_E_OK) {
        trace.error = static_cast<std::uint32_t>(status);
        return false;
    }
    const ScopedHandle<CredentialsTraits> ownedCredentials(&credentialHandle);

    constexpr ULONG kRequest = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                               ISC_REQ_EXTENDED_ERROR | ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM |
                               ISC_REQ_MANUAL_CRED_VALIDATION;
    std::vector<char> targetName(host.begin(), host.end());
    targetName.push_back('\0');
    CtxtHandle context{};
    ScopedHandle<ContextTraits> ownedContext;
    ULONG attributes = 0;

    SecBuffer hello{0, SECBUFFER_TOKEN, nullptr};
    SecBufferDesc helloDesc{SECBUFFER_VERSION, 1, &hello};
    status = sspi.InitializeSecurityContextA(&credentialHandle, nullptr, targetName.data(), kRequest, 0, 0, nullptr,
                                             0, &context, &helloDesc, &attributes, &expiry);
    if (!IsFailure(status)) ownedContext.reset(&context);
    if (status != SEC_I_CONTINUE_NEEDED) {
        // Nothing went out: Windows would not offer these versions (GnuTLS refuses SSL 3.0 alone).
        ScopedHandle<ContextBufferTraits> discard(hello.pvBuffer);
        trace.error = static_cast<std::uint32_t>(status);
        return false;
    }
    if (!SendToken(s, hello, deadline, trace)) return false;
    trace.helloSent = true;
    shared.Publish(trace);

    bool needMore = input.empty();
    bool calledAgain = false;
    for (;;) {
        if (needMore && !ReceiveSome(s, input, deadline, trace)) return false;
        // What the server answered the hello with: the type of its first record.
        if (!trace.firstRecordType) {
            trace.firstRecordType = static_cast<std::uint8_t>(input[0]);
            shared.Publish(trace);
        }
        SecBuffer in[2] = {{static_cast<ULONG>(input.size()), SECBUFFER_TOKEN, input.data()},
                           {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc inDesc{SECBUFFER_VERSION, 2, in};
        SecBuffer out{0, SECBUFFER_TOKEN, nullptr};
        SecBufferDesc outDesc{SECBUFFER_VERSION, 1, &out};
        // The context is updated in place on every later call.
        status = sspi.InitializeSecurityContextA(&credentialHandle, &context, targetName.data(), kRequest, 0, 0,
                                                 &inDesc, 0, &context, &outDesc, &attributes, &expiry);
        const HandshakeNext next = NextAfter(static_cast<std::uint32_t>(status), calledAgain);
        if (next == HandshakeNext::ReadMore || next == HandshakeNext::CallAgain) {
            ScopedHandle<ContextBufferTraits> discard(out.pvBuffer);
            calledAgain = calledAgain || next == HandshakeNext::CallAgain;
            needMore = next == HandshakeNext::ReadMore;
            continue;
        }
        // Sent even on failure: it may be the alert that tells the server why.
        const bool sent = SendToken(s, out, deadline, trace);
        if (next == HandshakeNext::Done) {
            SecPkgContext_ConnectionInfo info{};
            if (sspi.QueryContextAttributesA(&context, SECPKG_ATTR_CONNECTION_INFO, &info) == SEC_E_OK)
                trace.protocol = info.dwProtocol;
            trace.finished = true;
            return true;
        }
        if (next == HandshakeNext::Fail) {
            trace.error = static_cast<std::uint32_t>(status);
            return false;
        }
        if (!sent) return false;
        if (in[1].BufferType == SECBUFFER_EXTRA && in[1].cbBuffer > 0 && in[1].cbBuffer <= input.size()) {
            input.erase(0, input.size() - in[1].cbBuffer);
            needMore = false;
        } else {
            input.clear();
            needMore = true;
        }
    }
}

// The first hop: the service itself, or the proxy that WinINet used or that the script or
// detection names for the address. `tunnel`: it is a proxy.
bool FirstHop(const ProbeRequest& request, Clock::time_point deadline, HandshakeTrace& trace, Endpoint& hop,
              bool& tunnel) {
    tunnel = false;
    switch (request.way) {
    case ProbeWay::Direct: hop = request.target; return true;
    case ProbeWay::Proxy:
        if (!request.proxy) break;
        hop = *request.proxy;
        tunnel = true;
        return true;
    case ProbeWay::AutoDetect:
    case ProbeWay::AutoConfigScript: {
        const bool script = request.way == ProbeWay::AutoConfigScript;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        const ScriptProxy proxy = ProxyForUrl(request.url, script ? request.autoConfigUrl : std::string(), left);
        if (!proxy.known) {
            trace.error = proxy.error;
            trace.missing = std::string(script ? "the automatic configuration script" : "automatic proxy detection") +
                            " named no proxy for the address (error " + std::to_string(proxy.error) + ")";
            return false;
        }
        if (proxy.direct) {
            hop = request.target;
            return true;
        }
        const std::optional<Endpoint> first = FirstProxy(proxy.proxies);
        if (!first) {
            trace.missing = "the proxy the automatic configuration named is not one to connect to";
            return false;
        }
        hop = *first;
        tunnel = true;
        return true;
    }
    case ProbeWay::Unknown: break;
    }
    trace.missing = "the Internet settings could not be read";
    return false;
}

bool ProbeBlocking(const ProbeRequest& request, Clock::time_point deadline, SharedTrace& shared) {
    HandshakeTrace trace;
    try {
        const WinsockSession session;
        if (!session.Started()) {
            trace.missing = "the network functions of Windows did not start";
        } else {
            Endpoint hop;
            bool tunnel = false;
            ScopedSocket s;
            std::string after;
            if (FirstHop(request, deadline, trace, hop, tunnel) && Connect(hop, deadline, trace, shared, s) &&
                (!tunnel || Tunnel(s.get(), request.target, deadline, trace, shared, after)))
                Handshake(s.get(), request.target.host, request.protocols, deadline, trace, shared, std::move(after));
        }
    } catch (const MissingSystemFunction& missing) {
        trace.missing = missing.what();
    }
    shared.Publish(trace);
    return true;
}

}  // namespace

HandshakeTrace TlsProbe::Handshake(const ProbeRequest& request) {
    HandshakeTrace trace;
    try {
        // Loaded here, so that a missing function is told to the caller, not lost on a thread.
        Winsock();
        SecurityFunctions();
    } catch (const MissingSystemFunction& missing) {
        trace.missing = missing.what();
        return trace;
    }
    const auto shared = std::shared_ptr<SharedTrace>(new SharedTrace());
    const auto deadline = Clock::now() + request.limit;
    const ChunkRelay::Outcome outcome = relay_.Run(
        [request, deadline, shared](const ChunkRelay::Deliver&) { return ProbeBlocking(request, deadline, *shared); },
        [](std::string_view) { return true; }, deadline);
    trace = shared->Read();
    switch (outcome) {
    case ChunkRelay::Outcome::TimedOut: trace.timedOut = true; break;
    case ChunkRelay::Outcome::Cancelled: trace.cancelled = true; break;
    case ChunkRelay::Outcome::Failed:
        if (trace.step == ProbeStep::Route && trace.missing.empty()) trace.missing = "no thread could be started for it";
        break;
    case ChunkRelay::Outcome::Completed:
    case ChunkRelay::Outcome::Stopped: break;
    }
    return trace;
}

}  // namespace platform
