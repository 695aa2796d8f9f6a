#pragma once
// Writing the report file, and turning system texts into the report's UTF-8.
#include <string>
#include <string_view>

namespace platform {

// Writes `bytes` to the file at `utf8Path` whole or not at all: into a new temporary file beside
// it, flushed to disk, then renamed over the target. False on any failure (no such folder, the
// target is a folder or read-only, a bad path, a full disk); the temporary is then removed and
// an existing target is left as it was. Wide calls, so any file name works.
bool WriteFileWhole(const std::string& utf8Path, std::string_view bytes);

// A text in the system code page (what the "A" functions give) as UTF-8; empty when Windows
// cannot convert it.
std::string SystemTextToUtf8(std::string_view ansi);

}  // namespace platform
