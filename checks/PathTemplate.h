#pragma once
// Path templates: a folder path that starts with a token standing for a Windows folder whose
// location differs from machine to machine.
#include <string>
#include <string_view>

inline constexpr std::string_view kWinToken = "$WIN$";                    // the Windows folder
inline constexpr std::string_view kProgramFilesToken = "$PROGRAMFILES$";  // shell folder 38

// `pathTemplate` with every occurrence of `token` (letter case counting) replaced by `folder`,
// left to right. Nothing else is done to the path: no separator added or removed, no other
// token or variable expanded, no normalising. An empty token replaces nothing.
std::string ExpandPathToken(std::string_view pathTemplate, std::string_view token,
                            std::string_view folder);
