#include "framework/graphics/Color.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using namespace bus;

TEST(Color, NamesAndNumbersConvertBothWays) {
  for (TColor c : {clBtnFace, clGradientActiveCaption, clNone, clDefault, clLime, clBlue, clWhite, clWindowText})
    EXPECT_EQ(StringToColor(ColorToString(c)), c) << ColorToString(c);
  EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
  EXPECT_EQ(ColorToString(0x00123456), "$00123456");
  EXPECT_EQ(StringToColor("$00123456"), 0x00123456u);
  EXPECT_EQ(StringToColor("CLBTNFACE"), clBtnFace);
  EXPECT_EQ(StringToColor("16711680"), clBlue);
  EXPECT_EQ(StringToColor("-2147483633"), clBtnFace);  // negative system colour numbers as stored
  EXPECT_EQ(StringToColor("$FF"), 0xFFu);
  for (const char* bad : {"", "$", "$123456789", "clNothing", "12x", "$-1", "99999999999"})
    EXPECT_FALSE(StringToColor(bad).has_value()) << bad;
  EXPECT_TRUE(IsSystemColor(clHighlight));
  EXPECT_FALSE(IsSystemColor(clNone));
  EXPECT_EQ(RGBColor(1, 2, 3), 0x030201u);
}

#ifdef _WIN32
TEST(Color, SchemeReferencesResolveWhenAskedAndPlainColoursStayAsTheyAre) {
  EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(clGradientActiveCaption), GetSysColor(COLOR_GRADIENTACTIVECAPTION));
  EXPECT_EQ(ColorToRGB(clHighlight), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(ColorToRGB(clLime), 0x00FF00u);
  // colours without a value of their own still give a plain colour, never a palette reference
  EXPECT_EQ(ColorToRGB(clNone) >> 24, 0u);
  EXPECT_EQ(ColorToRGB(clDefault) >> 24, 0u);
}
#endif

}  // namespace
