#include "framework/graphics/Icon.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"

namespace {

using namespace bus;

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

// An icon file with one 32-bit image per size: a square of the colour (0xRRGGBB) with a transparent
// one-pixel border.
std::vector<std::uint8_t> MakeIco(const std::vector<std::pair<int, std::uint32_t>>& images) {
  std::vector<std::vector<std::uint8_t>> bodies;
  for (const auto& [size, rgb] : images) {
    std::vector<std::uint8_t> b;
    Put32(b, 40);
    Put32(b, std::uint32_t(size));
    Put32(b, std::uint32_t(2 * size));
    Put16(b, 1);
    Put16(b, 32);
    for (int i = 0; i < 6; ++i) Put32(b, 0);
    const std::size_t maskRow = std::size_t((size + 31) / 32) * 4;
    std::vector<std::uint8_t> mask(maskRow * size, 0);
    for (int y = 0; y < size; ++y)  // bottom-up, like the mask
      for (int x = 0; x < size; ++x) {
        const bool border = x == 0 || y == 0 || x == size - 1 || y == size - 1;
        Put32(b, border ? 0u : 0xFF000000u | rgb);
        if (border) mask[maskRow * y + x / 8] |= std::uint8_t(0x80 >> (x % 8));
      }
    b.insert(b.end(), mask.begin(), mask.end());
    bodies.push_back(std::move(b));
  }
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, std::uint16_t(images.size()));
  std::uint32_t offset = std::uint32_t(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    out.push_back(std::uint8_t(images[i].first));
    out.push_back(std::uint8_t(images[i].first));
    out.push_back(0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, std::uint32_t(bodies[i].size()));
    Put32(out, offset);
    offset += std::uint32_t(bodies[i].size());
  }
  for (const auto& b : bodies) out.insert(out.end(), b.begin(), b.end());
  return out;
}

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
  std::vector<std::vector<std::uint8_t>> bad;
  for (std::size_t n : {std::size_t(0), std::size_t(5), std::size_t(21), std::size_t(60), good.size() - 1})
    bad.emplace_back(good.begin(), good.begin() + std::ptrdiff_t(n));
  auto cursor = good;
  cursor[2] = 2;  // a cursor file, not an icon
  bad.push_back(cursor);
  auto none = good;
  none[4] = 0;  // no images
  bad.push_back(none);
  auto farOffset = good;
  farOffset[18] = 0xFF;  // image offset past the end
  bad.push_back(farOffset);
  auto tall = good;
  tall[22 + 8] = 64;  // the image claims 32 rows, the entry holds 16
  bad.push_back(tall);
  auto deep = good;
  deep[22 + 14] = 7;  // no such bit depth
  bad.push_back(deep);
  for (std::size_t i = 0; i < bad.size(); ++i) {
    if (bad[i].empty()) continue;  // no bytes: LoadFromStream empties, LoadFromBytes rejects
    EXPECT_THROW(icon.LoadFromBytes(bad[i]), EInvalidGraphic) << i;
  }
  EXPECT_THROW(icon.LoadFromBytes({}), EInvalidGraphic);
  EXPECT_EQ(icon.Handle(), kept);
  TMemoryStream empty;
  icon.LoadFromStream(empty);
  EXPECT_TRUE(icon.Empty());
}

}  // namespace
