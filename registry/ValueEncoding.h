#pragma once
// How a value write turns the value into the type code and bytes the platform stores.
#include <string>
#include <variant>

#include "RegistryValue.h"
#include "RegistryValueType.h"

namespace registry {

struct StoredValue {
    RegistryValueType type;
    RegistryBytes data;
};

enum class WriteRefusal {
    NotByteArray,  // a binary write given something other than a byte array
    NotWritable,   // the type cannot be written, or the value does not fit it
};

// REG_EXPAND_SZ when the text holds a "%" and another "%" at least two characters further on
// (so "%%" and "100%" stay REG_SZ, "%a%" does not); REG_SZ otherwise.
RegistryValueType ChooseTextValueType(const std::string& text);

// By the object's value type: 1 and 2 store the value's text form with one NUL (REG_SZ or
// REG_EXPAND_SZ by content); 3 stores a byte array whole; 4 and 5 store a 16-bit or 32-bit
// integer as REG_DWORD in machine byte order. Everything else is refused.
std::variant<StoredValue, WriteRefusal> EncodeValueForWrite(RegistryValueType valueType,
                                                            const RegistryValue& value);

}  // namespace registry
