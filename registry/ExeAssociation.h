#pragma once
// The keys and default values that bind a file extension to a program, in the order they are
// written. Each entry is written twice: under HKEY_CLASSES_ROOT at `section`, and under
// HKEY_LOCAL_MACHINE at kMachineClassesPrefix + `section`.
#include <cstdint>
#include <string>
#include <vector>

#include "RegistryValue.h"

namespace registry {

inline constexpr const char* kMachineClassesPrefix = "SOFTWARE\\Classes\\";

// The default (unnamed) value of one key.
struct ClassesEntry {
    std::string section;
    std::string value;
};

struct ExeAssociationRequest {
    std::string exePath;
    std::string className;
    std::string classDescription;
    std::string association;  // the extension without its dot
    std::string openMenuText;
    bool supportPrint = false;
    std::string printMenuText;
    bool supportNew = false;
    std::string newMenuText;
    bool supportInstall = false;
    std::string installMenuText;
    std::int32_t defaultIconIndex = -1;  // below 0: no icon entry
};

// Spaces trimmed at both ends, then a double quote added in front and at the end where there
// is none; a path of spaces only becomes a single double quote.
std::string QuoteProgramPath(const std::string& exePath);

// The extension key, the class key, then the verbs open, print, install ("add"), new, each menu
// key before its command key, then DefaultIcon. Empty menu texts take their defaults.
std::vector<ClassesEntry> PlanExeAssociation(const ExeAssociationRequest& request);

// Further verbs of a class from items read as triplets Name, Text, Command, each converted to
// text: class\shell\Name holds Text, class\shell\Name\command holds Command unchanged.
// A count that is not a multiple of 3 is the caller's to refuse (IsTripletList).
bool IsTripletList(std::size_t itemCount);
std::vector<ClassesEntry> PlanAdditionalAssociations(const std::string& className,
                                                     const std::vector<RegistryValue>& items);

}  // namespace registry
