#pragma once
// Whether the person has asked Windows for a high-contrast colour scheme.
namespace platform {

// SPI_GETHIGHCONTRAST's "on" flag. The environment value QTSYSCHECK_HIGH_CONTRAST, "1" or "0",
// overrides it: Wine always answers "off", so the window's high-contrast look is shown and tested
// under Wine through it, and support can see that look on any PC.
bool HighContrastOn();

}  // namespace platform
