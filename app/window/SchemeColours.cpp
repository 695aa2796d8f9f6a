#include "SchemeColours.h"

#include <utility>

#include "platform/HighContrast.h"

bool SchemeColours::Update() {
    const WindowColours colours = ChooseWindowColours(platform::HighContrastOn(), GetSysColor(COLOR_WINDOW),
                                                      GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_HOTLIGHT));
    const bool changed = !brush_ || colours.background != colours_.background || colours.text != colours_.text ||
                         colours.osText != colours_.osText || colours.link != colours_.link;
    if (!changed) return false;
    platform::ScopedGdiObject brush(CreateSolidBrush(colours.background));
    if (!brush) return false;  // the colours in use stay, with the brush that goes with them
    colours_ = colours;
    brush_ = std::move(brush);
    return true;
}

HBRUSH SchemeColours::background() const {
    return brush_ ? static_cast<HBRUSH>(brush_.get()) : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}
