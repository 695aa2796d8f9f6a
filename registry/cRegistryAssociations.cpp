// File-type associations: every default value written under both class roots.
#include "cRegistry.h"

#include <utility>

#include "ExeAssociation.h"
#include "RegistryErrorTexts.h"

void cRegistry::SetClassesValue(std::string sValue) {
    classKey_ = RegistryRoot::ClassesRoot;
    Value(sValue);
    const std::string section = sectionKey_;
    classKey_ = RegistryRoot::LocalMachine;
    sectionKey_ = registry::kMachineClassesPrefix + section;
    Value(std::move(sValue));
    sectionKey_ = section;
}

void cRegistry::CreateEXEAssociation(std::string sExePath, std::string sClassName,
                                     std::string sClassDescription, std::string sAssociation,
                                     std::string sOpenMenuText, bool bSupportPrint,
                                     std::string sPrintMenuText, bool bSupportNew,
                                     std::string sNewMenuText, bool bSupportInstall,
                                     std::string sInstallMenuText, std::int32_t lDefaultIconIndex) {
    const registry::ExeAssociationRequest request{.exePath = std::move(sExePath),
                                                  .className = std::move(sClassName),
                                                  .classDescription = std::move(sClassDescription),
                                                  .association = std::move(sAssociation),
                                                  .openMenuText = std::move(sOpenMenuText),
                                                  .supportPrint = bSupportPrint,
                                                  .printMenuText = std::move(sPrintMenuText),
                                                  .supportNew = bSupportNew,
                                                  .newMenuText = std::move(sNewMenuText),
                                                  .supportInstall = bSupportInstall,
                                                  .installMenuText = std::move(sInstallMenuText),
                                                  .defaultIconIndex = lDefaultIconIndex};
    valueType_ = RegistryValueType::RegSz;
    for (registry::ClassesEntry& entry : registry::PlanExeAssociation(request)) {
        sectionKey_ = std::move(entry.section);
        valueKey_.clear();
        SetClassesValue(std::move(entry.value));
    }
}

void cRegistry::CreateAdditionalEXEAssociations(std::string sClassName,
                                                const std::vector<RegistryValue>& vItems) {
    if (!registry::IsTripletList(vItems.size()))
        throw registry::ProgramError(registry::kInvalidAssociationList,
                                     registry::kInvalidAssociationListText);
    // The class is looked for where CreateEXEAssociation writes it.
    classKey_ = RegistryRoot::ClassesRoot;
    sectionKey_ = sClassName;
    if (!KeyExists())
        throw registry::ProgramError(registry::kClassNotDefined, registry::kClassNotDefinedText);

    for (registry::ClassesEntry& entry : registry::PlanAdditionalAssociations(sClassName, vItems)) {
        valueType_ = RegistryValueType::RegSz;
        sectionKey_ = std::move(entry.section);
        valueKey_.clear();
        try {
            SetClassesValue(std::move(entry.value));
        } catch (const RegistryError&) {
            // A failing write is passed over; the next one is still made.
        }
    }
}
