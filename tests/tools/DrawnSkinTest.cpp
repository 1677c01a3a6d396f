// The skins the build draws and packs: each complete for what the skin engine reads, and laid out
// the way its painting cuts the images.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/TextUtil.h"
#include "skin/data/SkinDescriptorRules.h"
#include "tests/tools/BuiltSkin.h"

namespace bus {
namespace {

using test::Keyed;

class DrawnSkin : public ::testing::TestWithParam<const char*> {
protected:
  void SetUp() override { ASSERT_TRUE(skin_.Loaded()); }

  BmpImage Image(const std::string& section, const std::string& key) { return skin_.Image(section, key); }
  int Int(const std::string& section, const std::string& key) { return skin_.Int(section, key); }

  test::BuiltSkin skin_{GetParam()};  // the archive under test
};

INSTANTIATE_TEST_SUITE_P(Archives, DrawnSkin, ::testing::Values("bussearch.skn", "night.skn"),
                         [](const auto& info) {
                           const std::string archive = info.param;
                           return archive.substr(0, archive.find('.'));
                         });

TEST_P(DrawnSkin, DescriptorGivesEveryKeyTheSkinReadingUses) {
  const TQuickIni& ini = skin_.Ini();
  // sections and keys the reading of a skin consults, beyond the caption-button and colour-table
  // sections found by name
  const std::map<std::string, std::vector<std::string>> wanted = {
      {"TitlebarSkin", {"SkinName"}},
      {"Personality",
       {"Left", "LeftTopHeight", "LeftBotHeight", "LeftFrame", "LeftStretch", "LeftTrans", "Right", "RightTopHeight",
        "RightBotHeight", "RightFrame", "RightStretch", "RightTrans", "Top", "TopTopHeight", "TopBotHeight", "TopFrame",
        "TopStretch", "TopTrans", "Bottom", "BottomTopHeight", "BottomBotHeight", "BottomFrame", "BottomStretch",
        "BottomTrans", "TextBack", "TextShift", "TextShiftVert", "TextRightClip", "TextAlignment", "Textbackground",
        "TXTBackleft", "TXTBackRight", "ActiveTextR", "ActiveTextG", "ActiveTextB", "InActiveTextR", "InActiveTextG",
        "InActiveTextB", "menuBar", "TileMenu", "TileLeftMenu", "TileRightMenu"}},
      {"Fonts", {"FontHeight"}},
      {"Colours",
       {"WindowText", "TitleTextActive", "TitleTextNoActive", "ButtonFace", "ButtonText", "ButtonHilight", "Buttonlight",
        "ButtonShadow", "ButtonDkShadow", "HilightText", "Hilight", "Menubar", "MenuBarText", "MenuText", "Menu", "Scrollbar"}},
      {"Customcolors", {"Color0", "Color1", "Color2", "Color3", "Color4", "Color5", "Color6", "Color7", "Color8", "Color9"}},
      {"MDICONTROLS", {"Image"}},
      {"Buttons",
       {"Bitmap", "LeftWidth", "RightWidth", "TopHeight", "BottomHeight", "Trans", "Tile", "CheckButton", "RadioButton",
        "NormalColour", "MouseOverColour", "PressedColour", "RadioButtonFrame", "CheckButtonFrame", "NormalColour2",
        "MouseOverColour2", "PressedColour2"}},
      {"Progress", {"Bitmap", "Chunk", "Style", "LeftWidth", "RightWidth", "TopHeight", "BottomHeight", "Trans", "Tile"}},
      {"GroupBox", {"Image", "BackgroundAlignment", "BackgroundLeftShift", "BackgroundRightShift"}},
      {"Tabs", {"Image", "Border"}},
      {"UpDown.Horz", {"Image", "GlyphImage"}},
      {"UpDown.Vert", {"Image", "GlyphImage"}},
      {"HorzScrollThumb", {"FrameCount"}},
      {"VertScrollThumb", {"FrameCount"}},
  };
  for (const auto& [section, keys] : wanted) {
    for (const std::string& key : keys) EXPECT_NE(ini.ReadString(section, key, ""), "") << section << " " << key;
  }
  const char* generic[] = {"LeftWidth", "RightWidth", "TopHeight", "BottomHeight", "Trans", "Tile"};
  for (const char* section : {"GroupBoxEdge", "GroupBox", "Toolbars", "Tabs", "StatusBarEdges", "ComboButton", "SunkEdge",
                              "ExtraImages", "Headerbar", "MenuItem", "MenuBackground", "Scrollbar", "HorzScroll", "VertScroll",
                              "HorzScrollThumb", "VertScrollThumb", "Trackbar.ThumbHorz", "Trackbar.ThumbVert",
                              "Trackbar.ThumbLeft", "Trackbar.ThumbRight", "Trackbar.ThumbUp", "Trackbar.ThumbDown",
                              "UpDown.Horz", "UpDown.Vert"}) {
    EXPECT_NE(ini.ReadString(section, "Image", ""), "") << section;
    for (const char* key : generic) EXPECT_NE(ini.ReadString(section, key, ""), "") << section << " " << key;
  }
  // five caption buttons (close, maximise, restore, minimise, system menu) and the colour table
  const auto buttons = CaptionButtonSections(ini, skin_.Sections());
  ASSERT_EQ(buttons.size(), 5u);
  std::set<int> actions;
  for (const std::string& b : buttons) {
    actions.insert(Int(b, "Action"));
    for (const char* key : {"ButtonImage", "Action", "Align", "Xcoord", "Ycoord", "Visibility", "Visibility1", "frame"}) {
      EXPECT_NE(ini.ReadString(b, key, ""), "") << b << " " << key;
    }
  }
  EXPECT_EQ(actions, (std::set<int>{0, 1, 2, 3}));
  const auto colours = ColourTableSections(skin_.Sections());
  EXPECT_FALSE(colours.empty());
  for (const std::string& c : colours) EXPECT_NE(ini.ReadString(c, "color", ""), "") << c;
}

TEST_P(DrawnSkin, EveryImageIsAMemberAndEveryMemberIsNamed) {
  int images = 0;
  for (const std::string& line : skin_.Ini().Lines()) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string member = SkinImageMemberName(TrimControl(std::string_view(line).substr(eq + 1)));
    if (member.empty()) continue;
    ++images;
    skin_.Member(member);
  }
  EXPECT_EQ(images, skin_.Reader().Count() - 1);
  for (const std::string& name : skin_.Reader().Names()) {
    if (name.find(".ini") == std::string::npos) {
      EXPECT_TRUE(skin_.Used().contains(name)) << name << " is named by nothing";
    }
  }
}

TEST_P(DrawnSkin, FramesAreLaidOutTheWayThePaintingCutsThem) {
  // strips whose frame count is fixed: the width divides evenly
  for (const std::string& section : skin_.Sections()) {
    const int frames = FixedFrameCount(section);
    if (frames == 0 || section == "Personality") continue;
    const std::string key = section == "Buttons" || section == "Progress" ? "Bitmap" : "Image";
    const BmpImage image = Image(section, key);
    EXPECT_EQ(image.width % frames, 0) << section;
  }
  // window borders: side images hold two frames side by side, top and bottom two stacked; the
  // bottom corners are cut out (key colour), and nothing of the top frame between its corners is
  const BmpImage left = Image("Personality", "Left"), top = Image("Personality", "Top");
  const BmpImage bottom = Image("Personality", "Bottom");
  EXPECT_EQ(left.width % 2, 0);
  EXPECT_EQ(top.height % 2, 0);
  const int frameTop = top.height / 2;
  EXPECT_EQ(Int("Personality", "LeftTopHeight"), frameTop);
  EXPECT_EQ(left.height, Int("Personality", "LeftTopHeight") + Int("Personality", "LeftBotHeight") + 4);
  EXPECT_TRUE(Keyed(left, 0, left.height - 1));
  EXPECT_FALSE(Keyed(left, left.width / 2 - 1, frameTop + 1));
  for (int f = 0; f < 2; ++f) {
    for (int y = f * frameTop + 2; y < (f + 1) * frameTop; ++y) {
      for (int x = Int("Personality", "TopTopHeight"); x < top.width - Int("Personality", "TopBotHeight"); ++x) {
        ASSERT_FALSE(Keyed(top, x, y)) << x << "," << y;
      }
    }
  }
  // the bottom image's middle is solid, its corners belong to the side images
  for (int x = 0; x < bottom.width; ++x) EXPECT_FALSE(Keyed(bottom, x, 0));
  // caption text band: frame height equals the caption's, so it is never stretched
  EXPECT_EQ(Image("Personality", "TextBack").height, 2 * frameTop);

  // caption buttons fit in the caption below its top edge
  for (const std::string& b : CaptionButtonSections(skin_.Ini(), skin_.Sections())) {
    const BmpImage image = Image(b, "ButtonImage");
    const int frames = Int(b, "frame");
    EXPECT_EQ(image.width % frames, 0) << b;
    EXPECT_GE(Int(b, "Ycoord"), 1) << b;
    EXPECT_LE(Int(b, "Ycoord") + image.height, frameTop) << b;
    if (Int(b, "Action") == 3) {
      EXPECT_EQ(image.width / frames, 16) << "the window icon's size";
    }
  }
  EXPECT_EQ(Image("MDICONTROLS", "Image").width % 12, 0);

  // push buttons: the face is opaque, the corners keyed; check and radio frames are square
  const BmpImage buttons = Image("Buttons", "Bitmap");
  const int bw = buttons.width / 5;
  for (int f = 0; f < 5; ++f) {
    EXPECT_TRUE(Keyed(buttons, f * bw, 0));
    EXPECT_FALSE(Keyed(buttons, f * bw + bw / 2, buttons.height / 2));
  }
  const BmpImage check = Image("Buttons", "CheckButton"), radio = Image("Buttons", "RadioButton");
  EXPECT_EQ(check.width % Int("Buttons", "CheckButtonFrame"), 0);
  EXPECT_EQ(check.width / Int("Buttons", "CheckButtonFrame"), check.height);
  EXPECT_EQ(radio.width % Int("Buttons", "RadioButtonFrame"), 0);
  EXPECT_EQ(radio.width / Int("Buttons", "RadioButtonFrame"), radio.height);

  // scroll arrows are as thick as the bar; thumbs have their own frame count
  EXPECT_EQ(Image("Scrollbar", "Image").height, 16);
  EXPECT_EQ(Image("HorzScrollThumb", "Image").width % Int("HorzScrollThumb", "FrameCount"), 0);
  EXPECT_EQ(Image("VertScrollThumb", "Image").width % Int("VertScrollThumb", "FrameCount"), 0);
  // spin glyphs: as many frames as the buttons
  for (const char* spin : {"UpDown.Horz", "UpDown.Vert"}) EXPECT_EQ(Image(spin, "GlyphImage").width % 8, 0) << spin;
  // menus: the selected item is opaque, the normal item shows the background through
  const BmpImage item = Image("MenuItem", "Image");
  const int iw = item.width / 5;
  EXPECT_TRUE(Keyed(item, iw / 2, item.height / 2));
  EXPECT_FALSE(Keyed(item, 3 * iw + iw / 2, item.height / 2));
  // the combo composition's text area starts two pixels in: its edge lies within those margins
  EXPECT_EQ(Int("SunkEdge", "LeftWidth"), 2);
  EXPECT_EQ(Int("SunkEdge", "TopHeight"), 2);
}

TEST_P(DrawnSkin, ImagesDrawnOpaquelyHoldNoKeyColour) {
  // A border whose Trans is 0 is copied as it is and left whole by the window region, and an object
  // whose Trans is 0 is drawn opaquely: a magenta pixel in either would show on the screen.
  for (const char* side : {"Left", "Right", "Top", "Bottom"}) {
    if (Int("Personality", std::string(side) + "Trans") == 1) continue;
    const BmpImage image = Image("Personality", side);
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) ASSERT_FALSE(Keyed(image, x, y)) << side << " " << x << "," << y;
    }
  }
  for (const std::string& section : skin_.Sections()) {
    if (section == "Personality" || IsCaptionButtonName(section) || skin_.Ini().ReadString(section, "Image", "").empty() ||
        Int(section, "Trans") != 0) {
      continue;
    }
    const BmpImage image = Image(section, "Image");
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) ASSERT_FALSE(Keyed(image, x, y)) << section << " " << x << "," << y;
    }
  }
}

TEST_P(DrawnSkin, CaptionButtonsStayClearOfEachOtherAndOfTheCaptionText) {
  // A window of 300 pixels: each button in the caption strip between the side borders, none over
  // another (the restore button takes the maximise button's place, shown when that one is not), and
  // none where the caption text may run: TextShift reserves the left, TextRightClip the right.
  const int width = 300;
  const TSkinMargins frame = skin_.FrameWidths();
  const auto buttons = skin_.CaptionButtons(width);
  const int textLeft = frame.left + Int("Personality", "TextShift");
  const int textRight = width - frame.right - Int("Personality", "TextRightClip");
  ASSERT_LT(textLeft, textRight);
  for (const auto& b : buttons) {
    EXPECT_GE(b.rect.left, frame.left) << b.section;
    EXPECT_LE(b.rect.right, width - frame.right) << b.section;
    EXPECT_GE(b.rect.top, 1) << b.section;
    EXPECT_LE(b.rect.bottom, frame.top) << b.section;
    EXPECT_TRUE(b.rect.right <= textLeft || b.rect.left >= textRight) << b.section << " lies under the caption text";
    for (const auto& other : buttons) {
      if (&other == &b || other.visibility == 1 || b.visibility == 1) continue;
      const bool apart = b.rect.right <= other.rect.left || other.rect.right <= b.rect.left ||
                         b.rect.bottom <= other.rect.top || other.rect.bottom <= b.rect.top;
      EXPECT_TRUE(apart) << b.section << " and " << other.section;
    }
  }
}

TEST(TransitSkin, RoundedTopCornersAndFullCheckAndRadioStrips) {
  test::BuiltSkin skin("bussearch.skn");
  ASSERT_TRUE(skin.Loaded());
  // the top corners are cut by the window region
  const BmpImage left = skin.Image("Personality", "Left"), right = skin.Image("Personality", "Right");
  EXPECT_TRUE(Keyed(left, 0, 0));
  EXPECT_TRUE(Keyed(right, right.width / 2 - 1, 0));
  // check boxes in every look of unchecked, checked and mixed; radios unchecked and checked
  const BmpImage check = skin.Image("Buttons", "CheckButton"), radio = skin.Image("Buttons", "RadioButton");
  EXPECT_EQ(check.width / skin.Int("Buttons", "CheckButtonFrame"), 13);
  EXPECT_EQ(radio.width / skin.Int("Buttons", "RadioButtonFrame"), 13);
  EXPECT_EQ(check.height, 13);
  EXPECT_EQ(skin.Int("Buttons", "CheckButtonFrame"), 12);
  EXPECT_EQ(skin.Int("Buttons", "RadioButtonFrame"), 8);
}

}  // namespace
}  // namespace bus
