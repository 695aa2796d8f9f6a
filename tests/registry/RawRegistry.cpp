#include "RawRegistry.h"

#include <cstring>
#include <stdexcept>

#include "platform/RegistryKey.h"

namespace regtest {

using platform::ScopedRegistryKey;

namespace {

ScopedRegistryKey Open(HKEY root, const std::string& path, REGSAM access) {
    ScopedRegistryKey key;
    RegOpenKeyExA(root, path.c_str(), 0, access, key.receive());
    return key;
}

ScopedRegistryKey Create(HKEY root, const std::string& path, REGSAM access) {
    ScopedRegistryKey key;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, access, nullptr, key.receive(),
                        nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create " + path);
    return key;
}

// Through the parent's handle: Wine refuses long full paths that it accepts piecewise.
void DeleteChildren(HKEY key) {
    std::vector<std::string> children;
    char name[256];
    DWORD length = sizeof name;
    for (DWORD i = 0;
         RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = sizeof name)
        children.emplace_back(name, length);
    for (const std::string& child : children) {
        if (ScopedRegistryKey childKey = Open(key, child, KEY_ENUMERATE_SUB_KEYS))
            DeleteChildren(childKey.get());
        RegDeleteKeyA(key, child.c_str());
    }
}

}  // namespace

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::vector<std::uint8_t> Dword(std::int32_t n) {
    std::vector<std::uint8_t> bytes(sizeof n);
    std::memcpy(bytes.data(), &n, sizeof n);
    return bytes;
}

void WriteRaw(HKEY root, const std::string& path, const std::string& name, DWORD type,
              const std::vector<std::uint8_t>& data) {
    const ScopedRegistryKey key = Create(root, path, KEY_SET_VALUE);
    if (RegSetValueExA(key.get(), name.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                       static_cast<DWORD>(data.size())) != ERROR_SUCCESS)
        throw std::runtime_error("cannot set " + path + "\\" + name);
}

void CreateRawSubkey(HKEY root, const std::string& parent, const std::string& child) {
    const ScopedRegistryKey parentKey = Create(root, parent, KEY_CREATE_SUB_KEY);
    Create(parentKey.get(), child, KEY_READ);
}

std::optional<RawValue> ReadRaw(HKEY root, const std::string& path, const std::string& name) {
    const ScopedRegistryKey key = Open(root, path, KEY_QUERY_VALUE);
    RawValue value;
    DWORD size = 0;
    if (!key || RegQueryValueExA(key.get(), name.c_str(), nullptr, &value.type, nullptr, &size) !=
                    ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    if (size > 0 && RegQueryValueExA(key.get(), name.c_str(), nullptr, nullptr, value.data.data(),
                                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    return value;
}

bool RawKeyExists(HKEY root, const std::string& path) {
    return static_cast<bool>(Open(root, path, KEY_READ));
}

void DenyQueryAccess(HKEY root, const std::string& path) {
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone))
        throw std::runtime_error("no SID for everyone");
    alignas(DWORD) BYTE aclBuffer[256] = {};
    auto* acl = reinterpret_cast<PACL>(aclBuffer);
    SECURITY_DESCRIPTOR descriptor{};
    const bool built = InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION) &&
                       AddAccessDeniedAce(acl, ACL_REVISION, KEY_QUERY_VALUE, everyone) &&
                       AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone) &&
                       InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
                       SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    FreeSid(everyone);
    const ScopedRegistryKey key = Open(root, path, WRITE_DAC);
    if (!built || !key ||
        RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, &descriptor) != ERROR_SUCCESS)
        throw std::runtime_error("cannot refuse query access to " + path);
}

void DeleteTree(HKEY root, const std::string& path) {
    if (ScopedRegistryKey key = Open(root, path, KEY_ENUMERATE_SUB_KEYS)) {
        DeleteChildren(key.get());
        key.reset();
        RegDeleteKeyA(root, path.c_str());
    }
}

Settings SettingsOf(const cRegistry& reg) {
    return {reg.ClassKey(), reg.SectionKey(), reg.ValueKey(), reg.ValueType(), reg.Default()};
}

}  // namespace regtest
