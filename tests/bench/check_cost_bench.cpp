// Each check's own cost, with both endpoints on this machine: the first call in a fresh process,
// in the run's order, which is the call the checker makes, and the median of repeated calls
// once everything is warm. The run's overhead beyond its pauses is mostly the first calls.
// Usage: check_cost_bench [REPEATS]   (20 unless given)
//        check_cost_bench --first-calls   (the fresh process: one call of each, printed)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Figures.h"
#include "LocalEndpoints.h"
#include "checks/FolderChecks.h"
#include "checks/InstallerCheck.h"
#include "checks/DotNetRegistry.h"
#include "checks/InternetChecks.h"
#include "checks/SecureUrlCheck.h"
#include "os/modOS.h"
#include "platform/HttpFetch.h"
#include "platform/TlsProbe.h"
#include "platform/Win32.h"
#include "registry/cRegistry.h"
#include "support/Process.h"

namespace {

using Clock = std::chrono::steady_clock;

// What each check of the window does before it shows its row, without the window.
struct Check {
    const char* name;
    std::function<bool()> outcome;
};

bool InstallerOutcome() {
    std::string location;
    {
        cRegistry registry;
        registry.ClassKey(RegistryRoot::LocalMachine);
        registry.SectionKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer");
        registry.ValueKey("InstallerLocation");
        registry.ValueType(RegistryValueType::RegSz);
        location = registry::ValueToText(registry.Value());
    }
    return InstallerLibraryPasses(location);
}

// The secure row as the checker makes it: the fetch, then the client's TLS handshake.
bool SecureRowPasses() {
    platform::HttpFetch fetch;
    platform::TlsProbe probe;
    return DataUrlClientFinding(fetch, probe, ClientOfferedSetOfThisPc()).passed;
}

// The same fetch without the handshake, to show what the handshake adds.
bool SecureFetchPasses() {
    platform::HttpFetch fetch;
    return DataUrlPasses(fetch);
}

const std::vector<Check> kChecks{
    {"CheckAppUrl (HTTP page via the proxy)", [] { platform::HttpFetch fetch; return AppUrlPasses(fetch); }},
    {"CheckDataUrl (HTTPS page via the proxy, then the client's TLS handshake)", &SecureRowPasses},
    {"CheckOS", [] { return GetOsInfo().ok; }},
    {"CheckInstaller", &InstallerOutcome},
    {"CheckDotNet", &DotNetFolderPresent},
    {"CheckMsHtmlInterop", &MsHtmlInteropFolderPresent},
    {"CheckSmartCardDriver", [] { return SmartCardToolsPresent(nullptr); }},
};

struct Timed {
    double ms;
    bool passed;
};

Timed TimeOnce(const Check& check) {
    const auto start = Clock::now();
    const bool passed = check.outcome();
    return {std::chrono::duration<double, std::milli>(Clock::now() - start).count(), passed};
}

constexpr char kFirstCalls[] = "--first-calls";

// The fresh process's part: "index ms passed" per check.
int PrintFirstCalls() {
    for (std::size_t i = 0; i < kChecks.size(); ++i) {
        const Timed t = TimeOnce(kChecks[i]);
        std::printf("%u %.4f %d\n", static_cast<unsigned>(i), t.ms, t.passed ? 1 : 0);
    }
    return 0;
}

std::vector<Timed> FirstCallsInFreshProcess() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const testsupport::Output out =
        testsupport::RunAndCapture("\"" + std::string(self) + "\" " + kFirstCalls, 120000);
    std::vector<Timed> first(kChecks.size(), Timed{-1, false});
    std::istringstream lines(out.text);
    unsigned index = 0;
    double ms = 0;
    int passed = 0;
    while (lines >> index >> ms >> passed)
        if (index < first.size()) first[index] = {ms, passed != 0};
    for (const Timed& t : first)
        if (t.ms < 0) throw std::runtime_error("the fresh process did not time every check");
    return first;
}

int Run(int repeats) {
    std::optional<bench::LocalEndpoints> endpoints;
    try {
        endpoints.emplace();
    } catch (const std::exception& e) {
        bench::PrintNote(std::string("no local endpoints (") + e.what() +
                         "): the Internet checks are timed failing");
    }
    const std::vector<Timed> first = FirstCallsInFreshProcess();

    double firstTotal = 0, medianTotal = 0;
    for (std::size_t i = 0; i < kChecks.size(); ++i) {
        TimeOnce(kChecks[i]);  // warms this process
        bench::Samples again;
        bool sameOutcome = true;
        for (int r = 0; r < repeats; ++r) {
            const Timed t = TimeOnce(kChecks[i]);
            again.Add(t.ms);
            sameOutcome = sameOutcome && t.passed == first[i].passed;
        }
        firstTotal += first[i].ms;
        medianTotal += again.Median();
        std::string value = bench::Milliseconds(first[i].ms) + " first, " + bench::Milliseconds(again.Median()) +
                            " warm" + (first[i].passed ? " (passes)" : " (fails)");
        if (!sameOutcome) value += " (outcome varied)";
        bench::PrintRow(std::string("check cost: ") + kChecks[i].name, value);
    }
    bench::PrintRow("check cost: all seven",
                    bench::Milliseconds(firstTotal) + " first, " + bench::Milliseconds(medianTotal) + " warm");
    // The client's handshake against the loopback TLS 1.2 service: the secure row with it and
    // without it, warm. Without SystemDefaultTlsVersions the handshake is refused and a second
    // one, offering Windows' versions, follows: the dearer case.
    bench::Samples withHandshake, fetchOnly;
    for (int r = 0; r < repeats; ++r) {
        withHandshake.Add(TimeOnce({"", &SecureRowPasses}).ms);
        fetchOnly.Add(TimeOnce({"", &SecureFetchPasses}).ms);
    }
    bench::PrintRow("check cost: what the client's TLS handshake adds to CheckDataUrl",
                    bench::Milliseconds(withHandshake.Median() - fetchOnly.Median()) + " warm (" +
                        ClientOfferedSetOfThisPc().offered + " offered first)");
    bench::PrintNote("check cost: first = one call in a fresh process, in the run's order; warm = median of " +
                     std::to_string(repeats) + " calls after a first");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == kFirstCalls) return PrintFirstCalls();
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    try {
        return Run(repeats);
    } catch (const std::exception& e) {
        bench::PrintNote(std::string("check benchmark stopped: ") + e.what());
        return 1;
    }
}
