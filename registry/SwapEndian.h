#pragma once
#include <cstdint>

namespace registry {

// The integer whose four bytes are those of `n` in reverse order: 0x78563412 gives 0x12345678.
std::int32_t SwapEndian(std::int32_t n);

}  // namespace registry
