#include "PathTemplate.h"

std::string ExpandPathToken(std::string_view pathTemplate, std::string_view token,
                            std::string_view folder) {
    if (token.empty()) return std::string(pathTemplate);
    std::string expanded;
    std::size_t from = 0;
    for (std::size_t at = pathTemplate.find(token); at != std::string_view::npos;
         at = pathTemplate.find(token, from)) {
        expanded.append(pathTemplate.substr(from, at - from));
        expanded.append(folder);
        from = at + token.size();
    }
    expanded.append(pathTemplate.substr(from));
    return expanded;
}
