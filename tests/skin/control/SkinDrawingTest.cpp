// The skin drawing routines under Wine: what they put into a device context is, pixel for pixel,
// what the portable nine-slice rule renders, laid over what was there before.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/SkinDrawing.h"
#include "skin/data/SkinData.h"
#include "tests/skin/control/DrawingSurface.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowPicture.h"
#include "tests/support/WindowTestSupport.h"

namespace bus {
namespace {

using test::Background;
using test::BackgroundImage;
using test::Coded;
using test::Composed;
using test::FirstDifference;
using test::Strip;
using test::Surface;

bool HasMagenta(const BmpImage& image) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if ((image.Pixel(x, y) & 0xFFFFFF) == kSkinTransparent) return true;
    }
  }
  return false;
}

class SkinDrawing : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    skin_ = std::make_unique<TSkinData>(nullptr);
    skin_->StoredSkin().LoadFromFile(test::BinaryDir() / "bussearch.skn");
    ASSERT_TRUE(skin_->LoadSkin());
  }
  static void TearDownTestSuite() { skin_.reset(); }

  // The default skin's push buttons and the four window borders, with sizes to draw them at: below
  // their margins, their own frame size, and the sizes they have on the main window.
  struct Subject {
    const char* name;                 // for messages
    const TDataSkinObject* object;    // from the default skin
    bool vertical;                    // frames stacked
    std::vector<SIZE> sizes;          // to draw at
  };
  static std::vector<Subject> Subjects() {
    return {{"Buttons", skin_->Buttons(), false, {{1, 1}, {5, 6}, {16, 16}, {17, 7}, {75, 25}, {150, 37}}},
            {"Left", skin_->Left(), false, {{4, 410}, {4, 20}, {6, 40}, {2, 100}}},
            {"Right", skin_->Right(), false, {{4, 410}, {4, 33}, {9, 41}}},
            {"Top", skin_->Top(), true, {{789, 30}, {10, 30}, {24, 30}, {100, 31}}},
            {"Bottom", skin_->Bottom(), true, {{789, 4}, {12, 4}, {40, 7}}}};
  }

  static std::unique_ptr<TSkinData> skin_;  // the default skin, loaded once
};

std::unique_ptr<TSkinData> SkinDrawing::skin_;

constexpr int kInset = 3;  // where drawings start on their surface

TEST_F(SkinDrawing, EveryFrameOfTheButtonsAndBordersIsTheNineSliceRulesPictureOverWhatWasThere) {
  bool sawMagenta = false;
  for (const Subject& s : Subjects()) {
    const TDataSkinObject& o = *s.object;
    ASSERT_FALSE(o.Image().Empty()) << s.name;
    const BmpImage strip = o.Image().ToImage();
    for (int frame = 1; frame <= o.Frame(); ++frame) {
      for (const SIZE size : s.sizes) {
        for (const bool tile : {false, true}) {
          for (const bool transparent : {false, true}) {
            const int w = size.cx, h = size.cy;
            const RECT rect{kInset, kInset, kInset + w, kInset + h};
            const BmpImage rendered = RenderSkinImage(strip, w, h, o.Margins(), s.vertical, tile, o.Frame(), frame);
            const BmpImage expected = Composed(w + 2 * kInset, h + 2 * kInset, kInset, kInset, rendered, transparent);
            sawMagenta = sawMagenta || (transparent && HasMagenta(rendered));
            Surface surface(w + 2 * kInset, h + 2 * kInset);
            DrawSkinImage(surface.Dc(), rect, o.Image(), s.vertical, tile, transparent, o.Frame(), frame, o.Margins());
            ASSERT_EQ(FirstDifference(surface.Pixels(), expected), "")
                << s.name << " frame " << frame << " at " << w << " x " << h << (tile ? ", tiled" : "")
                << (transparent ? ", transparent" : "");
            if (!s.vertical && tile == (o.Tile() == 1) && transparent == (o.Trans() == 1)) {
              Surface object(w + 2 * kInset, h + 2 * kInset);
              DrawSkinObject(object.Dc(), rect, o.Frame(), frame, o);
              ASSERT_EQ(FirstDifference(object.Pixels(), expected), "") << s.name << " drawn as an object";
            }
          }
        }
      }
    }
  }
  EXPECT_TRUE(sawMagenta) << "the skin's rounded corners are magenta, so transparency was drawn";
}

TEST_F(SkinDrawing, BorderLeavesTheInsideUntouched) {
  for (const Subject& s : Subjects()) {
    const TDataSkinObject& o = *s.object;
    const BmpImage strip = o.Image().ToImage();
    for (int frame = 1; frame <= o.Frame(); ++frame) {
      for (const SIZE size : s.sizes) {
        const int w = size.cx, h = size.cy;
        // opaque and stretched, whatever the object says, on the bands only
        const BmpImage rendered = RenderSkinImage(strip, w, h, o.Margins(), s.vertical, false, o.Frame(), frame);
        BmpImage expected = BackgroundImage(w + 2 * kInset, h + 2 * kInset);
        for (const TSkinRect band : SkinBorderBands(w, h, o.Margins())) {
          for (int y = band.top; y < band.bottom; ++y) {
            for (int x = band.left; x < band.right; ++x) expected.SetPixel(kInset + x, kInset + y, rendered.Pixel(x, y));
          }
        }
        Surface surface(w + 2 * kInset, h + 2 * kInset);
        DrawSkinBorder(surface.Dc(), {kInset, kInset, kInset + w, kInset + h}, o.Image(), s.vertical, o.Frame(), frame,
                       o.Margins());
        ASSERT_EQ(FirstDifference(surface.Pixels(), expected), "") << s.name << " frame " << frame << " at " << w
                                                                    << " x " << h;
      }
    }
  }
  // the tab page's fixed margins on a large page: the inside keeps its picture
  Surface page(200, 150);
  DrawSkinBorder(page.Dc(), {10, 10, 190, 140}, skin_->Buttons()->Image(), false, 5, 1, {4, 5, 4, 4});
  const BmpImage after = page.Pixels();
  EXPECT_EQ(after.Pixel(14, 15) & 0xFFFFFF, Background(14, 15) & 0xFFFFFF);
  EXPECT_EQ(after.Pixel(185, 135) & 0xFFFFFF, Background(185, 135) & 0xFFFFFF);
  EXPECT_NE(after.Pixel(13, 15) & 0xFFFFFF, Background(13, 15) & 0xFFFFFF);
  EXPECT_NE(after.Pixel(14, 14) & 0xFFFFFF, Background(14, 14) & 0xFFFFFF);
}

TEST_F(SkinDrawing, OnlyMagentaShowsThrough) {
  // magenta in a 24-bit strip and in a 32-bit one whose fourth byte is set; colours one step from it
  const std::uint32_t colours[] = {0xFF00FF, 0xFE00FF, 0xFF01FF, 0xFF00FE, 0x000000, 0xFFFFFF};
  for (const TPixelFormat format : {pf24bit, pf32bit}) {
    auto strip = Strip(2, 6, 1, format, [&](int f, int x, int) { return f == 2 ? colours[x] : 0x123456u; });
    if (format == pf32bit) {
      for (int x = 0; x < strip->Width(); ++x) strip->ScanLine(0)[4 * x + 3] = std::uint8_t(x * 40);
    }
    Surface surface(6, 1);
    DrawSkinFrameTransparent(surface.Dc(), {0, 0, 6, 1}, 2, 2, *strip);
    const BmpImage after = surface.Pixels();
    EXPECT_EQ(after.Pixel(0, 0) & 0xFFFFFF, Background(0, 0) & 0xFFFFFF) << "magenta shows what was below";
    for (int x = 1; x < 6; ++x) EXPECT_EQ(after.Pixel(x, 0) & 0xFFFFFF, colours[x]) << format << " column " << x;
  }
  // a frame that is all magenta changes nothing; drawn opaquely, magenta is a colour like any other
  auto key = Strip(1, 4, 4, pf24bit, [](int, int, int) { return kSkinTransparent; });
  Surface surface(8, 8);
  DrawSkinFrame(surface.Dc(), {2, 2, 6, 6}, *key, true, 1, 1);
  EXPECT_EQ(FirstDifference(surface.Pixels(), BackgroundImage(8, 8)), "");
  DrawSkinFrame(surface.Dc(), {2, 2, 6, 6}, *key, false, 1, 1);
  EXPECT_EQ(surface.Pixels().Pixel(3, 3) & 0xFFFFFF, kSkinTransparent);
}

TEST_F(SkinDrawing, EmptyOrInvertedRectanglesDrawNothing) {
  const TBitmap& buttons = skin_->Buttons()->Image();
  const TDataSkinObject& object = *skin_->Buttons();
  const RECT rects[] = {{10, 10, 10, 30}, {10, 10, 30, 10}, {30, 10, 10, 30}, {10, 30, 30, 10}, {5, 5, -5, -5}};
  Surface surface(40, 40);
  HDC dc = surface.Dc();
  for (const RECT& r : rects) {
    DrawSkinImage(dc, r, buttons, false, true, true, 5, 1, object.Margins());
    DrawSkinImage(dc, r, buttons, false, false, false, 5, 1, object.Margins());
    DrawSkinObject(dc, r, 5, 2, object);
    DrawSkinBorder(dc, r, buttons, false, 5, 3, object.Margins());
    DrawSkinFrame(dc, r, buttons, false, 5, 4);
    DrawSkinFrameTransparent(dc, r, 5, 5, buttons);
    DrawSkinFrameTransparent(surface.Canvas(), r, 5, 5, buttons);
    DrawSkinGlyph(dc, r, buttons, false, 5, 1);
    DrawTransparent(dc, r, buttons, clFuchsia);
    TileBitmap(surface.Canvas(), r, buttons, {0, 0, 4, 4});
    EXPECT_TRUE(RenderSkinImage(r, buttons, object.Margins(), false, false, 5, 1)->Empty());
  }
  // nothing to draw from: an empty image, a frame the strip does not have, an empty tile
  const RECT r{5, 5, 35, 35};
  TBitmap empty;
  DrawSkinImage(dc, r, empty, false, false, false, 5, 1, {});
  DrawSkinGlyph(dc, r, empty, false, 1, 1);
  DrawTransparent(dc, r, empty, clFuchsia);
  for (const int frame : {0, 6, -1}) {
    DrawSkinImage(dc, r, buttons, false, false, false, 5, frame, object.Margins());
    DrawSkinGlyph(dc, r, buttons, false, 5, frame);
  }
  TileBitmap(surface.Canvas(), r, buttons, {4, 4, 2, 2});
  TileBitmap(surface.Canvas(), r, buttons, {1000, 0, 1010, 10});
  EXPECT_EQ(FirstDifference(surface.Pixels(), BackgroundImage(40, 40)), "");
  // the surface's own bitmap is still the one selected into its DC
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), surface.Handle());
  // no DC at all: nothing happens, nothing breaks
  DrawSkinObject(nullptr, r, 5, 1, object);
  DrawSkinBorder(nullptr, r, buttons, false, 5, 1, object.Margins());
  DrawTransparent(nullptr, r, buttons, clFuchsia);
}

TEST_F(SkinDrawing, GlyphsAreCentredAtTheirOwnSize) {
  // frame 2 of three 5 × 3 frames, with a magenta pixel at its top-left
  auto glyphs = Strip(3, 5, 3, pf24bit, [](int f, int x, int y) { return x + y == 0 ? kSkinTransparent : Coded(f, x, y); });
  const BmpImage frame2 = RenderSkinImage(glyphs->ToImage(), 5, 3, {}, false, false, 3, 2);
  struct Case {
    RECT rect;    // where it is centred
    POINT at;     // where the frame's top-left lands
  };
  // offsets (12 − 5) / 2 = 3 and (9 − 3) / 2 = 3; in a smaller rectangle (3 − 5) / 2 = −1 and
  // (2 − 3) / 2 = 0, truncated toward zero
  for (const Case c : {Case{{10, 10, 22, 19}, {13, 13}}, Case{{10, 10, 13, 12}, {9, 10}}, Case{{0, 0, 5, 3}, {0, 0}}}) {
    for (const bool transparent : {false, true}) {
      Surface surface(30, 30);
      DrawSkinGlyph(surface.Dc(), c.rect, *glyphs, transparent, 3, 2);
      EXPECT_EQ(FirstDifference(surface.Pixels(), Composed(30, 30, c.at.x, c.at.y, frame2, transparent)), "")
          << c.rect.left << "," << c.rect.top << " " << c.rect.right - c.rect.left << " x "
          << c.rect.bottom - c.rect.top << (transparent ? ", transparent" : "");
    }
  }
}

TEST_F(SkinDrawing, TilesRunOverTheDestinationInWholeTiles) {
  auto image = Strip(1, 7, 6, pf24bit, Coded);
  // a 3 × 2 tile from (1, 2) over (2, 3)-(12, 8): four columns and three rows of whole tiles,
  // reaching x = 13 and y = 8
  Surface surface(20, 20);
  TileBitmap(surface.Canvas(), {2, 3, 12, 8}, *image, {1, 2, 4, 4});
  const BmpImage tiles = RenderTiles(ViewOf(image->ToImage()), {1, 2, 4, 4}, 10, 5);
  ASSERT_EQ(tiles.width, 12);
  ASSERT_EQ(tiles.height, 6);
  const BmpImage after = surface.Pixels();
  EXPECT_EQ(FirstDifference(after, Composed(20, 20, 2, 3, tiles, false)), "");
  EXPECT_EQ(after.Pixel(13, 8) & 0xFFFFFF, Coded(1, 3, 3));
  EXPECT_EQ(after.Pixel(14, 9) & 0xFFFFFF, Background(14, 9) & 0xFFFFFF);
  // a source running past the image is cut to it: here a 2 × 1 tile
  Surface cut(20, 20);
  TileBitmap(cut.Canvas(), {0, 0, 5, 3}, *image, {5, 5, 9, 9});
  EXPECT_EQ(cut.Pixels().Pixel(4, 2) & 0xFFFFFF, Coded(1, 5, 5));
  EXPECT_EQ(cut.Pixels().Pixel(5, 2) & 0xFFFFFF, Coded(1, 6, 5));
  EXPECT_EQ(cut.Pixels().Pixel(6, 2) & 0xFFFFFF, Background(6, 2) & 0xFFFFFF);
}

TEST_F(SkinDrawing, LargeDrawingsAreSeamlessAcrossTheirBands) {
  // over a million pixels: rendered and copied in several bands of rows, tiles crossing them
  constexpr int kW = 1100, kH = 1000;
  auto image = Strip(2, 9, 11, pf24bit, [](int f, int x, int y) { return (x * 5 + y * 3) % 4 == 0 ? kSkinTransparent : Coded(f, x, y); });
  const TSkinMargins margins{2, 3, 3, 2};
  Surface nine(kW + 2, kH + 2);
  DrawSkinImage(nine.Dc(), {1, 1, kW + 1, kH + 1}, *image, false, true, true, 2, 2, margins);
  const BmpImage rendered = RenderSkinImage(image->ToImage(), kW, kH, margins, false, true, 2, 2);
  EXPECT_EQ(FirstDifference(nine.Pixels(), Composed(kW + 2, kH + 2, 1, 1, rendered, true)), "");

  Surface tiled(kW + 10, kH + 10);
  TileBitmap(tiled.Canvas(), {1, 1, kW + 1, kH + 1}, *image, {2, 2, 9, 7});
  const BmpImage tiles = RenderTiles(ViewOf(image->ToImage()), {2, 2, 9, 7}, kW, kH);
  EXPECT_EQ(FirstDifference(tiled.Pixels(), Composed(kW + 10, kH + 10, 1, 1, tiles, false)), "");
}

TEST_F(SkinDrawing, TransparentCopyTakesTheTopLeftPartAndAnyKeyColour) {
  // red is the key here; magenta is drawn
  auto image = Strip(1, 8, 6, pf24bit, [](int, int x, int y) {
    return x == y ? 0xFF0000u : x == 4 && y == 1 ? kSkinTransparent : Coded(1, x, y);
  });
  const BmpImage pixels = image->ToImage();
  Surface surface(30, 30);
  DrawTransparent(surface.Dc(), {2, 3, 7, 7}, *image, clRed);  // 5 × 4 of the 8 × 6
  BmpImage part(5, 4);
  DrawImage(TargetOf(part), 0, 0, ViewOf(pixels), std::nullopt);
  BmpImage expected = BackgroundImage(30, 30);
  DrawImage(TargetOf(expected), 2, 3, ViewOf(part), 0xFF0000u);
  EXPECT_EQ(FirstDifference(surface.Pixels(), expected), "");
  EXPECT_EQ(surface.Pixels().Pixel(6, 4) & 0xFFFFFF, kSkinTransparent);
  // a rectangle larger than the image: the image only
  Surface large(30, 30);
  DrawTransparent(large.Dc(), {10, 10, 30, 30}, *image, clRed);
  BmpImage whole = BackgroundImage(30, 30);
  DrawImage(TargetOf(whole), 10, 10, ViewOf(pixels), 0xFF0000u);
  EXPECT_EQ(FirstDifference(large.Pixels(), whole), "");
}

TEST_F(SkinDrawing, RenderedBitmapsAndCanvasTargetsGetTheSamePixels) {
  const TDataSkinObject& o = *skin_->Buttons();
  const BmpImage strip = o.Image().ToImage();
  const auto bitmap = RenderSkinImage({-20, 7, 55, 32}, o.Image(), o.Margins(), false, true, o.Frame(), 4);
  ASSERT_EQ(bitmap->Width(), 75);
  ASSERT_EQ(bitmap->Height(), 25);
  EXPECT_EQ(bitmap->PixelFormat(), pf32bit);
  EXPECT_EQ(FirstDifference(bitmap->ToImage(), RenderSkinImage(strip, 75, 25, o.Margins(), false, true, o.Frame(), 4)), "");

  // the check-box strip drawn onto a canvas, magenta transparent
  const auto& check = static_cast<const TDataSkinButton&>(o).CheckButton();
  const int frames = static_cast<const TDataSkinButton&>(o).CheckButtonFrame();
  ASSERT_GT(frames, 0);
  const int fw = check.Width() / frames;
  Surface surface(fw + 4, check.Height() + 4);
  DrawSkinFrameTransparent(surface.Canvas(), {2, 2, 2 + fw, 2 + check.Height()}, frames, 2, check);
  const BmpImage frame = RenderSkinImage(check.ToImage(), fw, check.Height(), {}, false, false, frames, 2);
  EXPECT_EQ(FirstDifference(surface.Pixels(), Composed(fw + 4, check.Height() + 4, 2, 2, frame, true)), "");
}

// A plain top-level window without a background brush, so nothing but the test paints it.
class PlainWindow {
public:
  PlainWindow(int x, int y, int w, int h) {
    static const ATOM kClass = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = DefWindowProcW;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"SkinDrawingTestWindow";
      return RegisterClassW(&wc);
    }();
    window_ = CreateWindowExW(WS_EX_TOPMOST, MAKEINTATOM(kClass), L"", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~PlainWindow() {
    if (window_) DestroyWindow(window_);
  }
  PlainWindow(const PlainWindow&) = delete;
  PlainWindow& operator=(const PlainWindow&) = delete;
  HWND Handle() const noexcept { return window_; }

private:
  HWND window_ = nullptr;  // owned
};

TEST_F(SkinDrawing, TransparentDrawingOnAWindowShowsTheWindowUnderMagenta) {
  constexpr int kW = 120, kH = 60;
  PlainWindow window(40, 40, kW, kH);
  ASSERT_NE(window.Handle(), nullptr);
  ASSERT_TRUE(test::PumpUntil([&] { return !GetUpdateRect(window.Handle(), nullptr, FALSE); }));
  const TDataSkinObject& o = *skin_->Buttons();
  const RECT button{10, 12, 85, 37}, glyph{90, 10, 110, 30};
  auto holes = Strip(1, 20, 20, pf24bit, [](int, int x, int y) { return (x + y) % 2 ? kSkinTransparent : Coded(1, x, y); });
  {
    WindowDC dc(window.Handle());
    ASSERT_TRUE(dc);
    const BmpImage background = BackgroundImage(kW, kH);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), kW, -kH, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    ASSERT_EQ(SetDIBitsToDevice(dc.Get(), 0, 0, kW, kH, 0, 0, 0, kH, background.pixels.data(), &bi, DIB_RGB_COLORS), kH);
    DrawSkinObject(dc.Get(), button, o.Frame(), 4, o);
    // a glyph with more holes than are worth drawing around: laid over the window's pixels read back
    DrawSkinGlyph(dc.Get(), glyph, *holes, true, 1, 1);
  }
  const BmpImage rendered = RenderSkinImage(o.Image().ToImage(), 75, 25, o.Margins(), false, o.Tile() == 1, o.Frame(), 4);
  BmpImage expected = Composed(kW, kH, button.left, button.top, rendered, true);
  DrawImage(expected, glyph.left, glyph.top, holes->ToImage(), true);
  std::string difference;
  EXPECT_TRUE(test::PumpUntil([&] { return (difference = FirstDifference(test::WindowImage(window.Handle()), expected)).empty(); }))
      << difference;
  // the rounded corner shows the window; the outline beside it is the skin's
  EXPECT_EQ(rendered.Pixel(0, 0) & 0xFFFFFF, kSkinTransparent);
}

}  // namespace
}  // namespace bus
