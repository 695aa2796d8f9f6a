#include "FileVersion.h"

#include <algorithm>

#include "SystemLibrary.h"
#include "Win32.h"

namespace platform {
namespace {

// version.dll's functions, from the system folder on first use (see SystemLibrary.h). Throws
// MissingSystemFunction when one cannot be had.
struct VersionFunctions {
    decltype(&::GetFileVersionInfoSizeA) getSize;
    decltype(&::GetFileVersionInfoA) getInfo;
    decltype(&::VerQueryValueA) queryValue;
};

const VersionFunctions& Version() {
    static const VersionFunctions functions = [] {
        SystemLibrary& dll = VersionLibrary();
        return VersionFunctions{dll.Get<decltype(&::GetFileVersionInfoSizeA)>("GetFileVersionInfoSizeA"),
                                dll.Get<decltype(&::GetFileVersionInfoA)>("GetFileVersionInfoA"),
                                dll.Get<decltype(&::VerQueryValueA)>("VerQueryValueA")};
    }();
    return functions;
}

}  // namespace

std::optional<FileVersionBlock> FileVersionBlock::Read(const std::string& path) {
    DWORD unused = 0;
    const DWORD size = Version().getSize(path.c_str(), &unused);
    if (size < 1) return std::nullopt;
    std::vector<unsigned char> block(size);
    if (!Version().getInfo(path.c_str(), 0, size, block.data())) return std::nullopt;
    return FileVersionBlock(std::move(block));
}

std::optional<FileVersionBlock::Found> FileVersionBlock::Query(const std::string& subBlock) {
    void* data = nullptr;
    UINT length = 0;
    if (!Version().queryValue(block_.data(), subBlock.c_str(), &data, &length)) return std::nullopt;
    // The value lies inside the block; anything else is not taken on trust.
    const auto* at = static_cast<const unsigned char*>(data);
    if (at < block_.data() || at >= block_.data() + block_.size()) return std::nullopt;
    return Found{static_cast<std::size_t>(at - block_.data()), length};
}

std::optional<std::span<const unsigned char>> FileVersionBlock::Value(const std::string& subBlock) {
    const std::optional<Found> found = Query(subBlock);
    if (!found) return std::nullopt;
    const std::size_t available = block_.size() - found->offset;
    return std::span<const unsigned char>(block_.data() + found->offset,
                                          std::min(found->length, available));
}

std::optional<std::string> FileVersionBlock::Text(const std::string& subBlock) {
    const std::optional<Found> found = Query(subBlock);
    if (!found) return std::nullopt;
    // The reported length is not used for the single-byte copy (it may count wide characters):
    // the text ends at its NUL, and the end of the block bounds the search for it.
    const auto begin = block_.begin() + static_cast<std::ptrdiff_t>(found->offset);
    return std::string(begin, std::find(begin, block_.end(), '\0'));
}

}  // namespace platform
