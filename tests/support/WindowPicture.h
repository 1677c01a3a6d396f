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

}  // namespace bus::test
