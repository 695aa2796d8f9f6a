#include "FileSearch.h"

namespace platform {

namespace {

constexpr DWORD kNotNormal =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

bool NormalFileExists(const std::string& path) {
    WIN32_FIND_DATAA entry{};
    const ScopedFindHandle search(FindFirstFileA(path.c_str(), &entry));
    if (!search) return false;
    do {
        if ((entry.dwFileAttributes & kNotNormal) == 0) return true;
    } while (FindNextFileA(search.get(), &entry));
    return false;
}

}  // namespace platform
