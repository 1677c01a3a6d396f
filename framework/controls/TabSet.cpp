#include "framework/controls/TabSet.h"

#include <algorithm>

#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/PropertyIdents.h"
#include "framework/graphics/GdiHandles.h"

namespace bus {

namespace {
constexpr int kTabPadding = 9;    // a tab's width beyond its caption
constexpr int kSlant = 3;         // a tab narrows by this much on each side towards its bottom
constexpr int kArrowWidth = 16;   // one scroll arrow
}  // namespace

const TClassInfo& TTabSet::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTabSet>("TTabSet", TCustomControl::StaticClassInfo())
          .Creatable()
          .Strings("Tabs", &TTabSet::TabsValue, &TTabSet::SetTabsValue)
          .Int("TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex, -1)
          .Int("FirstIndex", &TTabSet::FirstIndex, &TTabSet::SetFirstIndex, 0)
          .Int("StartMargin", &TTabSet::StartMargin, &TTabSet::SetStartMargin, 5)
          .Int("EndMargin", &TTabSet::EndMargin, &TTabSet::SetEndMargin, 5)
          .Bool("AutoScroll", &TTabSet::AutoScroll, &TTabSet::SetAutoScroll, true)
          .Int("SelectedColor", &TTabSet::SelectedColor, &TTabSet::SetSelectedColor, clBtnFace, &kColorIdents)
          .Int("UnselectedColor", &TTabSet::UnselectedColor, &TTabSet::SetUnselectedColor, clWindow, &kColorIdents)
          .Event("OnChange", &TTabSet::OnChange)
          .Build();
  return info;
}

TTabSet::TTabSet(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 185, 21);
  tabs_.OnChange = [this] {
    if (tabIndex_ >= tabs_.Count()) tabIndex_ = tabs_.Count() - 1;
    firstIndex_ = std::clamp(firstIndex_, 0, std::max(tabs_.Count() - 1, 0));
    Invalidate();
  };
}

void TTabSet::SetTabIndex(int v) {
  if (v < -1 || (!Loading() && v >= tabs_.Count())) v = -1;
  tabIndex_ = v;
  Invalidate();
}

void TTabSet::SetFirstIndex(int v) {
  firstIndex_ = Loading() ? std::max(v, 0) : std::clamp(v, 0, std::max(tabs_.Count() - 1, 0));
  Invalidate();
}

void TTabSet::SetStartMargin(int v) {
  startMargin_ = v;
  Invalidate();
}
void TTabSet::SetEndMargin(int v) {
  endMargin_ = v;
  Invalidate();
}
void TTabSet::SetAutoScroll(bool v) {
  autoScroll_ = v;
  Invalidate();
}
void TTabSet::SetSelectedColor(TColor v) {
  selectedColor_ = v;
  Invalidate();
}
void TTabSet::SetUnselectedColor(TColor v) {
  unselectedColor_ = v;
  Invalidate();
}

// The tabs from FirstIndex on, left to right, as many as fit before the end margin (and before
// the arrows, when there are any).
TTabSet::TArrangement TTabSet::Arrange() const {
  TArrangement a;
  const RECT client = ClientRect();
  std::vector<int> widths;
  {
    WindowDC screen;
    DcSelection font(screen.Get(), Font()->Handle());
    for (int i = firstIndex_; i < tabs_.Count(); ++i) {
      const std::wstring text = Widen(tabs_[i]);
      SIZE size{};
      GetTextExtentPoint32W(screen.Get(), text.c_str(), int(text.size()), &size);
      widths.push_back(size.cx + kTabPadding);
    }
  }
  const auto place = [&](int end) {
    a.tabs.clear();
    int x = startMargin_;
    for (int w : widths) {
      if (x + w > end) return false;
      a.tabs.push_back({x, 0, x + w, client.bottom});
      x += w;
    }
    return true;
  };
  const int end = client.right - endMargin_;
  const bool allFit = place(end);
  a.scrollButtons = autoScroll_ && (!allFit || firstIndex_ > 0);
  if (a.scrollButtons) {
    const int arrows = client.right - endMargin_ - 2 * kArrowWidth;
    place(arrows);
    a.left = {arrows, 0, arrows + kArrowWidth, std::min<LONG>(client.bottom, kArrowWidth)};
    a.right = {arrows + kArrowWidth, 0, arrows + 2 * kArrowWidth, a.left.bottom};
  }
  return a;
}

RECT TTabSet::TabRect(int index) const {
  const TArrangement a = Arrange();
  const int i = index - firstIndex_;
  return i >= 0 && i < int(a.tabs.size()) ? a.tabs[size_t(i)] : RECT{};
}

RECT TTabSet::ScrollButtonsRect() const {
  const TArrangement a = Arrange();
  if (!a.scrollButtons) return {};
  RECT both{};
  UnionRect(&both, &a.left, &a.right);
  return both;
}

int TTabSet::TabAt(POINT p) const {
  const TArrangement a = Arrange();
  for (size_t i = 0; i < a.tabs.size(); ++i)
    if (PtInRect(&a.tabs[i], p)) return firstIndex_ + int(i);
  return -1;
}

void TTabSet::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  const TArrangement a = Arrange();
  const POINT p{x, y};
  if (a.scrollButtons && PtInRect(&a.left, p)) return SetFirstIndex(firstIndex_ - 1);
  if (a.scrollButtons && PtInRect(&a.right, p)) {
    if (firstIndex_ + int(a.tabs.size()) < tabs_.Count()) SetFirstIndex(firstIndex_ + 1);
    return;
  }
  const int index = TabAt(p);
  if (index < 0 || index == tabIndex_) return;
  tabIndex_ = index;
  Invalidate();
  OnChange(this);
}

// A tab hangs from the top edge: its sides slant in towards its bottom.
void TTabSet::PaintTab(HDC dc, const RECT& r, int index, bool selected) {
  const POINT outline[4] = {{r.left, r.top}, {r.left + kSlant, r.bottom - 2}, {r.right - kSlant, r.bottom - 2},
                            {r.right, r.top}};
  GdiObject<HBRUSH> fill(CreateSolidBrush(ColorToRGB(selected ? selectedColor_ : unselectedColor_)));
  GdiObject<HPEN> edge(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
  {
    DcSelection brush(dc, fill.Get());
    DcSelection pen(dc, edge.Get());
    Polygon(dc, outline, 4);
  }
  if (selected) {  // joined to the page above: no edge along the top
    GdiObject<HPEN> face(CreatePen(PS_SOLID, 1, ColorToRGB(selectedColor_)));
    DcSelection pen(dc, face.Get());
    MoveToEx(dc, r.left + 1, r.top, nullptr);
    LineTo(dc, r.right, r.top);
  }
  const std::wstring text = Widen(tabs_[index]);
  RECT box = r;
  box.bottom -= 2;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
  DrawTextW(dc, text.c_str(), int(text.size()), &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}

void TTabSet::Paint() {
  HDC dc = Canvas().Handle();
  const RECT client = ClientRect();
  {
    GdiObject<HBRUSH> background(CreateSolidBrush(ColorToRGB(Color())));
    FillRect(dc, &client, background.Get());
    GdiObject<HPEN> edge(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW)));
    DcSelection pen(dc, edge.Get());
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, client.right, 0);
  }
  const TArrangement a = Arrange();
  DcSelection font(dc, Font()->Handle());
  int selected = -1;
  for (size_t i = 0; i < a.tabs.size(); ++i) {
    const int index = firstIndex_ + int(i);
    if (index == tabIndex_) selected = int(i);
    else PaintTab(dc, a.tabs[i], index, false);
  }
  if (selected >= 0) PaintTab(dc, a.tabs[size_t(selected)], tabIndex_, true);  // over its neighbours
  if (!a.scrollButtons) return;
  RECT left = a.left, right = a.right;
  const bool canLeft = firstIndex_ > 0, canRight = firstIndex_ + int(a.tabs.size()) < tabs_.Count();
  DrawFrameControl(dc, &left, DFC_SCROLL, DFCS_SCROLLLEFT | (canLeft ? 0 : DFCS_INACTIVE));
  DrawFrameControl(dc, &right, DFC_SCROLL, DFCS_SCROLLRIGHT | (canRight ? 0 : DFCS_INACTIVE));
}

}  // namespace bus
