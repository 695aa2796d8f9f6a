#include "app/window/WindowColours.h"

#include <cmath>

#include "app/window/Layout.h"

namespace {

// The relative luminance of one sRGB channel, 0 to 255. x^2.4 as exp(2.4 log x): the C library's
// pow, with its special cases for every kind of argument, is 2 KB more of the program.
double Linear(unsigned channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::exp(2.4 * std::log((c + 0.055) / 1.055));
}

double Luminance(Colour colour) {
    return 0.2126 * Linear(colour & 0xFF) + 0.7152 * Linear((colour >> 8) & 0xFF) +
           0.0722 * Linear((colour >> 16) & 0xFF);
}

}  // namespace

double ContrastRatio(Colour a, Colour b) {
    const double la = Luminance(a), lb = Luminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

WindowColours ChooseWindowColours(bool highContrast, Colour schemeWindow, Colour schemeWindowText,
                                  Colour schemeHotLight) {
    WindowColours colours = highContrast ? WindowColours{schemeWindow, schemeWindowText, 0, schemeHotLight}
                                         : WindowColours{kWhite, kBlack, 0, kLinkBlue};
    const auto readable = [&colours](Colour c) { return ContrastRatio(c, colours.background) >= kReadableContrast; };
    const auto blue = static_cast<Colour>(layout::kOsTextColour);
    colours.osText = readable(blue) ? blue : colours.text;
    if (!readable(colours.link)) colours.link = colours.text;
    return colours;
}
