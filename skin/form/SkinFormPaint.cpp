// Painting the frame of TSkinForm and shaping its window.
//
// The frame is four border images: the side borders span the window's full height, the top one
// (the caption strip) and the bottom one the width between them. The caption strip is composed off
// screen, the tops of the side borders, the top border, the caption text on its background band and
// the caption buttons, and reaches the screen in one transfer, so nothing in it flickers. Border
// images are drawn opaquely; their magenta pixels are cut away by the window region, which is built
// from the same pictures, only when the window's size changes.
#include <windows.h>

#include <algorithm>

#include "skin/control/PixelTransfer.h"
#include "skin/control/SkinControl.h"
#include "skin/control/SkinDrawing.h"
#include "skin/data/SkinData.h"
#include "skin/form/FrameDrawing.h"
#include "skin/form/SkinCaptionButton.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMenuBar.h"

namespace bus {

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// Caption texts are cut with an ellipsis and run right to left in a right-to-left window.
constexpr UINT kCaptionTextFormat = DT_SINGLELINE | DT_END_ELLIPSIS;

GdiObject<HRGN> RectRegion(const RECT& r) { return GdiObject<HRGN>(CreateRectRgn(r.left, r.top, r.right, r.bottom)); }

// Unites part into region (a missing part adds nothing).
void Unite(GdiObject<HRGN>& region, const GdiObject<HRGN>& part) {
  if (region && part) CombineRgn(region.Get(), region.Get(), part.Get(), RGN_OR);
}

}  // namespace

void TSkinForm::PaintFrame(HDC dc) {
  if ((life_ != kLifeReady && life_ != kLifeReskinning) || borderStyle_ == kBorderNone) return;
  if ((kind_ == kKindMDIChild && windowState_ != kStateNormal) || !IsWindowVisible(handle_)) return;
  WindowDC own;
  if (!dc) {
    own = WindowDC::Whole(handle_);
    dc = own.Get();
  }
  if (!dc) return;
  try {
    GetWindowRect(handle_, &windowRect_);
    windowWidth_ = Width(windowRect_);
    windowHeight_ = Height(windowRect_);
    const int w = windowWidth_, h = windowHeight_;
    {
      // the sides below the caption strip; their tops come with it
      const SavedDCState saved(dc);
      IntersectClipRect(dc, 0, frameTop_, w, h);
      DrawBorderSide(*skinData_->Left(), {0, 0, frameLeft_, h}, dc);
      DrawBorderSide(*skinData_->Right(), {w - frameRight_, 0, w, h}, dc);
    }
    DrawBorderSide(*skinData_->Bottom(), {frameLeft_, h - frameBottom_, w - frameRight_, h}, dc);
    PaintCaption(dc);
    if (menuBar_ && menuHeight_ > 0) menuBar_->Paint(dc, {frameLeft_, frameTop_, w - frameRight_, frameTop_ + menuHeight_});
  } catch (...) {
    // the next WM_NCPAINT paints again
  }
  // a whole frame shows every button in its normal state
  hotObject_ = nullptr;
  for (const auto& button : captionButtons_) button->SetState(kNCNormal);
}

void TSkinForm::DrawBorderSide(const TDataSkinBorder& side, const RECT& r, HDC dc) const {
  if (r.right < r.left || r.bottom < r.top) return;
  const int frame = active_ || side.Frame() == 1 ? 1 : 2;
  const bool vertical = &side == skinData_->Top() || &side == skinData_->Bottom();
  DrawSkinImage(dc, r, side.Image(), vertical, side.Tile() != 1, false, side.Frame(), frame, side.Margins());
}

void TSkinForm::PaintCaption(HDC dc) {
  const int w = windowWidth_;
  if (w <= 0 || frameTop_ <= 0) return;
  if (captionBitmap_.PixelFormat() != pf32bit) captionBitmap_.SetPixelFormat(pf32bit);
  captionBitmap_.SetSize(w, frameTop_);
  HDC strip = captionBitmap_.Canvas().Handle();
  DrawBorderSide(*skinData_->Left(), {0, 0, frameLeft_, windowHeight_}, strip);
  DrawBorderSide(*skinData_->Right(), {w - frameRight_, 0, w, windowHeight_}, strip);
  DrawBorderSide(*skinData_->Top(), {frameLeft_, 0, w - frameRight_, frameTop_}, strip);
  LayoutCaptionButtons();  // the text stops before the buttons at the right
  PaintCaptionText(strip, {frameLeft_, 0, w - frameRight_, frameTop_});
  LayoutCaptionButtons();  // and the buttons placed by the text follow it
  captionBack_.Assign(captionBitmap_);
  DrawCaptionButtons(strip);
  PutPixels(dc, 0, 0, ViewOf(captionBitmap_));
}

void TSkinForm::PaintCaptionText(HDC dc, const RECT& r) {
  const TDataSkinTitle& title = *skinData_->Title();
  const std::wstring text = captionPrefix_ + GetWindowTextWide(handle_) + captionSuffix_;
  const SavedDCState saved(dc);
  SelectObject(dc, captionFont_.Handle());
  SetTextColor(dc, ColorToRGB(active_ ? skinData_->TitleTextActive() : skinData_->TitleTextNoActive()));
  SetBkMode(dc, TRANSPARENT);

  RECT t = r;
  DrawTextWide(dc, text, t, DT_CALCRECT | DT_NOCLIP);
  t.right += title.TXTBackleft() + title.TXTBackRight();
  const int free = Width(r) - Width(t);
  int dx = 0;
  switch (title.TextAlignment()) {
    case 0:
      dx = title.LeftWidth();
      break;
    case 1:
      dx = free / 2;
      break;
    case 2:
      dx = free - title.RightWidth();
      break;
    default:
      break;
  }
  if (rightToLeft_) dx = free - title.RightWidth();
  const int dy = (Height(r) - Height(t)) / 2 + title.TopHeight() / 2;
  OffsetRect(&t, dx, dy);
  if (!(GetWindowLongPtrW(handle_, GWL_STYLE) & WS_POPUP)) {
    t.right = std::min<LONG>(t.right, r.right - title.RightWidth());
  } else if (buttonsLeftEdge_ > 5) {
    t.right = std::min<LONG>(t.right, buttonsLeftEdge_ - 5);
  }
  if (borderStyle_ == kBorderDialog && title.TextAlignment() == 0) t.left -= 16;  // dialogs show no icon
  textRect_ = t;
  if (!title.Image().Empty()) {
    DrawSkinBand(dc, {t.left, r.top, t.right, r.bottom}, title.Image(), true, true, 2, active_ ? 1 : 2,
                 {title.TXTBackleft(), 0, title.TXTBackRight(), 0});
  }
  t.left += title.TXTBackleft();
  t.right -= title.TXTBackRight();
  DrawTextWide(dc, text, t, kCaptionTextFormat | (rightToLeft_ ? DT_RIGHT : DT_LEFT));
}

void TSkinForm::ApplyRegion(bool redraw) {
  if (life_ == kLifeGone || windowState_ == kStateMinimized) return;
  if (kind_ == kKindMDIChild && windowState_ != kStateNormal) return;
  RECT window{};
  GetWindowRect(handle_, &window);
  const int w = Width(window), h = Height(window);
  if (w <= 0 || h <= 0) return;
  if (w == regionWidth_ && h == regionHeight_ && kind_ != kKindMDIChild) return;
  hasRegion_ = false;
  regionWidth_ = w;
  regionHeight_ = h;
  ++regionBuilds_;

  const TDataSkinBorder &left = *skinData_->Left(), &right = *skinData_->Right(), &top = *skinData_->Top(),
                        &bottom = *skinData_->Bottom();
  GdiObject<HRGN> region;
  if (left.Trans() != 1 && right.Trans() != 1 && top.Trans() != 1 && bottom.Trans() != 1) {
    region = RectRegion({0, 0, w, h});
  } else {
    region = RectRegion({frameLeft_, frameTop_, w - frameRight_, h - frameBottom_});
    if (borderStyle_ != kBorderNone) {
      // a side: what its picture shows, or its whole rectangle
      const auto part = [&](const TDataSkinBorder& side, const RECT& r, bool cut) {
        if (!cut || Width(r) <= 0 || Height(r) <= 0) return RectRegion(r);
        TBitmap picture(Width(r), Height(r), pf32bit);
        DrawBorderSide(side, {0, 0, Width(r), Height(r)}, picture.Canvas().Handle());
        return RegionFromBitmap(picture, r.left, r.top);
      };
      const RECT topStrip{frameLeft_, 0, w - frameRight_, frameTop_};
      GdiObject<HRGN> topPart;
      if (top.Trans() == 1 && frameTop_ > 1 && Width(topStrip) > 0 && captionBitmap_.Width() == w &&
          captionBitmap_.Height() == frameTop_) {
        // the caption strip as painted: the buttons and the text's band belong to the window too
        PixelView strip = ViewOf(captionBitmap_);
        strip.bits += std::ptrdiff_t(strip.bytesPerPixel) * frameLeft_;
        strip.width = Width(topStrip);
        topPart = RegionFromPixels(strip, frameLeft_, 0);
      } else {
        topPart = part(top, topStrip, top.Trans() == 1 && frameTop_ > 1);
      }
      Unite(region, part(left, {0, 0, frameLeft_, h}, left.Trans() == 1 && h > 1));
      Unite(region, part(right, {w - frameRight_, 0, w, h}, right.Trans() == 1 && h > 1));
      Unite(region, topPart);
      Unite(region, part(bottom, {frameLeft_, h - frameBottom_, w - frameRight_, h},
                         bottom.Trans() == 1 && frameBottom_ >= 2));
    }
  }
  // the platform owns a region once it is the window's: never deleted here afterwards
  if (region && SetWindowRgn(handle_, region.Get(), redraw)) {
    region.Release();
    hasRegion_ = true;
  }
}

bool TSkinForm::AwaitsFirstPaint() const {
  if (!IsWindowVisible(handle_)) return true;
  RECT client{};
  GetClientRect(handle_, &client);
  if (IsRectEmpty(&client)) return false;
  GdiObject<HRGN> pending = RectRegion({0, 0, 0, 0}), unpainted = RectRegion(client);
  if (!pending || !unpainted || GetUpdateRgn(handle_, pending.Get(), FALSE) <= NULLREGION) return false;
  return CombineRgn(unpainted.Get(), unpainted.Get(), pending.Get(), RGN_DIFF) == NULLREGION;
}

void TSkinForm::FitUnpainted() {
  RECT before{};
  GetWindowRect(handle_, &before);
  // nothing of it is on screen: what waits to be painted or erased is dropped, so that neither
  // change below erases anything at once, and invalidated again as a whole afterwards
  RedrawWindow(handle_, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOERASE | RDW_ALLCHILDREN);
  FitWindow(false, false);
  ApplyRegion(false);
  if (!IsWindowVisible(handle_)) return;  // showing it paints it whole
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
  // what the window covered before and no longer covers (a narrower frame, the cut-away corners),
  // in the coordinates of the window behind it
  RECT after{};
  GetWindowRect(handle_, &after);
  GdiObject<HRGN> uncovered = RectRegion(before), covered = RectRegion({0, 0, 0, 0});
  if (!uncovered || !covered) return;
  if (GetWindowRgn(handle_, covered.Get()) == ERROR) covered = RectRegion({0, 0, Width(after), Height(after)});
  OffsetRgn(covered.Get(), after.left, after.top);
  if (CombineRgn(uncovered.Get(), uncovered.Get(), covered.Get(), RGN_DIFF) <= NULLREGION) return;
  const HWND behind = GetAncestor(handle_, GA_PARENT);
  POINT origin{0, 0};
  MapWindowPoints(behind, nullptr, &origin, 1);
  OffsetRgn(uncovered.Get(), -origin.x, -origin.y);
  RedrawWindow(behind, nullptr, uncovered.Get(), RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TSkinForm::ClearRegion() {
  if (!hasRegion_) return;
  captionBitmap_.Clear();
  SetWindowRgn(handle_, nullptr, kind_ == kKindMDIChild);
  hasRegion_ = false;
  regionWidth_ = regionHeight_ = 0;
}

}  // namespace bus
