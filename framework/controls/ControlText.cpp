#include "framework/controls/ControlText.h"

#include "core/WideText.h"
#include "framework/controls/Control.h"

namespace bus {

void DrawControlText(HDC dc, const TControl& c, RECT r, const std::string& text, UINT flags) {
  HGDIOBJ oldFont = SelectObject(dc, c.Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(c.Enabled() ? c.Font()->Color() : clGrayText));
  const std::wstring w = Widen(text);
  DrawTextW(dc, w.c_str(), int(w.size()), &r, flags);
  SelectObject(dc, oldFont);
}

}  // namespace bus
