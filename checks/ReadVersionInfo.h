#pragma once
// Reads the version-resource strings of a file, in the language of its first translation.
#include <cstdint>
#include <string>

#include "VersionInfo.h"

inline constexpr std::int32_t kVersionInfoComplete = 1;    // all eight strings read
inline constexpr std::int32_t kVersionInfoIncomplete = 2;  // some step failed

// Empties `info`, then fills its fields in order and stops at the first string the resource
// lacks, leaving it and all later fields empty. A file that is missing, unreadable or without a
// version resource or translation table leaves all eight empty. Strings are read whole,
// whatever their length.
std::int32_t ReadVersionInfo(const std::string& path, VersionInfo& info);
