#include "framework/graphics/Icon.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "tests/support/IconFileSupport.h"

namespace {

using namespace bus;
using bus::test::MakeIco;

TMemoryStream StreamOf(const std::vector<std::uint8_t>& bytes) {
  TMemoryStream s;
  s.WriteBuffer(bytes.data(), bytes.size());
  s.SetPosition(0);
  return s;
}

// The icon drawn at its size on white.
BmpImage Picture(TIcon& icon) {
  TBitmap b(icon.Width(), icon.Height(), pf24bit);
  b.Canvas().Brush().SetColor(clWhite);
  b.Canvas().FillRect(RECT{0, 0, icon.Width(), icon.Height()});
  b.Canvas().Draw(0, 0, icon);
  return b.ToImage();
}

std::uint32_t RgbAt(const BmpImage& image, int x, int y) { return image.Pixel(x, y) & 0xFFFFFF; }

int CountColour(const BmpImage& image, const RECT& r, std::uint32_t rgb) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += RgbAt(image, x, y) == rgb;
  return n;
}

TEST(Icon, LoadsTheImageClosestToThePreferredSize) {
  const auto file = MakeIco({{16, 0xFF0000}, {32, 0x0000FF}});
  TIcon icon;
  int changes = 0;
  icon.SetOnChange([&] { ++changes; });
  TMemoryStream s = StreamOf(file);
  icon.LoadFromStream(s);  // the system's large size, 32
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(icon.Empty());
  EXPECT_EQ(icon.Width(), GetSystemMetrics(SM_CXICON));
  icon.SetPreferredSize(16);
  icon.LoadFromBytes(file);
  EXPECT_EQ(icon.Width(), 16);
  EXPECT_EQ(icon.Height(), 16);
  const BmpImage picture = Picture(icon);
  EXPECT_EQ(RgbAt(picture, 8, 8), 0xFF0000u);
  EXPECT_EQ(RgbAt(picture, 0, 0), 0xFFFFFFu);  // the transparent border shows the background
  EXPECT_EQ(CountColour(picture, RECT{1, 1, 15, 15}, 0xFF0000), 14 * 14);
}

TEST(Icon, SavedBytesLoadBackToTheSamePicture) {
  TIcon icon;
  icon.SetPreferredSize(16);
  icon.LoadFromBytes(MakeIco({{16, 0x00FF00}}));
  TMemoryStream saved;
  icon.SaveToStream(saved);
  saved.SetPosition(0);
  TIcon again;
  again.SetPreferredSize(16);
  again.LoadFromStream(saved);
  ASSERT_EQ(again.Width(), 16);
  EXPECT_EQ(Picture(again).pixels, Picture(icon).pixels);
}

TEST(Icon, AssignCopiesAndEveryIconDestroysItsOwnHandle) {
  TIcon original;
  original.SetPreferredSize(16);
  original.LoadFromBytes(MakeIco({{16, 0x0000FF}}));
  HICON first = original.Handle();
  HICON copied;
  {
    TIcon copy;
    copy.Assign(original);
    copied = copy.Handle();
    EXPECT_NE(copied, first);
    EXPECT_EQ(copy.Width(), 16);
    EXPECT_EQ(RgbAt(Picture(copy), 5, 5), 0x0000FFu);
  }
  ICONINFO info{};
  EXPECT_FALSE(GetIconInfo(copied, &info));  // destroyed with the copy
  ASSERT_TRUE(GetIconInfo(first, &info));     // the original is untouched
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  HICON given = original.ReleaseHandle();
  EXPECT_TRUE(original.Empty());
  TIcon adopter;
  adopter.SetHandle(given);
  EXPECT_EQ(adopter.Width(), 16);
  adopter.Assign(TIcon());
  EXPECT_TRUE(adopter.Empty());
  EXPECT_FALSE(GetIconInfo(given, &info));
}

TEST(Icon, InvalidBytesRaiseTheLoaderErrorAndKeepTheIcon) {
  const auto good = MakeIco({{16, 0xFF0000}});
  TIcon icon;
  icon.SetPreferredSize(16);
  icon.LoadFromBytes(good);
  HICON kept = icon.Handle();
  int changes = 0;
  icon.SetOnChange([&] { ++changes; });
  auto tall = good;
  tall[22 + 8] = 64;  // the image claims 32 rows, the file holds 16
  TMemoryStream s = StreamOf(tall);
  EXPECT_THROW(icon.LoadFromStream(s), EInvalidGraphic);
  EXPECT_THROW(icon.LoadFromBytes(std::span(good.data(), good.size() - 1)), EInvalidGraphic);
  EXPECT_THROW(icon.LoadFromBytes({}), EInvalidGraphic);
  EXPECT_EQ(icon.Handle(), kept);
  EXPECT_EQ(changes, 0);
  TMemoryStream empty;
  icon.LoadFromStream(empty);
  EXPECT_TRUE(icon.Empty());
}

}  // namespace
