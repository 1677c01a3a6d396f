// What the wrapper tests share: a form on the screen with our default skin and a wrapper list to
// attach wrappers to one by one, and ways to read what landed on the screen (ink of texts, pixels
// compared with a skin image rendered to measure).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/BmpFile.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"
#include "tests/support/SkinWindowsSupport.h"
#include "tests/support/WindowPicture.h"

namespace bus {
class TFont;
class TSkinData;
}  // namespace bus

namespace bus::test {

// A form of 460 × 320 at (40, 40), shown; the default skin (bin/bussearch.skn), loaded once; the
// list wrappers register with and the canvas they are handed.
class SkinnedFormTest : public ::testing::Test {
protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;
  // control on the form at (x, y), w × h.
  template <class C>
  C* Place(C* control, int x, int y, int w, int h) {
    control->SetParent(form_);
    control->SetBounds(x, y, w, h);
    return control;
  }

  static std::unique_ptr<TSkinData> skin_;  // the default skin
  TWrapperList host_;                       // the wrappers' form object
  TCanvas canvas_;                          // handed to the wrappers
  TForm* form_ = nullptr;                   // freed with what it holds
};

// The window's pixels as the screen shows them.
BmpImage Screen(HWND window);
// A colour as 0xRRGGBB, the form of BmpImage pixels without their alpha.
std::uint32_t Rgb(TColor colour);
// The height of text in font, pixels.
int TextHeightOf(const TFont& font, const wchar_t* text);

// Where ink lies in an area: its bounding box (right and bottom exclusive).
struct Extent {
  bool found = false;  // some ink at all
  int left = 0, top = 0, right = 0, bottom = 0;
};
// The pixels of area that have none of the background colours (0xRRGGBB).
Extent InkExtent(const BmpImage& image, const RECT& area, const std::vector<std::uint32_t>& background);
// The colours an image holds (0xRRGGBB).
std::vector<std::uint32_t> ColoursOf(const BmpImage& image);
bool HasColour(const BmpImage& image, const RECT& area, std::uint32_t colour);
// A w × h picture of colour after draw(dc) drew on it.
BmpImage OverColour(TColor colour, int w, int h, const std::function<void(HDC)>& draw);
// A w × h picture of the skin's face colour after draw(dc) drew on it.
BmpImage OverFace(const TSkinData& skin, int w, int h, const std::function<void(HDC)>& draw);
// A dialog window (#32770) inside parent at rect with one static text; the caller destroys it.
HWND ChildDialog(HWND parent, const RECT& rect, const wchar_t* text);

}  // namespace bus::test
