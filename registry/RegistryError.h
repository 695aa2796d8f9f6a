#pragma once
// The error the registry object raises: a number, the source that raised it and a description.
#include <cstdint>
#include <exception>
#include <string>

namespace registry {

// Most failures.
inline constexpr std::int32_t kRegistryFailure = 26001;
// The object-error range of the platform (0x80040000) plus 27049 and the three after it.
inline constexpr std::int32_t kValueWriteRefused = static_cast<std::int32_t>(0x800469A9u);
inline constexpr std::int32_t kSectionEnumerationFailed = static_cast<std::int32_t>(0x800469AAu);
inline constexpr std::int32_t kInvalidAssociationList = static_cast<std::int32_t>(0x800469ACu);
inline constexpr std::int32_t kClassNotDefined = static_cast<std::int32_t>(0x800469ADu);

// The source of every error with one: the program file's name without its extension, then
// ".cRegistry". `modulePath` is the program's full path; either slash separates folders.
std::string ErrorSourceFromModulePath(const std::string& modulePath);

}  // namespace registry

class RegistryError : public std::exception {
public:
    RegistryError(std::int32_t number, std::string source, std::string description);

    std::int32_t number() const noexcept { return number_; }
    const std::string& source() const noexcept { return source_; }
    const std::string& description() const noexcept { return description_; }
    // The description (empty for the error that carries none).
    const char* what() const noexcept override { return description_.c_str(); }

private:
    std::int32_t number_;
    std::string source_;
    std::string description_;
};

#ifdef _WIN32
namespace registry {

// An error raised by this program: its source comes from the path of the program's own file.
RegistryError ProgramError(std::int32_t number, std::string description);

}  // namespace registry
#endif
