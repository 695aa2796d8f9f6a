#pragma once
// Which language's strings of a version resource are read: the first entry of its translation
// table, written as the 8-digit key that names that language's string table.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

struct Translation {
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
};

// The first entry of a "\VarFileInfo\Translation" table: two little-endian 16-bit numbers.
// Bytes missing from a table shorter than four bytes count as 0; later entries are ignored.
Translation FirstTranslation(std::span<const unsigned char> table);

// Language and code page as 8 uppercase hexadecimal digits, e.g. 040904B0.
std::string TranslationKey(Translation translation);

// The sub-block of string `name` in the string table `key`: \StringFileInfo\<key>\<name>.
std::string StringValuePath(std::string_view key, std::string_view name);
