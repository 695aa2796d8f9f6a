#include "MarkerSearch.h"

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

MarkerSearch::MarkerSearch(std::string_view marker) : fallback_(marker.size() + 1, 0) {
    marker_.reserve(marker.size());
    for (char c : marker) marker_.push_back(LowerAscii(c));

    // Knuth-Morris-Pratt: where to resume after a mismatch, so no fed byte is ever needed again.
    std::size_t border = 0;
    for (std::size_t i = 1; i < marker_.size(); ++i) {
        while (border > 0 && marker_[i] != marker_[border]) border = fallback_[border];
        if (marker_[i] == marker_[border]) ++border;
        fallback_[i + 1] = border;
    }
}

bool MarkerSearch::Feed(std::string_view piece) {
    for (char raw : piece) {
        if (Found()) break;
        const char c = LowerAscii(raw);
        while (matched_ > 0 && c != marker_[matched_]) matched_ = fallback_[matched_];
        if (c == marker_[matched_]) ++matched_;
    }
    return Found();
}
