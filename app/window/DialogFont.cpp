#include "DialogFont.h"

platform::ScopedGdiObject CreateDialogFont(int dpi) {
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(8, dpi, 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, "MS Shell Dlg", LF_FACESIZE);
    return platform::ScopedGdiObject(CreateFontIndirectA(&lf));
}
