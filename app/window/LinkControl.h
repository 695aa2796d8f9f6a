#pragma once
// A link on the window: a SysLink (comctl32 version 6) whose words hold one link, "<a>...</a>".
// Its texts are UTF-8, so that "…" and the like read the same whatever the system code page.
#include <string>
#include <string_view>

#include "app/window/WindowColours.h"
#include "platform/Win32.h"

// Creates a hidden link with control identifier `id`; null when the class is missing. The link
// is subclassed (comctl32's SetWindowSubclass) to keep what PaintLinkInColours and SetLinkText
// give it, until it is destroyed.
HWND CreateLinkControl(HWND parent, HINSTANCE instance, int id);

// Sets the link's words ("<a>Open Internet Options…</a>"), and keeps the markup to paint them
// from. The tab stop is set again: setting a SysLink's text can drop it.
void SetLinkText(HWND link, std::string_view utf8Markup);

// The width `utf8Markup`'s words take in `font`, in pixels: the markup takes no room.
int LinkTextWidth(HFONT font, std::string_view utf8Markup);

// From now on the words of a link made by CreateLinkControl are painted in `colours`, which the caller keeps as long as the
// link lives: the window's own, as its labels' are. The SysLink takes its link colour from the
// visual style or the system (COLOR_HOTLIGHT); the state that lets it take a colour of the
// program's (LIS_DEFAULTCOLORS) came only with Vista, and Wine's keeps the colours it was created
// with. So the SysLink still takes the mouse, the keyboard and screen readers, and its words are
// painted here, in the one set of colours the window chose (the background as WM_CTLCOLORSTATIC
// gives its labels).
void PaintLinkInColours(HWND link, const WindowColours& colours);
