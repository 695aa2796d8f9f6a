#pragma once
// The installer check's verdict and line, from what lies at the library path and the
// FileVersion read there. Portable: the looks at the file system come in as functions, so the
// rule and the text are tested without Windows.
#include <functional>
#include <string>
#include <string_view>

#include "Finding.h"

// What lies at the library path, as far as the check cares.
enum class LibraryFile {
    Ordinary,     // a file that is not a folder, not hidden and not a system file
    NotOrdinary,  // something is there, but a folder, a hidden or a system file
    Missing,      // nothing is there (or the path cannot be queried)
};

struct InstallerLibraryLooks {
    std::function<LibraryFile(const std::string& library)> whatIsAt;
    // The FileVersion string of the library's version resource; empty when none could be read.
    std::function<std::string(const std::string& library)> fileVersion;
};

// Looks for the library at InstallerLibraryPath(installerLocation), the path the line names,
// and, when it is an ordinary file, judges its FileVersion with IsInstallerOK. An empty location
// (the registry gave none) fails without looking: "\msi.dll" alone would name a file in the
// current drive's root.
Finding JudgeInstallerLibrary(std::string_view installerLocation,
                              const InstallerLibraryLooks& looks);

// The texts of the line; "LIBRARY: " comes before all but the first.
inline constexpr std::string_view kNoInstallerLocation =
    "no Windows Installer location in the registry";
inline constexpr std::string_view kNoSuchFile = "no such file";
inline constexpr std::string_view kNotAnOrdinaryFile = "hidden or system file, or a folder";
inline constexpr std::string_view kNoFileVersion = "no FileVersion could be read";
inline constexpr std::string_view kFileVersionLabel = "FileVersion ";
inline constexpr std::string_view kVersionTooOld = ", 3.1 or later needed";
