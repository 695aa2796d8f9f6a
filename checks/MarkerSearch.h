#pragma once
// Looks for a marker text in a document that arrives in pieces, letter case ignored, without
// keeping the document: memory stays at the marker's size whatever the document's size, and a
// marker split across two pieces is still found.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class MarkerSearch {
public:
    // Letters A-Z and a-z match either case; every other byte matches only itself. The text is
    // taken byte by byte, as sent, so a marker in plain ASCII is found in any ASCII-compatible
    // character set. An empty marker is found in every document, even an empty one.
    explicit MarkerSearch(std::string_view marker);

    // Takes the next piece of the document; true once the marker has been seen, in this piece
    // or an earlier one. Pieces after that change nothing.
    bool Feed(std::string_view piece);

    bool Found() const { return matched_ == marker_.size(); }

private:
    std::string marker_;                 // lower-cased
    std::vector<std::size_t> fallback_;  // longest proper border of each marker prefix
    std::size_t matched_ = 0;            // marker bytes matched at the end of what was fed
};
