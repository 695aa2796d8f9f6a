#include "SwapEndian.h"

#include <array>
#include <cstring>
#include <utility>

namespace registry {

std::int32_t SwapEndian(std::int32_t n) {
    std::array<unsigned char, sizeof n> bytes{};
    std::memcpy(bytes.data(), &n, sizeof n);
    std::swap(bytes[0], bytes[3]);
    std::swap(bytes[1], bytes[2]);
    std::int32_t swapped = 0;
    std::memcpy(&swapped, bytes.data(), sizeof swapped);
    return swapped;
}

}  // namespace registry
