#pragma once
// The three requirements judged by the presence of a folder. Each expands its templates with
// the folder location as Windows gives it at the time of the call. The findings say which paths
// were looked at and what lay there; the yes/no functions are their verdicts.
#include "Finding.h"
#include "platform/Win32.h"

namespace platform {
class SmartCardQuery;
}

// The .NET Framework 3.5 folder under the Windows folder; the line adds what the registry records
// about .NET 3.5 and whether its programs use Windows' TLS versions.
Finding DotNetFinding();
bool DotNetFolderPresent();

// The MSHTML interop assembly's folder in the global assembly cache.
Finding MsHtmlInteropFinding();
bool MsHtmlInteropFolderPresent();

// The Gemplus or the GemAlto reader tools under Program Files (both are always looked for); on
// 64-bit Windows under both Program Files folders, the program's own first.
// The line adds the card readers Windows' smart-card service sees and whether a card is in each,
// asked for at most SmartCardQuery::kLimit. `owner` (may be null) is the window the shell may use
// as owner.
Finding SmartCardToolsFinding(HWND owner);
// The same with the service's part already asked: `readers` as CardReadersFinding gives it.
Finding SmartCardToolsFinding(HWND owner, const Finding& readers);
// The service's part alone: its words as the line, the readers for the reports. Blocks at most
// the query's limit, and returns at once when the query is cancelled.
Finding CardReadersFinding(platform::SmartCardQuery& query);
bool SmartCardToolsPresent(HWND owner);
