#include "app/Fixes.h"

namespace {

using platform::FixAction;

constexpr std::string_view kEllipsis = "\xE2\x80\xA6";  // U+2026, in the link texts

// Windows error numbers that have their own words (winerror.h).
constexpr unsigned long kFileNotFound = 2, kPathNotFound = 3, kNoAssociation = 1155, kCancelled = 1223;

bool IsWindows10OrLater(const WindowsRelease& release) { return release.platform == 2 && release.major >= 10; }

std::string Label(std::string_view text) { return std::string(text) + std::string(kEllipsis); }

std::string Joined(const std::string& folder, std::string_view name) {
    return folder + (folder.back() == '\\' ? "" : "\\") + std::string(name);
}

FixAction Program(std::string_view label, std::string_view name, const std::string& folder,
                  std::string_view file, std::string_view parameters = {}) {
    if (folder.empty()) return {};
    return {FixAction::Kind::Program, Label(label), std::string(name), Joined(folder, file), std::string(parameters)};
}

FixAction Page(std::string_view label, std::string_view name, std::string_view address) {
    return {FixAction::Kind::Page, Label(label), std::string(name), std::string(address), {}};
}

// Windows Features is 64-bit on 64-bit Windows and asks for elevation. A 32-bit process could
// name it through Sysnative, but that alias exists only for 32-bit processes: the elevated start
// is made by a 64-bit service, which cannot resolve it. So the action names the real System32
// path, which is what an administrator's script on that PC runs, and the start turns the 32-bit
// process's file-system redirection off around itself (Wow64DisableWow64FsRedirection), the way
// Microsoft documents for reaching the native System32 from a 32-bit process.
FixAction WindowsFeatures(const FixContext& context) {
    FixAction action = Program("Turn on .NET Framework 3.5", "Windows Features", context.systemFolder,
                               "OptionalFeatures.exe");
    action.nativeSystemFolder = action.kind == FixAction::Kind::Program && context.wow64;
    return action;
}

}  // namespace

FixAction ActionFor(Fix fix, const FixContext& context) {
    const bool settingsApp = IsWindows10OrLater(context.release);
    switch (fix) {
        case Fix::CheckAgain:
            return {FixAction::Kind::CheckAgain, "Check again", {}, {}, {}};
        case Fix::WindowsFeatures:
            return WindowsFeatures(context);
        case Fix::DotNetDownload:
            return Page("Download .NET Framework 3.5 SP1", "the .NET Framework 3.5 SP1 download page",
                        QT_DOTNET35_URL);
        case Fix::InstallerDownload:
            return Page("Download Windows Installer 3.1", "the Windows Installer 3.1 download page",
                        QT_INSTALLER31_URL);
        case Fix::InternetOptions:
            // 4 is the Connections tab from Internet Explorer 6 on XP to Windows 11: General,
            // Security, Privacy, Content, Connections.
            return Program("Open Internet Options", "Internet Options", context.systemFolder, "control.exe",
                           "inetcpl.cpl,,4");
        case Fix::InternetOptionsAdvanced:
            // 6 is the Advanced tab on the same releases, counted the same way from 0: ...,
            // Connections, Programs, Advanced.
            return Program("Open Internet Options", "Internet Options", context.systemFolder, "control.exe",
                           "inetcpl.cpl,,6");
        case Fix::DateAndTime:
            if (settingsApp) return Page("Open Date and Time", "Date and Time", "ms-settings:dateandtime");
            return Program("Open Date and Time", "Date and Time", context.systemFolder, "control.exe", "timedate.cpl");
        case Fix::WindowsUpdate:
            if (settingsApp) return Page("Open Windows Update", "Windows Update", "ms-settings:windowsupdate");
            if (context.release.major >= 6)
                return Program("Open Windows Update", "Windows Update", context.systemFolder, "control.exe",
                               "/name Microsoft.WindowsUpdate");
            return Program("Open Windows Update", "Windows Update", context.systemFolder, "wupdmgr.exe");
        case Fix::InteropDownload:
            return Page("Download the interop assembly", "the interop assembly's download page", QT_INTEROP_URL);
        case Fix::ReaderToolsDownload:
            return Page("Download the reader tools", "the reader tools' download page", QT_READER_TOOLS_URL);
        case Fix::DotNetTls:
            return Page("Read about TLS for .NET", "Microsoft's page on TLS for the .NET Framework", QT_DOTNET_TLS_URL);
        case Fix::None: break;
    }
    return {};
}

FixAction FixFor(Row row, const Finding& finding, const FixContext& context) {
    return ActionFor(InstructionFor(row, finding, context.release).fix, context);
}

std::string FixFailureText(const FixAction& action, unsigned long error) {
    const bool program = action.kind == FixAction::Kind::Program;
    std::string why;
    switch (error) {
        case kFileNotFound:
        case kPathNotFound:
        case kNoAssociation:
            why = program ? "this Windows has no such program" : "no program on this Windows is set to open it";
            break;
        case kCancelled:
            why = program ? "the request to run it as administrator was refused" : "the start was cancelled";
            break;
        default: why = "Windows error " + std::to_string(error);
    }
    return "Could not open " + action.name + ": " + why;
}
