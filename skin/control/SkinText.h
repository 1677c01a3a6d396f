// The text routines the bar and tab wrappers share: a status bar panel's or a tab set's text, and
// an item's text with its image (tabs, header sections). Both draw on a canvas in its font's colour
// over whatever is there (transparent background), in the plain style of the canvas's font, and
// grey (COLOR_BTNSHADOW) for a disabled control. Texts are UTF-8; they reach the platform as wide
// text, so Chinese shows on any system locale.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string_view>

namespace bus {

class TCanvas;

// Text in rect, aligned by `alignment` (DT_LEFT, DT_CENTER or DT_RIGHT), tabs expanded. The
// measured text sits one pixel above the middle of rect; centred text is placed by its measured
// width, other text keeps rect's left and right for the alignment.
void DrawStatusText(TCanvas& canvas, const RECT& rect, UINT alignment, bool enabled, std::string_view text);

// Where an item's image and text go.
enum class TItemAlignment { Left = 0, Centre = 1, Right = 2 };

// An item's image (imageIndex of images; none for -1, no list or an image as wide as rect or
// wider) followed by its text on one line, cut with an ellipsis at rect's right edge. Both are
// centred vertically; horizontally they are placed as one block: 2 pixels in from the left, in the
// middle, or 2 pixels in from the right, never closer than 2 pixels to the left edge.
void DrawItemText(TCanvas& canvas, const RECT& rect, TItemAlignment alignment, std::string_view text, int imageIndex,
                  HIMAGELIST images, bool enabled);

// Gives canvas a copy of the font window draws with (WM_GETFONT): the window keeps its own. The
// canvas keeps its font when the window has none.
void UseWindowFont(TCanvas& canvas, HWND window);

}  // namespace bus
