#pragma once
// The value a registry read yields or a write is given: empty, a text, a 16-bit or 32-bit
// signed integer, or a byte array (always indexed from 0).
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

using RegistryBytes = std::vector<std::uint8_t>;
using RegistryValue =
    std::variant<std::monostate, std::string, std::int16_t, std::int32_t, RegistryBytes>;

namespace registry {

// The text form of a value, used when a value is written as text and in error descriptions:
// empty gives "", integers their decimal digits, a byte array its bytes taken as characters.
std::string ValueToText(const RegistryValue& value);

// The value as a 32-bit integer when it holds a 16-bit or 32-bit integer.
bool ToInteger32(const RegistryValue& value, std::int32_t& out);

}  // namespace registry
