#include <string>

#include "EnvironmentExpansion.h"
#include "cRegistry.h"
#include "platform/Win32.h"

std::string cRegistry::ExpandEnvStr(const std::string& s) {
    return registry::ExpandEnvironmentReferences(
        s, [](const char* source, char* buffer, std::uint32_t size) -> std::uint32_t {
            return ExpandEnvironmentStringsA(source, buffer, size);
        });
}
