#pragma once
// A predefined root key of the registry, held as the signed 32-bit number the platform gives its
// handle. Any other number may be stored too; it is handed to the platform unchanged.
#include <cstdint>
#include <string>

enum class RegistryRoot : std::int32_t {
    ClassesRoot = static_cast<std::int32_t>(0x80000000u),   // -2147483648
    CurrentUser = static_cast<std::int32_t>(0x80000001u),   // -2147483647
    LocalMachine = static_cast<std::int32_t>(0x80000002u),  // -2147483646
    Users = static_cast<std::int32_t>(0x80000003u),         // -2147483645
};

namespace registry {

// The root as error texts show it: its signed decimal number.
inline std::string RootText(RegistryRoot root) {
    return std::to_string(static_cast<std::int32_t>(root));
}

}  // namespace registry
