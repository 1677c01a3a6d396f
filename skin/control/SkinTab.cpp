#include "skin/control/SkinTab.h"

#include <commctrl.h>

#include <utility>

#include "core/WideText.h"
#include "framework/Properties.h"
#include "skin/control/SkinDrawing.h"
#include "skin/control/SkinText.h"
#include "skin/control/SkinUpDown.h"
#include "skin/data/SkinBitmapFilters.h"
#include "skin/data/SkinData.h"

namespace bus {

namespace {

// The page frame's margins in the border image.
constexpr TSkinMargins kBorderMargins{4, 5, 4, 4};
// Longest tab text read, in characters.
constexpr int kTabTextLength = 80;

const TDataSkinBorder* TabsOf(const TSkinData* skin) {
  const TDataSkinBorder* tabs = skin ? skin->Tabs() : nullptr;
  return tabs && !tabs->Image().Empty() ? tabs : nullptr;
}

// A 24-bit copy of source.
void Copy24(TBitmap& target, const TBitmap& source) {
  target.Assign(source);
  if (!target.Empty()) target.SetPixelFormat(pf24bit);
}

}  // namespace

const TClassInfo& TSkinTab::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinTab>("TSkinTab", TSkinControl::StaticClassInfo()).Build();
  return info;
}

TSkinTab::TSkinTab(TComponent* owner) : TSkinControl(owner) {}

TSkinTab::~TSkinTab() = default;

void TSkinTab::AttachWindow(HWND handle, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas) {
  if (Attached()) return;
  TSkinControl::AttachWindow(handle, skin, form, canvas);
  PrepareImages();
  FindSpinButton();
}

void TSkinTab::SkinChanged() {
  PrepareImages();  // before the repaint, which may paint at once
  TSkinControl::SkinChanged();
}

bool TSkinTab::BeforeDefault(TMessage& m) {
  if (AnswerPaint(m, true)) return false;
  return TSkinControl::BeforeDefault(m);
}

void TSkinTab::ReadTabPosition() {
  const auto style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  const bool bottom = (style & TCS_BOTTOM) != 0, vertical = (style & TCS_VERTICAL) != 0;
  tabPosition_ = bottom && vertical ? kTabsRight : bottom ? kTabsBottom : vertical ? kTabsLeft : kTabsTop;
}

void TSkinTab::PrepareImages() {
  ReadTabPosition();
  const TDataSkinBorder* tabs = TabsOf(SkinData());
  tabImage_.Clear();
  borderImage_.Clear();
  if (!tabs) return;
  Copy24(tabImage_, tabs->Image());
  Copy24(borderImage_, tabs->Image2());
  // the tab image is not turned for the sides: the strip is drawn lying and turned as a whole
  switch (tabPosition_) {
    case kTabsBottom:
      FlipVertical(tabImage_);
      FlipVertical(borderImage_);
      break;
    case kTabsLeft:
      RotateLeft(borderImage_);
      break;
    case kTabsRight:
      RotateRight(borderImage_);
      break;
    default:
      break;
  }
}

bool TSkinTab::FindSpinButton() {
  const HWND spin = FindWindowExW(Handle(), nullptr, UPDOWN_CLASSW, nullptr);
  if (!spin) return false;
  // the control made its arrows anew: the wrapper of the old ones goes
  if (spinButton_ && spinButton_->Handle() != spin) spinButton_->Free();
  if (!spinButton_) {
    // owned by the tab control, or by this wrapper when the tab control is a bare window
    TComponentHolder<TSkinUpDown> wrapper(new TSkinUpDown(Owner() ? Owner() : this));
    wrapper->AttachWindow(spin, SkinData(), Form(), Canvas());
    spinButton_ = wrapper.release();
    FreeNotification(spinButton_);
  }
  return (GetWindowLongPtrW(spin, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TSkinTab::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component == spinButton_) spinButton_ = nullptr;
  TSkinControl::Notification(component, operation);
}

void TSkinTab::DrawTab(HDC dc, const RECT& rect, int frame) {
  const TDataSkinBorder* tabs = TabsOf(SkinData());
  if (!tabs || tabImage_.Empty()) return;
  DrawSkinImage(dc, rect, tabImage_, false, tabs->Tile() == 1, tabs->Trans() == 1, tabs->Frame(), frame,
                tabs->Margins());
}

RECT TSkinTab::PageRect(const RECT& rect) const {
  RECT page = rect;
  SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, LPARAM(&page));
  InflateRect(&page, 4, 4);
  switch (tabPosition_) {
    case kTabsBottom: --page.bottom; break;
    case kTabsLeft: ++page.left; break;
    case kTabsRight: --page.right; break;
    default: ++page.top; break;
  }
  return page;
}

RECT TSkinTab::StripRect(const RECT& rect, const RECT& page) const {
  switch (tabPosition_) {
    case kTabsBottom: return {rect.left, page.bottom, rect.right, rect.bottom};
    case kTabsLeft: return {rect.left, rect.top, page.left, rect.bottom};
    case kTabsRight: return {page.right, rect.top, rect.right, rect.bottom};
    default: return {rect.left, rect.top, rect.right, page.top};
  }
}

RECT TSkinTab::InStrip(RECT r, const RECT& rect, const RECT& page) const {
  const LONG lying = stripBitmap_.Width();  // the strip's length for the sides
  switch (tabPosition_) {
    case kTabsBottom:
      OffsetRect(&r, 0, -(page.bottom + 1));
      return r;
    case kTabsLeft:
      return {lying - r.bottom, r.left, lying - r.top, r.right};
    case kTabsRight:
      return {r.top - 1, rect.right - r.right, r.bottom - 1, rect.right - r.left};
    default:
      OffsetRect(&r, 0, 1);
      return r;
  }
}

void TSkinTab::PaintTo(HDC dc, const RECT& rect) {
  const TDataSkinBorder* tabs = TabsOf(SkinData());
  if (!tabs || IsRectEmpty(&rect)) return;
  const int prepared = tabPosition_;
  ReadTabPosition();
  if (tabPosition_ != prepared) PrepareImages();  // the control moved its tabs to another side
  const RECT page = PageRect(rect);
  DrawStrip(dc, rect, page);
  if (!borderImage_.Empty()) DrawSkinBorder(dc, page, borderImage_, false, 1, 1, kBorderMargins);
}

void TSkinTab::DrawStrip(HDC dc, const RECT& rect, const RECT& page) {
  const TDataSkinBorder& tabs = *TabsOf(SkinData());
  const RECT strip = StripRect(rect, page);
  if (IsRectEmpty(&strip)) return;
  const bool sideways = tabPosition_ == kTabsLeft || tabPosition_ == kTabsRight;
  const int along = strip.right - strip.left, across = strip.bottom - strip.top;
  stripBitmap_.SetPixelFormat(pf24bit);
  stripBitmap_.SetSize(sideways ? across : along, sideways ? along : across);
  TCanvas& canvas = stripBitmap_.Canvas();
  FillParentColor(canvas.Handle(), {0, 0, stripBitmap_.Width(), stripBitmap_.Height()});
  UseWindowFont(canvas, Handle());

  const int count = int(SendMessageW(Handle(), TCM_GETITEMCOUNT, 0, 0));
  const int current = int(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle(), TCM_GETIMAGELIST, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT r{};
    if (!SendMessageW(Handle(), TCM_GETITEMRECT, WPARAM(i), LPARAM(&r))) continue;
    wchar_t text[kTabTextLength + 1] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text;
    item.cchTextMax = kTabTextLength;
    if (!SendMessageW(Handle(), TCM_GETITEMW, WPARAM(i), LPARAM(&item))) {
      text[0] = L'\0';
      item.iImage = -1;
    }
    const int frame = i == current ? 2 : 1;
    const RECT at = InStrip(r, rect, page);
    DrawTab(canvas.Handle(), at, frame);
    canvas.Font().SetColor(frame == 2 ? tabs.MouseOverColour2() : tabs.NormalColour2());
    DrawItemText(canvas, at, TItemAlignment::Centre, Narrow(text), item.iImage, images, Enabled());
  }
  if (tabPosition_ == kTabsLeft) RotateLeft(stripBitmap_);
  else if (tabPosition_ == kTabsRight) RotateRight(stripBitmap_);
  // a visible spin button keeps its own pixels: the picture goes around child windows
  FindSpinButton();
  BitBlt(dc, strip.left, strip.top, stripBitmap_.Width(), stripBitmap_.Height(), stripBitmap_.Canvas().Handle(), 0, 0,
         SRCCOPY);
}

}  // namespace bus
