// What a window looks like on the screen, for tests that check painted pixels and for the tools
// that save a picture of a window.
#pragma once

#include <windows.h>

#include <string>

#include "core/BmpFile.h"

namespace bus::test {

// The screen's pixels under the window's rectangle (frame included), as they are now.
BmpImage WindowImage(HWND window);

// Saves the window's screen area as a 24-bit BMP file (the screen has no alpha to keep).
void SaveWindowPicture(HWND window, const std::string& path);

// Where area of image first differs from expected, read from expected's point `from` on (colours
// without alpha), as a message; empty when they agree.
std::string Difference(const BmpImage& image, const RECT& area, const BmpImage& expected, POINT from = {0, 0});

}  // namespace bus::test
