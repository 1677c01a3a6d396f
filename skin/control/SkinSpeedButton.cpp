#include "skin/control/SkinSpeedButton.h"

#include "core/TextUtil.h"
#include "framework/Properties.h"
#include "framework/controls/GraphicControl.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Font.h"
#include "skin/control/BufferedPaint.h"
#include "skin/control/SkinDrawing.h"
#include "skin/data/SkinData.h"

namespace bus {

const TClassInfo& TSkinSpeedButton::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSkinSpeedButton>("TSkinSpeedButton", TSkinBitButton::StaticClassInfo()).Build();
  return info;
}

bool TSkinSpeedButton::BeforeDefault(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: {
      TGraphicControl* control = GraphicControl();
      if (!control || !m.WParam) return true;  // nothing to draw on: the control's own painting
      PaintSpeedButton(reinterpret_cast<HDC>(m.WParam), control->ClientRect());
      m.Result = 1;
      return false;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      CallDefault(m);  // the speed button's own press
      SetPressed(true);
      PaintWindow(nullptr);
      return false;
    default:
      return TSkinButton::BeforeDefault(m);
  }
}

void TSkinSpeedButton::AfterDefault(TMessage& m) {
  switch (m.Msg) {
    case CM_RELEASE:
      RemoveHooks();  // the control is going: its handler is its own again
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (m.WParam != VK_SPACE) break;
      SetPressed(m.Msg == WM_KEYDOWN);
      PaintWindow(nullptr);
      break;
    case WM_LBUTTONUP:
      SetPressed(false);  // the control clicks by itself
      PaintWindow(nullptr);
      break;
    default:
      TSkinButton::AfterDefault(m);
      break;
  }
}

bool TSkinSpeedButton::EnabledNow() const {
  const TGraphicControl* control = GraphicControl();
  return control && AsciiLower(GetEnumPropertyName(control, "Enabled")) == "true";
}

void TSkinSpeedButton::PaintWindow(HDC) {
  TGraphicControl* control = GraphicControl();
  if (!control || !control->Visible() || !control->Parent() || !control->Parent()->HandleAllocated()) return;
  try {
    PaintSpeedButton(control->Canvas().Handle(), control->ClientRect());
  } catch (const std::exception&) {
    control->Invalidate();  // no DC to draw on now: the parent's next paint draws it
  }
}

void TSkinSpeedButton::PaintSpeedButton(HDC dc, const RECT& rect) {
  const TDataSkinButton* buttons = ButtonsSkin();
  TGraphicControl* control = GraphicControl();
  if (!buttons || !control) return;
  const bool enabled = EnabledNow();
  const bool down = AsciiLower(GetEnumPropertyName(control, "Down")) == "true";
  const int frame = SpeedButtonFrame(down, enabled, Pressed(), Hot());
  const bool flat = AsciiLower(GetEnumPropertyName(control, "Flat")) == "true";
  const std::wstring caption = CurrentCaption();
  const TFont* own = GetHeldProperty<TFont>(control, "Font");
  HFONT font = own ? own->Handle() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const COLORREF fontColour = ColorToRGB(own ? own->Color() : SkinData()->ButtonText());
  TGlyphContent content = ReadGlyphContent(*control);
  content.centred = false;  // a speed button has no alignment of its own
  PaintBuffered(Buffer(), dc, rect, [&](HDC target, const RECT& r) {
    SelectObject(target, font);
    FillFace(target, r);
    if (SpeedButtonShowsFrame(flat, frame)) DrawSkinObject(target, r, kButtonFrameCount, frame, *buttons);
    if (!content.glyph || content.glyph->Empty()) {
      // the caption alone, in the font's colour; greyed when the button cannot be pressed
      SetTextColor(target, enabled ? fontColour : GetSysColor(COLOR_BTNSHADOW));
      DrawButtonCaption(target, r, DT_CENTER, caption);
      return;
    }
    SetTextColor(target, ControlTextColour(*buttons, enabled ? frame : kButtonDisabled, fontColour));
    DrawGlyphAndCaption(target, r, content, GlyphStateFrame(frame), enabled, caption,
                        {.wordBreak = false, .centredExtra = 1});
  });
}

}  // namespace bus
