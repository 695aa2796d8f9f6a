// Starting what a failed row's link opens, under Wine: its control.exe and inetcpl.cpl are real,
// and it lacks the other programs, as an older Windows would.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "app/FixContextOfThisPc.h"
#include "platform/ScopedHandle.h"
#include "platform/StartFix.h"

namespace {

struct WindowSearch {
    DWORD process = 0;         // 0: any process's
    const char* title = "";    // a part of the title; empty: any
    const char* className = "";  // the exact class; empty: any
    HWND found = nullptr;
};

BOOL CALLBACK Match(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char title[256] = {}, className[256] = {};
    GetWindowTextA(window, title, sizeof title);
    GetClassNameA(window, className, sizeof className);
    const bool fits = IsWindowVisible(window) && (!search.process || process == search.process) &&
                      std::string(title).find(search.title) != std::string::npos &&
                      (!*search.className || std::string(className) == search.className);
    if (fits) search.found = window;
    return !fits;
}

HWND FindTopLevel(WindowSearch search) {
    EnumWindows(&Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Starts `action` on a thread of its own, while this one watches for a message box of this process's:
// one would block the start until closed. Any box seen is closed and reported.
unsigned long StartWithoutBox(const platform::FixAction& action, bool& boxShown) {
    std::atomic<bool> done{false};
    unsigned long result = 0;
    std::thread start([&] {
        result = platform::StartFix(action, nullptr);
        done = true;
    });
    boxShown = false;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done && std::chrono::steady_clock::now() < limit) {
        if (const HWND box = FindTopLevel({GetCurrentProcessId(), "", "#32770"})) {
            boxShown = true;
            PostMessageA(box, WM_CLOSE, 0, 0);
        }
        Sleep(50);
    }
    start.join();
    return result;
}

TEST(StartFix, InternetOptionsOpensWinesControlPanelPage) {
    const platform::FixAction options = ActionFor(Fix::InternetOptions, FixContextOfThisPc());
    ASSERT_EQ(options.kind, platform::FixAction::Kind::Program);
    bool boxShown = false;
    ASSERT_EQ(StartWithoutBox(options, boxShown), 0ul) << options.Command();
    EXPECT_FALSE(boxShown);

    HWND window = nullptr;
    for (int tries = 0; tries < 300 && !window; ++tries, Sleep(100)) window = FindTopLevel({0, "Internet", ""});
    ASSERT_NE(window, nullptr) << "no window titled \"...Internet...\" after starting " << options.Command();
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    EXPECT_NE(processId, GetCurrentProcessId()) << "it runs in a program of its own";
    const platform::ScopedKernelHandle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId));
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (process && WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "Internet Options did not close";
        TerminateProcess(process.get(), 1);
    }
}

TEST(StartFix, AProgramThisWindowsLacksGivesItsWordsAndNoBox) {
    platform::FixAction missing = ActionFor(Fix::WindowsFeatures, FixContextOfThisPc());
    ASSERT_EQ(missing.kind, platform::FixAction::Kind::Program);
    ASSERT_NE(missing.target.find("\\OptionalFeatures.exe"), std::string::npos) << missing.target;
    bool boxShown = false;
    const unsigned long error = StartWithoutBox(missing, boxShown);
    EXPECT_FALSE(boxShown) << "Windows showed an error box of its own";
    EXPECT_TRUE(error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) << error;
    EXPECT_EQ(FixFailureText(missing, error), "Could not open Windows Features: this Windows has no such program");
}

// A 32-bit process on 64-bit Windows sees SysWOW64 where it names System32. A program that lies
// only in the real System32 (put there through Sysnative) starts from its System32 path when the
// action says the start must turn that redirection off, and only then; the thread has its
// redirection back afterwards.
TEST(StartFix, AProgramOnlyInTheNativeSystemFolderStartsWithRedirectionOff) {
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64)
        GTEST_SKIP() << "only a 32-bit process on 64-bit Windows has its System32 redirected";
    const std::string system = FixContextOfThisPc().systemFolder;
    char windows[MAX_PATH] = {};
    ASSERT_GT(GetSystemWindowsDirectoryA(windows, MAX_PATH), 0u);
    const std::string nativeOnly = std::string(windows) + "\\Sysnative\\qt_native_only.exe";
    ASSERT_TRUE(CopyFileA((system + "\\hostname.exe").c_str(), nativeOnly.c_str(), FALSE)) << GetLastError();
    struct Removed {
        std::string path;
        ~Removed() { DeleteFileA(path.c_str()); }
    } removed{nativeOnly};

    platform::FixAction action{platform::FixAction::Kind::Program, "Run it", "the program",
                               system + "\\qt_native_only.exe", {}};
    bool boxShown = false;
    const unsigned long redirected = StartWithoutBox(action, boxShown);
    EXPECT_TRUE(redirected == ERROR_FILE_NOT_FOUND || redirected == ERROR_PATH_NOT_FOUND) << redirected;
    action.nativeSystemFolder = true;
    EXPECT_EQ(StartWithoutBox(action, boxShown), 0ul) << "not found in the real System32";
    EXPECT_FALSE(boxShown);
    EXPECT_EQ(GetFileAttributesA(action.target.c_str()), INVALID_FILE_ATTRIBUTES)
        << "this thread's System32 is no longer redirected";
}

TEST(StartFix, NothingToStartForCheckAgain) {
    EXPECT_EQ(platform::StartFix(ActionFor(Fix::CheckAgain, FixContextOfThisPc()), nullptr),
              static_cast<unsigned long>(ERROR_INVALID_PARAMETER));
}

}  // namespace
