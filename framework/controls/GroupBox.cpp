#include "framework/controls/GroupBox.h"

#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/ControlText.h"

namespace bus {

const TClassInfo& TCustomGroupBox::StaticClassInfo() {
  static const TClassInfo info{"TCustomGroupBox", &TCustomControl::StaticClassInfo(), {}, {}};
  return info;
}
const TClassInfo& TGroupBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TGroupBox>("TGroupBox", TCustomGroupBox::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 105); }

void TCustomGroupBox::Paint() {
  HDC dc = Canvas().Handle();
  HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, oldFont);
  RECT frame = ClientRect();
  frame.top += tm.tmHeight / 2 - 1;  // through the caption's middle, as the platform's group box
  if (Ctl3D()) {
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  } else {
    HBRUSH b = CreateSolidBrush(ColorToRGB(clWindowFrame));
    FrameRect(dc, &frame, b);
    DeleteObject(b);
  }
  const std::string caption = Caption();
  if (caption.empty()) return;
  const std::wstring w = Widen(caption);
  SIZE size{};
  oldFont = SelectObject(dc, Font()->Handle());
  GetTextExtentPoint32W(dc, w.c_str(), int(w.size()), &size);
  SelectObject(dc, oldFont);
  RECT text{8, 0, 8 + size.cx + 2, tm.tmHeight};
  FillRect(dc, &text, Brush());
  OffsetRect(&text, 1, 0);
  DrawControlText(dc, *this, text, caption, DT_SINGLELINE | DT_LEFT | DT_NOPREFIX);
}

}  // namespace bus
