#include "InstallerVersion.h"

#include "LeadingNumber.h"

std::string InstallerLibraryPath(std::string_view installerLocation) {
    std::string path(installerLocation);
    if (path.empty() || (path.back() != '\\' && path.back() != '/')) path += '\\';
    path.append("msi.dll");
    return path;
}

bool IsInstallerOK(const std::string& Version) {
    if (Version.empty()) return false;
    const std::string_view text = Version;
    const std::size_t firstDot = text.find('.');
    const double major = LeadingNumber(text.substr(0, firstDot));
    if (major < 3) return false;
    if (major >= 4) return true;
    if (firstDot == std::string_view::npos) return false;
    const std::string_view rest = text.substr(firstDot + 1);
    return LeadingNumber(rest.substr(0, rest.find('.'))) >= 1;
}
