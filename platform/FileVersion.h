#pragma once
// A file's version resource, read through version.dll's single-byte functions.
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace platform {

class FileVersionBlock {
public:
    // The version block of the file at `path`; nothing when the file is missing, unreadable or
    // carries no version resource. Throws MissingSystemFunction when version.dll cannot be had.
    static std::optional<FileVersionBlock> Read(const std::string& path);

    // The bytes of sub-block `subBlock` (VerQueryValueA), never reaching past the block;
    // nothing when the block has no such sub-block.
    std::optional<std::span<const unsigned char>> Value(const std::string& subBlock);

    // A string value, whole, up to its terminating NUL or the end of the block.
    std::optional<std::string> Text(const std::string& subBlock);

private:
    explicit FileVersionBlock(std::vector<unsigned char> block) : block_(std::move(block)) {}

    struct Found {
        std::size_t offset;  // where the value starts in the block
        std::size_t length;  // as the platform reports it
    };
    std::optional<Found> Query(const std::string& subBlock);

    // Not const: the query writes single-byte copies of the strings into the block's spare room.
    std::vector<unsigned char> block_;
};

}  // namespace platform
