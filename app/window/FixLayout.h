#pragma once
// Where the links to the fixes go, in twips like the rest of the layout. They appear once the
// run has ended: a failed row's link on the row's own line, right of the longest text in the rows
// (the release's name); the window widens to hold the widest. Beside Close, the report can be
// copied, and once a fix has been opened the window says how to check again. Portable.
#include "app/CheckRun.h"

namespace fix_layout {

inline constexpr int kLinkColumnLeft = 5295;  // right of the release's name (which ends at 5175)
inline constexpr int kRightMargin = 120;
inline constexpr int kLinkHeight = 255;  // a row's height
// The line of Close's caption: Close's top plus half what its height has over a row's.
inline constexpr int kFooterTop = 2760 + (375 - kLinkHeight) / 2;
inline constexpr int kCopyLeft = 120;        // under the logo, left of Close
inline constexpr int kCheckAgainLeft = 3735; // right of Close (which ends at 3615)
// A link's box is a little wider than its words: the focus rectangle is drawn around them.
inline constexpr int kLinkPadding = 4;  // pixels at 96 DPI

// Control identifiers, clear of the layout table's.
inline constexpr int kFirstRowLink = 200;  // one per row, in the order of Row
inline constexpr int kCopyLink = kFirstRowLink + kRowCount;
inline constexpr int kCheckAgainLink = kCopyLink + 1;

constexpr bool IsRowLink(int id) { return id >= kFirstRowLink && id < kFirstRowLink + kRowCount; }
constexpr Row RowOfLink(int id) { return static_cast<Row>(id - kFirstRowLink); }

// The words of the two links beside Close.
inline constexpr const char* kCopyWords = "<a>Copy the report</a>";
inline constexpr const char* kCopiedWords = "<a>Copy the report</a> (copied)";
inline constexpr const char* kCheckAgainWords = "Fixed? <a>Check again</a> (F5)";

}  // namespace fix_layout
