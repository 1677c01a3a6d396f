#include "skin/control/SkinComBox.h"

#include <limits>

#include "framework/Properties.h"
#include "framework/controls/WinControl.h"
#include "framework/controls/WindowSubclass.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/SkinDrawing.h"
#include "skin/control/SkinScrollbarH.h"
#include "skin/data/SkinData.h"

namespace bus {

const TClassInfo& TSkinComBox::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinComBox>("TSkinComBox", TSkinControl::StaticClassInfo()).Build();
  return info;
}

TSkinComBox::TSkinComBox(TComponent* owner) : TSkinControl(owner) {}

TSkinComBox::~TSkinComBox() = default;  // the edit hook comes off with its object; the list's wrapper is owned

void TSkinComBox::AttachControl(TSkinWrapperHost* form, TSkinData* skin, bool recolour, TCanvas* canvas) {
  if (Attached()) return;
  TSkinControl::AttachControl(form, skin, recolour, canvas);
  AttachParts(skin, form);
  Repaint();
}

void TSkinComBox::AttachWindow(HWND handle, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas) {
  if (Attached()) return;
  TSkinControl::AttachWindow(handle, skin, form, canvas);
  AttachParts(skin, form);
  Repaint();
}

void TSkinComBox::AttachParts(TSkinData* skin, TSkinWrapperHost* form) {
  if (!Handle()) return;
  style_ = DWORD(GetWindowLongPtrW(Handle(), GWL_STYLE));
  exStyle_ = DWORD(GetWindowLongPtrW(Handle(), GWL_EXSTYLE));
  if ((style_ & 3) != CBS_SIMPLE) {
    SubclassEdit();
    return;
  }
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(Handle(), &info)) return;
  listHandle_ = info.hwndList;
  const DWORD listStyle = DWORD(GetWindowLongPtrW(listHandle_, GWL_STYLE));
  // a list that drops down is a pop-up of the desktop, not part of the control
  const bool popup = (listStyle & WS_POPUP) != 0 || GetParent(listHandle_) == GetDesktopWindow();
  if (popup || (listStyle & WS_CHILD) == 0) return;
  // owned by the box's control object, beside this wrapper (by this wrapper for a bare window)
  listScrollbars_ = new TSkinScrollbarH(Control() ? static_cast<TComponent*>(Control()) : this);
  listScrollbars_->AttachWindow(listHandle_, skin, form, nullptr);
}

void TSkinComBox::SubclassEdit() {
  editHandle_ = GetTopWindow(Handle());
  if (!editHandle_) return;
  editHook_ = std::make_unique<TWindowSubclass>(editHandle_, [this](TMessage& m) { return EditWndProc(m); }, this);
}

bool TSkinComBox::EditWndProc(TMessage& m) {
  editHook_->Default(m);
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetPressed(true);
      break;
    case WM_LBUTTONUP:
      SetPressed(false);
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Repaint();  // the focused frame follows the field's focus
      break;
    default:
      break;
  }
  return true;
}

void TSkinComBox::Detach() {
  TSkinControl::Detach();
  if (editHook_) editHook_->Remove();
}

void TSkinComBox::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component == listScrollbars_) listScrollbars_ = nullptr;
  TSkinControl::Notification(component, operation);
}

bool TSkinComBox::BeforeDefault(TMessage& m) {
  const TDataSkinBorder* button = SkinData() ? SkinData()->ComboButton() : nullptr;
  const bool skinned = button && !button->Image().Empty();
  switch (m.Msg) {
    case WM_PAINT:
      if (!skinned || m.WParam) return true;
      PaintOverDefault(m);
      return false;
    case WM_NCPAINT:
      if (!skinned) return true;
      PaintFrameOverDefault(m, std::numeric_limits<int>::max());
      return false;
    default:
      return TSkinControl::BeforeDefault(m);
  }
}

void TSkinComBox::AfterDefault(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetPressed(true);
      break;
    case WM_DRAWITEM:
      Repaint();
      break;
    case WM_LBUTTONUP:
      SetPressed(false);
      break;
    case CM_MOUSEENTER:
      if (Enabled()) SetHot(true);
      break;
    case CM_MOUSELEAVE:
      if (Enabled()) SetHot(false);
      break;
    default:
      TSkinControl::AfterDefault(m);
      break;
  }
}

void TSkinComBox::SetPressed(bool pressed) {
  SetMouseState(pressed ? MouseState() | kMousePressed : MouseState() & ~kMousePressed);
  Repaint();
}

void TSkinComBox::SetHot(bool hot) {
  const std::uint8_t state = hot ? MouseState() | kMouseHot : MouseState() & ~kMouseHot;
  if (state == MouseState()) return;
  SetMouseState(state);
  Repaint();
}

int TSkinComBox::FrameState() const {
  HWND focus = GetFocus();
  const bool focused = focus && (focus == Handle() || IsChild(Handle(), focus));
  if (MouseState() & kMousePressed) return 2;
  if ((MouseState() & kMouseHot) || focused) return 4;
  if (!IsWindowEnabled(Handle())) return 3;
  return 1;
}

bool TSkinComBox::ButtonOnLeft() const {
  if (comboInfo_.cbSize == 0) return (exStyle_ & WS_EX_LEFTSCROLLBAR) != 0;
  RECT window{};
  GetClientRect(Handle(), &window);
  return comboInfo_.rcButton.left + comboInfo_.rcButton.right < window.right;  // its middle left of ours
}

bool TSkinComBox::ReadState() {
  style_ = DWORD(GetWindowLongPtrW(Handle(), GWL_STYLE));
  exStyle_ = DWORD(GetWindowLongPtrW(Handle(), GWL_EXSTYLE));
  comboInfo_ = COMBOBOXINFO{};
  comboInfo_.cbSize = sizeof comboInfo_;
  if (!GetComboBoxInfo(Handle(), &comboInfo_)) {
    comboInfo_.cbSize = 0;  // not a combo box of the platform's (a picker): its button is where the style says
    return true;
  }
  return (comboInfo_.stateButton & STATE_SYSTEM_INVISIBLE) == 0;
}

void TSkinComBox::PaintTo(HDC dc, const RECT& rect) {
  const TSkinData* skin = SkinData();
  const TDataSkinBorder* button = skin ? skin->ComboButton() : nullptr;
  if (!button || button->Image().Empty() || !ReadState()) return;
  if (button->Style() == 1) {
    PaintFlat(dc, rect);
    return;
  }
  const RECT r = rect;
  const int state = FrameState();
  const bool left = ButtonOnLeft();
  if (button->Style() == 2) {
    // one frame for the whole box; its middle is transparent, so the text shows through
    const TDataSkinObject* whole = left ? skin->SunkEdge() : button;
    if (whole && !whole->Image().Empty())
      DrawSkinImage(dc, r, whole->Image(), false, false, true, whole->Frame(), state, whole->Margins());
    return;
  }
  const int e = GetSystemMetrics(SM_CXHSCROLL);
  const SavedDCState saved(dc);
  if (left) ExcludeClipRect(dc, r.left + e + 4, r.top + 2, r.right - 2, r.bottom - 2);
  else ExcludeClipRect(dc, r.left + 2, r.top + 2, r.right - e - 4, r.bottom - 2);
  if (const TDataSkinObject* sunk = skin->SunkEdge()) DrawSkinObject(dc, r, sunk->Frame(), state, *sunk);
  const RECT face = left ? RECT{r.left, r.top, r.left + e + 2, r.bottom} : RECT{r.right - e - 2, r.top, r.right, r.bottom};
  DrawSkinFrameTransparent(dc, face, button->Frame(), state, left ? button->Image2() : button->Image());
  const TDataSkinObject* arrow = skin->ExtraImages();
  if (!arrow || arrow->Image().Empty()) return;
  const RECT glyphArea = left ? RECT{r.left + 2, r.top, r.left + e + 2, r.bottom} : RECT{r.right - e - 2, r.top, r.right - 2, r.bottom};
  const int w = arrow->Image().Width() / 5, h = arrow->Image().Height();
  const int x = glyphArea.left + (glyphArea.right - glyphArea.left - w) / 2;
  const int y = glyphArea.top + (glyphArea.bottom - glyphArea.top - h) / 2;
  DrawSkinFrameTransparent(dc, RECT{x, y, x + w, y + h}, 5, state, arrow->Image());
}

void TSkinComBox::PaintFlat(HDC dc, const RECT& rect) {
  const TSkinData* skin = SkinData();
  const TDataSkinBorder* button = skin ? skin->ComboButton() : nullptr;
  if (!button) return;
  auto brush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
  RECT r = rect;
  InflateRect(&r, -1, -1);
  FrameRect(dc, &r, brush);
  InflateRect(&r, -1, -1);
  r.left = r.right - GetSystemMetrics(SM_CYVTHUMB);
  FillRect(dc, &r, brush);
  DrawSkinFrame(dc, r, button->Image(), false, button->Frame(), FrameState());
  const GdiObject<HBRUSH> shadow(CreateSolidBrush(ColorToRGB(skin->ButtonShadow())));
  FrameRect(dc, &rect, shadow.Get());
}

}  // namespace bus
