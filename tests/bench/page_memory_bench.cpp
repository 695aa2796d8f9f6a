// The memory of the Internet check while it searches ever larger pages: TestUrl over a local
// server that streams pages of 25, 50 and 100 MB with the marker at their very end, so that
// every byte is read. The working set is sampled during each search; flat means the page
// streams through and is never held whole.
// Usage: page_memory_bench
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <thread>

#include "Figures.h"
#include "checks/InternetChecks.h"
#include "internet/LoopbackServer.h"
#include "internet/TestProxy.h"
#include "platform/HttpFetch.h"
#include "platform/Win32.h"
#include <psapi.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kMegabyte = 1 << 20;
constexpr int kPageSizesMb[] = {25, 50, 100};
const std::string kMarker(kAppMarker);

PROCESS_MEMORY_COUNTERS Memory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

// "GET /page/N HTTP/1.1" is answered with N megabytes of letters followed by the marker.
void ServePage(nettest::Connection& client) {
    const std::string head = client.ReadHead();
    const std::string prefix = "GET /page/";
    if (head.rfind(prefix, 0) != 0) return;
    const std::size_t megabytes = std::strtoul(head.c_str() + prefix.size(), nullptr, 10);
    const std::uint64_t length = megabytes * kMegabyte + kMarker.size();
    if (!client.Send("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                     std::to_string(length) + "\r\n\r\n"))
        return;
    std::string block(kMegabyte, ' ');
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>('a' + i % 26);
    for (std::size_t sent = 0; sent < megabytes; ++sent)
        if (!client.Send(block)) return;
    client.Send(kMarker);
}

// The largest working set seen while the object lives, sampled every few milliseconds.
class WorkingSetSampler {
public:
    WorkingSetSampler() : thread_([this] { Sample(); }) {}
    ~WorkingSetSampler() { Stop(); }
    WorkingSetSampler(const WorkingSetSampler&) = delete;
    WorkingSetSampler& operator=(const WorkingSetSampler&) = delete;

    std::size_t Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return largest_;
    }

private:
    void Sample() {
        while (!stop_) {
            largest_ = std::max<std::size_t>(largest_, Memory().WorkingSetSize);
            std::this_thread::sleep_for(5ms);
        }
    }

    std::atomic<bool> stop_{false};
    std::atomic<std::size_t> largest_{0};
    std::thread thread_;
};

int Run() {
    const nettest::ScopedProxySetting direct(std::nullopt);  // straight to the local server
    nettest::LoopbackServer server(&ServePage);
    {
        // Threads, WinINet and the socket layer are set up by a first, small page.
        platform::HttpFetch fetch;
        if (!TestUrl(server.Url("/page/1"), kMarker, fetch)) {
            bench::PrintNote("the local page server could not be reached");
            return 1;
        }
    }
    bench::PrintRow("working set, page search program after a 1 MB page",
                    bench::Megabytes(static_cast<double>(Memory().PeakWorkingSetSize)));
    std::size_t firstPeak = 0, lastPeak = 0;
    for (int megabytes : kPageSizesMb) {
        platform::HttpFetch fetch;
        fetch.SetTimeout(180s);  // a figure, not the checker's verdict: let a slow machine finish
        const auto start = Clock::now();
        WorkingSetSampler sampler;
        const bool found = TestUrl(server.Url("/page/" + std::to_string(megabytes)), kMarker, fetch);
        const std::size_t largest = sampler.Stop();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        const std::size_t peak = Memory().PeakWorkingSetSize;
        if (!firstPeak) firstPeak = peak;
        lastPeak = peak;
        bench::PrintRow("working set while a " + std::to_string(megabytes) + " MB page is searched",
                        bench::Megabytes(static_cast<double>(largest)) + ", peak " +
                            bench::Megabytes(static_cast<double>(peak)) + " (" + (found ? "found" : "NOT FOUND") +
                            " in " + bench::Fixed(seconds, 1) + " s)",
                        "flat");
    }
    const double growth = static_cast<double>(lastPeak) - static_cast<double>(firstPeak);
    bench::PrintRow("peak working set growth, 25 MB page to 100 MB page", bench::Megabytes(growth),
                    "flat (< 1 MB)", growth < static_cast<double>(kMegabyte) ? bench::Verdict::Met : bench::Verdict::Missed);
    bench::PrintNote("page search: the largest working set sampled every 5 ms during the search, and the peak "
                     "after it; the program serves the pages itself, so both include the server's 1 MB block");
    return 0;
}

}  // namespace

int main() {
    try {
        return Run();
    } catch (const std::exception& e) {
        bench::PrintNote(std::string("page memory benchmark stopped: ") + e.what());
        return 1;
    }
}
