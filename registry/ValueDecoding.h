#pragma once
// How a value read turns the stored type code and bytes into a value.
#include "RegistryValue.h"
#include "RegistryValueType.h"

namespace registry {

// Types 1, 2 and 7: the bytes as text, without the one terminating NUL when they end with one
// (a REG_MULTI_SZ keeps its separators and its final NUL; text stored without a NUL is kept
// whole; no bytes give the empty text). Type 2 comes back unexpanded.
// Types 4 and 5: a 32-bit integer from the first four bytes in machine byte order, missing
// bytes counting as 0 and bytes past the fourth ignored; type 5 with its bytes reversed.
// Every other type: the bytes as a byte array.
RegistryValue DecodeStoredValue(RegistryValueType type, const RegistryBytes& data);

}  // namespace registry
