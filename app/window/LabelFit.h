#pragma once
// Labels whose text does not fit their box at some display scale. The boxes are laid out in
// twips and the font is scaled in points, but a font's glyph widths do not grow in step with the
// scale, so a text that fits at 100 % can wrap or be cut at 150 %. Such a box is widened, never
// the font made smaller.
#include "platform/Win32.h"

// Widens the static control `label` until its text, drawn as the control draws it (left-aligned,
// wrapped at words) in `font`, fits its box: no wider than the box and no more lines than its
// height holds. Its right edge stays at or left of `maxRight`, in its parent's client
// coordinates.
void WidenToFit(HWND label, HFONT font, int maxRight);
