#include "ScopedRegistryValue.h"

#include <stdexcept>

#include "platform/RegistryKey.h"

namespace scenario {

RegistryData TextData(const std::string& text) {
    RegistryData data{REG_SZ, std::vector<BYTE>(text.begin(), text.end())};
    data.bytes.push_back(0);
    return data;
}

RegistryData DwordData(DWORD value) {
    RegistryData data{REG_DWORD, std::vector<BYTE>(sizeof value)};
    for (std::size_t i = 0; i < sizeof value; ++i)
        data.bytes[i] = static_cast<BYTE>((value >> (8 * i)) & 0xFF);  // little-endian
    return data;
}

namespace {

std::optional<RegistryData> Read(HKEY key, const std::string& name) {
    DWORD type = 0, size = 0;
    const LONG info = platform::QueryRegistryValueInfo(key, name, type, size);
    if (info != ERROR_SUCCESS && info != ERROR_MORE_DATA) return std::nullopt;
    RegistryData data{type, std::vector<BYTE>(size)};
    if (size > 0 && platform::QueryRegistryValueData(key, name, data.bytes) != ERROR_SUCCESS)
        throw std::runtime_error("cannot read the registry value " + name);
    return data;
}

void Write(HKEY key, const std::string& name, const std::optional<RegistryData>& value) {
    const LONG result = value ? platform::SetRegistryValue(key, name, value->type, value->bytes)
                              : platform::DeleteRegistryValue(key, name);
    if (result != ERROR_SUCCESS && !(result == ERROR_FILE_NOT_FOUND && !value))
        throw std::runtime_error("cannot change the registry value " + name);
}

// The path of the key above; empty for a key right under the root.
std::string Parent(const std::string& path) {
    const std::size_t cut = path.rfind('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

bool KeyExists(HKEY root, const std::string& path, REGSAM view) {
    platform::ScopedRegistryKey key;
    return platform::OpenRegistryKey(root, path, KEY_QUERY_VALUE | view, key) == ERROR_SUCCESS;
}

// Deletes the key at `path` in `view` when it holds neither values nor subkeys. Through its parent
// opened in the view: RegDeleteKeyA on the root would reach the process's own view only.
void DeleteKeyIfEmpty(HKEY root, const std::string& path, REGSAM view) {
    platform::ScopedRegistryKey key;
    if (platform::OpenRegistryKey(root, path, KEY_QUERY_VALUE | view, key) != ERROR_SUCCESS) return;
    DWORD subkeys = 0, values = 0;
    const LONG rc = RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                                     &values, nullptr, nullptr, nullptr, nullptr);
    key.reset();
    if (rc != ERROR_SUCCESS || subkeys != 0 || values != 0) return;
    const std::string above = Parent(path);
    platform::ScopedRegistryKey parent;
    if (above.empty() ||
        platform::OpenRegistryKey(root, above, KEY_QUERY_VALUE | KEY_SET_VALUE | view, parent) != ERROR_SUCCESS)
        return;
    platform::DeleteRegistryKey(parent.get(), path.substr(above.size() + 1));
}

}  // namespace

ScopedRegistryValue::ScopedRegistryValue(HKEY root, std::string keyPath, std::string name,
                                         std::optional<RegistryData> value, REGSAM view)
    : root_(root), keyPath_(std::move(keyPath)), name_(std::move(name)), view_(view) {
    platform::ScopedRegistryKey key;
    if (platform::OpenRegistryKey(root_, keyPath_, KEY_QUERY_VALUE | KEY_SET_VALUE | view_, key) ==
        ERROR_SUCCESS) {
        saved_ = Read(key.get(), name_);
    } else {
        if (!value) return;  // no key, so no value: already as asked
        for (std::string path = keyPath_; !path.empty() && !KeyExists(root_, path, view_);
             path = Parent(path))
            createdKeys_.push_back(path);
        if (platform::CreateRegistryKey(root_, keyPath_, KEY_QUERY_VALUE | KEY_SET_VALUE | view_, key) !=
            ERROR_SUCCESS)
            throw std::runtime_error("cannot create the registry key " + keyPath_);
    }
    Write(key.get(), name_, value);
}

ScopedRegistryValue::~ScopedRegistryValue() {
    platform::ScopedRegistryKey key;
    if (platform::OpenRegistryKey(root_, keyPath_, KEY_SET_VALUE | view_, key) != ERROR_SUCCESS) return;
    try {
        Write(key.get(), name_, saved_);
    } catch (...) {
        // The prefix is the tests' own; the next set-up of this value starts from what is there.
    }
    key.reset();
    for (const std::string& path : createdKeys_) DeleteKeyIfEmpty(root_, path, view_);
}

}  // namespace scenario
