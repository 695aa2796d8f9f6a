// Customers run the checker from their Downloads folder, where a drive-by download can leave a
// DLL named like a system library. Windows looks beside the program first for any DLL that is not
// one of its known DLLs, so the checker must load none of those from its own folder. The running
// cases copy a program into a fresh folder together with a marker DLL under each such name; the
// marker leaves "<name>.loaded" beside itself when any process loads it. Wine takes its own
// builtin for a system DLL by default; told to prefer the native one, it looks beside the program
// first, as Windows does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/FileSearch.h"
#include "platform/ScopedHandle.h"
#include "support/Process.h"
#include "support/WineVersion.h"
#include "support/WindowCapture.h"
#include "tests/app/JsonReader.h"
#include "tests/checks/ScratchFolder.h"
#include "tests/scenarios/ScopedRegistryValue.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Planted beside the program: DLLs that Windows does not protect and that the checker, or the
// system DLLs it uses, might ask for.
constexpr const char* kPlantedNames[] = {"version", "wininet", "crypt32",  "secur32", "mpr",
                                         "uxtheme", "dwmapi",  "iphlpapi", "dnsapi",  "winhttp",
                                         "urlmon",  "iertutil", "msi",     "winscard"};
// Those that Wine 8 itself loads from the program's folder, whatever the program does: its
// user32.dll imports version.dll; its ws2_32 and wininet delay-load iphlpapi, dnsapi, crypt32 and
// secur32 through the search path the process started with, which SetDefaultDllDirectories does
// not change. Preferred native, they would test Wine, and the planted version.dll kills every
// windowed program before its first line. That the checker itself does not import them is read
// from its file instead. uxtheme.dll is preferred native: Wine's comctl32 loads it as it starts,
// so it shows whether the common controls start only after the search is restricted.
constexpr const char* kLoadedByWineItself[] = {"version", "iphlpapi", "dnsapi", "crypt32",
                                               "secur32"};

std::vector<std::string> AllPlanted() {
    return {std::begin(kPlantedNames), std::end(kPlantedNames)};
}

std::vector<std::string> PlantedButNotLoadedByWine() {
    std::vector<std::string> names;
    for (const char* name : kPlantedNames)
        if (std::none_of(std::begin(kLoadedByWineItself), std::end(kLoadedByWineItself),
                         [&](const char* wine) { return std::string(wine) == name; }))
            names.push_back(name);
    return names;
}

constexpr char kTitle[] = "Quorvin Tessary Card System";
constexpr int kCloseId = 103;

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The marker files in the folder, lower-cased (a DLL is named as it was asked for, "VERSION.dll"
// by an import) and sorted: one for each planted name that some process loaded.
std::vector<std::string> MarkersIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const platform::ScopedFindHandle search(
        FindFirstFileA((folder + "\\*.loaded").c_str(), &found));
    if (search) {
        do {
            names.push_back(Lowered(found.cFileName));
        } while (FindNextFileA(search.get(), &found));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Listed(const std::vector<std::string>& names) {
    if (names.empty()) return "none";
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// How a process ended, in words: its exit code, or the status of whatever stopped it.
std::string Described(DWORD exitCode) {
    char text[128];
    if (exitCode == 0x80000100u)  // Wine's stand-in for a function the loaded DLL lacks
        return "died calling a function that a loaded DLL lacks (a planted one exports nothing)";
    if (exitCode >= 0x80000000u)
        std::snprintf(text, sizeof text, "was stopped with status 0x%08lX (a crash, or a DLL that "
                      "failed)", static_cast<unsigned long>(exitCode));
    else
        std::snprintf(text, sizeof text, "exited with %lu", static_cast<unsigned long>(exitCode));
    return text;
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The DLLs that a program file of this build's kind imports, lower-cased: what Windows loads for
// it before its first line, from beside it for any that is not a known DLL.
std::vector<std::string> ImportedDlls(const std::string& program) {
    const std::string file = ReadWhole(program);
    const auto read = [&](std::size_t offset, auto& into) {
        if (offset > file.size() || sizeof into > file.size() - offset)
            throw std::runtime_error("truncated: " + program);
        std::memcpy(&into, file.data() + offset, sizeof into);
    };
    IMAGE_DOS_HEADER dos{};
    read(0, dos);
    IMAGE_NT_HEADERS nt{};
    read(static_cast<std::size_t>(dos.e_lfanew), nt);
    const std::size_t sections = static_cast<std::size_t>(dos.e_lfanew) +
                                 offsetof(IMAGE_NT_HEADERS, OptionalHeader) +
                                 nt.FileHeader.SizeOfOptionalHeader;
    const auto offsetOf = [&](DWORD rva) -> std::size_t {
        for (std::size_t i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
            IMAGE_SECTION_HEADER section{};
            read(sections + i * sizeof section, section);
            const DWORD into = rva - section.VirtualAddress;  // wraps round below the section
            if (into < section.SizeOfRawData && section.PointerToRawData + into < file.size())
                return section.PointerToRawData + into;
        }
        throw std::runtime_error("an import lies outside every section of " + program);
    };
    std::vector<std::string> names;
    const auto& table = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (table.VirtualAddress == 0) return names;
    for (std::size_t at = offsetOf(table.VirtualAddress);; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        IMAGE_IMPORT_DESCRIPTOR entry{};
        read(at, entry);
        if (entry.Name == 0) return names;
        names.push_back(Lowered(file.c_str() + offsetOf(entry.Name)));  // the file's NUL ends it
    }
}

// A fresh folder holding a copy of one program from beside the test, and the marker DLL under
// every planted name.
class PlantedFolder {
public:
    PlantedFolder(const std::string& scratchName, const std::string& programName)
        : scratch_(scratchName), program_(scratch_ / programName) {
        Copy(programName, program_);
        for (const char* name : kPlantedNames)
            Copy("planting_marker.dll", scratch_ / (std::string(name) + ".dll"));
    }

    // A program that died in Wine's debugger lets go of its files a moment after it has ended.
    ~PlantedFolder() {
        for (const auto deadline = Clock::now() + 10s; Clock::now() < deadline;) {
            checktest::RemoveTree(path());
            if (GetFileAttributesA(path().c_str()) == INVALID_FILE_ATTRIBUTES) return;
            std::this_thread::sleep_for(100ms);
        }
    }
    PlantedFolder(const PlantedFolder&) = delete;
    PlantedFolder& operator=(const PlantedFolder&) = delete;

    const std::string& path() const { return scratch_.path(); }
    const std::string& program() const { return program_; }
    std::string operator/(const std::string& relative) const { return scratch_ / relative; }

private:
    static void Copy(const std::string& fromBesideTest, const std::string& to) {
        const std::string from = testsupport::ProgramFolder() + fromBesideTest;
        if (!CopyFileA(from.c_str(), to.c_str(), FALSE))
            throw std::runtime_error("cannot copy " + from + " to " + to);
    }

    checktest::ScratchFolder scratch_;
    std::string program_;
};

// Native first for the named DLLs in one program, by its file name, for as long as the object
// lives (Wine's HKCU\Software\Wine\AppDefaults\NAME\DllOverrides). WINEDLLOVERRIDES cannot
// carry it: a child's Wine takes that variable from the Linux environment the test was started
// in, not from this process's environment or the block handed to CreateProcess.
class NativeFirst {
public:
    NativeFirst(const std::string& exeName, const std::vector<std::string>& names)
        : appKey_("Software\\Wine\\AppDefaults\\" + exeName) {
        for (const std::string& name : names)
            values_.push_back(std::make_unique<scenario::ScopedRegistryValue>(
                HKEY_CURRENT_USER, appKey_ + "\\DllOverrides", name,
                scenario::TextData("native,builtin")));
    }
    ~NativeFirst() {
        while (!values_.empty()) values_.pop_back();  // the one that made the key goes last
        testsupport::DeleteKeyIfEmpty(HKEY_CURRENT_USER, appKey_);
    }
    NativeFirst(const NativeFirst&) = delete;
    NativeFirst& operator=(const NativeFirst&) = delete;

private:
    std::string appKey_;
    std::vector<std::unique_ptr<scenario::ScopedRegistryValue>> values_;
};

// A program started from the planted folder, ended by the test if it is still running when the
// test lets go of it.
class Child {
public:
    explicit Child(const std::string& commandLine) {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::vector<char> cmd(commandLine.begin(), commandLine.end());
        cmd.push_back('\0');
        if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                            &pi))
            throw std::runtime_error("cannot start " + commandLine + ": error " +
                                     std::to_string(GetLastError()));
        CloseHandle(pi.hThread);
        process_.reset(pi.hProcess);
        id_ = pi.dwProcessId;
    }
    ~Child() {
        if (!Ended()) {
            TerminateProcess(process_.get(), 99);
            WaitForSingleObject(process_.get(), 5000);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    DWORD id() const { return id_; }
    // The exit code once the process has ended, waiting at most `limit`.
    std::optional<DWORD> WaitForEnd(std::chrono::milliseconds limit = 0ms) const {
        if (WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0)
            return std::nullopt;
        DWORD code = 0;
        GetExitCodeProcess(process_.get(), &code);
        return code;
    }
    bool Ended() const { return WaitForEnd().has_value(); }

private:
    platform::ScopedKernelHandle process_;
    DWORD id_ = 0;
};

class DllPlanting : public ::testing::Test {
protected:
    NativeFirst checkerOverrides_{"QTSysCheck.exe", PlantedButNotLoadedByWine()};
    NativeFirst probeOverrides_{"planting_probe.exe", AllPlanted()};
    // A planted DLL exports nothing, so a program that binds to one crashes when it calls in;
    // Wine's crash dialog would then hold it open on a screen nobody looks at.
    scenario::ScopedRegistryValue noCrashDialog_{HKEY_CURRENT_USER, "Software\\Wine\\WineDbg",
                                                 "ShowCrashDialog", scenario::DwordData(0)};
};

// What Windows loads before the first line, whatever Wine does: none of the planted names.
TEST_F(DllPlanting, CheckerImportsNoPlantableDll) {
    const std::vector<std::string> planted = AllPlanted();
    std::vector<std::string> imported;
    for (const std::string& name : ImportedDlls(testsupport::ProgramFolder() + "QTSysCheck.exe"))
        if (std::count(planted.begin(), planted.end(), name.substr(0, name.rfind('.'))))
            imported.push_back(name);
    EXPECT_TRUE(imported.empty()) << "the checker imports " << Listed(imported)
                                  << ", which Windows looks for beside it first";
}

TEST_F(DllPlanting, ReportRunLoadsNoPlantedDll) {
    const PlantedFolder folder("planting_report", "QTSysCheck.exe");
    const std::string report = folder / "report.json";
    const Child checker(Quoted(folder.program()) + " /report " + Quoted(report));
    const std::optional<DWORD> exitCode = checker.WaitForEnd(90s);
    const std::vector<std::string> markers = MarkersIn(folder.path());

    ASSERT_TRUE(exitCode) << "the report run did not end within 90 s; markers: " << Listed(markers);
    EXPECT_TRUE(*exitCode == 0 || *exitCode == 1)
        << "the report run " << Described(*exitCode) << "; markers: " << Listed(markers);
    EXPECT_TRUE(markers.empty()) << "planted DLLs loaded into the report run: " << Listed(markers);

    const std::optional<apptest::JsonValue> json = apptest::ReadJson(ReadWhole(report));
    ASSERT_TRUE(json) << "no valid JSON report was written; markers: " << Listed(markers);
    const auto& rows = (*json)["rows"].items;
    ASSERT_EQ(rows.size(), 7u);
    const auto installer = std::find_if(rows.begin(), rows.end(), [](const auto& row) {
        return row["caption"].text == "Windows Installer 3.1";
    });
    ASSERT_NE(installer, rows.end()) << "no Windows Installer row";
    EXPECT_NE((*installer)["detail"].text.rfind("Could not check:", 0), 0u)
        << "the version of msi.dll was not read: " << (*installer)["detail"].text;
}

TEST_F(DllPlanting, WindowLoadsNoPlantedDll) {
    const PlantedFolder folder("planting_window", "QTSysCheck.exe");
    const Child checker(Quoted(folder.program()));
    // Each wait also watches for the process ending early, which a planted DLL can cause.
    const auto waitFor = [&](const char* what, std::chrono::seconds limit, const auto& done) {
        for (const auto deadline = Clock::now() + limit; Clock::now() < deadline;) {
            if (done()) return true;
            if (const std::optional<DWORD> code = checker.WaitForEnd()) {
                ADD_FAILURE() << "the checker " << Described(*code) << " before " << what
                              << "; markers: " << Listed(MarkersIn(folder.path()));
                return false;
            }
            std::this_thread::sleep_for(50ms);
        }
        ADD_FAILURE() << "no " << what << " within " << limit.count()
                      << " s; markers: " << Listed(MarkersIn(folder.path()));
        return false;
    };

    HWND window = nullptr;
    const auto shown = [&] {
        window = testsupport::FindShownWindow(checker.id(), kTitle);
        return window != nullptr;
    };
    if (!waitFor("window", 20s, shown)) return;
    const HWND close = GetDlgItem(window, kCloseId);
    const auto closable = [&] { return IsWindowEnabled(close) != FALSE; };
    if (!waitFor("enabled Close button", 60s, closable)) return;
    DWORD_PTR answer = 0;
    ASSERT_NE(SendMessageTimeoutA(close, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer), 0)
        << "the window did not take the click on Close";
    const std::optional<DWORD> exitCode = checker.WaitForEnd(15s);
    const std::vector<std::string> markers = MarkersIn(folder.path());
    EXPECT_TRUE(exitCode) << "the checker did not end within 15 s of Close";
    EXPECT_TRUE(markers.empty()) << "planted DLLs loaded into the window: " << Listed(markers);
}

// The control: the same check finds the planted DLLs in a program that imports them statically.
TEST_F(DllPlanting, StaticImportsLoadThePlantedDlls) {
    const PlantedFolder folder("planting_probe", "planting_probe.exe");
    const Child probe(Quoted(folder.program()));
    const std::optional<DWORD> exitCode = probe.WaitForEnd(30s);
    const std::vector<std::string> markers = MarkersIn(folder.path());
    EXPECT_TRUE(exitCode) << "the probe did not end within 30 s";
    for (const std::string marker : {"version.dll.loaded", "wininet.dll.loaded"})
        EXPECT_TRUE(std::find(markers.begin(), markers.end(), marker) != markers.end())
            << marker << " missing: a DLL that the probe imports was not seen loaded; markers: "
            << Listed(markers);
}

}  // namespace
