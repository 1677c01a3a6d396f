#include "skin/control/SkinButton.h"

#include <windowsx.h>

#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/GraphicControl.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "skin/control/BufferedPaint.h"
#include "skin/control/SkinDrawing.h"
#include "skin/control/SkinWrapperHost.h"
#include "skin/data/SkinData.h"

namespace bus {

const TClassInfo& TSkinButton::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinButton>("TSkinButton", TSkinControl::StaticClassInfo()).Build();
  return info;
}

TSkinButton::TSkinButton(TComponent* owner)
    : TSkinControl(owner),
      buffer_(std::make_unique<TBitmap>()),
      // the layer told the control of the mouse before the wrapper came
      controlInside_(Application && owner && Application->MouseControl() == dynamic_cast<TControl*>(owner)) {}

TSkinButton::~TSkinButton() = default;

// --- Messages ------------------------------------------------------------------------------------

bool TSkinButton::BeforeDefault(TMessage& m) {
  if (AnswerPaint(m)) return false;  // the whole button is the skin's
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      WmLButtonDown(m);
      m.Result = 0;
      return false;
    case CM_MOUSEENTER:
      controlInside_ = true;
      return true;
    case CM_MOUSELEAVE:
      if (ControlHearsLeave()) return true;  // the wrapper follows in AfterDefault
      MouseLeft();
      return false;
    default:
      return TSkinControl::BeforeDefault(m);
  }
}

void TSkinButton::AfterDefault(TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN:
      WmKey(m, true);
      break;
    case WM_KEYUP:
      WmKey(m, false);
      break;
    case WM_MOUSEMOVE:
      // while the button holds the capture, moves away from it arrive too
      if (Inside(m.LParam)) BecomeHot();
      break;
    case WM_LBUTTONUP:
      WmLButtonUp(m);
      break;
    case WM_CAPTURECHANGED:
      WmCaptureChanged(m);
      break;
    case BM_SETSTATE:
      BmSetState(m);
      break;
    case CM_MOUSEENTER:
      BecomeHot();
      break;
    case CM_MOUSELEAVE:
      MouseLeft();
      break;
    case WM_ENABLE:
      if (!m.WParam) MouseLeft();  // a disabled button is neither hot nor pressed
      PaintNow();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_ENABLEDCHANGED:
    case BM_SETSTYLE:
    case BM_SETCHECK:
    case WM_UPDATEUISTATE:
    case WM_SETFONT:
      // the platform's button may have painted itself just now
      PaintNow();
      break;
    case WM_SETTEXT:
      TSkinControl::AfterDefault(m);
      PaintNow();
      break;
    default:
      TSkinControl::AfterDefault(m);
      break;
  }
}

// The press is the wrapper's: the button's own processing never sees it, so it neither clicks on
// its own nor draws itself pressed. The capture brings the release, wherever it happens. A control
// object's program still hears of the press (OnDblClick, OnMouseDown), as it would without the skin.
void TSkinButton::WmLButtonDown(const TMessage& m) {
  if (!Handle()) return;
  if (GetFocus() != Handle()) SetFocus(Handle());
  SetPressed(true);
  SetCapture(Handle());
  PaintNow();
  if (TWinControl* control = Control()) {
    TShiftState shift = MouseShiftState(m.WParam);
    if (m.Msg == WM_LBUTTONDBLCLK) {
      shift.Include(TShiftStateFlag::ssDouble);
      control->OnDblClick(control);
    }
    control->OnMouseDown(control, TMouseButton::mbLeft, shift, GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
  }
}

// A release over the pressed button clicks it once; released elsewhere, or after the mouse left
// (which clears pressed), nothing.
void TSkinButton::WmLButtonUp(const TMessage& m) {
  const bool wasPressed = Pressed();
  SetPressed(false);
  if (Handle() && GetCapture() == Handle()) ReleaseCapture();
  if (!wasPressed) return;
  PaintNow();
  if (!Inside(m.LParam)) return;
  if (TWinControl* control = Control()) {
    control->Click();
  } else {
    // as the button would: its parent hears BN_CLICKED (a message box closes with the button's id)
    PostMessageW(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Handle()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(Handle()));
  }
}

// Another window took the capture in the middle of a press (a box that popped up): no click.
void TSkinButton::WmCaptureChanged(const TMessage& m) {
  if (!Pressed() || reinterpret_cast<HWND>(m.LParam) == Handle()) return;
  SetPressed(false);
  PaintNow();
}

void TSkinButton::WmKey(const TMessage& m, bool down) {
  if (m.WParam != VK_SPACE) return;
  SetPressed(down);  // on Space up the button's own processing clicks
  PaintNow();
}

// The button's own pressed state (Space, or code) is drawn as a press.
void TSkinButton::BmSetState(const TMessage& m) {
  SetPressed(m.WParam != 0);
  PaintNow();
}

// --- Hot and pressed -----------------------------------------------------------------------------

void TSkinButton::SetHot(bool on) {
  SetMouseState(on ? MouseState() | kMouseHot : MouseState() & ~kMouseHot);
}

void TSkinButton::SetPressed(bool on) {
  SetMouseState(on ? MouseState() | kMousePressed : MouseState() & ~kMousePressed);
}

void TSkinButton::BecomeHot() {
  if (Hot() || !EnabledNow()) return;
  SetHot(true);
  if (TSkinWrapperHost* form = Form()) {
    TSkinControl* previous = form->HotButton();
    form->SetHotButton(this);
    if (previous && previous != this) SendMouseLeave(*previous);
  }
  PaintNow();
}

void TSkinButton::MouseLeft() {
  const bool changed = MouseState() != 0;
  SetMouseState(0);
  if (TSkinWrapperHost* form = Form(); form && form->HotButton() == this) form->SetHotButton(nullptr);
  if (changed) PaintNow();
}

bool TSkinButton::ControlHearsLeave() {
  TControl* control = Control();
  if (!control) control = GraphicControl();
  if (!control) return true;  // a bare button's own processing ignores the message
  if (!controlInside_ || (Application && Application->MouseControl() == control)) return false;
  controlInside_ = false;
  return true;
}

bool TSkinButton::EnabledNow() const { return Handle() && IsWindowEnabled(Handle()); }

bool TSkinButton::Inside(LPARAM at) const {
  RECT client{};
  if (const TGraphicControl* control = GraphicControl()) client = control->ClientRect();
  else if (!Handle() || !GetClientRect(Handle(), &client)) return false;
  const POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  return PtInRect(&client, p) != FALSE;
}

void SendMouseLeave(TSkinControl& wrapper) {
  if (wrapper.Handle()) SendMessageW(wrapper.Handle(), CM_MOUSELEAVE, 0, 0);
  else if (TGraphicControl* control = wrapper.GraphicControl()) control->Perform(CM_MOUSELEAVE);
}

// --- Painting ------------------------------------------------------------------------------------

void TSkinButton::PaintNow() { PaintWindow(nullptr); }

const TDataSkinButton* TSkinButton::ButtonsSkin() const {
  const TDataSkinButton* buttons = SkinData() ? SkinData()->Buttons() : nullptr;
  return buttons && !buttons->Image().Empty() ? buttons : nullptr;
}

TButtonLook TSkinButton::Look() const {
  TButtonLook look;
  look.enabled = EnabledNow();
  look.pressed = Pressed();
  look.hot = Hot();
  look.focused = Handle() && GetFocus() == Handle();
  return look;
}

std::wstring TSkinButton::CurrentCaption() const {
  const TControl* control = Control();
  if (!control) control = GraphicControl();
  return control ? Widen(GetTextProperty(control, "Caption")) : GetWindowTextWide(Handle());
}

COLORREF TSkinButton::ControlTextColour(const TDataSkinButton& buttons, int frame, COLORREF fontColour) const {
  switch (frame) {
    case kButtonDisabled: return GetSysColor(COLOR_BTNSHADOW);
    case kButtonNormal: return buttons.HasNormalColour2() ? ColorToRGB(buttons.NormalColour2()) : fontColour;
    case kButtonHot: return buttons.HasMouseOverColour2() ? ColorToRGB(buttons.MouseOverColour2()) : fontColour;
    case kButtonPressed: return buttons.HasPressedColour2() ? ColorToRGB(buttons.PressedColour2()) : fontColour;
    default: return fontColour;
  }
}

namespace {

// A bare window's caption colour: the skin's colour of the state, whether the skin gave it or not.
COLORREF BareTextColour(const TSkinData& skin, const TDataSkinButton& buttons, int frame) {
  switch (frame) {
    case kButtonDisabled: return RGB(0x80, 0x80, 0x80);
    case kButtonNormal: return ColorToRGB(buttons.NormalColour2());
    case kButtonHot: return ColorToRGB(buttons.MouseOverColour2());
    case kButtonPressed: return ColorToRGB(buttons.PressedColour2());
    default: return ColorToRGB(skin.ButtonText());
  }
}

}  // namespace

void TSkinButton::PaintTo(HDC dc, const RECT& rect) {
  const TDataSkinButton* buttons = ButtonsSkin();
  if (!buttons) return;  // the button's own painting is suppressed: it stays blank
  TButtonLook look = Look();
  look.isDefault = (GetWindowLongPtrW(Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  const int frame = PushButtonFrame(look);
  const std::wstring caption = CurrentCaption();
  HFONT font = nullptr;
  COLORREF colour = 0;
  if (TWinControl* control = Control()) {
    const TFont* own = GetHeldProperty<TFont>(control, "Font");
    font = own ? own->Handle() : nullptr;
    colour = ControlTextColour(*buttons, frame, ColorToRGB(own ? own->Color() : clBtnText));
  } else {
    font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
    colour = BareTextColour(*SkinData(), *buttons, frame);
  }
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  PaintBuffered(*buffer_, dc, rect, [&](HDC target, const RECT& r) {
    FillFace(target, r);
    DrawSkinObject(target, r, kButtonFrameCount, frame, *buttons);
    SelectObject(target, font);
    SetTextColor(target, colour);
    DrawButtonCaption(target, r, DT_CENTER, caption);
  });
}

const std::wstring& TSkinButton::ShowCaption(const std::wstring& text) {
  std::wstring shown = text;
  for (std::size_t at = shown.find(L"||"); at != std::wstring::npos; at = shown.find(L"||", at + 2))
    shown.replace(at, 2, L"\r\n");
  SetCaption(std::move(shown));
  return Caption();
}

void TSkinButton::DrawButtonCaption(HDC dc, const RECT& rect, UINT alignment, const std::wstring& text) {
  const std::wstring& shown = ShowCaption(text);
  if (shown.empty()) return;
  SetBkMode(dc, TRANSPARENT);
  const UINT format = alignment | DT_EXPANDTABS | DT_WORDBREAK;
  RECT box = rect;
  DrawTextWide(dc, shown, box, format | DT_CALCRECT | DT_NOCLIP);
  // one pixel above the vertical centre
  const int dy = ((rect.bottom - rect.top) - (box.bottom - box.top)) / 2 - 1;
  if (alignment == DT_CENTER) {
    OffsetRect(&box, ((rect.right - rect.left) - (box.right - box.left)) / 2, dy);
  } else {
    OffsetRect(&box, 0, dy);
    box.left = rect.left;
    box.right = rect.right;
  }
  DrawTextWide(dc, shown, box, format);
}

}  // namespace bus
