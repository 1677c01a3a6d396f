#include "skin/control/SkinComBox.h"

#include "framework/Properties.h"
#include "framework/controls/WinControl.h"
#include "framework/controls/WindowSubclass.h"
#include "skin/control/SkinScrollbarH.h"

namespace bus {

const TClassInfo& TSkinComBox::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinComBox>("TSkinComBox", TSkinControl::StaticClassInfo()).Build();
  return info;
}

TSkinComBox::TSkinComBox(TComponent* owner) : TSkinControl(owner) {}

TSkinComBox::~TSkinComBox() = default;

void TSkinComBox::AttachControl(TSkinWrapperHost* form, TSkinData* skin, bool recolour, TCanvas* canvas) {
  if (Attached()) return;
  TSkinControl::AttachControl(form, skin, recolour, canvas);
  if (!Handle()) return;
  style_ = DWORD(GetWindowLongPtrW(Handle(), GWL_STYLE));
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
  if (popup || (listStyle & WS_CHILD) == 0 || !Control()) return;
  listScrollbars_ = new TSkinScrollbarH(Control());
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
    case WM_PAINT:
      PaintWindow(nullptr);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetPressed(true);
      break;
    case WM_LBUTTONUP:
      SetPressed(false);
      break;
    default:
      break;
  }
  return true;
}

void TSkinComBox::AfterDefault(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetPressed(true);
      break;
    case WM_DRAWITEM:
    case WM_NCPAINT:
      Repaint();
      break;
    case WM_LBUTTONUP:
      SetPressed(false);
      break;
    case CM_MOUSEENTER:
      if (Enabled()) SetMouseState(MouseState() | kMouseHot);
      break;
    case CM_MOUSELEAVE:
      if (Enabled()) SetMouseState(MouseState() & ~kMouseHot);
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

}  // namespace bus
