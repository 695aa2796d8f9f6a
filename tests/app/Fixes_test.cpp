// What a failed row's link opens, by the row, what was found and this PC's real Windows release.
#include <gtest/gtest.h>

#include "app/Fixes.h"

namespace {

using Kind = platform::FixAction::Kind;

const FixContext kXp{{2, 5, 1}, false, "C:\\WINDOWS\\system32"};
const FixContext kVista{{2, 6, 0}, false, "C:\\Windows\\system32"};
const FixContext kWindows7{{2, 6, 1}, false, "C:\\Windows\\system32"};
const FixContext kWindows7Wow64{{2, 6, 1}, true, "C:\\Windows\\system32"};
const FixContext kWindows81{{2, 6, 3}, false, "C:\\Windows\\system32"};
const FixContext kWindows10Wow64{{2, 10, 0}, true, "C:\\Windows\\system32"};

struct Case {
    Row row;
    FindingKind kind;
    const FixContext& context;
    Kind opens;
    const char* label;
    const char* command;  // the whole command; for a download page, how it starts
};

TEST(Fixes, EachFailedRowOpensWhatItsInstructionSaysOnThisRelease) {
    const Case cases[] = {
        {Row::DotNet, FindingKind::Unclassified, kWindows7, Kind::Program, "Turn on .NET Framework 3.5\u2026",
         "C:\\Windows\\system32\\OptionalFeatures.exe"},
        {Row::DotNet, FindingKind::Unclassified, kWindows7Wow64, Kind::Program, "Turn on .NET Framework 3.5\u2026",
         "C:\\Windows\\system32\\OptionalFeatures.exe"},
        {Row::DotNet, FindingKind::FileInPlaceOfFolder, kWindows10Wow64, Kind::Program,
         "Turn on .NET Framework 3.5\u2026", "C:\\Windows\\system32\\OptionalFeatures.exe"},
        {Row::DotNet, FindingKind::Unclassified, kXp, Kind::Page, "Download .NET Framework 3.5 SP1\u2026", "http"},
        {Row::DotNet, FindingKind::Unclassified, kVista, Kind::Page, "Download .NET Framework 3.5 SP1\u2026", "http"},
        {Row::InternetApp, FindingKind::Unclassified, kXp, Kind::Program, "Open Internet Options\u2026",
         "C:\\WINDOWS\\system32\\control.exe inetcpl.cpl,,4"},
        {Row::InternetData, FindingKind::Unclassified, kWindows10Wow64, Kind::Program, "Open Internet Options\u2026",
         "C:\\Windows\\system32\\control.exe inetcpl.cpl,,4"},
        {Row::InternetData, FindingKind::ProxySignIn, kWindows7, Kind::Program, "Open Internet Options\u2026",
         "C:\\Windows\\system32\\control.exe inetcpl.cpl,,4"},
        {Row::InternetData, FindingKind::CertificateUntrusted, kXp, Kind::Program, "Open Date and Time\u2026",
         "C:\\WINDOWS\\system32\\control.exe timedate.cpl"},
        {Row::InternetApp, FindingKind::CertificateUntrusted, kWindows81, Kind::Program, "Open Date and Time\u2026",
         "C:\\Windows\\system32\\control.exe timedate.cpl"},
        {Row::InternetData, FindingKind::CertificateUntrusted, kWindows10Wow64, Kind::Page, "Open Date and Time\u2026",
         "ms-settings:dateandtime"},
        {Row::InternetData, FindingKind::NoSecureProtocolInCommon, kXp, Kind::Program, "Open Internet Options\u2026",
         "C:\\WINDOWS\\system32\\control.exe inetcpl.cpl,,6"},
        {Row::InternetApp, FindingKind::NoSecureProtocolInCommon, kWindows10Wow64, Kind::Program,
         "Open Internet Options\u2026", "C:\\Windows\\system32\\control.exe inetcpl.cpl,,6"},
        {Row::InternetData, FindingKind::CertificateNameMismatch, kXp, Kind::None, "", ""},
        {Row::InternetData, FindingKind::UnexpectedPage, kXp, Kind::None, "", ""},
        {Row::Os, FindingKind::ServicePackTooOld, kXp, Kind::Program, "Open Windows Update\u2026",
         "C:\\WINDOWS\\system32\\wupdmgr.exe"},
        {Row::Os, FindingKind::ServicePackTooOld, kVista, Kind::Program, "Open Windows Update\u2026",
         "C:\\Windows\\system32\\control.exe /name Microsoft.WindowsUpdate"},
        {Row::Os, FindingKind::ServicePackTooOld, kWindows10Wow64, Kind::Page, "Open Windows Update\u2026",
         "ms-settings:windowsupdate"},
        {Row::Os, FindingKind::Unclassified, kXp, Kind::None, "", ""},  // unsupported Windows
        {Row::Installer, FindingKind::Unclassified, kXp, Kind::Page, "Download Windows Installer 3.1\u2026", "http"},
        {Row::Installer, FindingKind::Unclassified, kWindows7, Kind::None, "", ""},
        {Row::MsHtml, FindingKind::Unclassified, kWindows7, Kind::Page, "Download the interop assembly\u2026", "http"},
        {Row::SmartCard, FindingKind::Unclassified, kXp, Kind::Page, "Download the reader tools\u2026", "http"},
        {Row::SmartCard, FindingKind::CouldNotCheck, kXp, Kind::CheckAgain, "Check again", ""},
        {Row::InternetData, FindingKind::ClientTlsRefused, kWindows7, Kind::Page, "Read about TLS for .NET\u2026", "http"},
        {Row::InternetData, FindingKind::ClientTlsRefusedWindowsToo, kXp, Kind::Page, "Read about TLS for .NET\u2026",
         "http"},
        {Row::InternetApp, FindingKind::CouldNotCheck, kWindows10Wow64, Kind::CheckAgain, "Check again", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("row ") + std::to_string(static_cast<int>(c.row)) + ", kind " +
                     std::to_string(static_cast<int>(c.kind)) + ", release " +
                     std::to_string(c.context.release.major) + "." + std::to_string(c.context.release.minor));
        const platform::FixAction action = FixFor(c.row, Finding{false, "line", c.kind}, c.context);
        EXPECT_EQ(action.kind, c.opens);
        EXPECT_EQ(action.label, c.label);
        const std::string command = action.Command();
        if (c.opens == Kind::Page && std::string(c.command) == "http")
            EXPECT_TRUE(command.rfind("https://", 0) == 0 || command.rfind("http://", 0) == 0) << command;
        else
            EXPECT_EQ(command, c.command);
    }
}

// The command a report gives is the real System32 path, which an administrator's script runs on
// that PC; a 32-bit checker on 64-bit Windows starts it with its redirection of System32 off, so
// that the elevated start, made by a 64-bit service, gets a path it can resolve (never Sysnative).
TEST(Fixes, WindowsFeaturesIsTheRealSystem32ProgramForEachBitness) {
    const struct {
        const FixContext& context;
        const char* bitness;
        Fix fix;
        const char* command;
        bool redirectionOff;
    } cases[] = {
        {kWindows7, "64-bit checker, or 32-bit Windows", Fix::WindowsFeatures,
         "C:\\Windows\\system32\\OptionalFeatures.exe", false},
        {kWindows81, "64-bit checker, or 32-bit Windows", Fix::WindowsFeatures,
         "C:\\Windows\\system32\\OptionalFeatures.exe", false},
        {kWindows7Wow64, "32-bit checker on 64-bit Windows 7", Fix::WindowsFeatures,
         "C:\\Windows\\system32\\OptionalFeatures.exe", true},
        {kWindows10Wow64, "32-bit checker on 64-bit Windows 10", Fix::WindowsFeatures,
         "C:\\Windows\\system32\\OptionalFeatures.exe", true},
        // The 32-bit Control Panel in SysWOW64 opens Internet Options and Date and Time as well.
        {kWindows7Wow64, "32-bit checker on 64-bit Windows 7", Fix::InternetOptions,
         "C:\\Windows\\system32\\control.exe inetcpl.cpl,,4", false},
        {kWindows7Wow64, "32-bit checker on 64-bit Windows 7", Fix::DateAndTime,
         "C:\\Windows\\system32\\control.exe timedate.cpl", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bitness);
        const platform::FixAction action = ActionFor(c.fix, c.context);
        EXPECT_EQ(action.Command(), c.command);
        EXPECT_EQ(action.nativeSystemFolder, c.redirectionOff);
        EXPECT_EQ(action.Command().find("Sysnative"), std::string::npos);
    }
}

TEST(Fixes, NothingForARowThatPassedAndNeverABareProgramName) {
    EXPECT_EQ(FixFor(Row::DotNet, Finding{true, "folder present", FindingKind::Unclassified}, kWindows7).kind,
              Kind::None);
    FixContext unknownFolders = kWindows7Wow64;
    unknownFolders.systemFolder.clear();
    EXPECT_EQ(ActionFor(Fix::InternetOptions, unknownFolders).kind, Kind::None);
    EXPECT_EQ(ActionFor(Fix::WindowsFeatures, unknownFolders).kind, Kind::None);
    FixContext rootFolder = kXp;
    rootFolder.systemFolder = "C:\\";
    EXPECT_EQ(ActionFor(Fix::InternetOptions, rootFolder).target, "C:\\control.exe");
}

TEST(Fixes, AFailedStartSaysWhatCouldNotBeOpenedAndWhy) {
    const platform::FixAction features = ActionFor(Fix::WindowsFeatures, kWindows7);
    const platform::FixAction settings = ActionFor(Fix::DateAndTime, kWindows10Wow64);
    const struct {
        const platform::FixAction& action;
        unsigned long error;
        const char* text;
    } cases[] = {
        {features, 2, "Could not open Windows Features: this Windows has no such program"},
        {features, 3, "Could not open Windows Features: this Windows has no such program"},
        {features, 1223, "Could not open Windows Features: the request to run it as administrator was refused"},
        {features, 5, "Could not open Windows Features: Windows error 5"},
        {settings, 1155, "Could not open Date and Time: no program on this Windows is set to open it"},
    };
    for (const auto& c : cases) EXPECT_EQ(FixFailureText(c.action, c.error), c.text) << c.error;
}

}  // namespace
