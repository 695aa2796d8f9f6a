#pragma once
// The window's colours: its background, its text, the operating system's name and the links,
// always taken as one set so that text never lands on a background it was not chosen for. Portable: colours
// are 0x00BBGGRR numbers, as Windows' COLORREF.
#include <cstdint>

using Colour = std::uint32_t;

inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kBlack = 0x000000;
// The blue Windows gives links unless the scheme says otherwise (COLOR_HOTLIGHT's 0 102 204).
inline constexpr Colour kLinkBlue = 0xCC6600;

struct WindowColours {
    Colour background;
    Colour text;
    Colour osText;  // the release's name beside "Operating System:"
    Colour link;    // the words of the links to the fixes; the links' other words are `text`
};

// WCAG's contrast ratio of two colours, from 1 (the same) to 21 (black on white).
double ContrastRatio(Colour a, Colour b);

// The smallest ratio at which normal-sized text reads (WCAG AA).
inline constexpr double kReadableContrast = 4.5;

// With high contrast on, the scheme's window and window-text colours for everything, and its
// hot-tracking colour (COLOR_HOTLIGHT, the one Windows gives links) for the links where it reads
// on the window, else the text's; otherwise the designed white window with black text and blue
// links. The name of the release keeps the designed blue only where it reads on that background.
WindowColours ChooseWindowColours(bool highContrast, Colour schemeWindow, Colour schemeWindowText,
                                  Colour schemeHotLight);
