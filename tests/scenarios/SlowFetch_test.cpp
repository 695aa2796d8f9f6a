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
#include "support/WindowCapture.h"
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

// The first fetch starts as its pause starts, not after it: a page that takes two seconds puts its
// row up two seconds after the window appears, where fetching after the pause took three.
TEST(FetchBesideItsPause, ARowComesWhenBothItsPauseAndItsFetchAreOver) {
    std::mutex mutex;
    std::optional<CheckerWindow::Clock::time_point> asked;
    nettest::LoopbackServer proxy(nettest::ProxyHandler(
        [&](const std::string&) {
            std::lock_guard lock(mutex);
            if (!asked) asked = CheckerWindow::Clock::now();
        },
        [](const std::string&) {
            std::this_thread::sleep_for(2s);
            return nettest::Response(200, "<a href=\"TessaryApp.application\">Install</a>");
        },
        nettest::UnusedPort()));
    nettest::ScopedProxySetting setting(proxy.Port());
    CheckerWindow window("winxp");
    const HWND firstBox = window.Control(106);  // picInternetApp
    const auto deadline = window.shownAt() + 20s;
    while (CheckerWindow::Clock::now() < deadline && testsupport::WindowText(firstBox) == "Not checked yet")
        std::this_thread::sleep_for(20ms);
    const double shown = Seconds(CheckerWindow::Clock::now() - window.shownAt());
    std::lock_guard lock(mutex);
    ASSERT_TRUE(asked) << "the checker never reached the proxy";
    std::printf("fetch asked %.2f s, row shown %.2f s after the window appeared\n",
                Seconds(*asked - window.shownAt()), shown);
    EXPECT_EQ(testsupport::WindowText(firstBox), "Passed");
    EXPECT_LT(Seconds(*asked - window.shownAt()), 0.8) << "the fetch waited for its pause";
    EXPECT_GE(shown, 1.9);
    EXPECT_LT(shown, 2.8) << "the pause and the fetch came one after the other";
}

}  // namespace
