#include "skin/control/SkinUpDown.h"

#include <commctrl.h>

#include "framework/Properties.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/BufferedPaint.h"
#include "skin/control/SkinDrawing.h"
#include "skin/data/SkinData.h"

namespace bus {

const TClassInfo& TSkinUpDown::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinUpDown>("TSkinUpDown", TSkinControl::StaticClassInfo()).Build();
  return info;
}

TSkinUpDown::TSkinUpDown(TComponent* owner) : TSkinControl(owner), buffer_(std::make_unique<TBitmap>()) {}

TSkinUpDown::~TSkinUpDown() = default;

bool TSkinUpDown::BeforeDefault(TMessage& m) {
  if (AnswerPaint(m)) return false;
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      CallDefault(m);
      SetPressed(true);
      return false;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      // the control lets the capture go when a press ends any way but a release (Esc, a dialog)
      SetMouseState(MouseState() & ~kMousePressed);
      CallDefault(m);
      PaintWindow(nullptr);
      return false;
    default:
      return TSkinControl::BeforeDefault(m);
  }
}

void TSkinUpDown::SetPressed(bool pressed) {
  SetMouseState(pressed ? MouseState() | kMousePressed : MouseState() & ~kMousePressed);
  PaintWindow(nullptr);
}

namespace {

// The skin object of a button's strip, or null when the skin gives none.
const TDataSkinBorder* StripOf(const TSkinData* skin, TSpinButton button) {
  if (!skin) return nullptr;
  const TDataSkinBorder* strip =
      button == TSpinButton::Up || button == TSpinButton::Down ? skin->UpDownVert() : skin->UpDownHorz();
  return strip && !strip->Image().Empty() && strip->Frame() > 0 ? strip : nullptr;
}

// A small solid arrow of three rows pointing the button's way, its middle at (x, y).
void DrawArrow(HDC dc, int x, int y, TSpinButton button, COLORREF colour) {
  const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
  const DcSelection selected(dc, pen.Get());
  for (int i = 0; i < 3; ++i) {
    switch (button) {
      case TSpinButton::Up:
        MoveToEx(dc, x - i, y - 1 + i, nullptr);
        LineTo(dc, x + i + 1, y - 1 + i);
        break;
      case TSpinButton::Down:
        MoveToEx(dc, x - i, y + 1 - i, nullptr);
        LineTo(dc, x + i + 1, y + 1 - i);
        break;
      case TSpinButton::Left:
        MoveToEx(dc, x - 1 + i, y - i, nullptr);
        LineTo(dc, x - 1 + i, y + i + 1);
        break;
      case TSpinButton::Right:
        MoveToEx(dc, x + 1 - i, y - i, nullptr);
        LineTo(dc, x + 1 - i, y + i + 1);
        break;
    }
  }
}

}  // namespace

void TSkinUpDown::PaintTo(HDC dc, const RECT& rect) {
  RECT client{};
  if (!Handle() || !GetClientRect(Handle(), &client)) return;
  const bool enabled = IsWindowEnabled(Handle()) != FALSE;
  const bool sideBySide = horizontal_ || (GetWindowLongPtrW(Handle(), GWL_STYLE) & UDS_HORZ) != 0;
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(Handle(), &cursor);
  const int mouse = (MouseState() & kMousePressed) ? kSpinPressed : kSpinNormal;
  const RECT whole{rect.left, rect.top, rect.left + client.right, rect.top + client.bottom};
  PaintBuffered(*buffer_, dc, whole, [&](HDC target, const RECT& area) {
    FillFace(target, area);
    RECT c = area;
    if (inset_) InflateRect(&c, -1, -1);
    RECT first = c, second = c;
    bool inFirst = false;
    TSpinButton a = TSpinButton::Up, b = TSpinButton::Down;
    if (sideBySide) {
      const int half = (c.right - c.left) / 2;
      first.right = second.left = c.left + half;
      inFirst = cursor.x < half;  // the cursor itself against the half, as the control splits it
      a = TSpinButton::Left;
      b = TSpinButton::Right;
    } else {
      const int half = (c.bottom - c.top) / 2;
      first.bottom = second.top = c.top + half;
      inFirst = cursor.y < half;
    }
    const int stateA = enabled ? (inFirst ? mouse : kSpinNormal) : kSpinDisabled;
    const int stateB = enabled ? (inFirst ? kSpinNormal : mouse) : kSpinDisabled;
    for (const auto& [button, area2, state] : {std::tuple{a, first, stateA}, std::tuple{b, second, stateB}}) {
      if (StripOf(SkinData(), button)) DrawSpinButton(target, area2, button, state);
      else DrawPlainSpinButton(target, area2, button, state);
    }
  });
}

void TSkinUpDown::DrawSpinButton(HDC dc, const RECT& rect, TSpinButton button, int state) const {
  const TDataSkinBorder* strip = StripOf(SkinData(), button);
  if (!strip) return;
  const int frame = button == TSpinButton::Up || button == TSpinButton::Left ? state : state + 4;
  DrawSkinFrame(dc, rect, strip->Image(), true, strip->Frame(), frame);
  if (!strip->Image2().Empty()) DrawSkinGlyph(dc, rect, strip->Image2(), true, strip->Frame(), frame);
}

void TSkinUpDown::DrawPlainSpinButton(HDC dc, const RECT& rect, TSpinButton button, int state) const {
  const TSkinData* skin = SkinData();
  const bool down = state == kSpinPressed || state == kSpinHot;
  const TColor face = skin ? (down ? skin->ButtonShadow() : skin->ButtonFace()) : (down ? clBtnShadow : clBtnFace);
  const TColor edge = skin ? skin->ButtonDkShadow() : cl3DDkShadow;
  const GdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(face)));
  const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(edge)));
  {
    const DcSelection brushIn(dc, brush.Get());
    const DcSelection penIn(dc, pen.Get());
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
  }
  const int x = rect.left + (rect.right - rect.left) / 2, y = rect.top + (rect.bottom - rect.top) / 2;
  DrawArrow(dc, x, y, button, ColorToRGB(edge));
}

}  // namespace bus
