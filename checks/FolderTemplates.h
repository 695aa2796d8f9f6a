#pragma once
// The folders whose presence decides three of the requirements, as path templates.
#include <string_view>

// .NET Framework 3.5.
inline constexpr std::string_view kDotNetTemplate = "$WIN$\\Microsoft.NET\\Framework\\v3.5";

// The MSHTML interop assembly 7.0.3300.0 (public key token b03f5f7f11d50a3a) in the global
// assembly cache; only the folder is looked at.
inline constexpr std::string_view kMsHtmlInteropTemplate =
    "$WIN$\\assembly\\GAC\\Microsoft.Mshtml\\7.0.3300.0__b03f5f7f11d50a3a";

// The reader tools of the two smart-card reader makers; either one will do.
inline constexpr std::string_view kGemplusToolsTemplate = "$PROGRAMFILES$\\Gemplus\\ReaderTools";
inline constexpr std::string_view kGemaltoToolsTemplate = "$PROGRAMFILES$\\GemAlto\\ReaderTools";

// The shell's identifier of the Program Files folder (CSIDL_PROGRAM_FILES).
inline constexpr int kCsidlProgramFiles = 38;
