#include "RegistryErrorTexts.h"

namespace registry {

std::string CreateKeyFailedText(const std::string& section) {
    return "Failed to create registry Key: '" + section;
}

std::string DeleteKeyFailedText(RegistryRoot root, const std::string& section) {
    return "Failed to delete registry Key: '" + RootText(root) + "',Section: '" + section;
}

std::string OpenForDeleteFailedText(RegistryRoot root, const std::string& section) {
    return "Failed to open key '" + RootText(root) + "',Section: '" + section +
           "' for delete access";
}

std::string DeleteValueFailedText(RegistryRoot root, const std::string& section,
                                  const std::string& valueName) {
    return "Failed to delete registry Key: '" + RootText(root) + "',Section: '" + section +
           "',Key: '" + valueName;
}

std::string SetValueFailedText(RegistryRoot root, const std::string& section,
                               const std::string& valueName, const std::string& valueText) {
    return "Failed to set registry value Key: '" + RootText(root) + "',Section: '" + section +
           "',Key: '" + valueName + "' to value: '" + valueText + "'";
}

}  // namespace registry
