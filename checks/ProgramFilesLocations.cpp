#include "ProgramFilesLocations.h"

#include <algorithm>

namespace {

bool SameFolder(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::vector<TokenFolder> ProgramFilesLocations(WindowsBitness bitness, std::string_view token,
                                               std::string shellFolder, std::string otherFolder) {
    constexpr std::string_view k32 = "the 32-bit Program Files folder";
    constexpr std::string_view k64 = "the 64-bit Program Files folder";
    if (bitness == WindowsBitness::Windows32)
        return {{token, std::move(shellFolder), "the Program Files folder"}};
    const bool own64 = bitness == WindowsBitness::Program64;
    const bool same = !shellFolder.empty() && SameFolder(shellFolder, otherFolder);
    std::vector<TokenFolder> locations{{token, std::move(shellFolder), own64 ? k64 : k32}};
    if (!same) locations.push_back({token, std::move(otherFolder), own64 ? k32 : k64});
    return locations;
}
