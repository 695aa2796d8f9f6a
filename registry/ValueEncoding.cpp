#include "ValueEncoding.h"

#include <cstring>

namespace registry {

RegistryValueType ChooseTextValueType(const std::string& text) {
    const std::size_t first = text.find('%');
    if (first != std::string::npos && text.find('%', first + 2) != std::string::npos)
        return RegistryValueType::RegExpandSz;
    return RegistryValueType::RegSz;
}

std::variant<StoredValue, WriteRefusal> EncodeValueForWrite(RegistryValueType valueType,
                                                            const RegistryValue& value) {
    switch (valueType) {
        case RegistryValueType::RegSz:
        case RegistryValueType::RegExpandSz: {
            const std::string text = ValueToText(value);
            RegistryBytes data(text.begin(), text.end());
            data.push_back(0);
            return StoredValue{ChooseTextValueType(text), std::move(data)};
        }
        case RegistryValueType::RegBinary:
            if (const auto* bytes = std::get_if<RegistryBytes>(&value))
                return StoredValue{RegistryValueType::RegBinary, *bytes};
            return WriteRefusal::NotByteArray;
        case RegistryValueType::RegDword:
        case RegistryValueType::RegDwordBigEndian: {
            std::int32_t number = 0;
            if (!ToInteger32(value, number)) return WriteRefusal::NotWritable;
            RegistryBytes data(sizeof number);
            std::memcpy(data.data(), &number, sizeof number);
            return StoredValue{RegistryValueType::RegDword, std::move(data)};
        }
        default:
            return WriteRefusal::NotWritable;
    }
}

}  // namespace registry
