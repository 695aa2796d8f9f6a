#pragma once
// The eight version-resource strings of one file, and the resource keys they are read from.
#include <array>
#include <string>
#include <string_view>

struct VersionInfo {
    std::string CompanyName;
    std::string FileDescription;
    std::string FileVersion;
    std::string InternalName;
    std::string LegalCopyright;
    std::string OriginalFileName;
    std::string ProductName;
    std::string ProductVersion;
};

struct VersionInfoKey {
    std::string_view name;  // the string's key in the resource
    std::string VersionInfo::*field;
};

// In the order the strings are read.
inline constexpr std::array<VersionInfoKey, 8> kVersionInfoKeys{{
    {"CompanyName", &VersionInfo::CompanyName},
    {"FileDescription", &VersionInfo::FileDescription},
    {"FileVersion", &VersionInfo::FileVersion},
    {"InternalName", &VersionInfo::InternalName},
    {"LegalCopyright", &VersionInfo::LegalCopyright},
    {"OriginalFileName", &VersionInfo::OriginalFileName},
    {"ProductName", &VersionInfo::ProductName},
    {"ProductVersion", &VersionInfo::ProductVersion},
}};
