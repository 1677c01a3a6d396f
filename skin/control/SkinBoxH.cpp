#include "skin/control/SkinBoxH.h"

#include "framework/Properties.h"
#include "skin/data/SkinData.h"

namespace bus {

const TClassInfo& TSkinBoxH::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinBoxH>("TSkinBoxH", TSkinControl::StaticClassInfo()).Build();
  return info;
}

bool TSkinBoxH::BeforeDefault(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND: {
      RECT rect{};
      GetWindowRect(Handle(), &rect);
      OffsetRect(&rect, -rect.left, -rect.top);
      FillFace(reinterpret_cast<HDC>(m.WParam), rect);
      m.Result = 1;  // erased
      return false;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const HBRUSH face = SkinData() ? SkinData()->FaceBrush() : nullptr;
      if (!face) return TSkinControl::BeforeDefault(m);
      CallDefault(m);
      const HDC dc = reinterpret_cast<HDC>(m.WParam);
      SetBkColor(dc, ColorToRGB(SkinData()->ButtonFace()));
      SetTextColor(dc, ColorToRGB(SkinData()->ButtonText()));
      m.Result = reinterpret_cast<LRESULT>(face);
      return false;
    }
    default:
      return TSkinControl::BeforeDefault(m);
  }
}

}  // namespace bus
