#include "skin/control/SkinEdit.h"

#include <algorithm>
#include <cwctype>
#include <iterator>
#include <string>

#include "framework/Properties.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/SkinUpDown.h"
#include "skin/data/SkinData.h"

namespace bus {

const TClassInfo& TSkinEdit::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinEdit>("TSkinEdit", TSkinControl::StaticClassInfo()).Build();
  return info;
}

void TSkinEdit::AttachWindow(HWND handle, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas) {
  if (Attached()) return;
  TSkinControl::AttachWindow(handle, skin, form, canvas);
  // the ring replaces the stock border: frame and client area wait for the next paint, which draws
  // them together (painting them here, while the form is being skinned, would paint the box twice)
  RedrawWindow(handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

bool TSkinEdit::BeforeDefault(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      // a box with a frame keeps the ring there (WM_NCPAINT); one without draws it in its client area
      if (m.WParam || !RingInClient()) return true;
      PaintOverDefault(m);
      return false;
    case WM_NCPAINT:
      PaintFrameOverDefault(m, kEditRingWidth);
      return false;
    default:
      return TSkinControl::BeforeDefault(m);
  }
}

void TSkinEdit::AfterDefault(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      break;  // the box painted itself: its ring is in its frame, or the caller gave the DC
    case WM_PRINT:
      if (m.LParam & PRF_NONCLIENT) PrintFrame(reinterpret_cast<HDC>(m.WParam));
      break;
    case kSkinMsgSwitch:
      TSkinControl::AfterDefault(m);
      if (!Active()) Repaint();  // the stock border back
      break;
    default:
      TSkinControl::AfterDefault(m);
      break;
  }
}

namespace {

// Whether every pixel along the edge of rect in dc has the colour the platform frames windows with.
bool EdgeInFrameColour(HDC dc, const RECT& rect) {
  const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
  if (rect.right - rect.left < 3 || rect.bottom - rect.top < 3) return false;
  for (LONG x = rect.left; x < rect.right; ++x) {
    if (GetPixel(dc, x, rect.top) != frame || GetPixel(dc, x, rect.bottom - 1) != frame) return false;
  }
  for (LONG y = rect.top; y < rect.bottom; ++y) {
    if (GetPixel(dc, rect.left, y) != frame || GetPixel(dc, rect.right - 1, y) != frame) return false;
  }
  return true;
}

void Frame(HDC dc, const RECT& rect, COLORREF colour) {
  const GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  FrameRect(dc, &rect, brush.Get());
}

}  // namespace

bool TSkinEdit::RingInClient() const {
  RECT window{}, client{};
  POINT origin{};
  if (!GetWindowRect(Handle(), &window) || !GetClientRect(Handle(), &client) || !ClientToScreen(Handle(), &origin))
    return false;
  const LONG sides[] = {origin.x - window.left, origin.y - window.top, window.right - origin.x - client.right,
                        window.bottom - origin.y - client.bottom};
  return *std::min_element(std::begin(sides), std::end(sides)) < kEditRingWidth;
}

bool TSkinEdit::HasBorder(HDC dc, const RECT& rect) const {
  RECT client{};
  if (!GetClientRect(Handle(), &client)) return false;
  const bool sameWidth = client.right == rect.right - rect.left, sameHeight = client.bottom == rect.bottom - rect.top;
  if (!sameWidth && !sameHeight) return true;
  return sameWidth && sameHeight && EdgeInFrameColour(dc, rect);
}

void TSkinEdit::PaintTo(HDC dc, const RECT& rect) {
  if (!spinButton_) FindSpinButton();
  if (!HasBorder(dc, rect)) return;
  Frame(dc, rect, ColorToRGB(SkinData() ? SkinData()->ButtonShadow() : clBtnShadow));
  RECT inner = rect;
  InflateRect(&inner, -1, -1);
  Frame(dc, inner, RGB(255, 255, 255));
}

void TSkinEdit::PrintFrame(HDC dc) {
  RECT rect{};
  if (!dc || !Handle() || !GetWindowRect(Handle(), &rect)) return;
  OffsetRect(&rect, -rect.left, -rect.top);
  PaintTo(dc, rect);
}

void TSkinEdit::FindSpinButton() {
  for (HWND child = GetTopWindow(Handle()); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[64]{};
    if (GetClassNameW(child, name, int(std::size(name))) <= 0) continue;
    std::wstring lower(name);
    for (wchar_t& c : lower) c = wchar_t(std::towlower(c));
    if (lower != L"msctls_updown32" && lower.find(L"spin") == std::wstring::npos &&
        lower.find(L"updown") == std::wstring::npos)
      continue;
    auto* spin = new TSkinUpDown(this);
    spin->SetInset(true);
    spin->AttachWindow(child, SkinData(), Form(), Canvas());
    spinButton_ = spin;
    return;
  }
}

void TSkinEdit::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component == spinButton_) spinButton_ = nullptr;
  TSkinControl::Notification(component, operation);
}

}  // namespace bus
