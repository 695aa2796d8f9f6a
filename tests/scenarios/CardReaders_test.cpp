// The Smart Card row's card readers end to end: the real QTSysCheck.exe /report asks a stand-in
// winscard.dll (Wine 8's own knows no reader) put in place of the system's copy and told through
// the environment what to answer; and once Wine's own stub. The verdict stays the folder's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "CheckerWindow.h"
#include "ClaimedPath.h"
#include "support/Process.h"
#include "support/TextLines.h"
#include "support/WindowCapture.h"
#include "tests/app/JsonReader.h"
#include "tests/checks/Environment.h"
#include "tests/checks/ScratchFolder.h"
#include "tests/checks/WineDllOverride.h"
#include "tests/internet/LoopbackServer.h"
#include "tests/internet/TestProxy.h"

namespace {

using namespace std::chrono_literals;
using apptest::JsonValue;
using Clock = std::chrono::steady_clock;
constexpr char kChecker[] = "QTSysCheck.exe";
constexpr char kNoAnswer[] = "; could not ask the smart-card service: no answer within 1 second";
constexpr int kSmartCardBoxId = 105;  // picSmartCard
constexpr char kNotRunning[] =
    "; the smart-card service is not running (Windows starts it when a reader is plugged in)";

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Environment values of this process, which the checker inherits, unset again when it goes.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() {
        for (const std::wstring& name : names_) SetEnvironmentVariableW(name.c_str(), nullptr);
    }
    void Set(const std::wstring& name, const std::wstring& value) {
        if (value.empty()) return;
        SetEnvironmentVariableW(name.c_str(), value.c_str());
        names_.push_back(name);
    }

private:
    std::vector<std::wstring> names_;
};

class CardReaders : public ::testing::Test {
protected:
    // No reader tools on this machine unless a test makes them; the company proxy is down, so the
    // Internet rows fail at once.
    CardReaders() {
        const bool test64 = sizeof(void*) == 8;
        for (const std::string& folder : {programFiles_, checktest::Environment(test64 ? "ProgramFiles(x86)" : "ProgramW6432")})
            for (const char* maker : {"\\Gemplus", "\\GemAlto"})
                if (!folder.empty()) tools_.push_back(std::make_unique<scenario::ClaimedPath>(folder + maker));
    }

    // The Smart Card row of the checker's JSON report; its exit code must be a verdict's.
    JsonValue SmartCardRow() {
        const std::string report = folder_ / "readers.json";
        platform::ScopedKernelHandle process =
            testsupport::Start("\"" + testsupport::ProgramFolder() + kChecker + "\" /report \"" + report + "\"");
        EXPECT_EQ(WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0);
        DWORD exitCode = 99;
        GetExitCodeProcess(process.get(), &exitCode);
        EXPECT_EQ(exitCode, 1u) << "not a crash: the Internet rows fail";
        const std::optional<JsonValue> json = apptest::ReadJson(ReadWhole(report));
        if (!json) throw std::runtime_error("no valid JSON report");
        return (*json)["rows"][6];
    }

    // The stand-in in place of the system's winscard.dll, and the checker told to take it.
    struct StandIn {
        StandIn() {
            const std::string standIn = testsupport::ProgramFolder() + "winscard_standin.dll";
            // A 32-bit test writes to syswow64 here, the 32-bit checker's system folder.
            if (!CopyFileA(standIn.c_str(), systemCopy.path().c_str(), FALSE))
                throw std::runtime_error("the stand-in could not be put in place");
        }
        scenario::ClaimedPath systemCopy{checktest::Environment("SystemRoot") + "\\system32\\winscard.dll"};
        checktest::ScopedWineDllOverride native{kChecker, "winscard", "native"};
    };

    static void ExpectLineEnd(const JsonValue& row, const std::string& words) {
        const std::string& detail = row["detail"].text;
        EXPECT_EQ(detail.substr(detail.size() - std::min(detail.size(), words.size())), words) << detail;
    }

    std::string programFiles_ = checktest::Environment("ProgramFiles");
    std::vector<std::unique_ptr<scenario::ClaimedPath>> tools_;
    checktest::ScratchFolder folder_{"card_readers"};
    nettest::ScopedProxySetting deadProxy_{nettest::UnusedPort()};
};

struct Reader {
    std::wstring script;       // "STATE NAME" as the stand-in is told: the state in hexadecimal
    std::string name;          // as the report must give it, UTF-8
    std::optional<bool> card;  // null in the report when nothing
};

TEST_F(CardReaders, TheLineAndTheReportSayWhatTheSmartCardServiceSees) {
    // The longest name Windows builds for a reader: "<vendor> <type> <unit>", vendor and type at
    // most 32 characters each (MAXIMUM_ATTR_STRING_LENGTH), the unit a 32-bit number.
    const std::string longest = "Quorvin Technologies Card System Secure PIN Pad Reader Model 4711 4294967295";
    ASSERT_EQ(longest.size(), 32u + 1 + 32 + 1 + 10);
    const std::string accented = "Lecteur de cartes \xC3\xA0 puce Soci\xC3\xA9t\xC3\xA9 0";
    struct Case {
        const char* what;
        std::wstring establish, list;  // the codes those calls return, hexadecimal; empty for success
        std::vector<Reader> readers;
        std::string words;  // the end of the line
        bool listed;        // "readers" is a list; otherwise null, with the words as "readersNote"
        std::size_t statusCalls = SIZE_MAX;  // how many readers are asked about; all unless less
    };
    const Case cases[] = {
        {"no service", L"8010001D", L"", {}, kNotRunning, false},
        // From Windows 8 on, the service stops after the last reader went.
        {"service stopped", L"", L"8010001E", {}, kNotRunning, false},
        {"none attached", L"", L"8010002E", {}, "; no card reader is attached", true},
        // pcsc-lite's states, with the insertion counter in the high 16 bits.
        {"two readers, one with a card", L"", L"",
         {{L"10022 Virtual PCD 00 00", "Virtual PCD 00 00", true}, {L"12 Virtual PCD 00 01", "Virtual PCD 00 01", false}},
         "; Windows sees 2 card readers: Virtual PCD 00 00 (a card is in it), Virtual PCD 00 01 (no card)", true},
        // One reader unplugged between the list and the question about it: the others still count.
        {"a reader gone since the list", L"", L"",
         {{L"12 Reader A", "Reader A", false}, {L"!80100009 Reader B", "Reader B", std::nullopt},
          {L"10022 Reader C", "Reader C", true}},
         "; Windows sees 3 card readers: Reader A (no card), Reader B (Windows cannot tell whether a card is in it), "
         "Reader C (a card is in it)", true},
        // The service itself stopped meanwhile: nothing more is asked.
        {"the service stopped after the list", L"", L"",
         {{L"12 Reader A", "Reader A", false}, {L"!8010001E Reader B", "Reader B", std::nullopt},
          {L"22 Reader C", "Reader C", true}},
         kNotRunning, false, 2},
        // What a Remote Desktop session without smart cards answers, here outside one.
        {"a broken pipe", L"6D", L"", {}, "; could not ask the smart-card service: error 0x0000006D", false},
        {"the longest name", L"", L"", {{L"30022 " + std::wstring(longest.begin(), longest.end()), longest, true}},
         "; Windows sees 1 card reader: " + longest + " (a card is in it)", true},
        // Given to the checker in the ANSI code page, as Windows' "A" functions give names (last:
        // skipped where that code page lacks the letters).
        {"accented letters", L"", L"", {{L"20012 Lecteur de cartes \u00E0 puce Soci\u00E9t\u00E9 0", accented, false}},
         "; Windows sees 1 card reader: " + accented + " (no card)", true},
    };
    const StandIn standIn;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string log = folder_ / "winscard.log";
        DeleteFileA(log.c_str());
        ScopedEnvironment script;
        script.Set(L"QT_TEST_WINSCARD_ESTABLISH", c.establish);
        script.Set(L"QT_TEST_WINSCARD_LIST", c.list);
        for (std::size_t i = 0; i < c.readers.size(); ++i) {
            BOOL lossy = FALSE;
            WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, c.readers[i].script.c_str(), -1, nullptr, 0, nullptr, &lossy);
            if (lossy) GTEST_SKIP() << "the ANSI code page lacks a letter of " << c.readers[i].name;
            script.Set(L"QT_TEST_WINSCARD_READER" + std::to_wstring(i + 1), c.readers[i].script);
        }
        script.Set(L"QT_TEST_WINSCARD_LOG", std::wstring(log.begin(), log.end()));
        const JsonValue row = SmartCardRow();

        EXPECT_EQ(row["result"].text, "Failed") << "no reader tools folder, whatever the readers";
        ExpectLineEnd(row, c.words);
        if (c.listed) {
            ASSERT_EQ(row["readers"].items.size(), c.readers.size()) << row["detail"].text;
            for (std::size_t i = 0; i < c.readers.size(); ++i) {
                EXPECT_EQ(row["readers"][i]["name"].text, c.readers[i].name);
                if (c.readers[i].card)
                    EXPECT_EQ(row["readers"][i]["card"].boolean, *c.readers[i].card);
                else
                    EXPECT_EQ(row["readers"][i]["card"].kind, JsonValue::Kind::Null);
            }
        } else {
            EXPECT_EQ(row["readers"].kind, JsonValue::Kind::Null);
            EXPECT_EQ("; " + row["readersNote"].text, c.words);
        }
        // A context of its own (SCARD_SCOPE_USER), released; each reader known by its name and
        // asked with a time limit of 0 and its state unknown, so that the answer comes at once.
        std::vector<std::string> calls{"SCardEstablishContext scope=0"};
        if (c.establish.empty()) {
            calls.push_back("SCardListReadersA context=ours groups=all");
            for (std::size_t i = 0; c.list.empty() && i < std::min(c.readers.size(), c.statusCalls); ++i)
                calls.push_back("SCardGetStatusChangeA context=ours timeout=0 current=0x0 user=null reader=" +
                                std::to_string(i + 1));
            calls.push_back("SCardReleaseContext context=ours");
        }
        EXPECT_EQ(testsupport::Lines(ReadWhole(log)), calls);
    }
}

TEST_F(CardReaders, WithWinesOwnStubTheLineSaysSoAndTheVerdictStaysTheFolders) {
    const std::string tools = programFiles_ + "\\Gemplus\\ReaderTools";
    const checktest::CreatedFolders made(tools);
    const JsonValue row = SmartCardRow();
    EXPECT_EQ(row["result"].text, "Passed");
    EXPECT_EQ(row["detail"].text.rfind(tools + ": folder present; ", 0), 0u) << row["detail"].text;
    ExpectLineEnd(row, "; could not ask the smart-card service: error 0x80100001");
    EXPECT_EQ(row["readers"].kind, JsonValue::Kind::Null);
}

// A service that does not answer (a Remote Desktop client that has stalled) holds the report only
// for the limit: the line says so, and the verdict stays the folders'.
TEST_F(CardReaders, AServiceThatDoesNotAnswerHoldsTheReportOnlyForTheLimit) {
    const checktest::CreatedFolders made(programFiles_ + "\\GemAlto\\ReaderTools");
    const StandIn standIn;
    ScopedEnvironment script;
    script.Set(L"QT_TEST_WINSCARD_LIST_SLEEP", L"4E20");  // 20 s
    script.Set(L"QT_TEST_WINSCARD_READER1", L"22 Reader A");
    const auto started = Clock::now();
    const JsonValue row = SmartCardRow();
    const double took = std::chrono::duration<double>(Clock::now() - started).count();
    std::printf("report written after %.2f s\n", took);
    EXPECT_LT(took, 15.0) << "the report waited for the service";
    EXPECT_EQ(row["result"].text, "Passed");
    ExpectLineEnd(row, kNoAnswer);
    EXPECT_EQ(row["readers"].kind, JsonValue::Kind::Null);
    EXPECT_EQ("; " + row["readersNote"].text, kNoAnswer);
}

// The same in the window: it answers messages while the service is asked, the row comes after
// the limit, and the question left behind ends later on its own without harm.
TEST_F(CardReaders, AServiceThatDoesNotAnswerNeverHoldsTheWindow) {
    const StandIn standIn;
    const std::string log = folder_ / "winscard.log";
    DeleteFileA(log.c_str());
    ScopedEnvironment script;
    script.Set(L"QT_TEST_WINSCARD_LIST_SLEEP", L"1F40");  // 8 s
    script.Set(L"QT_TEST_WINSCARD_READER1", L"22 Reader A");
    script.Set(L"QT_TEST_WINSCARD_LOG", std::wstring(log.begin(), log.end()));
    ui::CheckerWindow window("winxp");

    auto listAsked = Clock::now() + 30s;
    while (Clock::now() < listAsked && ReadWhole(log).find("SCardListReadersA") == std::string::npos)
        std::this_thread::sleep_for(20ms);
    ASSERT_NE(ReadWhole(log).find("SCardListReadersA"), std::string::npos) << "the readers were never asked for";
    listAsked = Clock::now();

    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutA(window.hwnd(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer), 0)
        << "the window is held while the service is asked";
    const HWND box = window.Control(kSmartCardBoxId);
    while (Clock::now() < listAsked + 15s && testsupport::WindowText(box) == "Not checked yet")
        std::this_thread::sleep_for(20ms);
    const double shown = std::chrono::duration<double>(Clock::now() - listAsked).count();
    std::printf("row shown %.2f s after the readers were asked for\n", shown);
    EXPECT_EQ(testsupport::WindowText(box), "Failed") << "no reader tools here";
    EXPECT_LT(shown, 6.0) << "the row waited for the service past the limit";

    // The question left behind ends once the stand-in wakes, and releases its context.
    std::this_thread::sleep_until(listAsked + 10s);
    EXPECT_NE(ReadWhole(log).find("SCardReleaseContext"), std::string::npos);
    ASSERT_FALSE(window.WaitForExit(0ms)) << "the checker ended when the question left behind ended";
    PostMessageA(window.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(window.WaitForExit(10s));
    DWORD code = 1;
    GetExitCodeProcess(window.process(), &code);
    EXPECT_EQ(code, 0u);
}

}  // namespace
