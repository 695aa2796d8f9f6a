#include "EnvironmentExpansion.h"

namespace registry {

std::string ExpandEnvironmentReferences(const std::string& s, const ExpandCall& expand) {
    const std::uint32_t needed = expand(s.c_str(), nullptr, 0);
    if (needed == 0) return s;
    std::string buffer(needed, '\0');
    const std::uint32_t written = expand(s.c_str(), buffer.data(), needed);
    if (written == 0 || written > needed) return s;
    return buffer.substr(0, buffer.find('\0'));
}

}  // namespace registry
