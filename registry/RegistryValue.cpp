#include "RegistryValue.h"

namespace registry {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

}  // namespace

std::string ValueToText(const RegistryValue& value) {
    return std::visit(
        Overloaded{
            [](std::monostate) { return std::string(); },
            [](const std::string& text) { return text; },
            [](std::int16_t n) { return std::to_string(n); },
            [](std::int32_t n) { return std::to_string(n); },
            [](const RegistryBytes& bytes) { return std::string(bytes.begin(), bytes.end()); },
        },
        value);
}

bool ToInteger32(const RegistryValue& value, std::int32_t& out) {
    if (const auto* small = std::get_if<std::int16_t>(&value)) {
        out = *small;
        return true;
    }
    if (const auto* large = std::get_if<std::int32_t>(&value)) {
        out = *large;
        return true;
    }
    return false;
}

}  // namespace registry
