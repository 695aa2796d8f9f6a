#include "FolderFinding.h"

#include <algorithm>

#include "PathTemplate.h"

namespace {

std::string_view StateWords(PathKind kind) {
    switch (kind) {
        case PathKind::Folder: return kFolderPresent;
        case PathKind::File: return kFileNotFolder;
        case PathKind::Nothing: break;
    }
    return kNoFolderThere;
}

}  // namespace

Finding AnyFolderFinding(std::span<const std::string_view> pathTemplates,
                         const TokenFolder& location, const PathLook& look) {
    // An empty folder would leave a path relative to the current drive's root: not the place
    // the requirement means, so nothing is looked at.
    if (location.folder.empty()) {
        return CouldNotCheck("Windows did not give " + std::string(location.what));
    }
    Finding finding;
    for (const std::string_view pathTemplate : pathTemplates) {
        const std::string path = ExpandPathToken(pathTemplate, location.token, location.folder);
        const PathKind kind = look(path);
        if (kind == PathKind::Folder) finding.passed = true;
        if (kind == PathKind::File) finding.kind = FindingKind::FileInPlaceOfFolder;
        if (!finding.detail.empty()) finding.detail += "; ";
        finding.detail += path;
        finding.detail += ": ";
        finding.detail += StateWords(kind);
    }
    if (finding.passed) finding.kind = FindingKind::Unclassified;
    return finding;
}

Finding AnyFolderFindingIn(std::span<const std::string_view> pathTemplates,
                           std::span<const TokenFolder> locations, const PathLook& look) {
    if (locations.size() == 1) return AnyFolderFinding(pathTemplates, locations.front(), look);
    const auto notGiven = [](const TokenFolder& l) { return l.folder.empty(); };
    if (std::all_of(locations.begin(), locations.end(), notGiven)) {
        std::string what;
        for (const TokenFolder& location : locations) (what.empty() ? what : what += " or ") += location.what;
        return CouldNotCheck("Windows did not give " + what);
    }
    Finding finding;
    bool gap = false;
    bool fileInPlace = false;
    for (const TokenFolder& location : locations) {
        if (!finding.detail.empty()) finding.detail += "; ";
        if (location.folder.empty()) {
            gap = true;
            finding.detail += std::string(location.what) + ": Windows did not give it";
            continue;
        }
        const Finding part = AnyFolderFinding(pathTemplates, location, look);
        finding.passed = finding.passed || part.passed;
        fileInPlace = fileInPlace || part.kind == FindingKind::FileInPlaceOfFolder;
        finding.detail += part.detail;
    }
    if (!finding.passed && fileInPlace) finding.kind = FindingKind::FileInPlaceOfFolder;
    else if (!finding.passed && gap) finding.kind = FindingKind::CouldNotCheck;
    return finding;
}
