#include "ExeAssociation.h"

namespace registry {

namespace {

void AddVerb(std::vector<ClassesEntry>& entries, const std::string& className,
             const std::string& verb, const std::string& menuText, const std::string& command) {
    const std::string verbKey = className + "\\shell\\" + verb;
    entries.push_back({verbKey, menuText});
    entries.push_back({verbKey + "\\command", command});
}

std::string OrDefault(const std::string& text, std::string fallback) {
    return text.empty() ? fallback : text;
}

}  // namespace

std::string QuoteProgramPath(const std::string& exePath) {
    const std::size_t first = exePath.find_first_not_of(' ');
    std::string quoted = first == std::string::npos
                             ? std::string()
                             : exePath.substr(first, exePath.find_last_not_of(' ') - first + 1);
    if (quoted.empty() || quoted.front() != '"') quoted.insert(quoted.begin(), '"');
    if (quoted.back() != '"') quoted.push_back('"');
    return quoted;
}

std::vector<ClassesEntry> PlanExeAssociation(const ExeAssociationRequest& request) {
    const std::string exe = QuoteProgramPath(request.exePath);
    const std::string& name = request.className;
    std::vector<ClassesEntry> entries;
    entries.push_back({"." + request.association, name});
    entries.push_back({name, request.classDescription});
    AddVerb(entries, name, "open", OrDefault(request.openMenuText, "&Open"), exe + " \"%1\"");
    if (request.supportPrint)
        AddVerb(entries, name, "print", OrDefault(request.printMenuText, "&Print"),
                exe + " /p \"%1\"");
    if (request.supportInstall)
        AddVerb(entries, name, "add",
                OrDefault(request.installMenuText, "&Install " + request.association),
                exe + " /a \"%1\"");
    if (request.supportNew)
        AddVerb(entries, name, "new", OrDefault(request.newMenuText, "&New"), exe + " /n \"%1\"");
    if (request.defaultIconIndex > -1)
        entries.push_back(
            {name + "\\DefaultIcon", exe + "," + std::to_string(request.defaultIconIndex)});
    return entries;
}

bool IsTripletList(std::size_t itemCount) { return itemCount % 3 == 0; }

std::vector<ClassesEntry> PlanAdditionalAssociations(const std::string& className,
                                                     const std::vector<RegistryValue>& items) {
    std::vector<ClassesEntry> entries;
    for (std::size_t i = 0; i + 2 < items.size(); i += 3)
        AddVerb(entries, className, ValueToText(items[i]), ValueToText(items[i + 1]),
                ValueToText(items[i + 2]));
    return entries;
}

}  // namespace registry
