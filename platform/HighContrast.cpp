#include "HighContrast.h"

#include "Win32.h"

namespace platform {

bool HighContrastOn() {
    char forced[2] = {};
    if (GetEnvironmentVariableA("QTSYSCHECK_HIGH_CONTRAST", forced, sizeof forced) == 1 &&
        (forced[0] == '0' || forced[0] == '1'))
        return forced[0] == '1';
    HIGHCONTRASTA settings{};
    settings.cbSize = sizeof settings;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof settings, &settings, 0) &&
           (settings.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace platform
