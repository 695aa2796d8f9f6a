#include "ValueDecoding.h"

#include <algorithm>
#include <cstring>

#include "SwapEndian.h"

namespace registry {

namespace {

std::string TextFromBytes(const RegistryBytes& data) {
    std::string text(data.begin(), data.end());
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

std::int32_t IntegerFromBytes(const RegistryBytes& data) {
    std::int32_t number = 0;
    if (!data.empty()) std::memcpy(&number, data.data(), std::min(data.size(), sizeof number));
    return number;
}

}  // namespace

RegistryValue DecodeStoredValue(RegistryValueType type, const RegistryBytes& data) {
    switch (type) {
        case RegistryValueType::RegSz:
        case RegistryValueType::RegExpandSz:
        case RegistryValueType::RegMultiSz:
            return TextFromBytes(data);
        case RegistryValueType::RegDword:
            return IntegerFromBytes(data);
        case RegistryValueType::RegDwordBigEndian:
            return SwapEndian(IntegerFromBytes(data));
        default:
            return data;
    }
}

}  // namespace registry
