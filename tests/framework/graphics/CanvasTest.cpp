#include "framework/graphics/Canvas.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "tests/framework/graphics/GraphicsTestSupport.h"

namespace {

using namespace bus;
using bus::test::CountColour;
using bus::test::Rgb;
using bus::test::RgbAt;

// What a device context has selected and set, to compare before and after a canvas used it.
struct DcState {
  HGDIOBJ font, pen, brush;
  COLORREF text, background;
  int bkMode, rop2, stretch;
  bool operator==(const DcState&) const = default;
};

DcState StateOf(HDC dc) {
  return {GetCurrentObject(dc, OBJ_FONT), GetCurrentObject(dc, OBJ_PEN), GetCurrentObject(dc, OBJ_BRUSH),
          GetTextColor(dc), GetBkColor(dc), GetBkMode(dc), GetROP2(dc), GetStretchBltMode(dc)};
}

// A memory DC with a small bitmap of its own, as a stand-in for a DC that belongs to someone else.
class ForeignDc {
public:
  ForeignDc() : screen_(), dc_(screen_.Get()), bitmap_(CreateCompatibleBitmap(screen_.Get(), 50, 50)) {
    previous_ = SelectObject(dc_.Get(), bitmap_.Get());
    SetStretchBltMode(dc_.Get(), HALFTONE);
    SetTextColor(dc_.Get(), RGB(1, 2, 3));
  }
  ~ForeignDc() { SelectObject(dc_.Get(), previous_); }
  HDC Get() const { return dc_.Get(); }

private:
  WindowDC screen_;
  MemoryDC dc_;
  GdiObject<HBITMAP> bitmap_;
  HGDIOBJ previous_;
};

TEST(Canvas, UnbindingGivesTheForeignDcBackAsItWas) {
  ForeignDc foreign;
  const DcState before = StateOf(foreign.Get());
  TCanvas canvas;
  canvas.SetHandle(foreign.Get());
  EXPECT_EQ(canvas.Handle(), foreign.Get());
  canvas.Font().SetColor(clRed);
  canvas.Pen().SetMode(pmNot);
  canvas.Brush().SetStyle(bsClear);
  canvas.TextOut(1, 1, "x");
  canvas.Rectangle(2, 2, 8, 8);
  canvas.CopyRect(RECT{0, 0, 4, 4}, canvas, RECT{0, 0, 2, 2});
  EXPECT_EQ(GetCurrentObject(foreign.Get(), OBJ_FONT), canvas.Font().Handle());
  EXPECT_EQ(GetCurrentObject(foreign.Get(), OBJ_PEN), canvas.Pen().Handle());
  EXPECT_EQ(GetROP2(foreign.Get()), R2_NOT);
  EXPECT_EQ(GetStretchBltMode(foreign.Get()), COLORONCOLOR);
  EXPECT_NE(StateOf(foreign.Get()), before);
  canvas.SetHandle(nullptr);
  EXPECT_FALSE(canvas.HandleAllocated());
  EXPECT_EQ(StateOf(foreign.Get()), before);

  // a canvas made for a DC unbinds when it goes
  {
    TCanvas scoped(foreign.Get());
    scoped.Brush().SetColor(clBlue);
    scoped.FillRect(RECT{0, 0, 5, 5});
    scoped.LineTo(5, 5);
  }
  EXPECT_EQ(StateOf(foreign.Get()), before);
}

TEST(Canvas, ChangingAnObjectWhileBoundDeselectsTheOldOne) {
  ForeignDc foreign;
  const HGDIOBJ originalFont = GetCurrentObject(foreign.Get(), OBJ_FONT);
  TCanvas canvas(foreign.Get());
  canvas.TextOut(0, 0, "a");
  HFONT old = canvas.Font().Handle();
  EXPECT_EQ(GetCurrentObject(foreign.Get(), OBJ_FONT), old);
  canvas.Font().SetHeight(-20);
  EXPECT_EQ(GetCurrentObject(foreign.Get(), OBJ_FONT), originalFont);
  EXPECT_EQ(GetObjectType(old), 0u);  // no longer selected, so really deleted
  canvas.TextOut(0, 0, "a");
  EXPECT_EQ(GetCurrentObject(foreign.Get(), OBJ_FONT), canvas.Font().Handle());
  LOGFONTW lf{};
  GetObjectW(GetCurrentObject(foreign.Get(), OBJ_FONT), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -20);
}

TEST(Canvas, ACanvasWithoutADeviceContextRefusesToDraw) {
  TCanvas canvas;
  EXPECT_THROW(canvas.Handle(), EInvalidGraphicOperation);
  EXPECT_THROW(canvas.FillRect(RECT{0, 0, 1, 1}), EInvalidGraphicOperation);
}

TEST(Canvas, ShapesAndLinesLandOnTheRightPixels) {
  TBitmap bitmap(40, 30, pf32bit);
  TCanvas& c = bitmap.Canvas();
  c.Brush().SetColor(clLime);
  c.FillRect(RECT{0, 0, 40, 30});
  EXPECT_EQ(CountColour(bitmap, RECT{0, 0, 40, 30}, 0x00FF00), 40 * 30);

  c.Pen().SetColor(clRed);
  c.Brush().SetColor(clBlue);
  c.Rectangle(5, 5, 15, 15);
  EXPECT_EQ(RgbAt(bitmap, 5, 5), 0xFF0000u);
  EXPECT_EQ(RgbAt(bitmap, 14, 14), 0xFF0000u);
  EXPECT_EQ(RgbAt(bitmap, 10, 10), 0x0000FFu);
  EXPECT_EQ(RgbAt(bitmap, 15, 15), 0x00FF00u);  // right and bottom are exclusive

  c.Brush().SetColor(clBlack);
  c.FrameRect(RECT{20, 5, 30, 15});
  EXPECT_EQ(RgbAt(bitmap, 20, 5), 0u);
  EXPECT_EQ(RgbAt(bitmap, 29, 14), 0u);
  EXPECT_EQ(RgbAt(bitmap, 25, 10), 0x00FF00u);  // inside untouched

  c.MoveTo(0, 20);
  c.LineTo(10, 20);
  EXPECT_EQ(RgbAt(bitmap, 0, 20), 0xFF0000u);
  EXPECT_EQ(RgbAt(bitmap, 9, 20), 0xFF0000u);
  EXPECT_EQ(RgbAt(bitmap, 10, 20), 0x00FF00u);
  EXPECT_EQ(c.PenPos().x, 10);

  // several polylines in one call
  const POINT points[] = {{0, 25}, {5, 25}, {30, 20}, {30, 29}};
  const DWORD counts[] = {2, 2};
  c.PolyPolyline(points, counts);
  EXPECT_EQ(RgbAt(bitmap, 3, 25), 0xFF0000u);
  EXPECT_EQ(RgbAt(bitmap, 30, 24), 0xFF0000u);
  EXPECT_EQ(RgbAt(bitmap, 10, 25), 0x00FF00u);
  const DWORD tooMany[] = {5};
  EXPECT_THROW(c.PolyPolyline(std::span(points, 2), tooMany), EInvalidGraphicOperation);

  c.SetPixel(39, 0, clYellow);
  EXPECT_EQ(Rgb(c.Pixel(39, 0)), 0xFFFF00u);
  EXPECT_EQ(RgbAt(bitmap, 39, 0), 0xFFFF00u);
}

TEST(Canvas, AnInvertingPenLineIsErasedByDrawingItAgain) {
  TBitmap bitmap(10, 10, pf24bit);
  TCanvas& c = bitmap.Canvas();
  c.Brush().SetColor(clLime);
  c.FillRect(RECT{0, 0, 10, 10});
  c.Pen().SetMode(pmNot);
  c.MoveTo(4, 0);
  c.LineTo(4, 10);
  EXPECT_EQ(RgbAt(bitmap, 4, 5), 0xFF00FFu);
  EXPECT_EQ(RgbAt(bitmap, 3, 5), 0x00FF00u);
  c.MoveTo(4, 0);
  c.LineTo(4, 10);
  EXPECT_EQ(RgbAt(bitmap, 4, 5), 0x00FF00u);
}

TEST(Canvas, TextIsDrawnInTheFontColourOverTheBrushUnlessTheBrushIsClear) {
  TBitmap bitmap(200, 40, pf24bit);
  TCanvas& c = bitmap.Canvas();
  c.Brush().SetColor(clWhite);
  c.FillRect(RECT{0, 0, 200, 40});
  c.Font().SetColor(clBlack);
  c.Brush().SetColor(clYellow);
  const SIZE extent = c.TextExtent("Wg");
  ASSERT_GT(extent.cx, 0);
  ASSERT_GT(extent.cy, 0);
  EXPECT_EQ(c.TextWidth("Wg"), extent.cx);
  c.TextOut(2, 2, "Wg");
  const RECT box{2, 2, 2 + extent.cx, 2 + extent.cy};
  EXPECT_GT(CountColour(bitmap, box, 0xFFFF00), 0);  // opaque background
  EXPECT_GT(CountColour(bitmap, box, 0x000000), 0);

  c.Brush().SetStyle(bsClear);
  c.TextOut(100, 2, "Wg");
  const RECT clear{100, 2, 100 + extent.cx, 2 + extent.cy};
  EXPECT_EQ(CountColour(bitmap, clear, 0xFFFF00), 0);
  EXPECT_GT(CountColour(bitmap, clear, 0x000000), 0);

  // clipped text stays inside its rectangle
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clWhite);
  c.FillRect(RECT{0, 0, 200, 40});
  c.TextRect(RECT{0, 20, 10, 40}, 0, 20, "WWWWWWWW");
  EXPECT_LT(CountColour(bitmap, RECT{0, 20, 10, 40}, 0xFFFFFF), 10 * 20);  // some ink inside
  EXPECT_EQ(CountColour(bitmap, RECT{10, 20, 200, 40}, 0xFFFFFF), 190 * 20);  // none outside

  RECT measured{0, 0, 1000, 1000};
  const int height = c.TextRect(measured, "Wg", DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(measured.right, extent.cx);
  EXPECT_EQ(height, extent.cy);
}

TEST(Canvas, ChineseTextIsMeasuredAndDrawnWithRealGlyphs) {
  TBitmap bitmap(120, 60, pf24bit);
  TCanvas& c = bitmap.Canvas();
  c.Font().SetHeight(-16);
  const SIZE one = c.TextExtent("公");
  const SIZE four = c.TextExtent("公交查询");
  ASSERT_GT(one.cx, 8);
  EXPECT_NEAR(four.cx, 4 * one.cx, 4);
  EXPECT_GT(four.cx, c.TextWidth("ab"));
  const TEXTMETRICW tm = c.TextMetrics();
  EXPECT_EQ(tm.tmHeight, four.cy);
  EXPECT_GE(tm.tmOverhang, 0);

  // two different characters must give two different pictures (missing glyphs all draw the same box)
  auto render = [&](const char* text, int x) {
    c.Brush().SetColor(clWhite);
    c.FillRect(RECT{x, 0, x + 30, 30});
    c.Font().SetColor(clBlack);
    c.TextOut(x, 0, text);
  };
  render("公", 0);
  render("询", 40);
  int ink = 0, different = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool a = RgbAt(bitmap, x, y) != 0xFFFFFF, b = RgbAt(bitmap, 40 + x, y) != 0xFFFFFF;
      ink += a;
      different += a != b;
    }
  EXPECT_GT(ink, 15);
  EXPECT_GT(different, 15);
}

TEST(Canvas, CopyRectStretchesBlocksAndHonoursTheCopyMode) {
  TBitmap source(2, 2, pf24bit);
  source.Canvas().SetPixel(0, 0, clRed);
  source.Canvas().SetPixel(1, 0, clLime);
  source.Canvas().SetPixel(0, 1, clBlue);
  source.Canvas().SetPixel(1, 1, clWhite);
  TBitmap target(20, 20, pf24bit);
  target.Canvas().CopyRect(RECT{0, 0, 20, 20}, source.Canvas(), RECT{0, 0, 2, 2});
  EXPECT_EQ(CountColour(target, RECT{0, 0, 10, 10}, 0xFF0000), 100);
  EXPECT_EQ(CountColour(target, RECT{10, 0, 20, 10}, 0x00FF00), 100);
  EXPECT_EQ(CountColour(target, RECT{0, 10, 10, 20}, 0x0000FF), 100);
  EXPECT_EQ(CountColour(target, RECT{10, 10, 20, 20}, 0xFFFFFF), 100);
  target.Canvas().SetCopyMode(DSTINVERT);
  target.Canvas().CopyRect(RECT{0, 0, 10, 10}, source.Canvas(), RECT{0, 0, 1, 1});
  EXPECT_EQ(CountColour(target, RECT{0, 0, 10, 10}, 0x00FFFF), 100);
}

}  // namespace
