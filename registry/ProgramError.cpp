#include <string>
#include <utility>

#include "RegistryError.h"
#include "platform/Win32.h"

namespace registry {

RegistryError ProgramError(std::int32_t number, std::string description) {
    // A path may exceed MAX_PATH: grow until the whole path fits with its NUL.
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return RegistryError(number, ErrorSourceFromModulePath(path), std::move(description));
}

}  // namespace registry
