// The checker on a network that swallows requests: the prefix's proxy takes every connection and
// never answers, so each fetch runs into its 60-second limit. The report without a window starts
// both fetches at once and so takes about one limit; the window fetches one row after the other,
// each beside its pause, and so takes about two: its worst case.
// Usage: black_hole_bench
#include <exception>
#include <string>
#include <thread>

#include "Figures.h"
#include "WatchedProgram.h"
#include "internet/LoopbackServer.h"
#include "internet/TestProxy.h"
#include "support/Process.h"

namespace {

using namespace std::chrono_literals;
using bench::Clock;

constexpr char kCheckerTitle[] = "Quorvin Tessary Card System";
constexpr int kCloseId = 103;

// Reads each request and says nothing until it is stopped.
nettest::LoopbackServer::Handler Swallow() {
    return [](nettest::Connection& connection) {
        connection.ReadHead();
        while (connection.Pause(200ms)) {
        }
    };
}

double ReportSeconds() {
    const std::string report = testsupport::ProgramFolder() + "black-hole-report.json";
    const auto started = Clock::now();
    const testsupport::Output out = testsupport::RunAndCapture(
        "\"" + testsupport::ProgramFolder() + "QTSysCheck.exe\" /report \"" + report + "\"", 180000);
    DeleteFileA(report.c_str());
    if (out.exitCode != 1) bench::PrintNote("the report run ended with exit code " + std::to_string(out.exitCode));
    return bench::MillisecondsBetween(started, Clock::now()) / 1000.0;
}

// From the window's appearing to its Close button's becoming usable.
double WindowSeconds() {
    bench::WatchedProgram program("QTSysCheck.exe");
    HWND window = nullptr;
    while (!window && Clock::now() < program.startedAt() + 30s) {
        window = program.ShownWindow(kCheckerTitle);
        std::this_thread::sleep_for(5ms);
    }
    if (!window) throw std::runtime_error("the window did not appear");
    const auto shownAt = Clock::now();
    while (!IsWindowEnabled(GetDlgItem(window, kCloseId))) {
        if (Clock::now() > shownAt + 300s) throw std::runtime_error("the run did not end within 300 s");
        std::this_thread::sleep_for(20ms);
    }
    const double seconds = bench::MillisecondsBetween(shownAt, Clock::now()) / 1000.0;
    program.Close(window);
    return seconds;
}

}  // namespace

int main() {
    try {
        nettest::LoopbackServer proxy(Swallow());
        nettest::ScopedProxySetting setting(proxy.Port());
        const double report = ReportSeconds();
        bench::PrintRow("/report FILE, network that never answers", bench::Fixed(report, 1) + " s", "<= 62 s",
                        bench::AtMost(report, 62));
        const double window = WindowSeconds();
        bench::PrintRow("window, network that never answers: shown to Close enabled", bench::Fixed(window, 1) + " s",
                        "two 60 s limits and the 7 s of pauses");
        return 0;
    } catch (const std::exception& e) {
        bench::PrintNote(std::string("black-hole benchmark stopped: ") + e.what());
        return 1;
    }
}
