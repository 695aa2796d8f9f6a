#pragma once
// The descriptions of the registry object's errors, word for word; only the two value-write
// texts end with a closing quote.
#include <string>

#include "RegistryRoot.h"

namespace registry {

// CreateKey could not open or create the key.
std::string CreateKeyFailedText(const std::string& section);
// DeleteKey could not delete the key.
std::string DeleteKeyFailedText(RegistryRoot root, const std::string& section);
// DeleteValue could not open the key.
std::string OpenForDeleteFailedText(RegistryRoot root, const std::string& section);
// DeleteValue could not delete the value.
std::string DeleteValueFailedText(RegistryRoot root, const std::string& section,
                                  const std::string& valueName);
// A value write failed; `valueText` is the value being written, as text.
std::string SetValueFailedText(RegistryRoot root, const std::string& section,
                               const std::string& valueName, const std::string& valueText);

inline constexpr const char* kInvalidAssociationListText =
    "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
    "Name/Text/Command";
inline constexpr const char* kClassNotDefinedText =
    "Error - attempt to create additional associations before class defined.";

}  // namespace registry
