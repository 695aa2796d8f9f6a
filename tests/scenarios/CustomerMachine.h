#pragma once
// The tests' Wine prefix set up as one customer's machine: the Windows release the checker is
// shown, its network, its Windows Installer, and the folders of .NET 3.5, the MSHTML interop
// assembly and the smart-card reader tools. Everything changed comes back when the object goes,
// also when a test fails half-way.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ClaimedPath.h"
#include "ScopedRegistryValue.h"
#include "VendorEndpoints.h"
#include "tests/checks/ScratchFolder.h"
#include "tests/checks/WineDllOverride.h"

namespace scenario {

enum class Release {
    WindowsXpSp3, WindowsXpSp1, Server2003Sp2, Windows2000, Windows98, Windows7, Windows10
};
// Inspected: the proxy answers for the secure web service with a certificate of its own, from an
// authority the PC does not trust and whose name has accents.
enum class Network { Working, Refused, Inspected };
enum class Installer { Version3_1, Version3_0 };
enum class DotNet { Installed, Missing, FileInItsPlace };
// Gemplus and GemAltoOnly in the Program Files folder of the test's own bitness; the others only
// in the 64-bit or the 32-bit one of 64-bit Windows.
enum class ReaderTools { Gemplus, GemAltoOnly, GemplusIn64BitFolderOnly, GemplusIn32BitFolderOnly, None };

struct Machine {
    Release release;
    Network network;
    Installer installer;
    DotNet dotNet;
    bool msHtmlInterop;
    ReaderTools readerTools;
};

class CustomerMachine {
public:
    // `servers` serve the web service when the machine's network works. Throws when the prefix
    // cannot be set up; what was done by then is undone.
    CustomerMachine(const Machine& machine, const nettest::TlsServers& servers);
    ~CustomerMachine();
    CustomerMachine(const CustomerMachine&) = delete;
    CustomerMachine& operator=(const CustomerMachine&) = delete;

    // The Wine version name to start the checker with; empty when the release is set in the
    // prefix's registry instead (Wine names no release without the service pack it has).
    const std::string& WineVersion() const { return wineVersion_; }
    // A release set in the registry is read by each program as it starts: once the checker has
    // started it is put back, so that no other program started meanwhile sees it.
    void CheckerStarted() { release_.clear(); }

    // The vendor's endpoints when the machine's network works; null otherwise.
    const VendorEndpoints* Endpoints() const { return endpoints_ ? &*endpoints_ : nullptr; }

private:
    void SetRelease(Release release);
    void SetInstaller(Installer installer);
    void SetFolders(const Machine& machine);
    void SetNetwork(Network network, const nettest::TlsServers& servers);

    std::string wineVersion_;
    std::vector<std::unique_ptr<ScopedRegistryValue>> release_;
    std::optional<ScopedRegistryValue> installerLocation_;
    std::optional<checktest::ScratchFolder> installerFolder_;
    std::optional<checktest::ScopedWineDllOverride> nativeMsi_;
    // Paths taken over, then the folders made in them: made folders go first.
    std::vector<std::unique_ptr<ClaimedPath>> claimed_;
    std::vector<std::unique_ptr<checktest::CreatedFolders>> made_;
    // A working network's machine is set up for today's services: .NET 3.5 programs offer Windows'
    // TLS versions (SystemDefaultTlsVersions in both views), which the service's TLS 1.2 needs.
    std::vector<std::unique_ptr<ScopedRegistryValue>> clientTls_;
    std::optional<VendorEndpoints> endpoints_;
    std::optional<nettest::ScopedProxySetting> deadProxy_;
};

}  // namespace scenario
