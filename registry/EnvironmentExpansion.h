#pragma once
// Replacing environment-variable references in a text, in the platform's two steps: ask the
// size, then expand into a buffer of that size.
#include <cstdint>
#include <functional>
#include <string>

namespace registry {

// The platform's expansion: source, buffer, buffer size in characters; returns the size the
// expansion needs, counting its NUL, or 0 on failure.
using ExpandCall =
    std::function<std::uint32_t(const char* source, char* buffer, std::uint32_t size)>;

// The expanded text, cut at its NUL. The text unchanged when either step fails or the second
// step needs more than the first one said (a variable that grew in between).
std::string ExpandEnvironmentReferences(const std::string& s, const ExpandCall& expand);

}  // namespace registry
