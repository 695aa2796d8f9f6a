#pragma once
// The platform's value-type codes. Any other code may be stored too: a read sets whatever type
// it finds, and a write with a code outside 1..5 is refused.
#include <cstdint>

enum class RegistryValueType : std::int32_t {
    RegSz = 1,
    RegExpandSz = 2,
    RegBinary = 3,
    RegDword = 4,
    RegDwordBigEndian = 5,
    RegLink = 6,
    RegMultiSz = 7,
};
