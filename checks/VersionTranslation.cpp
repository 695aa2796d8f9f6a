#include "VersionTranslation.h"

#include <algorithm>
#include <array>

Translation FirstTranslation(std::span<const unsigned char> table) {
    std::array<unsigned char, 4> entry{};
    std::copy_n(table.begin(), std::min(table.size(), entry.size()), entry.begin());
    return {static_cast<std::uint16_t>(entry[0] | entry[1] << 8),
            static_cast<std::uint16_t>(entry[2] | entry[3] << 8)};
}

std::string TranslationKey(Translation translation) {
    constexpr char kHex[] = "0123456789ABCDEF";
    const std::uint32_t number =
        std::uint32_t{translation.language} << 16 | std::uint32_t{translation.codePage};
    std::string key(8, '0');
    for (int digit = 0; digit < 8; ++digit)
        key[static_cast<std::size_t>(7 - digit)] = kHex[(number >> (4 * digit)) & 0xF];
    return key;
}

std::string StringValuePath(std::string_view key, std::string_view name) {
    std::string path("\\StringFileInfo\\");
    path.append(key).append("\\").append(name);
    return path;
}
