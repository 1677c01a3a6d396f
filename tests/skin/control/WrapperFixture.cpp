#include "tests/skin/control/WrapperFixture.h"

#include <algorithm>
#include <cstdio>

#include "framework/controls/Application.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/data/SkinData.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowPicture.h"
#include "tests/support/WindowTestSupport.h"

namespace bus::test {

std::unique_ptr<TSkinData> SkinnedFormTest::skin_;

void SkinnedFormTest::SetUpTestSuite() {
  StartSkinTestApplication();
  skin_ = std::make_unique<TSkinData>(nullptr);
  skin_->StoredSkin().LoadFromFile(BinaryDir() / "bussearch.skn");
  ASSERT_TRUE(skin_->LoadSkin());
}

void SkinnedFormTest::TearDownTestSuite() { skin_.reset(); }

void SkinnedFormTest::SetUp() {
  form_ = new TForm(Application);
  form_->SetBounds(40, 40, 460, 320);
  form_->Show();
  PumpPending();
}

void SkinnedFormTest::TearDown() {
  form_->Free();
  PumpPending();
}

BmpImage Screen(HWND window) { return WindowImage(window); }

std::uint32_t Rgb(TColor colour) {
  const std::uint32_t c = ColorToRGB(colour);
  return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

int TextHeightOf(const TFont& font, const wchar_t* text) {
  const WindowDC screen;
  const DcSelection selected(screen.Get(), font.Handle());
  SIZE size{};
  GetTextExtentPoint32W(screen.Get(), text, int(wcslen(text)), &size);
  return size.cy;
}

Extent InkExtent(const BmpImage& image, const RECT& area, const std::vector<std::uint32_t>& background) {
  Extent e;
  for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, image.height); ++y) {
    for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, image.width); ++x) {
      const std::uint32_t p = image.Pixel(x, y) & 0xFFFFFF;
      if (std::find(background.begin(), background.end(), p) != background.end()) continue;
      if (!e.found) e = {true, x, y, x + 1, y + 1};
      e.left = std::min(e.left, x);
      e.top = std::min(e.top, y);
      e.right = std::max(e.right, x + 1);
      e.bottom = std::max(e.bottom, y + 1);
    }
  }
  return e;
}

std::vector<std::uint32_t> ColoursOf(const BmpImage& image) {
  std::vector<std::uint32_t> colours;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t p = image.Pixel(x, y) & 0xFFFFFF;
      if (std::find(colours.begin(), colours.end(), p) == colours.end()) colours.push_back(p);
    }
  }
  return colours;
}

bool HasColour(const BmpImage& image, const RECT& area, std::uint32_t colour) {
  for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, image.height); ++y) {
    for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, image.width); ++x) {
      if ((image.Pixel(x, y) & 0xFFFFFF) == colour) return true;
    }
  }
  return false;
}

BmpImage OverColour(TColor colour, int w, int h, const std::function<void(HDC)>& draw) {
  TBitmap picture(w, h, pf32bit);
  HDC dc = picture.Canvas().Handle();
  const GdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(colour)));
  const RECT all{0, 0, w, h};
  FillRect(dc, &all, brush.Get());
  draw(dc);
  return picture.ToImage();
}

BmpImage OverFace(const TSkinData& skin, int w, int h, const std::function<void(HDC)>& draw) {
  return OverColour(skin.ButtonFace(), w, h, draw);
}

HWND ChildDialog(HWND parent, const RECT& rect, const wchar_t* text) {
  const HWND dialog = CreateWindowExW(0, L"#32770", nullptr, WS_CHILD | WS_VISIBLE | DS_CONTROL, rect.left, rect.top,
                                      rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, nullptr, nullptr);
  CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, dialog, nullptr, nullptr, nullptr);
  return dialog;
}

}  // namespace bus::test
