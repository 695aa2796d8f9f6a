#pragma once
// The window's colours for the colour scheme in use, with the brush of its background: read
// again when the scheme changes.
#include "app/window/WindowColours.h"
#include "platform/ScopedHandle.h"

class SchemeColours {
public:
    // Chooses the colours for the scheme and high-contrast setting in use; true when they
    // changed (the window then repaints in them).
    bool Update();

    const WindowColours& colours() const { return colours_; }
    HBRUSH background() const;

private:
    WindowColours colours_{kWhite, kBlack, kBlack, kLinkBlue};
    platform::ScopedGdiObject brush_;  // of colours_.background
};
