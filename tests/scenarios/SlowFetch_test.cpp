// The checker while its first fetch waits on a proxy that accepts and never answers, past the
// five seconds after which Windows calls a window that reads no messages hung: the window still
// answers, and the close box ends the program at once although the fetch alone would take its
// full minute.
#include <gtest/gtest.h>

#include <cstdio>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "CheckerWindow.h"
#include "tests/internet/LoopbackServer.h"
#include "tests/internet/TestProxy.h"

namespace {

using namespace std::chrono_literals;
using ui::CheckerWindow;
using ui::Mark;

// Windows' threshold is 5 s without reading messages; this is well past it.
constexpr auto kIntoTheFetch = 6500ms;

double Seconds(CheckerWindow::Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// A proxy that takes every connection, reads the request and says nothing until it is stopped.
class SilentProxy {
public:
    SilentProxy()
        : server_([this](nettest::Connection& connection) {
              {
                  std::lock_guard lock(mutex_);
                  if (!firstConnection_) firstConnection_ = CheckerWindow::Clock::now();
              }
              connection.ReadHead();
              while (connection.Pause(200ms)) {
              }
          }) {}

    unsigned short Port() const { return server_.Port(); }

    // When the first connection came, waiting up to `limit` for it.
    std::optional<CheckerWindow::Clock::time_point> FirstConnection(std::chrono::seconds limit) {
        const auto deadline = CheckerWindow::Clock::now() + limit;
        while (CheckerWindow::Clock::now() < deadline) {
            {
                std::lock_guard lock(mutex_);
                if (firstConnection_) return firstConnection_;
            }
            std::this_thread::sleep_for(20ms);
        }
        return std::nullopt;
    }

private:
    std::mutex mutex_;
    std::optional<CheckerWindow::Clock::time_point> firstConnection_;
    nettest::LoopbackServer server_;  // after what its handler uses, so it stops first
};

class DuringASlowFetch : public ::testing::Test {
protected:
    SilentProxy proxy_;
    nettest::ScopedProxySetting setting_{proxy_.Port()};

    // Starts the checker and returns once its first fetch has waited kIntoTheFetch.
    void WaitIntoTheFirstFetch(const CheckerWindow& window) {
        const auto fetchStarted = proxy_.FirstConnection(20s);
        ASSERT_TRUE(fetchStarted) << "the checker never reached the proxy";
        std::this_thread::sleep_until(*fetchStarted + kIntoTheFetch);
        ASSERT_EQ(window.Rows()[0], Mark::Question) << "the first fetch is no longer waiting";
        ASSERT_FALSE(window.WaitForExit(0ms));
    }
};

TEST_F(DuringASlowFetch, TheWindowIsNotHungAndAnswersMessages) {
    CheckerWindow window("winxp");
    WaitIntoTheFirstFetch(window);
    if (HasFatalFailure()) return;

    EXPECT_FALSE(IsHungAppWindow(window.hwnd())) << "Windows would show it as not responding";
    DWORD_PTR answer = 0;
    const auto asked = CheckerWindow::Clock::now();
    const LRESULT answered =
        SendMessageTimeoutA(window.hwnd(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer);
    EXPECT_NE(answered, 0) << "no answer to a message within a second";
    std::printf("WM_NULL answered in %.3f s\n", Seconds(CheckerWindow::Clock::now() - asked));
    const std::string shot = ui::SaveScreenshot(window.hwnd(), "scenario-slow-fetch");
    std::printf("screenshot: %s\n", shot.c_str());
}

TEST_F(DuringASlowFetch, TheCloseBoxEndsTheProgramPromptly) {
    CheckerWindow window("winxp");
    WaitIntoTheFirstFetch(window);
    if (HasFatalFailure()) return;

    // What the close box sends.
    const auto asked = CheckerWindow::Clock::now();
    PostMessageA(window.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(window.WaitForExit(10s)) << "still running after the close box";
    const double took = Seconds(CheckerWindow::Clock::now() - asked);
    std::printf("ended %.2f s after the close box\n", took);
    EXPECT_LT(took, 3.0);
    DWORD code = 1;
    GetExitCodeProcess(window.process(), &code);
    EXPECT_EQ(code, 0u);
}

}  // namespace
