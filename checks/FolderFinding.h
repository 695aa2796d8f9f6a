#pragma once
// The line a folder-presence check gives: which paths it looked at and what lay at each. Portable:
// the look at the file system comes in as a function, so the text is tested without Windows.
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "Finding.h"

// What lies at a path, as far as a folder check cares. A path that cannot be queried counts as
// nothing there, as it does for the verdict.
enum class PathKind { Folder, File, Nothing };

using PathLook = std::function<PathKind(const std::string& path)>;

// A path token and the folder Windows gave for it, empty when it gave none. `what` names the
// folder in the could-not-check line, e.g. "the Windows folder".
struct TokenFolder {
    std::string_view token;
    std::string folder;
    std::string_view what;
};

// Expands `token` in each template with the folder and looks at every path, in order, whatever
// the earlier ones gave. Passes when at least one is a folder. The line holds "PATH: STATE" per
// path, joined by "; "; a failed finding where a file stands at a path is of the kind
// FileInPlaceOfFolder. When the folder is empty nothing is looked at: the finding is
// "Could not check: Windows did not give <what>" and fails.
Finding AnyFolderFinding(std::span<const std::string_view> pathTemplates,
                         const TokenFolder& location, const PathLook& look);

// The same for each of several folders in turn, their lines joined by "; ". Passes when a folder
// is present under any of them. One location gives AnyFolderFinding's finding. A location Windows
// did not give is named on the line ("<what>: Windows did not give it") and never guessed; a
// failed finding with such a gap is CouldNotCheck, unless a file stands at a path looked at. When
// Windows gave none of them the finding is "Could not check: Windows did not give <what> or ...".
Finding AnyFolderFindingIn(std::span<const std::string_view> pathTemplates,
                           std::span<const TokenFolder> locations, const PathLook& look);

// The state words after "PATH: ".
inline constexpr std::string_view kFolderPresent = "folder present";
inline constexpr std::string_view kFileNotFolder = "a file, not a folder";
inline constexpr std::string_view kNoFolderThere = "no folder there";
