#include "FolderChecks.h"

#include "FolderLocations.h"
#include "FolderTemplates.h"
#include "PathTemplate.h"

bool DotNetFolderPresent() {
    return DirExists(ExpandPathToken(kDotNetTemplate, kWinToken, WindowsDirectory()));
}

bool MsHtmlInteropFolderPresent() {
    return DirExists(ExpandPathToken(kMsHtmlInteropTemplate, kWinToken, WindowsDirectory()));
}

bool SmartCardToolsPresent(HWND owner) {
    const std::string programFiles = fGetSpecialFolder(owner, kCsidlProgramFiles);
    const bool gemplus =
        DirExists(ExpandPathToken(kGemplusToolsTemplate, kProgramFilesToken, programFiles));
    const bool gemalto =
        DirExists(ExpandPathToken(kGemaltoToolsTemplate, kProgramFilesToken, programFiles));
    return gemplus || gemalto;
}
