// The Smart Card row's card readers end to end: the real QTSysCheck.exe /report asks a stand-in
// winscard.dll (Wine 8's own knows no reader) put in place of the system's copy and told through
// the environment what to answer; and once Wine's own stub. The verdict stays the folder's.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ClaimedPath.h"
#include "support/Process.h"
#include "support/TextLines.h"
#include "tests/app/JsonReader.h"
#include "tests/checks/Environment.h"
#include "tests/checks/ScratchFolder.h"
#include "tests/checks/WineDllOverride.h"
#include "tests/internet/LoopbackServer.h"
#include "tests/internet/TestProxy.h"

namespace {

using apptest::JsonValue;

constexpr char kChecker[] = "QTSysCheck.exe";
constexpr std::size_t kSmartCardRow = 6;
constexpr char kNotRunning[] =
    "; the smart-card service is not running (Windows starts it when a reader is plugged in)";

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder, n < MAX_PATH ? n : 0);
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// `text` in the ANSI code page, as the service's "A" functions give names; nothing when the code
// page lacks one of its letters.
std::optional<std::string> InAnsiCodePage(const std::wstring& text) {
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr, &lossy);
    if (n <= 0 || lossy) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, bytes.data(), n, nullptr, nullptr);
    bytes.pop_back();
    return bytes;
}

// What the stand-in answers, set in this process's environment, which the checker inherits.
class ServiceScript {
public:
    ServiceScript(const std::wstring& establish, const std::wstring& list, const std::vector<std::wstring>& readers,
                  const std::string& log) {
        Set(L"QT_TEST_WINSCARD_ESTABLISH", establish);
        Set(L"QT_TEST_WINSCARD_LIST", list);
        for (std::size_t i = 0; i < readers.size(); ++i)
            Set(L"QT_TEST_WINSCARD_READER" + std::to_wstring(i + 1), readers[i]);
        Set(L"QT_TEST_WINSCARD_LOG", std::wstring(log.begin(), log.end()));
    }
    ~ServiceScript() {
        for (const std::wstring& name : names_) SetEnvironmentVariableW(name.c_str(), nullptr);
    }
    ServiceScript(const ServiceScript&) = delete;
    ServiceScript& operator=(const ServiceScript&) = delete;

private:
    void Set(const std::wstring& name, const std::wstring& value) {
        if (value.empty()) return;
        SetEnvironmentVariableW(name.c_str(), value.c_str());
        names_.push_back(name);
    }
    std::vector<std::wstring> names_;
};

// The stand-in in place of the system folder's winscard.dll (the 32-bit checker's system folder
// is syswow64, where this process's writes go when it is 32-bit too), and preferred native by
// the checker, while the object lives.
class StandInWinScard {
public:
    StandInWinScard() : claimed_(SystemFolder() + "\\winscard.dll"), native_(kChecker, "winscard", "native") {
        const std::string source = testsupport::ProgramFolder() + "winscard_standin.dll";
        if (!CopyFileA(source.c_str(), claimed_.path().c_str(), FALSE))
            throw std::runtime_error("cannot copy " + source + " to " + claimed_.path());
    }

private:
    scenario::ClaimedPath claimed_;
    checktest::ScopedWineDllOverride native_;
};

class CardReaders : public ::testing::Test {
protected:
    // No reader tools on this machine, unless a test makes them; the company proxy is down, so
    // the Internet rows fail at once.
    CardReaders() {
        const std::string programFiles = checktest::Environment("ProgramFiles");
        for (const std::string& folder : {programFiles, checktest::Environment(kTest64 ? "ProgramFiles(x86)" : "ProgramW6432")})
            for (const char* maker : {"\\Gemplus", "\\GemAlto"})
                if (!folder.empty()) tools_.push_back(std::make_unique<scenario::ClaimedPath>(folder + maker));
        gemplus_ = programFiles + "\\Gemplus\\ReaderTools";
    }

    // The checker's report of this machine; its exit code must be a verdict's, not a crash's.
    std::string Report(const std::string& name) {
        const std::string report = folder_ / name;
        platform::ScopedKernelHandle process =
            testsupport::Start("\"" + testsupport::ProgramFolder() + kChecker + "\" /report \"" + report + "\"");
        EXPECT_EQ(WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0);
        DWORD exitCode = 99;
        GetExitCodeProcess(process.get(), &exitCode);
        EXPECT_EQ(exitCode, 1u) << "a requirement is unmet: the Internet rows fail";
        return ReadWhole(report);
    }

    JsonValue SmartCardRow() {
        const std::string text = Report("readers.json");
        const std::optional<JsonValue> json = apptest::ReadJson(text);
        if (!json) throw std::runtime_error("not valid JSON:\n" + text);
        return (*json)["rows"][kSmartCardRow];
    }

    static constexpr bool kTest64 = sizeof(void*) == 8;
    std::vector<std::unique_ptr<scenario::ClaimedPath>> tools_;
    std::string gemplus_;
    checktest::ScratchFolder folder_{"card_readers"};
    nettest::ScopedProxySetting deadProxy_{nettest::UnusedPort()};
};

struct Reader {
    std::wstring name;
    std::string state;  // hexadecimal, as the stand-in is told
    std::string utf8;   // the name as the report must give it
    bool card;
};

struct Case {
    const char* what;
    std::wstring establish, list;
    std::vector<Reader> readers;
    std::string words;  // the end of the line, UTF-8
    bool listed;        // the report lists readers (none or some); otherwise null with a note
};

TEST_F(CardReaders, TheLineAndTheReportSayWhatTheSmartCardServiceSees) {
    // The longest name Windows builds for a reader: "<vendor> <type> <unit>", vendor and type at
    // most 32 characters each (MAXIMUM_ATTR_STRING_LENGTH), the unit a 32-bit number.
    const std::string longest = "Quorvin Technologies Card System Secure PIN Pad Reader Model 4711 4294967295";
    ASSERT_EQ(longest.size(), 32u + 1 + 32 + 1 + 10);
    const std::wstring accented = L"Lecteur de cartes \u00E0 puce Soci\u00E9t\u00E9 0";
    const std::string accentedUtf8 = "Lecteur de cartes \xC3\xA0 puce Soci\xC3\xA9t\xC3\xA9 0";
    const Case cases[] = {
        {"no service", L"8010001D", L"", {}, kNotRunning, false},
        // From Windows 8 on, a service that stopped after its last reader went.
        {"service stopped", L"", L"8010001E", {}, kNotRunning, false},
        {"none attached", L"", L"8010002E", {}, "; no card reader is attached", true},
        // pcsc-lite's states, with the insertion counter in the high 16 bits.
        {"two readers, one with a card", L"", L"",
         {{L"Virtual PCD 00 00", "10022", "Virtual PCD 00 00", true}, {L"Virtual PCD 00 01", "12", "Virtual PCD 00 01", false}},
         "; Windows sees 2 card readers: Virtual PCD 00 00 (a card is in it), Virtual PCD 00 01 (no card)", true},
        {"a name with accented letters", L"", L"", {{accented, "20012", accentedUtf8, false}},
         "; Windows sees 1 card reader: " + accentedUtf8 + " (no card)", true},
        {"the longest name", L"", L"", {{std::wstring(longest.begin(), longest.end()), "30022", longest, true}},
         "; Windows sees 1 card reader: " + longest + " (a card is in it)", true},
    };
    const StandInWinScard standIn;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::wstring> script;
        std::vector<std::string> expectedLog{"SCardEstablishContext scope=0"};  // SCARD_SCOPE_USER
        for (const Reader& reader : c.readers) {
            const std::optional<std::string> ansi = InAnsiCodePage(reader.name);
            if (!ansi) GTEST_SKIP() << "the ANSI code page lacks a letter of " << reader.utf8;
            script.push_back(std::wstring(reader.state.begin(), reader.state.end()) + L" " + reader.name);
        }
        const std::string log = folder_ / "winscard.log";
        DeleteFileA(log.c_str());
        const ServiceScript service(c.establish, c.list, script, log);
        const JsonValue row = SmartCardRow();

        EXPECT_EQ(row["result"].text, "Failed") << "no reader tools folder, whatever the readers";
        const std::string& detail = row["detail"].text;
        ASSERT_GE(detail.size(), c.words.size()) << detail;
        EXPECT_EQ(detail.substr(detail.size() - c.words.size()), c.words) << detail;
        if (c.listed) {
            const JsonValue& readers = row["readers"];
            ASSERT_EQ(readers.kind, JsonValue::Kind::Array) << detail;
            ASSERT_EQ(readers.items.size(), c.readers.size());
            for (std::size_t i = 0; i < c.readers.size(); ++i) {
                EXPECT_EQ(readers[i]["name"].text, c.readers[i].utf8);
                EXPECT_EQ(readers[i]["card"].boolean, c.readers[i].card);
            }
        } else {
            EXPECT_EQ(row["readers"].kind, JsonValue::Kind::Null);
            EXPECT_EQ("; " + row["readersNote"].text, c.words);
        }

        // A context of its own, released; each reader asked with a time limit of 0 and its state
        // unknown, so that the answer comes at once.
        if (c.establish.empty()) {
            expectedLog.push_back("SCardListReadersA context=ours groups=all");
            if (c.list.empty())
                for (const Reader& reader : c.readers)
                    expectedLog.push_back("SCardGetStatusChangeA context=ours timeout=0 current=0x0 user=null reader=" +
                                          *InAnsiCodePage(reader.name));
            expectedLog.push_back("SCardReleaseContext context=ours");
        }
        EXPECT_EQ(testsupport::Lines(ReadWhole(log)), expectedLog);
    }
}

TEST_F(CardReaders, ThePlainTextReportGivesTheNamesInUtf8) {
    const std::wstring name = L"Lecteur \u00E9tage 2";
    if (!InAnsiCodePage(name)) GTEST_SKIP() << "the ANSI code page lacks \u00E9";
    const StandInWinScard standIn;
    const ServiceScript service(L"", L"", {L"22 " + name}, "");
    std::string text = Report("readers.txt");
    ASSERT_EQ(text.compare(0, 3, "\xEF\xBB\xBF"), 0);
    text.erase(0, 3);
    EXPECT_TRUE(apptest::IsWellFormedUtf8(text));
    EXPECT_NE(text.find("; Windows sees 1 card reader: Lecteur \xC3\xA9tage 2 (a card is in it)\r\n"), std::string::npos)
        << text;
}

TEST_F(CardReaders, WithWinesOwnStubTheLineSaysSoAndTheVerdictStaysTheFolders) {
    const checktest::CreatedFolders tools(gemplus_);
    const JsonValue row = SmartCardRow();
    EXPECT_EQ(row["result"].text, "Passed");
    const std::string& detail = row["detail"].text;
    EXPECT_EQ(detail.rfind(gemplus_ + ": folder present; ", 0), 0u) << detail;
    const std::string words = "; could not ask the smart-card service: error 0x80100001";
    ASSERT_GE(detail.size(), words.size());
    EXPECT_EQ(detail.substr(detail.size() - words.size()), words) << detail;
    EXPECT_EQ(row["readers"].kind, JsonValue::Kind::Null);
    EXPECT_EQ("; " + row["readersNote"].text, words);
}

}  // namespace
