#pragma once
// Directory searches by name (FindFirstFileA), and whether an ordinary file lies at a path.
#include <string>

#include "ScopedHandle.h"

namespace platform {

struct FindHandleTraits {
    using handle_type = HANDLE;
    static handle_type invalid() { return INVALID_HANDLE_VALUE; }
    static void close(handle_type h) { FindClose(h); }
};
using ScopedFindHandle = ScopedHandle<FindHandleTraits>;

// True when a search for `path` finds a file that is neither a folder nor hidden nor a system
// file (read-only and archived files count as ordinary).
bool NormalFileExists(const std::string& path);

}  // namespace platform
