#include "CustomerMachine.h"

#include <stdexcept>

#include "support/Process.h"
#include "tests/checks/Environment.h"

namespace scenario {

namespace {

constexpr char kInstallerKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer";
// Where Wine reads the release from when no version is named for the program or the prefix.
constexpr char kNtVersionKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr char kServicePackKey[] = "SYSTEM\\CurrentControlSet\\Control\\Windows";
constexpr char kCheckerName[] = "QTSysCheck.exe";

std::string WindowsFolder() {
    char folder[MAX_PATH + 1] = {};
    const UINT n = GetWindowsDirectoryA(folder, MAX_PATH + 1);
    if (n == 0 || n > MAX_PATH) throw std::runtime_error("no Windows folder");
    return std::string(folder, n);
}

enum class Content { Nothing, Folder, File };

}  // namespace

CustomerMachine::CustomerMachine(const Machine& machine, const nettest::TlsServers& servers) {
    SetRelease(machine.release);
    SetInstaller(machine.installer);
    SetFolders(machine);
    SetNetwork(machine.network, servers);
}

CustomerMachine::~CustomerMachine() = default;

void CustomerMachine::SetRelease(Release release) {
    switch (release) {
        case Release::WindowsXpSp3: wineVersion_ = "winxp"; return;
        case Release::Server2003Sp2: wineVersion_ = "win2003"; return;
        case Release::Windows2000: wineVersion_ = "win2k"; return;
        case Release::Windows98: wineVersion_ = "win98"; return;
        case Release::Windows7: wineVersion_ = "win7"; return;
        case Release::Windows10: wineVersion_ = "win10"; return;
        case Release::WindowsXpSp1: break;
    }
    // Wine has no name for XP before its last service pack; with no version named for the
    // checker or the prefix it reports what the registry says, as Windows itself records it.
    const auto keep = [this](HKEY root, const char* key, const char* name,
                             std::optional<RegistryData> value) {
        release_.push_back(
            std::make_unique<ScopedRegistryValue>(root, key, name, std::move(value)));
    };
    keep(HKEY_CURRENT_USER, (std::string("Software\\Wine\\AppDefaults\\") + kCheckerName).c_str(),
         "Version", std::nullopt);
    keep(HKEY_CURRENT_USER, "Software\\Wine", "Version", std::nullopt);
    keep(HKEY_LOCAL_MACHINE, kNtVersionKey, "CurrentMajorVersionNumber", DwordData(5));
    keep(HKEY_LOCAL_MACHINE, kNtVersionKey, "CurrentMinorVersionNumber", DwordData(1));
    keep(HKEY_LOCAL_MACHINE, kNtVersionKey, "CurrentVersion", TextData("5.1"));
    keep(HKEY_LOCAL_MACHINE, kNtVersionKey, "CurrentBuildNumber", TextData("2600"));
    keep(HKEY_LOCAL_MACHINE, kNtVersionKey, "CSDVersion", TextData("Service Pack 1"));
    keep(HKEY_LOCAL_MACHINE, kServicePackKey, "CSDVersion", DwordData(0x100));
}

void CustomerMachine::SetInstaller(Installer installer) {
    // The installer library of the chosen version in a folder of its own, named where Windows
    // records it. Wine answers version queries for any msi.dll from its own library unless the
    // checker loads msi natively.
    installerFolder_.emplace("scenario_installer");
    const std::string fixture = installer == Installer::Version3_1 ? "verfix_installer_3_1.dll"
                                                                    : "verfix_installer_3_0.dll";
    const std::string source = testsupport::ProgramFolder() + fixture;
    const std::string library = *installerFolder_ / "msi.dll";
    if (!CopyFileA(source.c_str(), library.c_str(), FALSE))
        throw std::runtime_error("cannot copy " + source + " to " + library);
    installerLocation_.emplace(HKEY_LOCAL_MACHINE, kInstallerKey, "InstallerLocation",
                               TextData(installerFolder_->path()));
    nativeMsi_.emplace(kCheckerName, "msi", "native,builtin");
}

void CustomerMachine::SetFolders(const Machine& machine) {
    const auto place = [this](const std::string& path, Content content) {
        claimed_.push_back(std::make_unique<ClaimedPath>(path));
        if (content == Content::Folder)
            made_.push_back(std::make_unique<checktest::CreatedFolders>(path));
        if (content == Content::File) {
            const std::string parent = path.substr(0, path.rfind('\\'));
            made_.push_back(std::make_unique<checktest::CreatedFolders>(parent));
            checktest::WriteFile(path, "not a folder");
        }
    };
    // Spelled out here rather than taken from the checker's templates, so that a slip in a
    // template shows.
    const std::string windows = WindowsFolder();
    const std::string programFiles = checktest::Environment("ProgramFiles");
    if (programFiles.empty()) throw std::runtime_error("no Program Files folder");

    place(windows + "\\Microsoft.NET\\Framework\\v3.5",
          machine.dotNet == DotNet::Installed        ? Content::Folder
          : machine.dotNet == DotNet::FileInItsPlace ? Content::File
                                                     : Content::Nothing);
    place(windows + "\\assembly\\GAC\\Microsoft.Mshtml\\7.0.3300.0__b03f5f7f11d50a3a",
          machine.msHtmlInterop ? Content::Folder : Content::Nothing);
    // On 64-bit Windows the checker also looks in the other bitness's Program Files folder.
    const bool own64 = sizeof(void*) == 8;
    const ReaderTools ownOnly = own64 ? ReaderTools::GemplusIn64BitFolderOnly : ReaderTools::GemplusIn32BitFolderOnly;
    const ReaderTools otherOnly = own64 ? ReaderTools::GemplusIn32BitFolderOnly : ReaderTools::GemplusIn64BitFolderOnly;
    const auto folderIf = [](bool wanted) { return wanted ? Content::Folder : Content::Nothing; };
    const ReaderTools tools = machine.readerTools;
    place(programFiles + "\\Gemplus\\ReaderTools", folderIf(tools == ReaderTools::Gemplus || tools == ownOnly));
    place(programFiles + "\\GemAlto\\ReaderTools", folderIf(tools == ReaderTools::GemAltoOnly));
    const std::string otherFolder = checktest::Environment(own64 ? "ProgramFiles(x86)" : "ProgramW6432");
    if (otherFolder.empty()) {
        if (tools == otherOnly) throw std::runtime_error("no Program Files folder of the other bitness");
        return;
    }
    place(otherFolder + "\\Gemplus\\ReaderTools", folderIf(tools == otherOnly));
    place(otherFolder + "\\GemAlto\\ReaderTools", Content::Nothing);
}

void CustomerMachine::SetNetwork(Network network, const nettest::TlsServers& servers) {
    if (network == Network::Working) {
        for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY})
            clientTls_.push_back(std::make_unique<ScopedRegistryValue>(
                HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\.NETFramework\\v2.0.50727", "SystemDefaultTlsVersions",
                DwordData(1), view));
        endpoints_.emplace(servers);
    } else if (network == Network::Inspected) {
        endpoints_.emplace(servers, "inspected");
    } else {
        // The company proxy is down: every connection to it is refused at once.
        deadProxy_.emplace(nettest::UnusedPort());
    }
}

}  // namespace scenario
