// The menu item painter off screen: the separator cut from the MenuItem strip, the colours of a
// disabled item's text, and texts that would otherwise measure to nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "core/ScopeExit.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/data/ButtonFrames.h"
#include "skin/data/SkinData.h"
#include "skin/form/MenuItemPainter.h"
#include "tests/skin/form/FrameProbes.h"
#include "tests/support/SkinWindowsSupport.h"
#include "tests/support/TestSupport.h"

namespace bus {
namespace {

constexpr std::uint32_t kGround = 0x102030;  // what lies under a drawing

class MenuItemPainterTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { test::StartSkinTestApplication(); }
  // A bitmap of w × h filled with kGround.
  static std::unique_ptr<TBitmap> Ground(int w, int h) {
    auto b = std::make_unique<TBitmap>(w, h);
    b->Canvas().Brush().SetColor(TColor(RGB(0x10, 0x20, 0x30)));
    b->Canvas().FillRect({0, 0, w, h});
    return b;
  }
  static std::uint32_t Pixel(TBitmap& b, int x, int y) { return test::ColorRef(GetPixel(b.Canvas().Handle(), x, y)); }
  // How many pixels of b within r have the colour, or nearly (text may be smoothed).
  static int Count(TBitmap& b, const RECT& r, std::uint32_t rgb) {
    const auto alike = [](std::uint32_t a, std::uint32_t c) {
      for (int shift : {0, 8, 16})
        if (std::abs(int((a >> shift) & 0xFF) - int((c >> shift) & 0xFF)) > 40) return false;
      return true;
    };
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += alike(Pixel(b, x, y), rgb);
    return n;
  }
  TSkinData skin_{nullptr};
};

TEST_F(MenuItemPainterTest, TheSeparatorKeepsItsEndsAndStretchesItsMiddle) {
  skin_.StoredSkin().LoadFromFile(test::BinaryDir() / "bussearch.skn");
  ASSERT_TRUE(skin_.LoadSkin());
  const TDataSkinObject& object = *skin_.MenuItem();
  const TBitmap& image = object.Image();
  const int fw = image.Width() / 5, ih = image.Height();
  // the line of frame 2: the row with the most pixels that are not magenta
  int lineRow = -1, best = 0;
  for (int y = 0; y < ih; ++y) {
    int n = 0;
    for (int x = fw; x < 2 * fw; ++x) n += test::ImagePixel(image, x, y) != 0xFF00FF;
    if (n > best) best = n, lineRow = y;
  }
  ASSERT_GE(lineRow, 0) << "the skin's separator frame has a line";
  const std::uint32_t line = test::ImagePixel(image, fw + fw / 2, lineRow);
  const bool leftEndOpen = test::ImagePixel(image, fw, lineRow) == 0xFF00FF;
  const bool rightEndOpen = test::ImagePixel(image, 2 * fw - 1, lineRow) == 0xFF00FF;

  for (const int h : {ih, ih - 4}) {
    SCOPED_TRACE(h == ih ? "an item as high as the image" : "a lower item shows the image's bottom rows");
    const int w = 120;
    const int row = lineRow - (ih - h);  // the source rows ih - h … ih fill the item
    auto target = Ground(w, h);
    TMenuItemPainter(skin_, nullptr).DrawSeparator(target->Canvas(), {0, 0, w, h});
    EXPECT_EQ(Pixel(*target, w / 2, row), line) << "the middle is stretched across";
    EXPECT_EQ(Pixel(*target, 20, row), line);
    // the ends are copied, not stretched: magenta there leaves what lay below
    EXPECT_EQ(Pixel(*target, 0, row), leftEndOpen ? kGround : line);
    EXPECT_EQ(Pixel(*target, w - 1, row), rightEndOpen ? kGround : line);
    EXPECT_EQ(Pixel(*target, w / 2, row == 0 ? 1 : 0), kGround) << "off the line the ground shows";
  }
}

TEST_F(MenuItemPainterTest, ADisabledCaptionTakesTheShadowColourUnlessItIsTheTextColour) {
  struct Case {
    const char* colours;   // descriptor lines
    std::uint32_t shadow;  // the expected caption colour
    const char* what;
  };
  const std::uint32_t system = test::ColorRef(GetSysColor(COLOR_BTNSHADOW));
  const Case cases[] = {
      {"MenuText=0 0 200\r\nButtonShadow=200 0 0\r\nMenu=255 255 255\r\n", 0xC80000, "the skin's ButtonShadow"},
      {"MenuText=0 0 200\r\nButtonShadow=0 0 200\r\nMenu=255 255 255\r\n", system, "the platform's, the skin's equals MenuText"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::GiveTestSkin(skin_, c.colours);
    TMenuItem item(nullptr);
    item.SetCaption("WWWW");
    item.SetEnabled(false);
    auto target = Ground(120, 20);
    target->Canvas().SetFont(Screen().MenuFont());
    TMenuItemPainter(skin_, nullptr).DrawMenuItem(item, target->Canvas(), {0, 0, 120, 20}, false);
    EXPECT_GT(Count(*target, {0, 0, 120, 20}, c.shadow), 0);
    EXPECT_EQ(Count(*target, {0, 0, 120, 20}, 0x0000C8), 0) << "never the enabled text colour";
    EXPECT_EQ(Pixel(*target, 119, 0), 0xFFFFFF) << "the flat look without MenuItem: the Menu colour";
    item.SetEnabled(true);
    TMenuItemPainter(skin_, nullptr).DrawMenuItem(item, target->Canvas(), {0, 0, 120, 20}, false);
    EXPECT_GT(Count(*target, {0, 0, 120, 20}, 0x0000C8), 0) << "enabled: MenuText";
  }
}

TEST_F(MenuItemPainterTest, TheDefaultItemIsBoldAndTheNextOneIsNot) {
  test::GiveTestSkin(skin_, "MenuText=0 0 200\r\nMenu=255 255 255\r\n");
  TMenuItem item(nullptr), next(nullptr);
  item.SetCaption("WWWW");
  next.SetCaption("WWWW");
  item.SetDefault(true);
  const TMenuItemPainter painter(skin_, nullptr);
  const auto inked = [&](TMenuItem& i) {
    auto target = Ground(120, 20);
    target->Canvas().SetFont(Screen().MenuFont());
    painter.DrawMenuItem(i, target->Canvas(), {0, 0, 120, 20}, false);
    return Count(*target, {0, 0, 120, 20}, 0x0000C8);
  };
  const int plain = inked(next), bold = inked(item);
  EXPECT_GT(bold, plain + 4);
  EXPECT_EQ(inked(next), plain) << "the work bitmap keeps neither the bold font nor the last item's ink";
}

TEST_F(MenuItemPainterTest, ACheckedItemWithAnImageSitsInASunkenPatternedBox) {
  test::GiveTestSkin(skin_, "Menu=255 255 255\r\n");
  TPopupMenu menu(nullptr);
  TImageList images(nullptr);
  images.SetWidth(16);
  images.SetHeight(16);
  TBitmap dot(16, 16);  // magenta around a black dot: the box shows around it
  dot.Canvas().Brush().SetColor(TColor(RGB(255, 0, 255)));
  dot.Canvas().FillRect({0, 0, 16, 16});
  dot.Canvas().Brush().SetColor(TColor(RGB(0, 0, 0)));
  dot.Canvas().FillRect({6, 6, 10, 10});
  ASSERT_EQ(images.AddMasked(dot, TColor(RGB(255, 0, 255))), 0);
  menu.SetImages(&images);
  auto* item = new TMenuItem(&menu);
  item->SetCaption("W");
  item->SetImageIndex(0);
  menu.Items()->Add(item);
  const TMenuItemPainter painter(skin_, nullptr);
  const auto box = [&](bool checked) {
    item->SetChecked(checked);
    auto target = Ground(80, 20);
    painter.DrawMenuItem(*item, target->Canvas(), {0, 0, 80, 20}, false);
    // the glyph box is (1, 1) to (17, 17); its sunken edge one pixel outside
    return std::vector<std::uint32_t>{Pixel(*target, 8, 8), Pixel(*target, 2, 2), Pixel(*target, 3, 2),
                                      Pixel(*target, 8, 0), Pixel(*target, 8, 17)};
  };
  const std::uint32_t face = test::ColorRef(GetSysColor(COLOR_BTNFACE));
  const std::uint32_t light = test::ColorRef(GetSysColor(COLOR_BTNHILIGHT));
  const std::uint32_t shadow = test::ColorRef(GetSysColor(COLOR_BTNSHADOW));
  const std::vector<std::uint32_t> unchecked = box(false), checked = box(true);
  EXPECT_EQ(unchecked[0], 0u) << "the image";
  EXPECT_EQ(unchecked[1], 0xFFFFFFu) << "around it the item";
  EXPECT_EQ(checked[0], 0u) << "the image over the box";
  EXPECT_TRUE((checked[1] == face && checked[2] == light) || (checked[1] == light && checked[2] == face))
      << "the dotted pattern around the image";
  EXPECT_EQ(checked[3], shadow) << "the sunken edge: dark above";
  EXPECT_EQ(checked[4], light) << "light below";
}

// A checked radio item of a native menu (MFT_RADIOCHECK) shows the skin's checked radio picture in
// its glyph box, or a dot in the caption's colour when the skin has none; never the check mark.
TEST_F(MenuItemPainterTest, ACheckedRadioItemShowsTheSkinsRadioLookNotACheckMark) {
  constexpr UINT kRadio = 0x2001, kCheck = 0x2002;
  const HMENU menu = CreatePopupMenu();
  const ScopeExit destroy([menu] { DestroyMenu(menu); });
  for (const UINT id : {kRadio, kCheck}) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    mii.fType = MFT_STRING | (id == kRadio ? MFT_RADIOCHECK : 0);
    mii.fState = MFS_CHECKED;
    mii.wID = id;
    mii.dwTypeData = const_cast<wchar_t*>(L"WWWW");
    ASSERT_TRUE(InsertMenuItemW(menu, id, FALSE, &mii));
  }
  ASSERT_TRUE(TMenuItemPainter::IsRadioItem(menu, kRadio));
  ASSERT_FALSE(TMenuItemPainter::IsRadioItem(menu, kCheck));
  // the glyph box of an item drawn at (0, 0) and its middle
  const auto draw = [&](UINT id, bool selected, bool enabled) {
    std::unique_ptr<TMenuItem> item = TMenuItemPainter::BuildTempItem(menu, id);
    item->SetEnabled(enabled);
    auto target = Ground(120, 20);
    TMenuItemPainter(skin_, nullptr).DrawNativeItem(menu, id, *item, selected, {0, 0, 120, 20}, target->Canvas());
    return target;
  };
  const std::uint32_t mark = test::ColorRef(GetSysColor(COLOR_BTNTEXT));

  {
    SCOPED_TRACE("a skin with a radio picture");
    skin_.StoredSkin().LoadFromFile(test::BinaryDir() / "bussearch.skn");
    ASSERT_TRUE(skin_.LoadSkin());
    const TDataSkinButton& buttons = *skin_.Buttons();
    const TBitmap& radio = buttons.RadioButton();
    ASSERT_FALSE(radio.Empty());
    const int frames = buttons.RadioButtonFrame(), fw = radio.Width() / frames;
    // the frame lies centred in the glyph box, (1 + LeftWidth, 1) to 16 × 16 further
    const int inset = skin_.MenuItem()->LeftWidth(), fh = radio.Height();
    const POINT at{1 + inset + (16 - fw) / 2, 1 + (16 - fh) / 2};
    // every pixel of the frame but its magenta ones is on the target
    const auto shows = [&](TBitmap& target, int frame) {
      int compared = 0, differing = 0;
      for (int y = 0; y < fh; ++y) {
        for (int x = 0; x < fw; ++x) {
          const std::uint32_t p = test::ImagePixel(radio, (frame - 1) * fw + x, y);
          if (p == 0xFF00FF) continue;
          ++compared;
          differing += Pixel(target, at.x + x, at.y + y) != p;
        }
      }
      return compared > 0 && differing == 0;
    };
    const int checked = RadioButtonFrame(true, true, frames), unchecked = RadioButtonFrame(false, true, frames);
    ASSERT_FALSE(shows(*draw(kRadio, false, true), unchecked)) << "the checked frame differs from the unchecked";
    for (const bool selected : {false, true})
      EXPECT_TRUE(shows(*draw(kRadio, selected, true), checked)) << (selected ? "selected" : "normal");
    EXPECT_TRUE(shows(*draw(kRadio, false, false), RadioButtonFrame(true, false, frames))) << "disabled";
    const RECT glyph{1 + inset, 1, 17 + inset, 17};
    // the plain checked item keeps its check mark, which the radio item has not
    EXPECT_GT(Count(*draw(kCheck, false, true), glyph, mark), Count(*draw(kRadio, false, true), glyph, mark));
  }
  {
    SCOPED_TRACE("a skin without pictures: a dot in the caption's colour");
    test::GiveTestSkin(skin_, "MenuText=0 0 200\r\nHilightText=200 0 0\r\nMenu=255 255 255\r\nHilight=0 0 0\r\n");
    const POINT middle{1 + 8, 1 + 8};
    EXPECT_EQ(Pixel(*draw(kRadio, false, true), middle.x, middle.y), 0x0000C8u);
    EXPECT_EQ(Pixel(*draw(kRadio, true, true), middle.x, middle.y), 0xC80000u) << "selected";
    auto check = draw(kCheck, false, true);
    EXPECT_EQ(Count(*check, {1, 1, 17, 17}, 0x0000C8), 0) << "no dot for a check item";
    EXPECT_GT(Count(*check, {1, 1, 17, 17}, mark), 3) << "but its check mark";
  }
}

TEST_F(MenuItemPainterTest, AnAmpersandOrAnEmptyCaptionMeasuresOneBlankWide) {
  test::GiveTestSkin(skin_);
  auto target = Ground(10, 10);
  TCanvas& canvas = target->Canvas();
  canvas.SetFont(Screen().MenuFont());
  const int blank = canvas.TextWidth(" ");
  ASSERT_GT(blank, 0);
  TMenuItem item(nullptr);
  const TMenuItemPainter painter(skin_, nullptr);
  for (const wchar_t* text : {L"&", L""}) {
    RECT r{0, 0, 200, 20};
    painter.DrawItemText(item, canvas, DT_CALCRECT | DT_SINGLELINE, false, r, text);
    EXPECT_EQ(r.right - r.left, blank) << (text[0] ? "&" : "empty");
    EXPECT_GT(r.bottom - r.top, 0);
  }
  RECT r{0, 0, 200, 20};
  painter.DrawItemText(item, canvas, DT_CALCRECT | DT_SINGLELINE, false, r, L"&&");
  EXPECT_GT(r.right - r.left, 0) << "an escaped ampersand measures as one";
}

}  // namespace
}  // namespace bus
