#include "HttpFetch.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

#include "ScopedHandle.h"
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
// that each target can be checked. KEEP_CONNECTION lets proxies authenticate with NTLM.
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
    mutable std::mutex mutex_;
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

    std::string current = url;
    for (int redirects = 0;; ++redirects) {
        const Scheme scheme = SchemeOf(current);
        ScopedInternetHandle request(
            WinInet().internetOpenUrl(session.get(), current.c_str(), nullptr, 0, kRequestFlags, 0));
        if (!request) return report.Fail(FetchFailure::SystemError, GetLastError());
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
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    const auto report = std::make_shared<FetchReport>();
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
