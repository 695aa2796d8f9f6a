// QTSysCheck.exe started by an IT department's script: "/report FILE" makes the checks without a
// window and writes what they found to FILE; its exit code says whether every requirement is met.
// Any other command line still gives the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "CheckerWindow.h"
#include "CustomerMachine.h"
#include "support/Process.h"
#include "support/TextLines.h"
#include "support/WindowCapture.h"
#include "tests/app/JsonReader.h"
#include "tests/checks/Environment.h"
#include "tests/checks/ScratchFolder.h"

namespace {

using namespace std::chrono_literals;
using scenario::DotNet;
using scenario::Installer;
using scenario::Network;
using scenario::ReaderTools;
using scenario::Release;

const char* const kCaptions[] = {"Internet Access (Application)", "Internet Access (Secure Web Service)",
                                 "Operating System",              "Windows Installer 3.1",
                                 "Dot Net Framework V3.5",        "MS Interop Assembly",
                                 "Smart Card Driver"};

struct SilentRun {
    unsigned long exitCode = 0;
    std::set<std::string> windowClasses;  // of every top-level window the program had
    double seconds = 0;
};

struct WindowWatch {
    DWORD processId;
    std::set<std::string>* classes;
};

BOOL CALLBACK NoteWindow(HWND hwnd, LPARAM param) {
    auto* watch = reinterpret_cast<WindowWatch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != watch->processId) return TRUE;
    char name[128] = {};
    GetClassNameA(hwnd, name, sizeof name);
    watch->classes->insert(name);
    return TRUE;
}

// Runs the checker with `arguments` to its end, looking for its windows all the while.
SilentRun RunChecker(const std::string& arguments, const std::string& wineVersion = "winxp",
                     scenario::CustomerMachine* machine = nullptr) {
    std::optional<testsupport::ScopedWineVersion> version;
    if (!wineVersion.empty()) version.emplace("QTSysCheck.exe", wineVersion);
    const auto started = std::chrono::steady_clock::now();
    platform::ScopedKernelHandle process =
        testsupport::Start("\"" + testsupport::ProgramFolder() + "QTSysCheck.exe\" " + arguments);
    if (machine) machine->CheckerStarted();
    SilentRun run;
    WindowWatch watch{GetProcessId(process.get()), &run.windowClasses};
    const auto deadline = started + 120s;
    while (WaitForSingleObject(process.get(), 10) == WAIT_TIMEOUT) {
        EnumWindows(&NoteWindow, reinterpret_cast<LPARAM>(&watch));
        if (std::chrono::steady_clock::now() > deadline) {
            TerminateProcess(process.get(), 99);
            break;
        }
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    GetExitCodeProcess(process.get(), &run.exitCode);
    return run;
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

constexpr scenario::Machine kEverythingMet{Release::WindowsXpSp3, Network::Working, Installer::Version3_1,
                                           DotNet::Installed,     true,             ReaderTools::Gemplus};
constexpr scenario::Machine kNoNetwork{Release::WindowsXpSp3, Network::Refused, Installer::Version3_1,
                                       DotNet::Installed,     true,             ReaderTools::Gemplus};

class SilentReport : public ::testing::Test {
protected:
    static void SetUpTestSuite() { servers_ = std::make_unique<nettest::TlsServers>(); }
    static void TearDownTestSuite() { servers_.reset(); }
    static const nettest::TlsServers& Servers() { return *servers_; }
    checktest::ScratchFolder folder_{"silent_report"};

private:
    static std::unique_ptr<nettest::TlsServers> servers_;
};
std::unique_ptr<nettest::TlsServers> SilentReport::servers_;

TEST_F(SilentReport, EveryRequirementMetExitsZeroWithAJsonReportAndNoWindow) {
    scenario::CustomerMachine machine(kEverythingMet, Servers());
    const std::string report = folder_ / "pc-0001.json";
    const SilentRun run = RunChecker("/report \"" + report + "\"", machine.WineVersion(), &machine);
    EXPECT_EQ(run.exitCode, 0u);
    for (const std::string& name : run.windowClasses) ADD_FAILURE() << "a window of class " << name;

    const std::string text = ReadWhole(report);
    const std::optional<apptest::JsonValue> json = apptest::ReadJson(text);
    ASSERT_TRUE(json) << "not valid JSON:\n" << text;
    EXPECT_EQ((*json)["version"].text, "1.00");
    EXPECT_EQ((*json)["passed"].boolean, true);
    EXPECT_FALSE((*json)["time"].text.empty());
    const apptest::JsonValue& rows = (*json)["rows"];
    ASSERT_EQ(rows.items.size(), std::size(kCaptions));
    for (std::size_t i = 0; i < rows.items.size(); ++i) {
        SCOPED_TRACE(kCaptions[i]);
        EXPECT_EQ(rows[i]["caption"].text, kCaptions[i]);
        EXPECT_EQ(rows[i]["result"].text, "Passed");
        EXPECT_FALSE(rows[i]["detail"].text.empty());
        EXPECT_THROW(rows[i]["remedy"], std::exception) << "nothing to do about a passed row";
        EXPECT_THROW(rows[i]["action"], std::exception) << "no action for a passed row";
    }
    EXPECT_NE(rows[2]["detail"].text.find("Windows XP SP3"), std::string::npos);
    // The client's own handshake with the TLS 1.2 service, through the company proxy.
    const apptest::JsonValue& clientTls = rows[1]["clientTls"];
    EXPECT_EQ(clientTls["result"].text, "connected");
    EXPECT_EQ(clientTls["agreed"].text, "TLS 1.2");
    EXPECT_EQ(clientTls["offered"].text, "Windows' TLS versions");
    // Seven checks without their one-second pauses.
    EXPECT_LT(run.seconds, 7.0);
}

TEST_F(SilentReport, AnUnmetRequirementExitsOneAndThePlainTextReportSaysWhich) {
    scenario::CustomerMachine machine(kNoNetwork, Servers());
    const std::string report = folder_ / "pc 0002 report.txt";
    const SilentRun run = RunChecker("-REPORT \"" + report + "\"", machine.WineVersion(), &machine);
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_TRUE(run.windowClasses.empty());

    std::string text = ReadWhole(report);
    ASSERT_EQ(text.compare(0, 3, "\xEF\xBB\xBF"), 0) << "marked as UTF-8 for Notepad";
    text.erase(0, 3);
    EXPECT_TRUE(apptest::IsWellFormedUtf8(text));
    const std::vector<std::string> lines = testsupport::Lines(text);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "Quorvin Tessary Card System");
    const char* const expected[] = {"Failed", "Failed", "Passed", "Passed", "Passed", "Passed", "Passed"};
    char folder[MAX_PATH] = {};
    const std::string systemFolder(folder, GetSystemDirectoryA(folder, MAX_PATH));
    std::size_t at = 0;
    for (std::size_t i = 0; i < std::size(kCaptions); ++i) {
        SCOPED_TRACE(kCaptions[i]);
        const std::string start = std::string(kCaptions[i]) + ": " + expected[i];
        while (at < lines.size() && lines[at].compare(0, start.size(), start) != 0) ++at;
        ASSERT_LT(at, lines.size()) << "no line starting \"" << start << "\", in order:\n" << text;
        // Under a failed row, what to do about it and the action that does it; under a passed
        // one, the next row.
        const bool toDo = at + 1 < lines.size() && lines[at + 1].rfind("    What to do: ", 0) == 0;
        EXPECT_EQ(toDo, std::string(expected[i]) == "Failed") << text;
        if (toDo) {
            ASSERT_LT(at + 2, lines.size());
            EXPECT_EQ(lines[at + 2], "    Fix: Open Internet Options\u2026 (" + systemFolder +
                                         "\\control.exe inetcpl.cpl,,4)");
        }
    }
}

// An inspecting proxy whose authority is named with accents: Windows gives the names in the
// system code page, and both reports carry them in UTF-8, in the line, the certificate and the
// instruction that names the issuer.
TEST_F(SilentReport, AnIssuerNamedWithAccentsReachesBothReportsIntact) {
    constexpr scenario::Machine kInspected{Release::WindowsXpSp3, Network::Inspected, Installer::Version3_1,
                                           DotNet::Installed,     true,               ReaderTools::Gemplus};
    scenario::CustomerMachine machine(kInspected, Servers());
    const std::string issuer = "Soci\u00E9t\u00E9 G\u00E9n\u00E9rale Pr\u00FCfstelle CA";
    const std::string jsonPath = folder_ / "inspected.json";
    const std::string textPath = folder_ / "inspected.txt";
    EXPECT_EQ(RunChecker("/report \"" + jsonPath + "\"", machine.WineVersion(), &machine).exitCode, 1u);
    EXPECT_EQ(RunChecker("/report \"" + textPath + "\"", machine.WineVersion(), &machine).exitCode, 1u);

    const std::string jsonText = ReadWhole(jsonPath);
    const std::optional<apptest::JsonValue> json = apptest::ReadJson(jsonText);
    ASSERT_TRUE(json) << "not valid JSON:\n" << jsonText;
    const apptest::JsonValue& secure = (*json)["rows"][1];
    ASSERT_EQ(secure["result"].text, "Failed") << jsonText;
    EXPECT_EQ(secure["certificate"]["issuer"].text, issuer) << jsonText;
    EXPECT_NE(secure["detail"].text.find(" by " + issuer), std::string::npos) << jsonText;
    EXPECT_NE(secure["remedy"].text.find("issued by " + issuer + ": ask your IT department"), std::string::npos)
        << jsonText;
    EXPECT_EQ(secure["action"]["label"].text, "Open Date and Time\u2026");

    std::string text = ReadWhole(textPath);
    ASSERT_EQ(text.compare(0, 3, "\xEF\xBB\xBF"), 0) << "marked as UTF-8 for Notepad";
    text.erase(0, 3);
    EXPECT_TRUE(apptest::IsWellFormedUtf8(text));
    EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos) << "no replacement character:\n" << text;
    EXPECT_NE(text.find("    What to do: Check that this PC's date, time and time zone are right. The certificate "
                        "was issued by " + issuer + ":"),
              std::string::npos) << text;
}

// On 64-bit Windows: the registry's two views, as the checker of the test's own bitness reaches them.
constexpr bool kTest64 = sizeof(void*) == 8;
constexpr REGSAM kView64 = kTest64 ? 0 : KEY_WOW64_64KEY;
constexpr REGSAM kView32 = kTest64 ? KEY_WOW64_32KEY : 0;
constexpr char kDotNetSetupKey[] = "SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v3.5";
constexpr char kDotNetRuntimeKey[] = "SOFTWARE\\Microsoft\\.NETFramework\\v2.0.50727";

TEST_F(SilentReport, ReaderToolsOnlyInThe64BitFolderPassAndTheDotNetLineSaysWhatTheRegistryRecords) {
    const std::string programFiles64 = checktest::Environment(kTest64 ? "ProgramFiles" : "ProgramW6432");
    if (programFiles64.empty()) GTEST_SKIP() << "not 64-bit Windows";
    scenario::CustomerMachine machine({Release::WindowsXpSp3, Network::Refused, Installer::Version3_1,
                                       DotNet::Missing, true, ReaderTools::GemplusIn64BitFolderOnly},
                                      Servers());
    using scenario::DwordData;
    using scenario::ScopedRegistryValue;
    using scenario::TextData;
    // A record in the 32-bit view only is not what Windows records for 64-bit Windows.
    const ScopedRegistryValue decoyInstall(HKEY_LOCAL_MACHINE, kDotNetSetupKey, "Install", DwordData(1), kView32);
    const ScopedRegistryValue decoyVersion(HKEY_LOCAL_MACHINE, kDotNetSetupKey, "Version", TextData("3.5.1.1"), kView32);
    struct Case {
        bool recorded;
        bool tls32, tls64;
        const char* words;
    };
    const Case cases[] = {
        {true, true, false,
         "; the registry records .NET Framework 3.5 SP1, version 3.5.30729.4926; 32-bit .NET 3.5 programs use "
         "Windows' TLS versions (SystemDefaultTlsVersions), 64-bit ones offer only SSL 3.0 and TLS 1.0 unless they "
         "ask for more"},
        {false, true, true,
         "; the registry has no record of .NET Framework 3.5; .NET 3.5 programs use Windows' TLS versions "
         "(SystemDefaultTlsVersions)"},
        {false, false, false,
         "; the registry has no record of .NET Framework 3.5; .NET 3.5 programs offer only SSL 3.0 and TLS 1.0 "
         "unless they ask for more"},
    };
    const auto valueIf = [](bool wanted, scenario::RegistryData data) {
        return wanted ? std::optional<scenario::RegistryData>(std::move(data)) : std::nullopt;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words);
        const ScopedRegistryValue install(HKEY_LOCAL_MACHINE, kDotNetSetupKey, "Install", valueIf(c.recorded, DwordData(1)), kView64);
        const ScopedRegistryValue sp(HKEY_LOCAL_MACHINE, kDotNetSetupKey, "SP", valueIf(c.recorded, DwordData(1)), kView64);
        const ScopedRegistryValue version(HKEY_LOCAL_MACHINE, kDotNetSetupKey, "Version",
                                          valueIf(c.recorded, TextData("3.5.30729.4926")), kView64);
        const ScopedRegistryValue tls32(HKEY_LOCAL_MACHINE, kDotNetRuntimeKey, "SystemDefaultTlsVersions",
                                        valueIf(c.tls32, DwordData(1)), kView32);
        const ScopedRegistryValue tls64(HKEY_LOCAL_MACHINE, kDotNetRuntimeKey, "SystemDefaultTlsVersions",
                                        valueIf(c.tls64, DwordData(1)), kView64);
        const std::string report = folder_ / "pc-64.json";
        RunChecker("/report \"" + report + "\"", machine.WineVersion(), &machine);
        const std::optional<apptest::JsonValue> json = apptest::ReadJson(ReadWhole(report));
        ASSERT_TRUE(json);
        const apptest::JsonValue& rows = (*json)["rows"];
        EXPECT_EQ(rows[6]["result"].text, "Passed");
        EXPECT_NE(rows[6]["detail"].text.find(programFiles64 + "\\Gemplus\\ReaderTools: folder present"),
                  std::string::npos) << rows[6]["detail"].text;
        const std::string dotNet = rows[4]["detail"].text;
        EXPECT_EQ(rows[4]["result"].text, "Failed") << "the folder decides, not the record";
        EXPECT_EQ(dotNet.substr(std::min(dotNet.find(';'), dotNet.size())), c.words) << dotNet;
    }
}

TEST_F(SilentReport, AClientThatOffersOnlyTls10FailsTheSecureRowThoughWinInetGotThrough) {
    scenario::CustomerMachine machine(kEverythingMet, Servers());
    // As .NET 3.5 is set up out of the box: no SystemDefaultTlsVersions in either view.
    const scenario::ScopedRegistryValue none64(HKEY_LOCAL_MACHINE, kDotNetRuntimeKey, "SystemDefaultTlsVersions",
                                               std::nullopt, kView64);
    const scenario::ScopedRegistryValue none32(HKEY_LOCAL_MACHINE, kDotNetRuntimeKey, "SystemDefaultTlsVersions",
                                               std::nullopt, kView32);
    const std::string report = folder_ / "pc-tls.json";
    const SilentRun run = RunChecker("/report \"" + report + "\"", machine.WineVersion(), &machine);
    EXPECT_EQ(run.exitCode, 1u);
    const std::optional<apptest::JsonValue> json = apptest::ReadJson(ReadWhole(report));
    ASSERT_TRUE(json);
    const apptest::JsonValue& row = (*json)["rows"][1];
    EXPECT_EQ(row["result"].text, "Failed");
    EXPECT_NE(row["detail"].text.find("\"GetCardDetailsByGuid\" found"), std::string::npos) << row["detail"].text;
    EXPECT_NE(row["detail"].text.find("; a .NET 3.5 program here offers only SSL 3.0 and TLS 1.0, which the server "
                                      "refuses (SystemDefaultTlsVersions is not 1"),
              std::string::npos)
        << row["detail"].text;
    EXPECT_EQ(row["clientTls"]["result"].text, "refused");
    EXPECT_EQ(row["clientTls"]["agreed"].kind, apptest::JsonValue::Kind::Null);
    EXPECT_NE(row["remedy"].text.find("SystemDefaultTlsVersions = 1"), std::string::npos) << row["remedy"].text;
    EXPECT_EQ(row["action"]["label"].text, "Read about TLS for .NET\u2026");
    EXPECT_EQ(row["action"]["command"].text.rfind("https://", 0), 0u) << row["action"]["command"].text;
}

TEST_F(SilentReport, OnWindows10TheOsLineAlsoNamesTheRealRelease) {
    const std::string report = folder_ / "win10.json";
    RunChecker("/report \"" + report + "\"", "win10");
    const std::optional<apptest::JsonValue> json = apptest::ReadJson(ReadWhole(report));
    ASSERT_TRUE(json);
    const std::string os = (*json)["rows"][2]["detail"].text;
    // Windows 10 says 6.2 to a program like this one; the verdict follows that, the line says both.
    EXPECT_EQ(os.rfind("Windows Vista/7: platform 2, version 6.2, build 9200", 0), 0u) << os;
    EXPECT_NE(os.find(" (Windows reports this for compatibility; the PC runs Windows 10.0 build "),
              std::string::npos) << os;
    EXPECT_EQ((*json)["rows"][2]["result"].text, "Passed");
}

TEST_F(SilentReport, OnWindows10AMissingDotNetGetsWindowsFeaturesForAScriptToOpen) {
    constexpr scenario::Machine kWindows10WithoutDotNet{Release::Windows10, Network::Working, Installer::Version3_1,
                                                        DotNet::Missing,    true,             ReaderTools::Gemplus};
    scenario::CustomerMachine machine(kWindows10WithoutDotNet, Servers());
    const std::string report = folder_ / "dotnet.json";
    EXPECT_EQ(RunChecker("/report \"" + report + "\"", machine.WineVersion(), &machine).exitCode, 1u);
    const std::optional<apptest::JsonValue> json = apptest::ReadJson(ReadWhole(report));
    ASSERT_TRUE(json);
    const apptest::JsonValue& row = (*json)["rows"][4];
    EXPECT_EQ(row["result"].text, "Failed");
    EXPECT_NE(row["remedy"].text.find("Windows Features"), std::string::npos) << row["remedy"].text;
    // The real System32 path, for either bitness of the checker: what a script on that PC runs.
    char folder[MAX_PATH] = {};
    const std::string programFolder(folder, GetSystemDirectoryA(folder, MAX_PATH));
    EXPECT_EQ(row["action"]["label"].text, "Turn on .NET Framework 3.5\u2026");
    EXPECT_EQ(row["action"]["command"].text, programFolder + "\\OptionalFeatures.exe");
}

TEST_F(SilentReport, AReportThatCannotBeWrittenExitsTwoAndLeavesNothingBehind) {
    // No such folder.
    const std::string missing = folder_ / "no such folder\\report.json";
    EXPECT_EQ(RunChecker("/report \"" + missing + "\"").exitCode, 2u);
    EXPECT_FALSE(Exists(missing));

    // The name is taken by a folder: the file is written beside it and cannot be moved in.
    const std::string taken = folder_ / "taken.json";
    ASSERT_TRUE(CreateDirectoryA(taken.c_str(), nullptr));
    EXPECT_EQ(RunChecker("/report \"" + taken + "\"").exitCode, 2u);
    EXPECT_EQ(FolderEntries(folder_.path()), std::vector<std::string>{"taken.json"})
        << "a partial or temporary file was left behind";
    EXPECT_TRUE(FolderEntries(taken).empty());
}

TEST_F(SilentReport, AnEarlierReportIsReplacedWhole) {
    const std::string report = folder_ / "report.json";
    {
        std::ofstream old(report, std::ios::binary);
        old << std::string(64 * 1024, 'x');
    }
    const SilentRun run = RunChecker("/Report \"" + report + "\"");
    EXPECT_EQ(run.exitCode, 1u);  // the plain prefix reaches neither endpoint
    EXPECT_TRUE(apptest::ReadJson(ReadWhole(report))) << "the old file's end is still there";
}

// The message box of another process, and the text it shows.
struct Box {
    HWND hwnd = nullptr;
    std::string text;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<std::pair<DWORD, Box>*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    char className[16] = {};
    GetClassNameA(hwnd, className, sizeof className);
    if (owner != search->first || std::string(className) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
    search->second.hwnd = hwnd;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        search->second.text += testsupport::WindowText(child) + "\n";
    return FALSE;
}

TEST(CommandLine, HelpShowsTheCommandLinesAndExitsZero) {
    for (const char* help : {"/?", "-H"}) {
        SCOPED_TRACE(help);
        platform::ScopedKernelHandle process =
            testsupport::Start("\"" + testsupport::ProgramFolder() + "QTSysCheck.exe\" " + help);
        std::pair<DWORD, Box> search{GetProcessId(process.get()), {}};
        for (int i = 0; i < 300 && !search.second.hwnd; ++i) {
            std::this_thread::sleep_for(50ms);
            search.second = {};
            EnumWindows(&FindBox, reinterpret_cast<LPARAM>(&search));
        }
        ASSERT_NE(search.second.hwnd, nullptr) << "no message box";
        for (const char* said : {"/report FILE", "Exit code 0", "F5", "Esc"})
            EXPECT_NE(search.second.text.find(said), std::string::npos) << said << " in\n" << search.second.text;
        PostMessageA(search.second.hwnd, WM_COMMAND, IDOK, 0);
        ASSERT_EQ(WaitForSingleObject(process.get(), 10000), WAIT_OBJECT_0);
        DWORD code = 99;
        GetExitCodeProcess(process.get(), &code);
        EXPECT_EQ(code, 0u);
    }
}

TEST(CommandLine, AnyOtherCommandLineGivesTheWindow) {
    for (const char* arguments : {"/report", "/report a.txt b.txt", "/reportfile a.txt", "--report a.txt", "report a.txt"}) {
        SCOPED_TRACE(arguments);
        EXPECT_NO_THROW(ui::CheckerWindow window("winxp", arguments));
    }
}

}  // namespace
