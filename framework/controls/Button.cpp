#include "framework/controls/Button.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TButton::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TButton>("TButton", TButtonControl::StaticClassInfo())
                                     .Creatable()
                                     .Bool("Default", &TButton::Default, &TButton::SetDefault, false)
                                     .Bool("Cancel", &TButton::Cancel, &TButton::SetCancel, false)
                                     .Build();
  return info;
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

void TButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.sysClassName = L"BUTTON";
  p.style |= ButtonStyle();
}

void TButton::SetDefault(bool v) {
  default_ = v;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, BM_SETSTYLE, ButtonStyle(), TRUE);
}

void TButton::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == BN_CLICKED) Click();
    return;
  }
  TButtonControl::WndProc(m);
}

}  // namespace bus
