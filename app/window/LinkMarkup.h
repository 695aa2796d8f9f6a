#pragma once
// The words of a link control: plain text with one link marked "<a>...</a>". Portable.
#include <string>
#include <string_view>

// `words` as one link.
inline std::string LinkMarkup(std::string_view words) { return "<a>" + std::string(words) + "</a>"; }

// The words alone, as the person reads them and a screen reader says them.
inline std::string WithoutMarkup(std::string_view markup) {
    std::string words;
    for (std::size_t at = 0; at < markup.size();) {
        if (markup.compare(at, 3, "<a>") == 0) {
            at += 3;
        } else if (markup.compare(at, 4, "</a>") == 0) {
            at += 4;
        } else {
            words += markup[at++];
        }
    }
    return words;
}
