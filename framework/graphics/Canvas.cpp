#include "framework/graphics/Canvas.h"

#include "core/WideText.h"
#include "framework/graphics/Graphic.h"

namespace bus {

TCanvas::TCanvas() {
  font_.SetOnChange([this] { Deselect(kFontValid); });
  pen_.SetOnChange([this] { Deselect(kPenValid); });
  brush_.SetOnChange([this] { Deselect(kBrushValid); });
}

TCanvas::TCanvas(HDC dc) : TCanvas() { SetHandle(dc); }

TCanvas::~TCanvas() { SetHandle(nullptr); }

HDC TCanvas::Handle() {
  if (!dc_) CreateHandle();
  if (!dc_) throw EInvalidGraphicOperation("Canvas does not allow drawing");
  return dc_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  if (dc_) {
    Deselect(kFontValid | kPenValid | kBrushValid);
    if (savedState_ != 0) RestoreDC(dc_, savedState_);
    dc_ = nullptr;
    savedState_ = 0;
  }
  if (dc) {
    dc_ = dc;
    savedState_ = SaveDC(dc);
  }
}

void TCanvas::Deselect(unsigned which) {
  which &= state_;
  if (!dc_ || which == 0) return;
  if (which & kFontValid) SelectObject(dc_, originalFont_);
  if (which & kPenValid) SelectObject(dc_, originalPen_);
  if (which & kBrushValid) SelectObject(dc_, originalBrush_);
  state_ &= ~which;
}

void TCanvas::Refresh() { Deselect(kFontValid | kPenValid | kBrushValid); }

void TCanvas::RequireState(unsigned needed) {
  HDC dc = Handle();
  const unsigned missing = needed & ~state_;
  if (missing & kFontValid) {
    HGDIOBJ previous = SelectObject(dc, font_.Handle());
    originalFont_ = previous;
    SetTextColor(dc, ColorToRGB(font_.Color()));
  }
  if (missing & kPenValid) {
    originalPen_ = SelectObject(dc, pen_.Handle());
    SetROP2(dc, PenModeToRop2(pen_.Mode()));
  }
  if (missing & kBrushValid) {
    originalBrush_ = SelectObject(dc, brush_.Handle());
    SetBkColor(dc, ColorToRGB(brush_.Color()));
    SetBkMode(dc, brush_.Style() == bsSolid ? OPAQUE : TRANSPARENT);
  }
  state_ |= missing;
}

POINT TCanvas::PenPos() {
  POINT p{};
  GetCurrentPositionEx(Handle(), &p);
  return p;
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(Handle(), x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  RequireState(kPenValid | kBrushValid);
  ::LineTo(dc_, x, y);
}

void TCanvas::Polyline(std::span<const POINT> points) {
  RequireState(kPenValid | kBrushValid);
  ::Polyline(dc_, points.data(), int(points.size()));
}

void TCanvas::PolyPolyline(std::span<const POINT> points, std::span<const DWORD> counts) {
  std::size_t total = 0;
  for (DWORD c : counts) total += c;
  if (total > points.size()) throw EInvalidGraphicOperation("Polyline counts exceed the points given");
  RequireState(kPenValid | kBrushValid);
  ::PolyPolyline(dc_, points.data(), counts.data(), DWORD(counts.size()));
}

void TCanvas::Polygon(std::span<const POINT> points) {
  RequireState(kPenValid | kBrushValid);
  ::Polygon(dc_, points.data(), int(points.size()));
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  RequireState(kPenValid | kBrushValid);
  ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  RequireState(kPenValid | kBrushValid);
  ::RoundRect(dc_, left, top, right, bottom, cornerWidth, cornerHeight);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  RequireState(kPenValid | kBrushValid);
  ::Ellipse(dc_, left, top, right, bottom);
}

void TCanvas::FillRect(const RECT& r) {
  RequireState(kBrushValid);
  ::FillRect(dc_, &r, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& r) {
  RequireState(kBrushValid);
  ::FrameRect(dc_, &r, brush_.Handle());
}

void TCanvas::DrawFocusRect(const RECT& r) {
  RequireState(kBrushValid);
  ::DrawFocusRect(dc_, &r);
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  RequireState(kFontValid | kBrushValid);
  const std::wstring w = Widen(text);
  ExtTextOutW(dc_, x, y, textFlags_, nullptr, w.data(), UINT(w.size()), nullptr);
}

void TCanvas::TextRect(const RECT& clip, int x, int y, std::string_view text) {
  RequireState(kFontValid | kBrushValid);
  UINT options = textFlags_ | ETO_CLIPPED;
  if (brush_.Style() != bsClear) options |= ETO_OPAQUE;
  const std::wstring w = Widen(text);
  ExtTextOutW(dc_, x, y, options, &clip, w.data(), UINT(w.size()), nullptr);
}

int TCanvas::TextRect(RECT& rect, std::string_view text, UINT format) {
  RequireState(kFontValid | kBrushValid);
  const std::wstring w = Widen(text);
  return ::DrawTextW(dc_, w.data(), int(w.size()), &rect, format);
}

SIZE TCanvas::TextExtent(std::string_view text) {
  RequireState(kFontValid);
  const std::wstring w = Widen(text);
  SIZE s{};
  GetTextExtentPoint32W(dc_, w.data(), int(w.size()), &s);
  return s;
}

TEXTMETRICW TCanvas::TextMetrics() {
  RequireState(kFontValid);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc_, &tm);
  return tm;
}

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
  if (graphic.Empty()) return;
  graphic.Draw(*this, RECT{x, y, x + graphic.Width(), y + graphic.Height()});
}

void TCanvas::StretchDraw(const RECT& rect, TGraphic& graphic) {
  if (graphic.Empty()) return;
  graphic.Draw(*this, rect);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& src) {
  HDC target = Handle();
  HDC from = source.Handle();
  SetStretchBltMode(target, COLORONCOLOR);
  StretchBlt(target, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, from, src.left,
             src.top, src.right - src.left, src.bottom - src.top, copyMode_);
}

COLORREF TCanvas::Pixel(int x, int y) { return GetPixel(Handle(), x, y); }

void TCanvas::SetPixel(int x, int y, TColor color) { ::SetPixel(Handle(), x, y, ColorToRGB(color)); }

RECT TCanvas::ClipRect() {
  RECT r{};
  GetClipBox(Handle(), &r);
  return r;
}

}  // namespace bus
