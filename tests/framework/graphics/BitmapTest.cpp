#include "framework/graphics/Bitmap.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "framework/graphics/Icon.h"
#include "tests/framework/graphics/GraphicsTestSupport.h"

namespace {

using namespace bus;
using bus::test::CountColour;
using bus::test::GdiObjectCount;
using bus::test::RgbAt;

// A bitmap that lives as long as the process: made before main, freed after the test run ends.
TBitmap gProcessBitmap;

TEST(Bitmap, AStaticBitmapWorksAndMakesNoGdiObjectUntilSized) {
  EXPECT_TRUE(gProcessBitmap.Empty());
  EXPECT_EQ(gProcessBitmap.Handle(), nullptr);
  gProcessBitmap.SetSize(8, 8);
  gProcessBitmap.Canvas().Brush().SetColor(clRed);
  gProcessBitmap.Canvas().FillRect(RECT{0, 0, 8, 8});
  EXPECT_EQ(RgbAt(gProcessBitmap, 7, 7), 0xFF0000u);
  // freed (with its memory DC) by the static destructor after main returns
}

TEST(Bitmap, NewObjectsMakeNoGdiObjects) {
  const int before = GdiObjectCount();
  {
    TBitmap bitmap;
    TFont font;
    TPen pen;
    TBrush brush;
    TCanvas canvas;
    TIcon icon;
    EXPECT_EQ(GdiObjectCount(), before);
    EXPECT_FALSE(font.HandleAllocated());
    EXPECT_FALSE(pen.HandleAllocated());
    EXPECT_FALSE(brush.HandleAllocated());
    EXPECT_FALSE(canvas.HandleAllocated());
  }
}

TEST(Bitmap, ScanLinesAndTheCanvasShareThePixels) {
  TBitmap bitmap(5, 3, pf24bit);
  EXPECT_EQ(bitmap.ScanLineSize(), 16);  // 15 bytes padded to 4
  EXPECT_EQ(RgbAt(bitmap, 4, 2), 0u);    // new pixels are black
  bitmap.Canvas().Brush().SetColor(clRed);
  bitmap.Canvas().FillRect(RECT{0, 0, 5, 3});
  EXPECT_EQ(RgbAt(bitmap, 0, 0), 0xFF0000u);  // canvas drawing is flushed before ScanLine
  std::uint8_t* row = bitmap.ScanLine(1);
  row[3 * 2 + 0] = 0xFF;  // blue at (2, 1)
  row[3 * 2 + 1] = 0;
  row[3 * 2 + 2] = 0;
  EXPECT_EQ(bitmap.Canvas().Pixel(2, 1), RGB(0, 0, 255));
  EXPECT_EQ(bitmap.Canvas().Pixel(2, 0), RGB(255, 0, 0));  // row 0 is the top row
  EXPECT_THROW(bitmap.ScanLine(3), EInvalidGraphicOperation);
  EXPECT_THROW(bitmap.ScanLine(-1), EInvalidGraphicOperation);
  BITMAP bm{};
  ASSERT_TRUE(GetObjectW(bitmap.Handle(), sizeof bm, &bm));
  EXPECT_EQ(bm.bmBitsPixel, 24);
  EXPECT_EQ(bm.bmWidth, 5);
}

TEST(Bitmap, ResizingKeepsTheSharedAreaAndNotifies) {
  TBitmap bitmap(4, 4, pf32bit);
  int changes = 0;
  bitmap.SetOnChange([&] { ++changes; });
  bitmap.Canvas().Brush().SetColor(clBlue);
  bitmap.Canvas().FillRect(RECT{0, 0, 4, 4});
  bitmap.SetSize(6, 2);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(bitmap.Width(), 6);
  EXPECT_EQ(bitmap.Height(), 2);
  EXPECT_EQ(RgbAt(bitmap, 3, 1), 0x0000FFu);
  EXPECT_EQ(RgbAt(bitmap, 4, 0), 0u);
  // the canvas follows the new image
  bitmap.Canvas().Brush().SetColor(clLime);
  bitmap.Canvas().FillRect(RECT{0, 0, 6, 2});
  EXPECT_EQ(CountColour(bitmap, RECT{0, 0, 6, 2}, 0x00FF00), 12);
  bitmap.SetSize(6, 2);
  EXPECT_EQ(changes, 1);
  bitmap.SetHeight(0);
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Handle(), nullptr);
  EXPECT_EQ(changes, 2);
}

TEST(Bitmap, PixelFormatConversionKeepsColours) {
  TBitmap bitmap(3, 2, pf24bit);
  bitmap.Canvas().Brush().SetColor(RGBColor(10, 20, 30));
  bitmap.Canvas().FillRect(RECT{0, 0, 3, 2});
  bitmap.SetPixelFormat(pf32bit);
  EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
  EXPECT_EQ(RgbAt(bitmap, 2, 1), 0x0A141Eu);
  EXPECT_EQ(bitmap.ScanLine(0)[3], 0);
  bitmap.SetPixelFormat(pf24bit);
  EXPECT_EQ(RgbAt(bitmap, 2, 1), 0x0A141Eu);
  // the filters' way of reading: a 32-bit device-independent copy through the handle
  std::uint32_t pixels[6] = {};
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, 2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  WindowDC screen;
  ASSERT_EQ(GetDIBits(screen.Get(), bitmap.Handle(), 0, 2, pixels, &bi, DIB_RGB_COLORS), 2);
  EXPECT_EQ(pixels[0] & 0xFFFFFF, 0x0A141Eu);
}

TEST(Bitmap, AssignMakesAnIndependentCopy) {
  TBitmap original(3, 3, pf32bit);
  original.Canvas().Brush().SetColor(clRed);
  original.Canvas().FillRect(RECT{0, 0, 3, 3});
  TBitmap copy;
  copy.Assign(original);
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(copy.PixelFormat(), pf32bit);
  EXPECT_NE(copy.Handle(), original.Handle());
  EXPECT_EQ(RgbAt(copy, 1, 1), 0xFF0000u);
  copy.Canvas().SetPixel(1, 1, clBlue);
  EXPECT_EQ(RgbAt(original, 1, 1), 0xFF0000u);
  copy.Assign(TBitmap());
  EXPECT_TRUE(copy.Empty());
}

std::vector<std::uint8_t> OneBitFile() {
  // 3 × 2, 1 bit per pixel: colour table (red, white), rows bottom-up, each padded to 4 bytes
  std::vector<std::uint8_t> f = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,  // file header
                                 40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0,
                                 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
                                 0, 0, 255, 0, 255, 255, 255, 0,                     // red, white
                                 0b10100000, 0, 0, 0,                                // bottom: white red white
                                 0b01000000, 0, 0, 0};                               // top: red white red
  return f;
}

TEST(Bitmap, LoadsBmpBytesFromTheStreamPositionAndSavesThemBack) {
  TMemoryStream stream;
  stream.WriteBuffer("junk", 4);
  const auto file = OneBitFile();
  stream.WriteBuffer(file.data(), file.size());
  stream.SetPosition(4);
  TBitmap bitmap;
  int changes = 0;
  bitmap.SetOnChange([&] { ++changes; });
  bitmap.LoadFromStream(stream);
  EXPECT_EQ(changes, 1);
  ASSERT_EQ(bitmap.Width(), 3);
  ASSERT_EQ(bitmap.Height(), 2);
  EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
  EXPECT_EQ(RgbAt(bitmap, 0, 0), 0xFF0000u);
  EXPECT_EQ(RgbAt(bitmap, 1, 0), 0xFFFFFFu);
  EXPECT_EQ(RgbAt(bitmap, 0, 1), 0xFFFFFFu);
  EXPECT_EQ(RgbAt(bitmap, 1, 1), 0xFF0000u);
  // the loaded image is a real GDI bitmap
  EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), RGB(255, 0, 0));

  TMemoryStream saved;
  bitmap.SaveToStream(saved);
  const BmpImage image = DecodeBmp(std::span(saved.Memory(), std::size_t(saved.Size())));
  EXPECT_EQ(image.sourceBitsPerPixel, 24);
  EXPECT_EQ(image.pixels, bitmap.ToImage().pixels);

  // 32-bit files stay 32-bit, the fourth byte included
  BmpImage alpha(2, 1);
  alpha.SetPixel(0, 0, 0x80112233);
  alpha.SetPixel(1, 0, 0x00445566);
  const auto bytes32 = EncodeBmp(alpha, 32);
  TMemoryStream s32;
  s32.WriteBuffer(bytes32.data(), bytes32.size());
  s32.SetPosition(0);
  bitmap.LoadFromStream(s32);
  EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
  EXPECT_EQ(bitmap.ToImage().pixels, alpha.pixels);
}

TEST(Bitmap, InvalidBytesRaiseTheLoaderErrorAndLeaveTheImageAlone) {
  TBitmap bitmap(2, 2, pf24bit);
  bitmap.Canvas().Brush().SetColor(clRed);
  bitmap.Canvas().FillRect(RECT{0, 0, 2, 2});
  int changes = 0;
  bitmap.SetOnChange([&] { ++changes; });
  auto file = OneBitFile();
  file.resize(file.size() - 1);  // one byte short
  for (const std::vector<std::uint8_t>& bad :
       {file, std::vector<std::uint8_t>{'B', 'M', 1, 2, 3}, std::vector<std::uint8_t>{'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'}}) {
    TMemoryStream stream;
    stream.WriteBuffer(bad.data(), bad.size());
    stream.SetPosition(0);
    EXPECT_THROW(bitmap.LoadFromStream(stream), EInvalidGraphic);
    stream.SetPosition(0);
    EXPECT_THROW(bitmap.LoadFromStream(stream), bus::Exception);  // the project's error type
  }
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(bitmap.Width(), 2);
  EXPECT_EQ(RgbAt(bitmap, 1, 1), 0xFF0000u);
  TMemoryStream empty;
  bitmap.LoadFromStream(empty);
  EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, CopiesOutsideBitmapsOfAnyKind) {
  WindowDC screen;
  GdiObject<HBITMAP> ddb(CreateCompatibleBitmap(screen.Get(), 4, 4));
  {
    MemoryDC dc(screen.Get());
    DcSelection selected(dc.Get(), ddb.Get());
    RECT all{0, 0, 4, 4}, corner{0, 0, 2, 2};
    FillRect(dc.Get(), &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
    FillRect(dc.Get(), &corner, HBRUSH(GetStockObject(BLACK_BRUSH)));
  }
  TBitmap bitmap;
  bitmap.LoadFromBitmapHandle(ddb.Get());
  EXPECT_EQ(bitmap.Width(), 4);
  EXPECT_EQ(RgbAt(bitmap, 1, 1), 0u);
  EXPECT_EQ(RgbAt(bitmap, 3, 3), 0xFFFFFFu);

  const std::uint8_t mono[] = {0x80, 0, 0x00, 0};  // 2 rows of 16 bits: top row starts with a set bit
  GdiObject<HBITMAP> monochrome(CreateBitmap(2, 2, 1, 1, mono));
  bitmap.LoadFromBitmapHandle(monochrome.Get());
  EXPECT_EQ(RgbAt(bitmap, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(RgbAt(bitmap, 1, 0), 0u);
  EXPECT_THROW(bitmap.LoadFromBitmapHandle(nullptr), EInvalidGraphicOperation);
}

TEST(Bitmap, DrawsItselfOntoACanvasAtItsSizeOrStretched) {
  TBitmap picture(2, 1, pf24bit);
  picture.Canvas().SetPixel(0, 0, clRed);
  picture.Canvas().SetPixel(1, 0, clBlue);
  picture.ReleaseCanvasHandle();  // drawing must not need the picture's own canvas
  TBitmap target(10, 10, pf32bit);
  target.Canvas().Draw(3, 4, picture);
  EXPECT_EQ(RgbAt(target, 3, 4), 0xFF0000u);
  EXPECT_EQ(RgbAt(target, 4, 4), 0x0000FFu);
  EXPECT_EQ(RgbAt(target, 5, 4), 0u);
  target.Canvas().StretchDraw(RECT{0, 6, 10, 10}, picture);
  EXPECT_EQ(CountColour(target, RECT{0, 6, 5, 10}, 0xFF0000), 20);
  EXPECT_EQ(CountColour(target, RECT{5, 6, 10, 10}, 0x0000FF), 20);
  target.Canvas().Draw(0, 0, target);  // onto itself: harmless
  TBitmap empty;
  target.Canvas().Draw(0, 0, empty);
}

// One round of everything the drawing classes do; returns every GDI handle that was made on the way.
std::vector<HGDIOBJ> UseEverything(int i) {
  std::vector<HGDIOBJ> made;
  TBitmap bitmap(32, 16, i % 2 ? pf32bit : pf24bit);
  made.push_back(bitmap.Handle());
  TCanvas& c = bitmap.Canvas();
  made.push_back(c.Handle());
  c.Font().SetHeight(-10 - i % 5);
  c.TextOut(0, 0, "公交 bus");
  made.push_back(c.Font().Handle());
  c.Font().SetStyle({fsBold});
  c.Pen().SetColor(clRed);
  c.Brush().SetColor(RGBColor(1, 2, 3));
  c.Rectangle(0, 0, 10, 10);
  c.TextOut(0, 0, "公交 bus");
  made.insert(made.end(), {c.Font().Handle(), c.Pen().Handle(), c.Brush().Handle()});
  c.Font().SetColor(clBlue);
  c.Brush().SetStyle(bsCross);
  c.FillRect(RECT{0, 0, 5, 5});
  made.push_back(c.Brush().Handle());
  TBitmap copy;
  copy.Assign(bitmap);
  made.push_back(copy.Handle());
  copy.SetSize(40, 40);
  made.push_back(copy.Handle());
  copy.SetPixelFormat(pf24bit);
  made.push_back(copy.Handle());
  c.Draw(0, 0, copy);
  TMemoryStream stream;
  copy.SaveToStream(stream);
  stream.SetPosition(0);
  bitmap.LoadFromStream(stream);
  made.insert(made.end(), {bitmap.Handle(), bitmap.Canvas().Handle()});
  TFont outside;
  outside.SetHandle(CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"SimSun"));
  made.push_back(outside.Handle());
  c.SetFont(outside);
  c.TextOut(0, 0, "x");
  TCanvas foreign(c.Handle());  // a second canvas on the same DC, unbound first
  foreign.Brush().SetColor(RGBColor(9, 9, 9));
  foreign.FillRect(RECT{0, 0, 2, 2});
  made.push_back(foreign.Brush().Handle());
  return made;
}

TEST(Bitmap, EveryGdiObjectIsReleasedByItsOwner) {
  const int before = GdiObjectCount();  // counted where the platform counts (Wine does not)
  for (int i = 0; i < 200; ++i) {
    const std::vector<HGDIOBJ> made = UseEverything(i);
    for (std::size_t k = 0; k < made.size(); ++k) {
      ASSERT_NE(made[k], nullptr) << k;
      ASSERT_EQ(GetObjectType(made[k]), 0u) << "round " << i << ", object " << k << " still alive";
    }
  }
  if (before >= 0) {
    EXPECT_EQ(GdiObjectCount(), before);
  }
}

}  // namespace
