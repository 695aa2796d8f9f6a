#pragma once
// The registry access object: five settings name a root, a key, a value, its type and a
// fallback; each operation works on what they name at the time of the call. Every operation
// opens its key and closes it again before it returns or raises; failures raise RegistryError.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "RegistryError.h"
#include "RegistryRoot.h"
#include "RegistryValue.h"
#include "RegistryValueType.h"

class cRegistry {
public:
    // True when the key opens for value queries; never raises.
    bool KeyExists() const;
    // Opens or creates the key (and any missing keys above it). True, or raises.
    bool CreateKey();
    // Deletes the key, which must have no subkeys. True, or raises.
    bool DeleteKey();
    // Deletes the value named by ValueKey. True, or raises.
    bool DeleteValue();

    // Reads the value: Default when the key or value cannot be read, otherwise the value by the
    // type found, which then becomes ValueType. Never raises for a missing key or value.
    RegistryValue Value();
    // Writes the value as ValueType says, creating the key when it is missing.
    void Value(RegistryValue vValue);

    // Names of the key's values / subkeys in the platform's order. The list is emptied first and
    // `count` kept equal to its length; a key that does not open gives an empty list. True.
    bool EnumerateValues(std::vector<std::string>& sKeyNames, std::int32_t& iKeyCount);
    bool EnumerateSections(std::vector<std::string>& sSect, std::int32_t& iSectCount);

    // Binds the extension to a class and the class to the program, under HKEY_CLASSES_ROOT and
    // HKEY_LOCAL_MACHINE "SOFTWARE\Classes\". Leaves the settings at the last value written.
    void CreateEXEAssociation(std::string sExePath, std::string sClassName,
                              std::string sClassDescription, std::string sAssociation,
                              std::string sOpenMenuText = "&Open", bool bSupportPrint = false,
                              std::string sPrintMenuText = "&Print", bool bSupportNew = false,
                              std::string sNewMenuText = "&New", bool bSupportInstall = false,
                              std::string sInstallMenuText = "",
                              std::int32_t lDefaultIconIndex = -1);
    // Adds verbs from items read as triplets Name, Text, Command to a class that exists under
    // HKEY_CLASSES_ROOT. A failing write inside is passed over.
    void CreateAdditionalEXEAssociations(std::string sClassName,
                                         const std::vector<RegistryValue>& vItems = {});

    RegistryValueType ValueType() const { return valueType_; }
    void ValueType(RegistryValueType eValueType) { valueType_ = eValueType; }
    RegistryRoot ClassKey() const { return classKey_; }
    void ClassKey(RegistryRoot eKey) { classKey_ = eKey; }
    const std::string& SectionKey() const { return sectionKey_; }
    void SectionKey(std::string sSectionKey) { sectionKey_ = std::move(sSectionKey); }
    const std::string& ValueKey() const { return valueKey_; }
    void ValueKey(std::string sValueKey) { valueKey_ = std::move(sValueKey); }
    const RegistryValue& Default() const { return default_; }
    void Default(RegistryValue vDefault) { default_ = std::move(vDefault); }

private:
    // Writes the text under HKEY_CLASSES_ROOT, then under HKEY_LOCAL_MACHINE below
    // "SOFTWARE\Classes\"; ClassKey is left at HKEY_LOCAL_MACHINE.
    void SetClassesValue(std::string sValue);
    // Environment-variable references replaced; the text unchanged when the platform fails.
    static std::string ExpandEnvStr(const std::string& s);

    RegistryError WriteError(std::int32_t number, const RegistryValue& value) const;

    RegistryRoot classKey_{};
    std::string sectionKey_;
    std::string valueKey_;
    RegistryValueType valueType_{};
    RegistryValue default_;
};
