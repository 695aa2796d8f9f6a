#pragma once
// The one font every control of the window uses: the platform's standard dialog font.
#include "platform/ScopedHandle.h"

// "MS Shell Dlg" at 8 points for the given dots per inch; Windows maps the name to the
// system's dialog face (MS Sans Serif, Tahoma or Microsoft Sans Serif).
platform::ScopedGdiObject CreateDialogFont(int dpi);
