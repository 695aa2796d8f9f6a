#include "RegistryError.h"

#include <utility>

RegistryError::RegistryError(std::int32_t number, std::string source, std::string description)
    : number_(number), source_(std::move(source)), description_(std::move(description)) {}

namespace registry {

std::string ErrorSourceFromModulePath(const std::string& modulePath) {
    const std::size_t folderEnd = modulePath.find_last_of("\\/");
    std::string name =
        folderEnd == std::string::npos ? modulePath : modulePath.substr(folderEnd + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name + ".cRegistry";
}

}  // namespace registry
