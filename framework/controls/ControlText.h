// Text drawn by the layer's own controls (panel and group box captions, labels): in the control's
// font, in its font colour (grey when disabled), on a transparent background.
#pragma once

#include <windows.h>

#include <string>

namespace bus {

class TControl;

void DrawControlText(HDC dc, const TControl& control, RECT rect, const std::string& text, UINT flags);

}  // namespace bus
