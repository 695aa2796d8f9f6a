#pragma once
// The three requirements judged by the presence of a folder. Each expands its templates with
// the folder location as Windows gives it at the time of the call. The findings say which paths
// were looked at and what lay there; the yes/no functions are their verdicts.
#include "Finding.h"
#include "platform/Win32.h"

// The .NET Framework 3.5 folder under the Windows folder.
Finding DotNetFinding();
bool DotNetFolderPresent();

// The MSHTML interop assembly's folder in the global assembly cache.
Finding MsHtmlInteropFinding();
bool MsHtmlInteropFolderPresent();

// The Gemplus or the GemAlto reader tools under Program Files (both are always looked for).
// `owner` (may be null) is the window the shell may use as owner.
Finding SmartCardToolsFinding(HWND owner);
bool SmartCardToolsPresent(HWND owner);
