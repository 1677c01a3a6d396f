#include <gtest/gtest.h>

#include "skin/data/SkinDescriptorRules.h"

namespace bus {
namespace {

TEST(SkinDescriptorRules, ColourTexts) {
  EXPECT_EQ(ParseSkinColour("240 240 240"), 0xF0F0F0u);
  EXPECT_EQ(ParseSkinColour("  10, 20, 30  "), 10u + 256u * 20u + 65536u * 30u);
  EXPECT_EQ(ParseSkinColour("10 20"), 10u);          // a final run counts only as the third number
  EXPECT_EQ(ParseSkinColour("10"), 0u);
  EXPECT_EQ(ParseSkinColour("10,20,"), 10u + 256u * 20u);
  EXPECT_EQ(ParseSkinColour("1 2 3 4 5 6"), 1u + 256u * 2u + 65536u * 3u);  // only the first three count
  // each number modulo 256, however long (10^20 - 1 leaves 255)
  EXPECT_EQ(ParseSkinColour("256 257 99999999999999999999"), 256u * 1u + 65536u * 255u);
  EXPECT_EQ(ParseSkinColour(""), 0u);
  EXPECT_EQ(ParseSkinColour("red"), 0u);
}

TEST(SkinDescriptorRules, ImageMemberNames) {
  EXPECT_EQ(SkinImageMemberName("C:\\skins\\Blue\\Left.bmp"), "Left.bmp");
  EXPECT_EQ(SkinImageMemberName("dir/top.bmp"), "top.bmp");
  EXPECT_EQ(SkinImageMemberName("left.BMP"), "");  // the extension test is case-sensitive
  EXPECT_EQ(SkinImageMemberName("left.png"), "");
  EXPECT_EQ(SkinImageMemberName("skins\\"), "");
  EXPECT_EQ(SkinImageMemberName(""), "");
  EXPECT_EQ(SkinImageMemberName("left.bmp.txt"), "");
  EXPECT_EQ(SkinImageMemberName(".bmp"), ".bmp");
}

TEST(SkinDescriptorRules, CaptionButtonAndColourSections) {
  TQuickIni ini;
  ini.LoadFromText(
      "[Button0]\nAction=0\n[BUTTONS]\n[button.radio]\n[Button.Checkbox]\n[Button]\n[ButtonDecor]\nAction=-1\n"
      "[ButtonShown]\nAction=-1\nVisibility=0\n[buttonx]\n[Colours]\n[Colour0]\n[COLOURSREVERT]\n[Colour]\n");
  TStringList sections;
  ini.ReadSections(sections);
  EXPECT_EQ(CaptionButtonSections(ini, sections), (std::vector<std::string>{"Button0", "ButtonShown", "buttonx"}));
  EXPECT_EQ(ColourTableSections(sections), (std::vector<std::string>{"Colour0", "COLOURSREVERT", "Colour"}));
}

TEST(SkinDescriptorRules, FrameCounts) {
  EXPECT_EQ(ResolveCaptionButtonFrames(0, 0, 75, 25).frames, 3);   // 3.0
  EXPECT_EQ(ResolveCaptionButtonFrames(0, 0, 95, 25).frames, 3);   // exactly 3.8
  EXPECT_EQ(ResolveCaptionButtonFrames(0, 0, 96, 25).frames, 6);
  EXPECT_EQ(ResolveCaptionButtonFrames(0, -1, 75, 25).frames, 6);
  EXPECT_EQ(ResolveCaptionButtonFrames(0, 0, 0, 0).frames, 6);
  EXPECT_TRUE(ResolveCaptionButtonFrames(0, 3, 48, 16).dropImage);
  EXPECT_TRUE(ResolveCaptionButtonFrames(0, 11, 48, 16).dropImage);
  EXPECT_FALSE(ResolveCaptionButtonFrames(3, 3, 48, 16).dropImage);
  EXPECT_EQ(ResolveCaptionButtonFrames(4, 3, 48, 16).frames, 4);

  EXPECT_EQ(DeriveToggleFrameCount(156, 13), 12);
  EXPECT_EQ(DeriveToggleFrameCount(128, 16), 8);
  EXPECT_EQ(DeriveToggleFrameCount(26, 13), 4);

  EXPECT_EQ(FixedFrameCount("scrollbar"), 23);
  EXPECT_EQ(FixedFrameCount("UpDown.Vert"), 8);
  EXPECT_EQ(FixedFrameCount("Trackbar.ThumbDown"), 5);
  EXPECT_EQ(FixedFrameCount("HorzScrollThumb"), 0);
  EXPECT_EQ(FixedFrameCount("Left"), 0);

  const MdiButtonSlice close = MdiControlSlice(2, 12 * 16);
  EXPECT_EQ(close.left, 128);
  EXPECT_EQ(close.width, 64);
  EXPECT_EQ(close.xcoord, 20);
  EXPECT_EQ(MdiControlSlice(0, 12 * 16).xcoord, 60);
}

}  // namespace
}  // namespace bus
