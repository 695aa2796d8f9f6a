#include "HttpFetch.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "ScopedHandle.h"
#include "Threads.h"
#include "WinInet.h"

namespace platform {
namespace {

struct InternetHandleTraits {
    using handle_type = HINTERNET;
    static handle_type invalid() { return nullptr; }
    // WinINet is loaded by then: the handle came from it.
    static void close(handle_type h) { WinInet().internetCloseHandle(h); }
};
using ScopedInternetHandle = ScopedHandle<InternetHandleTraits>;

constexpr char kAgent[] = "QTSysCheck";

// Always from the network, nothing left behind, no dialog; redirects are followed by hand so
// that each target can be checked. KEEP_CONNECTION lets proxies authenticate with NTLM. Each
// request is made by connect, open and send rather than in one call, so that a request whose
// certificate was turned down is still there to say which certificate it was.
constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_COOKIES |
                                INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_AUTO_REDIRECT |
                                INTERNET_FLAG_KEEP_CONNECTION;

// The most read at once. Each read asks only for what has already arrived, so a body that comes
// slowly still reaches the caller piece by piece instead of waiting for a full buffer.
constexpr DWORD kPieceSize = 64 * 1024;

enum class Scheme { Other, Http, Https };

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char p, char t) {
        return p == ((t >= 'A' && t <= 'Z') ? static_cast<char>(t - 'A' + 'a') : t);
    });
}

Scheme SchemeOf(std::string_view url) {
    if (StartsWithNoCase(url, "http://")) return Scheme::Http;
    if (StartsWithNoCase(url, "https://")) return Scheme::Https;
    return Scheme::Other;
}

bool IsRedirect(DWORD status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// Each WinINet operation on its own may take no longer than the whole fetch; the relay enforces
// the whole. These limits only make a fetch that was given up on end by itself in time.
void LimitEachOperation(HINTERNET session, std::chrono::milliseconds timeout) {
    const auto ms = std::clamp<std::int64_t>(timeout.count(), 1, 0x7FFFFFFF);
    DWORD value = static_cast<DWORD>(ms);
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_DATA_SEND_TIMEOUT,
                         INTERNET_OPTION_DATA_RECEIVE_TIMEOUT})
        WinInet().internetSetOption(session, option, &value, sizeof value);
}

// An address split as InternetConnect and HttpOpenRequest take it.
struct Target {
    std::string host;
    INTERNET_PORT port = 0;
    std::string object;  // path and query; the fragment stays with the reader
};

// False, with the error in GetLastError(), when WinINet cannot make an address of `url`.
bool Split(const std::string& url, Target& target) {
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof parts;
    // Non-zero lengths without buffers: WinINet points into `url` instead of copying.
    parts.dwHostNameLength = 1;
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!WinInet().internetCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return false;
    if (!parts.lpszHostName || parts.dwHostNameLength == 0) {
        SetLastError(ERROR_INTERNET_INVALID_URL);
        return false;
    }
    target.host.assign(parts.lpszHostName, parts.dwHostNameLength);
    target.port = parts.nPort;
    target.object.clear();
    if (parts.lpszUrlPath) target.object.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parts.lpszExtraInfo) target.object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    target.object = target.object.substr(0, target.object.find('#'));
    if (target.object.empty() || target.object.front() != '/') target.object.insert(0, "/");
    return true;
}

bool IsCertificateError(DWORD error) {
    switch (error) {
    case ERROR_INTERNET_SEC_CERT_DATE_INVALID:
    case ERROR_INTERNET_SEC_CERT_CN_INVALID:
    case ERROR_INTERNET_INVALID_CA:
    case ERROR_INTERNET_SEC_CERT_ERRORS:
    case ERROR_INTERNET_SEC_CERT_NO_REV:
    case ERROR_INTERNET_SEC_CERT_REV_FAILED:
    case ERROR_INTERNET_SEC_INVALID_CERT:
    case ERROR_INTERNET_SEC_CERT_REVOKED: return true;
    default: return false;
    }
}

// WinINet hands out the texts of a certificate record in LocalAlloc'd memory.
struct LocalMemoryTraits {
    using handle_type = HLOCAL;
    static handle_type invalid() { return nullptr; }
    static void close(handle_type h) { LocalFree(h); }
};
using ScopedLocalMemory = ScopedHandle<LocalMemoryTraits>;

std::string Text(const char* text) { return text ? std::string(text) : std::string(); }

// "YYYY-MM-DD" of a UTC file time; empty when there is none.
std::string Date(const FILETIME& time) {
    SYSTEMTIME utc{};
    if ((time.dwLowDateTime == 0 && time.dwHighDateTime == 0) || !FileTimeToSystemTime(&time, &utc))
        return {};
    // Digits by hand: printf would pull more of the C library into the program.
    const auto digits = [](unsigned value, std::size_t width) {
        std::string text(width, '0');
        for (std::size_t i = width; i-- > 0; value /= 10) text[i] = static_cast<char>('0' + value % 10);
        return text;
    };
    return digits(utc.wYear, 4) + "-" + digits(utc.wMonth, 2) + "-" + digits(utc.wDay, 2);
}

// The certificate the server presented, asked of a request whose handshake failed on it. Only
// what WinINet read during the handshake: nothing is sent to a server that was not trusted.
std::optional<PresentedCertificate> Certificate(HINTERNET request) {
    INTERNET_CERTIFICATE_INFO info{};
    DWORD size = sizeof info;
    if (!WinInet().internetQueryOption(request, INTERNET_OPTION_SECURITY_CERTIFICATE_STRUCT, &info, &size))
        return std::nullopt;
    const ScopedLocalMemory owned[] = {
        ScopedLocalMemory(info.lpszSubjectInfo), ScopedLocalMemory(info.lpszIssuerInfo),
        ScopedLocalMemory(info.lpszProtocolName), ScopedLocalMemory(info.lpszSignatureAlgName),
        ScopedLocalMemory(info.lpszEncryptionAlgName)};
    return PresentedCertificate{Text(info.lpszSubjectInfo), Text(info.lpszIssuerInfo), Date(info.ftExpiry)};
}

DWORD StatusCode(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!WinInet().httpQueryInfo(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        nullptr))
        return 0;
    return status;
}

// The Location header; empty when there is none.
std::string Location(HINTERNET request) {
    DWORD size = 0;
    if (WinInet().httpQueryInfo(request, HTTP_QUERY_LOCATION, nullptr, &size, nullptr) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return {};
    std::vector<char> text(size + 1);
    size = static_cast<DWORD>(text.size());
    if (!WinInet().httpQueryInfo(request, HTTP_QUERY_LOCATION, text.data(), &size, nullptr)) return {};
    return std::string(text.data(), std::min<std::size_t>(size, text.size()));
}

// `location` taken relative to `base`; empty when they do not make an address.
std::string Resolve(const std::string& base, const std::string& location) {
    std::vector<char> text(2048);
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD size = static_cast<DWORD>(text.size());
        if (WinInet().internetCombineUrl(base.c_str(), location.c_str(), text.data(), &size, 0))
            return std::string(text.data(), std::min<std::size_t>(size, text.size()));
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
        text.resize(static_cast<std::size_t>(size) + 1);
    }
    return {};
}

// What the fetch's thread tells Get about the fetch. That thread may outlive Get, so the two
// share this object and take turns through its lock; each Get has its own.
class FetchReport {
public:
    void Status(DWORD status) {
        std::lock_guard lock(mutex_);
        outcome_.status = status;
    }
    // A redirect is being followed to `url`: the status so far was the redirect's, not url's.
    void Redirected(const std::string& url) {
        std::lock_guard lock(mutex_);
        outcome_.finalUrl = url;
        outcome_.status = 0;
    }
    void Certificate(std::optional<PresentedCertificate> certificate) {
        std::lock_guard lock(mutex_);
        outcome_.certificate = std::move(certificate);
    }
    // Records why the fetch failed and returns false, for `return report.Fail(...)`.
    bool Fail(FetchFailure failure, DWORD systemError = 0) {
        std::lock_guard lock(mutex_);
        outcome_.failure = failure;
        outcome_.systemError = systemError;
        return false;
    }
    FetchOutcome Read() const {
        std::lock_guard lock(mutex_);
        return outcome_;
    }

private:
    mutable Mutex mutex_;
    FetchOutcome outcome_;
};

// Passes the body on until its end, or until `deliver` asks to stop (which is no failure).
bool StreamBody(HINTERNET request, const ChunkRelay::Deliver& deliver, FetchReport& report) {
    std::vector<char> buffer(kPieceSize);
    for (;;) {
        DWORD available = 0;
        if (!WinInet().internetQueryDataAvailable(request, &available, 0, 0))
            return report.Fail(FetchFailure::SystemError, GetLastError());
        if (available == 0) return true;
        DWORD read = 0;
        if (!WinInet().internetReadFile(request, buffer.data(), std::min(available, kPieceSize), &read))
            return report.Fail(FetchFailure::SystemError, GetLastError());
        if (read == 0) return true;
        if (!deliver(std::string_view(buffer.data(), read))) return true;
    }
}

// The blocking fetch, run on the relay's thread. Owns all it uses; says why it failed in
// `report`.
bool FetchBlocking(const std::string& url, std::chrono::milliseconds timeout,
                   const ChunkRelay::Deliver& deliver, FetchReport& report) {
    if (SchemeOf(url) == Scheme::Other) return report.Fail(FetchFailure::UnsupportedAddress);
    ScopedInternetHandle session(
        WinInet().internetOpen(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return report.Fail(FetchFailure::Unavailable, GetLastError());
    LimitEachOperation(session.get(), timeout);

    const char* acceptTypes[] = {"*/*", nullptr};
    std::string current = url;
    Target target;
    for (int redirects = 0;; ++redirects) {
        const Scheme scheme = SchemeOf(current);
        if (!Split(current, target)) return report.Fail(FetchFailure::SystemError, GetLastError());
        ScopedInternetHandle connection(WinInet().internetConnect(
            session.get(), target.host.c_str(), target.port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
        if (!connection) return report.Fail(FetchFailure::SystemError, GetLastError());
        const DWORD flags = kRequestFlags | (scheme == Scheme::Https ? INTERNET_FLAG_SECURE : 0);
        ScopedInternetHandle request(WinInet().httpOpenRequest(
            connection.get(), "GET", target.object.c_str(), nullptr, nullptr, acceptTypes, flags, 0));
        if (!request) return report.Fail(FetchFailure::SystemError, GetLastError());
        if (!WinInet().httpSendRequest(request.get(), nullptr, 0, nullptr, 0)) {
            const DWORD error = GetLastError();
            if (IsCertificateError(error)) report.Certificate(Certificate(request.get()));
            return report.Fail(FetchFailure::SystemError, error);
        }
        const DWORD status = StatusCode(request.get());
        // Wine reports a connection closed before any status line as status 0.
        if (status < 100 || status > 599) return report.Fail(FetchFailure::InvalidResponse);
        report.Status(status);
        if (!IsRedirect(status)) return StreamBody(request.get(), deliver, report);

        const std::string location = Location(request.get());
        // A redirect status without a target is a page like any other.
        if (location.empty()) return StreamBody(request.get(), deliver, report);
        if (redirects == HttpFetch::kMaxRedirects)
            return report.Fail(FetchFailure::TooManyRedirects);
        std::string next = Resolve(current, location);
        if (next.empty()) return report.Fail(FetchFailure::InvalidResponse);
        // Only web addresses are followed; and a secure page that sends the reader to an
        // insecure one is not a secure page.
        const Scheme nextScheme = SchemeOf(next);
        if (nextScheme == Scheme::Other || (scheme == Scheme::Https && nextScheme != Scheme::Https))
            return report.Fail(FetchFailure::RedirectRefused);
        current = std::move(next);
        report.Redirected(current);
    }
}

}  // namespace

bool HttpFetch::Get(const std::string& url, const ChunkSink& onChunk) {
    WinInet();  // loaded here, so that a missing function is told to the caller, not lost on a thread
    const std::chrono::milliseconds timeout = timeout_;
    outcome_ = FetchOutcome{FetchFailure::Unavailable, 0, 0, timeout};
    // The settings the session below opens with (INTERNET_OPEN_TYPE_PRECONFIG), to say which way
    // the request went.
    const ProxySettings proxy = ReadProxySettings();
    const auto deadline = SteadyClock::now() + timeout;
    const auto report = std::shared_ptr<FetchReport>(new FetchReport);  // not make_shared: see ChunkRelay::Run
    const ChunkRelay::Outcome relayed = relay_.Run(
        [url, timeout, report](const ChunkRelay::Deliver& deliver) {
            return FetchBlocking(url, timeout, deliver, *report);
        },
        onChunk, deadline);

    // Read once: whatever the fetch's thread does after this belongs to no Get.
    FetchOutcome outcome = report->Read();
    outcome.limit = timeout;
    outcome.proxy = proxy;
    switch (relayed) {
    case ChunkRelay::Outcome::Completed:
    case ChunkRelay::Outcome::Stopped:
        outcome.failure = FetchFailure::None;
        outcome.systemError = 0;
        break;
    case ChunkRelay::Outcome::TimedOut:
        outcome.failure = FetchFailure::TimedOut;
        outcome.systemError = 0;
        break;
    case ChunkRelay::Outcome::Cancelled:
        outcome.failure = FetchFailure::Cancelled;
        outcome.systemError = 0;
        break;
    case ChunkRelay::Outcome::Failed:
        // Failed without saying why: the thread did not start, or the fetch broke down (memory).
        if (outcome.failure == FetchFailure::None) outcome.failure = FetchFailure::Unavailable;
        break;
    }
    outcome_ = outcome;
    return relayed == ChunkRelay::Outcome::Completed || relayed == ChunkRelay::Outcome::Stopped;
}

}  // namespace platform
