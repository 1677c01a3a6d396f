#include "framework/controls/Edit.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TCustomEdit::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TCustomEdit>("TCustomEdit", TWinControl::StaticClassInfo())
                                     .Text("Text", &TCustomEdit::Text, &TCustomEdit::SetText)
                                     .Int("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength, 0)
                                     .Bool("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly, false)
                                     .Event("OnChange", &TCustomEdit::OnChange)
                                     .Build();
  return info;
}
const TClassInfo& TEdit::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TEdit>("TEdit", TCustomEdit::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
  SetTabStop(true);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.sysClassName = L"EDIT";
  p.style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  if (readOnly_) p.style |= ES_READONLY;
  if (Ctl3D()) p.exStyle |= WS_EX_CLIENTEDGE;
  else p.style |= WS_BORDER;
}

void TCustomEdit::Ctl3DChanged() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE), ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
  if (Ctl3D()) {
    style &= ~LONG_PTR(WS_BORDER);
    ex |= WS_EX_CLIENTEDGE;
  } else {
    style |= WS_BORDER;
    ex &= ~LONG_PTR(WS_EX_CLIENTEDGE);
  }
  SetWindowLongPtrW(h, GWL_STYLE, style);
  SetWindowLongPtrW(h, GWL_EXSTYLE, ex);
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomEdit::SetMaxLength(int v) {
  maxLength_ = v;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_LIMITTEXT, WPARAM(v), 0);
}

void TCustomEdit::SetReadOnly(bool v) {
  readOnly_ = v;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_SETREADONLY, v, 0);
}

void TCustomEdit::SelectAll() {
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_SETSEL, 0, -1);
}

int TCustomEdit::SelStart() const {
  DWORD start = 0;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_GETSEL, WPARAM(&start), 0);
  return int(start);
}

int TCustomEdit::SelLength() const {
  DWORD start = 0, end = 0;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_GETSEL, WPARAM(&start), LPARAM(&end));
  return int(end - start);
}

void TCustomEdit::SetSel(int start, int length) {
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_SETSEL, WPARAM(start), LPARAM(start + length));
}

void TCustomEdit::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == EN_CHANGE) OnChange(this);
    return;
  }
  if (m.Msg == WM_CREATE) {
    TWinControl::WndProc(m);
    if (maxLength_) SendMessageW(HandleIfAllocated(), EM_LIMITTEXT, WPARAM(maxLength_), 0);
    return;
  }
  TWinControl::WndProc(m);
}

}  // namespace bus
