#include "FolderFinding.h"

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
