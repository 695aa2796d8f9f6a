#pragma once
// The words of a link control: plain text with one link marked "<a>...</a>". Portable.
#include <string>
#include <string_view>
#include <vector>

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

// A run of a link control's words, inside the link or outside it.
template <typename Char>
struct MarkupPart {
    std::basic_string<Char> words;
    bool link;
};

// The words of `markup` in the order they are shown, split where the link begins and ends; no
// part is empty. For narrow (UTF-8) and wide text alike: the tags are ASCII.
template <typename Char>
std::vector<MarkupPart<Char>> MarkupParts(std::basic_string_view<Char> markup) {
    const std::basic_string<Char> open{'<', 'a', '>'}, close{'<', '/', 'a', '>'};
    std::vector<MarkupPart<Char>> parts;
    bool inLink = false;
    std::basic_string<Char> words;
    const auto end = [&parts, &words, &inLink] {
        if (!words.empty()) parts.push_back({words, inLink});
        words.clear();
    };
    for (std::size_t at = 0; at < markup.size();) {
        if (markup.compare(at, open.size(), open) == 0) {
            end();
            inLink = true;
            at += open.size();
        } else if (markup.compare(at, close.size(), close) == 0) {
            end();
            inLink = false;
            at += close.size();
        } else {
            words += markup[at++];
        }
    }
    end();
    return parts;
}
