#include "cRegistry.h"

#include "RegistryErrorTexts.h"
#include "RootKey.h"
#include "ValueDecoding.h"
#include "ValueEncoding.h"
#include "platform/RegistryKey.h"

namespace {

// Query value, set value, create subkey, enumerate subkeys, notify and create link: the
// specific-rights part of KEY_ALL_ACCESS.
constexpr REGSAM kWriteAccess = 0x3F;
static_assert(kWriteAccess == (KEY_ALL_ACCESS & 0xFFFF));

RegistryError Failure(std::string description) {
    return registry::ProgramError(registry::kRegistryFailure, std::move(description));
}

}  // namespace

bool cRegistry::KeyExists() const {
    platform::ScopedRegistryKey key;
    return platform::OpenRegistryKey(registry::RootKey(classKey_), sectionKey_, KEY_QUERY_VALUE,
                                     key) == ERROR_SUCCESS;
}

bool cRegistry::CreateKey() {
    platform::ScopedRegistryKey key;
    if (platform::CreateRegistryKey(registry::RootKey(classKey_), sectionKey_, kWriteAccess, key) !=
        ERROR_SUCCESS)
        throw Failure(registry::CreateKeyFailedText(sectionKey_));
    return true;
}

bool cRegistry::DeleteKey() {
    if (platform::DeleteRegistryKey(registry::RootKey(classKey_), sectionKey_) != ERROR_SUCCESS)
        throw Failure(registry::DeleteKeyFailedText(classKey_, sectionKey_));
    return true;
}

bool cRegistry::DeleteValue() {
    platform::ScopedRegistryKey key;
    if (platform::OpenRegistryKey(registry::RootKey(classKey_), sectionKey_, kWriteAccess, key) !=
        ERROR_SUCCESS)
        throw Failure(registry::OpenForDeleteFailedText(classKey_, sectionKey_));
    if (platform::DeleteRegistryValue(key.get(), valueKey_) != ERROR_SUCCESS)
        throw Failure(registry::DeleteValueFailedText(classKey_, sectionKey_, valueKey_));
    return true;
}

RegistryValue cRegistry::Value() {
    platform::ScopedRegistryKey key;
    if (platform::OpenRegistryKey(registry::RootKey(classKey_), sectionKey_, KEY_QUERY_VALUE,
                                  key) != ERROR_SUCCESS)
        return default_;
    DWORD type = 0;
    DWORD size = 0;
    const LONG found = platform::QueryRegistryValueInfo(key.get(), valueKey_, type, size);
    if (found != ERROR_SUCCESS && found != ERROR_MORE_DATA) return default_;

    // A value that changed between the two queries reads as zero bytes of its first size.
    RegistryBytes data(size);
    if (size > 0 && platform::QueryRegistryValueData(key.get(), valueKey_, data) != ERROR_SUCCESS)
        data.assign(size, 0);

    valueType_ = static_cast<RegistryValueType>(type);
    RegistryValue value = registry::DecodeStoredValue(valueType_, data);
    if (valueType_ == RegistryValueType::RegExpandSz)
        if (const auto* text = std::get_if<std::string>(&value)) value = ExpandEnvStr(*text);
    return value;
}

void cRegistry::Value(RegistryValue vValue) {
    platform::ScopedRegistryKey key;
    if (platform::CreateRegistryKey(registry::RootKey(classKey_), sectionKey_, kWriteAccess, key) !=
        ERROR_SUCCESS)
        throw WriteError(registry::kRegistryFailure, vValue);

    const auto encoded = registry::EncodeValueForWrite(valueType_, vValue);
    if (const auto* refusal = std::get_if<registry::WriteRefusal>(&encoded)) {
        if (*refusal == registry::WriteRefusal::NotByteArray)
            throw RegistryError(registry::kRegistryFailure, "", "");
        throw WriteError(registry::kValueWriteRefused, vValue);
    }
    const auto& stored = std::get<registry::StoredValue>(encoded);
    if (platform::SetRegistryValue(key.get(), valueKey_, static_cast<DWORD>(stored.type),
                                   stored.data) != ERROR_SUCCESS)
        throw WriteError(registry::kValueWriteRefused, vValue);
}

RegistryError cRegistry::WriteError(std::int32_t number, const RegistryValue& value) const {
    return registry::ProgramError(number,
                                  registry::SetValueFailedText(classKey_, sectionKey_, valueKey_,
                                                               registry::ValueToText(value)));
}
