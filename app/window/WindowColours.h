#pragma once
// The window's colours: its background, its text and the operating system's name, always taken
// as one set so that text never lands on a background it was not chosen for. Portable: colours
// are 0x00BBGGRR numbers, as Windows' COLORREF.
#include <cstdint>

using Colour = std::uint32_t;

inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kBlack = 0x000000;

struct WindowColours {
    Colour background;
    Colour text;
    Colour osText;  // the release's name beside "Operating System:"
};

// WCAG's contrast ratio of two colours, from 1 (the same) to 21 (black on white).
double ContrastRatio(Colour a, Colour b);

// The smallest ratio at which normal-sized text reads (WCAG AA).
inline constexpr double kReadableContrast = 4.5;

// With high contrast on, the scheme's window and window-text colours for everything; otherwise
// the designed white window with black text. The name of the release keeps the designed blue
// only where it reads on that background.
WindowColours ChooseWindowColours(bool highContrast, Colour schemeWindow, Colour schemeWindowText);
