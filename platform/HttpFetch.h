#pragma once
// One synchronous HTTP or HTTPS GET through WinINet, the body passed to the caller piece by piece
// as it arrives, for the Internet reachability checks. It stands where the old Internet transfer
// control stood: given the URL alone, with a request time-out of 60 seconds.
//
// What every fetch does:
// - uses the system's proxy settings, as Internet Explorer has them;
// - never reads from or writes to WinINet's cache, sends no-cache to proxies, keeps no cookies,
//   shows no dialog;
// - validates the server certificate of HTTPS and fails on any certificate error, saying which
//   certificate it was turned down for;
// - follows up to 10 redirects itself, only to http:// and https:// addresses, and never from
//   https:// to http://;
// - passes on the body of whatever status the server answers with (404, 500 ...): the caller
//   judges the text, as it did with the transfer control;
// - gives up once the time-out has passed since the call, however the time was spent (name
//   lookup, connecting, TLS, waiting for headers, a body that trickles in), and can be cancelled
//   from another thread.
// The WinINet work runs on a thread of its own; a fetch that is given up on is left to end there
// by itself while Get returns at once. Bodies are streamed, so memory stays flat for any size.
#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "ChunkRelay.h"
#include "FetchOutcome.h"

namespace platform {

class HttpFetch {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{std::chrono::seconds(60)};
    static constexpr int kMaxRedirects = 10;

    using ChunkSink = std::function<bool(std::string_view chunk)>;

    HttpFetch() = default;
    HttpFetch(const HttpFetch&) = delete;
    HttpFetch& operator=(const HttpFetch&) = delete;

    // The limit for each whole Get; set it before calling Get.
    void SetTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
    std::chrono::milliseconds Timeout() const { return timeout_; }

    // GETs `url` (http:// or https://) and passes the response body to `onChunk`, in order, on
    // the calling thread. True when the body was passed on to its end, or when `onChunk`
    // returned false to stop early (it has what it needs). False on any failure: a URL of
    // another kind, no connection, a TLS or certificate failure, a refused redirect, the
    // time-out, a cancellation. Pieces already passed on are not taken back on failure.
    // Exceptions thrown by `onChunk` pass through. One Get at a time per object.
    bool Get(const std::string& url, const ChunkSink& onChunk);

    // Thread-safe. The Get in progress returns false promptly, and so does every later Get on
    // this object: cancelling is for good (the program is closing).
    void Cancel() { relay_.Cancel(); }

    // How the last Get went: the status of the last response seen (for a Get that returned true,
    // the one whose body was passed on), the address last asked for if a redirect was followed
    // and, when it returned false, why. Read it on the thread that called Get, after Get has
    // returned; it does not change until the next Get. After a Get that `onChunk` ended by
    // throwing, it says Unavailable.
    const FetchOutcome& LastOutcome() const { return outcome_; }

private:
    std::chrono::milliseconds timeout_ = kDefaultTimeout;
    FetchOutcome outcome_;
    ChunkRelay relay_;
};

}  // namespace platform
