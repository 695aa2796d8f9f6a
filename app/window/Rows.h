#pragma once
// Which controls make up each requirement row: its picture box and its caption (and, for the
// operating system, the label that names the release). Portable.
#include <array>
#include <string_view>

#include "app/CheckRun.h"
#include "app/window/Layout.h"

namespace rows {

// In the order of Row, which is the window's order from top to bottom.
inline constexpr std::array<layout::ControlId, kRowCount> kBoxes{
    layout::picInternetApp, layout::picInternetData, layout::picOs,      layout::picInstaller,
    layout::picDotNet,      layout::picMsHTMLDLL,    layout::picSmartCard};

inline constexpr std::array<layout::ControlId, kRowCount> kCaptions{
    layout::Label4, layout::Label6_0, layout::Label2,  layout::Label7,
    layout::Label3, layout::Label6_1, layout::Label5_0};

constexpr std::size_t Index(Row row) { return static_cast<std::size_t>(row); }

// The row's caption as the window shows it, less a closing colon ("Operating System:").
constexpr std::string_view Caption(Row row) {
    for (const layout::Control& c : layout::kControls) {
        if (c.id != kCaptions[Index(row)]) continue;
        std::string_view text = c.text;
        if (!text.empty() && text.back() == ':') text.remove_suffix(1);
        return text;
    }
    return {};
}

}  // namespace rows
