#include "FolderChecks.h"

#include <array>
#include <vector>

#include "CardReaderWords.h"
#include "DotNetRegistry.h"
#include "FolderFinding.h"
#include "FolderLocations.h"
#include "FolderTemplates.h"
#include "PathTemplate.h"
#include "platform/Folders.h"
#include "platform/SmartCardService.h"

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
    Finding finding = AnyFolderFinding(templates, WindowsFolderToken(), &WhatIsAt);
    // Support staff need the record beside the folder; the verdict stays the folder's.
    const WindowsBitness bitness = ThisBitness();
    finding.detail += DotNetRecordWords(ReadDotNetSetupRecord(bitness));
    finding.detail += DotNetTlsWords(ReadTlsDefaultViews(bitness));
    return finding;
}

bool DotNetFolderPresent() { return DotNetFinding().passed; }

Finding MsHtmlInteropFinding() {
    const std::array<std::string_view, 1> templates{kMsHtmlInteropTemplate};
    return AnyFolderFinding(templates, WindowsFolderToken(), &WhatIsAt);
}

bool MsHtmlInteropFolderPresent() { return MsHtmlInteropFinding().passed; }

Finding SmartCardToolsFinding(HWND owner, const Finding& readers) {
    // Each Program Files folder is asked for once; both makers' folders are looked at in each.
    const std::array<std::string_view, 2> templates{kGemplusToolsTemplate, kGemaltoToolsTemplate};
    const WindowsBitness bitness = ThisBitness();
    const std::vector<TokenFolder> locations =
        ProgramFilesLocations(bitness, kProgramFilesToken, fGetSpecialFolder(owner, kCsidlProgramFiles),
                              OtherProgramFilesFolder(owner, bitness));
    Finding finding = AnyFolderFindingIn(templates, locations, &WhatIsAt);
    // Support asks which reader and whether the card is in it; the verdict stays the folders'.
    finding.detail += readers.detail;
    finding.cardReaders = readers.cardReaders;
    return finding;
}

Finding CardReadersFinding(platform::SmartCardQuery& query) {
    Finding readers{true, {}};
    AddCardReaders(readers, query.Ask());
    return readers;
}

Finding SmartCardToolsFinding(HWND owner) {
    platform::SmartCardQuery query;
    return SmartCardToolsFinding(owner, CardReadersFinding(query));
}

bool SmartCardToolsPresent(HWND owner) { return SmartCardToolsFinding(owner).passed; }
