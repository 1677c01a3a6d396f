// The skin the build draws and packs: complete for what the skin engine reads, and laid out the way
// its painting cuts the images.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/BmpFile.h"
#include "core/TextUtil.h"
#include "skin/data/QuickIni.h"
#include "skin/data/SkinDescriptorRules.h"
#include "skin/data/SkinReader.h"
#include "tests/support/TestSupport.h"

namespace bus {
namespace {

constexpr std::uint32_t kKey = 0xFF00FF;

class DefaultSkin : public ::testing::Test {
protected:
  void SetUp() override {
    TMemoryStream stored;
    stored.LoadFromFile(test::BinaryDir() / "bussearch.skn");
    ASSERT_TRUE(reader_.Load(stored)) << reader_.RejectReason();
    TMemoryStream descriptor;
    std::string name;
    ASSERT_TRUE(reader_.ExtractByPart(".ini", descriptor, name));
    ini_.LoadFromStream(descriptor);
    ini_.ReadSections(sections_);
  }

  // The image a descriptor value names, decoded; fails the test when it is missing or invalid.
  BmpImage Image(const std::string& section, const std::string& key) {
    const std::string member = SkinImageMemberName(ini_.ReadString(section, key, ""));
    EXPECT_FALSE(member.empty()) << section << " " << key;
    TMemoryStream bytes;
    EXPECT_TRUE(reader_.ExtractByName(member, bytes)) << member;
    used_.insert(AsciiLower(member));
    try {
      return DecodeBmp({bytes.Memory(), std::size_t(bytes.Size())});
    } catch (const EInvalidGraphic& e) {
      ADD_FAILURE() << member << ": " << e.Message();
      return {};
    }
  }
  int Int(const std::string& section, const std::string& key) { return ini_.ReadInteger(section, key, -12345); }
  static bool Keyed(const BmpImage& image, int x, int y) { return (image.Pixel(x, y) & 0xFFFFFF) == kKey; }

  TSkinReader reader_;
  TQuickIni ini_;
  TStringList sections_;
  std::set<std::string> used_;  // members named by the descriptor and looked at
};

TEST_F(DefaultSkin, DescriptorGivesEveryKeyTheSkinReadingUses) {
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
    for (const std::string& key : keys) EXPECT_NE(ini_.ReadString(section, key, ""), "") << section << " " << key;
  }
  const char* generic[] = {"LeftWidth", "RightWidth", "TopHeight", "BottomHeight", "Trans", "Tile"};
  for (const char* section : {"GroupBoxEdge", "GroupBox", "Toolbars", "Tabs", "StatusBarEdges", "ComboButton", "SunkEdge",
                              "ExtraImages", "Headerbar", "MenuItem", "MenuBackground", "Scrollbar", "HorzScroll", "VertScroll",
                              "HorzScrollThumb", "VertScrollThumb", "Trackbar.ThumbHorz", "Trackbar.ThumbVert",
                              "Trackbar.ThumbLeft", "Trackbar.ThumbRight", "Trackbar.ThumbUp", "Trackbar.ThumbDown",
                              "UpDown.Horz", "UpDown.Vert"}) {
    EXPECT_NE(ini_.ReadString(section, "Image", ""), "") << section;
    for (const char* key : generic) EXPECT_NE(ini_.ReadString(section, key, ""), "") << section << " " << key;
  }
  // five caption buttons (close, maximise, restore, minimise, system menu) and the colour table
  const auto buttons = CaptionButtonSections(ini_, sections_);
  ASSERT_EQ(buttons.size(), 5u);
  std::set<int> actions;
  for (const std::string& b : buttons) {
    actions.insert(Int(b, "Action"));
    for (const char* key : {"ButtonImage", "Action", "Align", "Xcoord", "Ycoord", "Visibility", "Visibility1", "frame"}) {
      EXPECT_NE(ini_.ReadString(b, key, ""), "") << b << " " << key;
    }
  }
  EXPECT_EQ(actions, (std::set<int>{0, 1, 2, 3}));
  const auto colours = ColourTableSections(sections_);
  EXPECT_FALSE(colours.empty());
  for (const std::string& c : colours) EXPECT_NE(ini_.ReadString(c, "color", ""), "") << c;
}

TEST_F(DefaultSkin, EveryImageIsAMemberAndEveryMemberIsNamed) {
  int images = 0;
  for (const std::string& line : ini_.Lines()) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string member = SkinImageMemberName(TrimControl(std::string_view(line).substr(eq + 1)));
    if (member.empty()) continue;
    ++images;
    TMemoryStream bytes;
    ASSERT_TRUE(reader_.ExtractByName(member, bytes)) << member;
    EXPECT_NO_THROW(DecodeBmp({bytes.Memory(), std::size_t(bytes.Size())})) << member;
    used_.insert(AsciiLower(member));
  }
  EXPECT_EQ(images, reader_.Count() - 1);
  for (const std::string& name : reader_.Names()) {
    if (name.find(".ini") == std::string::npos) {
      EXPECT_TRUE(used_.contains(name)) << name << " is named by nothing";
    }
  }
}

TEST_F(DefaultSkin, FramesAreLaidOutTheWayThePaintingCutsThem) {
  // strips whose frame count is fixed: the width divides evenly
  for (const std::string& section : sections_) {
    const int frames = FixedFrameCount(section);
    if (frames == 0 || section == "Personality") continue;
    const std::string key = section == "Buttons" || section == "Progress" ? "Bitmap" : "Image";
    const BmpImage image = Image(section, key);
    EXPECT_EQ(image.width % frames, 0) << section;
  }
  // window borders: side images hold two frames side by side, top and bottom two stacked; the top
  // corners are cut out (key colour) and nothing else of the top frame is
  const BmpImage left = Image("Personality", "Left"), top = Image("Personality", "Top");
  const BmpImage right = Image("Personality", "Right"), bottom = Image("Personality", "Bottom");
  EXPECT_EQ(left.width % 2, 0);
  EXPECT_EQ(top.height % 2, 0);
  const int frameTop = top.height / 2;
  EXPECT_EQ(Int("Personality", "LeftTopHeight"), frameTop);
  EXPECT_EQ(left.height, Int("Personality", "LeftTopHeight") + Int("Personality", "LeftBotHeight") + 4);
  EXPECT_TRUE(Keyed(left, 0, 0));
  EXPECT_TRUE(Keyed(right, right.width / 2 - 1, 0));
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
  for (const std::string& b : CaptionButtonSections(ini_, sections_)) {
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

  // push buttons: the face is opaque, the corners keyed; check and radio frames are 13 square
  const BmpImage buttons = Image("Buttons", "Bitmap");
  const int bw = buttons.width / 5;
  for (int f = 0; f < 5; ++f) {
    EXPECT_TRUE(Keyed(buttons, f * bw, 0));
    EXPECT_FALSE(Keyed(buttons, f * bw + bw / 2, buttons.height / 2));
  }
  const BmpImage check = Image("Buttons", "CheckButton"), radio = Image("Buttons", "RadioButton");
  EXPECT_EQ(check.width / Int("Buttons", "CheckButtonFrame"), 13);
  EXPECT_EQ(radio.width / Int("Buttons", "RadioButtonFrame"), 13);
  EXPECT_EQ(check.height, 13);
  EXPECT_EQ(Int("Buttons", "CheckButtonFrame"), 12);
  EXPECT_EQ(Int("Buttons", "RadioButtonFrame"), 8);

  // scroll arrows are as thick as the bar; thumbs have their own frame count
  EXPECT_EQ(Image("Scrollbar", "Image").height, 16);
  EXPECT_EQ(Image("HorzScrollThumb", "Image").width % Int("HorzScrollThumb", "FrameCount"), 0);
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

}  // namespace
}  // namespace bus
