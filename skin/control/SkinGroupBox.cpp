#include "skin/control/SkinGroupBox.h"

#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/data/SkinData.h"

namespace bus {

const TClassInfo& TSkinGroupBox::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinGroupBox>("TSkinGroupBox", TSkinControl::StaticClassInfo()).Build();
  return info;
}

bool TSkinGroupBox::BeforeDefault(TMessage& m) {
  if (AnswerPaint(m, true)) return false;
  return TSkinControl::BeforeDefault(m);
}

void TSkinGroupBox::PaintTo(HDC dc, const RECT& rect) {
  if (!SkinData()) return;
  std::wstring caption = GetWindowTextWide(Handle());
  if (caption.empty() && Control()) caption = Widen(Control()->Caption());
  const TColor face = SkinData()->ButtonFace();
  const GdiObject<HBRUSH> faceBrush(CreateSolidBrush(ColorToRGB(face)));
  const GdiObject<HPEN> line(CreatePen(PS_SOLID, 1, ColorToRGB(SkinData()->ButtonShadow())));
  const SavedDCState state(dc);  // put back before the brush and pen go
  const HFONT font = Control() ? Control()->Font()->Handle()
                               : reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
  if (font) SelectObject(dc, font);
  SIZE zero{};
  GetTextExtentPoint32W(dc, L"0", 1, &zero);
  const int top = zero.cy / 2 - 1;

  // the box's own frame goes under two face-coloured rings, then the skin's line
  RECT ring{0, top, rect.right, rect.bottom};
  FrameRect(dc, &ring, faceBrush.Get());
  InflateRect(&ring, -1, -1);
  FrameRect(dc, &ring, faceBrush.Get());
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  SelectObject(dc, line.Get());
  RoundRect(dc, 1, top, rect.right - 1, rect.bottom - 1, 5, 5);

  // the caption cuts the line on the face colour
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, ColorToRGB(face));
  SetTextColor(dc, ColorToRGB(Enabled() ? SkinData()->ButtonText() : clBtnShadow));
  RECT text{rect.left + 9, rect.top, rect.right, rect.bottom};
  DrawTextWide(dc, caption, text, DT_EXPANDTABS | DT_NOPREFIX);
}

}  // namespace bus
