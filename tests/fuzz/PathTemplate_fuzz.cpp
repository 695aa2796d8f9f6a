// ExpandPathToken on any template, token and folder. The input is three lines: template,
// token, folder (the folder may span the rest). Besides running the expansion under the
// sanitizers, each input checks that a replacement can be undone: with a folder made of one
// character found in neither the template nor the token, every occurrence of that character
// marks exactly one replaced token.
#include <string>

#include "FuzzSupport.h"
#include "checks/PathTemplate.h"

namespace {

// A character that occurs in neither text, if there is one.
bool FindUnusedCharacter(std::string_view a, std::string_view b, char& unused) {
    for (int c = 0; c < 256; ++c) {
        const char candidate = static_cast<char>(c);
        if (a.find(candidate) == std::string_view::npos &&
            b.find(candidate) == std::string_view::npos) {
            unused = candidate;
            return true;
        }
    }
    return false;
}

std::string ReplaceCharacter(std::string_view text, char from, std::string_view to) {
    std::string replaced;
    for (const char c : text) {
        if (c == from) replaced.append(to);
        else replaced.push_back(c);
    }
    return replaced;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto fields = fuzz::Fields(fuzz::AsText(data, size), 3);
    const std::string_view pathTemplate = fields[0], token = fields[1], folder = fields[2];
    const std::string expanded = ExpandPathToken(pathTemplate, token, folder);

    if (token.empty()) {
        fuzz::Require(expanded == pathTemplate, "an empty token replaces nothing");
        return 0;
    }
    fuzz::Require(ExpandPathToken(pathTemplate, token, token) == pathTemplate,
                  "replacing the token by itself changes nothing");

    char marker = 0;
    if (!FindUnusedCharacter(pathTemplate, token, marker)) return 0;
    const std::string marked = ExpandPathToken(pathTemplate, token, std::string_view(&marker, 1));
    fuzz::Require(marked.find(token) == std::string::npos,
                  "no token is left when the folder cannot form one");
    fuzz::Require(ReplaceCharacter(marked, marker, token) == pathTemplate,
                  "each replacement stands for one token of the template");
    fuzz::Require(ReplaceCharacter(marked, marker, folder) == expanded,
                  "every token is replaced by the folder, nothing else changes");
    return 0;
}
