#include "framework/controls/ListBox.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TCustomListBox::StaticClassInfo() {
  static const TClassInfo info{"TCustomListBox", &TCustomListControl::StaticClassInfo(), {}, {}};
  return info;
}
const TClassInfo& TListBox::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TListBox>("TListBox", TCustomListBox::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomListBox::TCustomListBox(TComponent* owner)
    : TCustomListControl(owner, {LB_GETCURSEL, LB_SETCURSEL, LB_RESETCONTENT, LB_ADDSTRING}) {
  SetBounds(0, 0, 121, 97);
}

void TCustomListBox::CreateParams(TCreateParams& p) {
  TCustomListControl::CreateParams(p);
  p.sysClassName = L"LISTBOX";
  p.style |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  if (Ctl3D()) p.exStyle |= WS_EX_CLIENTEDGE;
  else p.style |= WS_BORDER;
}

int TCustomListBox::TopIndex() const {
  HWND h = HandleIfAllocated();
  return h ? int(SendMessageW(h, LB_GETTOPINDEX, 0, 0)) : 0;
}

void TCustomListBox::SetTopIndex(int v) { SendMessageW(Handle(), LB_SETTOPINDEX, WPARAM(v), 0); }

// LBN_SELCHANGE comes only from the user (LB_SETCURSEL sends none).
void TCustomListBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == LBN_SELCHANGE) Click();
    return;
  }
  TCustomListControl::WndProc(m);
}

}  // namespace bus
