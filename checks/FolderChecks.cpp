#include "FolderChecks.h"

#include <array>

#include "FolderFinding.h"
#include "FolderLocations.h"
#include "FolderTemplates.h"
#include "PathTemplate.h"
#include "platform/Folders.h"

namespace {

// DirExists decides; the second query only words a failure.
PathKind WhatIsAt(const std::string& path) {
    if (DirExists(path)) return PathKind::Folder;
    return platform::FileAttributes(path) ? PathKind::File : PathKind::Nothing;
}

TokenFolder WindowsFolderToken() { return {kWinToken, WindowsDirectory(), "the Windows folder"}; }

}  // namespace

Finding DotNetFinding() {
    const std::array<std::string_view, 1> templates{kDotNetTemplate};
    return AnyFolderFinding(templates, WindowsFolderToken(), &WhatIsAt);
}

bool DotNetFolderPresent() { return DotNetFinding().passed; }

Finding MsHtmlInteropFinding() {
    const std::array<std::string_view, 1> templates{kMsHtmlInteropTemplate};
    return AnyFolderFinding(templates, WindowsFolderToken(), &WhatIsAt);
}

bool MsHtmlInteropFolderPresent() { return MsHtmlInteropFinding().passed; }

Finding SmartCardToolsFinding(HWND owner) {
    // Program Files is asked for once; both makers' folders are looked at.
    const std::array<std::string_view, 2> templates{kGemplusToolsTemplate, kGemaltoToolsTemplate};
    const TokenFolder programFiles{kProgramFilesToken, fGetSpecialFolder(owner, kCsidlProgramFiles),
                                   "the Program Files folder"};
    return AnyFolderFinding(templates, programFiles, &WhatIsAt);
}

bool SmartCardToolsPresent(HWND owner) { return SmartCardToolsFinding(owner).passed; }
