// The dark second skin beside the default one: every value the skin engine reads for a window's
// frame, its caption and its controls differs, so that a program switched from one skin file to the
// other shows the change everywhere; and both keep their text readable.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "skin/data/NineSlice.h"
#include "skin/data/SkinDescriptorRules.h"
#include "tests/tools/BuiltSkin.h"

namespace bus {
namespace {

using test::BuiltSkin;
using test::Keyed;

// Relative luminance of an sRGB colour 0xRRGGBB.
double Luminance(std::uint32_t rgb) {
  const auto channel = [](std::uint32_t v) {
    const double c = v / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(rgb >> 16 & 0xFF) + 0.7152 * channel(rgb >> 8 & 0xFF) + 0.0722 * channel(rgb & 0xFF);
}

double Contrast(std::uint32_t a, std::uint32_t b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::uint32_t Rgb(const BmpImage& image, int x, int y) { return image.Pixel(x, y) & 0xFFFFFF; }

// The window region of a w x h window as the frame painting builds it from the active frame of
// each border: true where a pixel is cut away. A border whose Trans is not 1 keeps all its pixels.
std::vector<bool> CutAway(BuiltSkin& skin, int w, int h) {
  const TSkinMargins f = skin.FrameWidths();
  struct Part {
    const char* side;
    int x, y, w, h;
    bool across;
  };
  const Part parts[] = {{"Left", 0, 0, f.left, h, false},
                        {"Right", w - f.right, 0, f.right, h, false},
                        {"Top", f.left, 0, w - f.left - f.right, f.top, true},
                        {"Bottom", f.left, h - f.bottom, w - f.left - f.right, f.bottom, true}};
  std::vector<bool> cut(std::size_t(w * h), false);
  for (const Part& part : parts) {
    const std::string side = part.side;
    if (skin.Int("Personality", side + "Trans") != 1) continue;
    const int start = skin.Int("Personality", side + "TopHeight"), end = skin.Int("Personality", side + "BotHeight");
    const TSkinMargins m = part.across ? TSkinMargins{start, 0, end, 0} : TSkinMargins{0, start, 0, end};
    const BmpImage drawn = RenderSkinImage(skin.Image("Personality", side), part.w, part.h, m, part.across,
                                           skin.Int("Personality", side + "Stretch") != 1,
                                           skin.Int("Personality", side + "Frame"), 1);
    for (int y = 0; y < drawn.height; ++y) {
      for (int x = 0; x < drawn.width; ++x) {
        if (Keyed(drawn, x, y)) cut[std::size_t((part.y + y) * w + part.x + x)] = true;
      }
    }
  }
  return cut;
}

class NightSkin : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(transit_.Loaded());
    ASSERT_TRUE(night_.Loaded());
  }

  BuiltSkin transit_{"bussearch.skn"};  // the default skin
  BuiltSkin night_{"night.skn"};        // the second one
};

TEST_F(NightSkin, FrameWidthsAndCaptionTextDiffer) {
  EXPECT_EQ(night_.Ini().ReadString("TitlebarSkin", "SkinName", ""), "BusSearch Night");
  const TSkinMargins transit = transit_.FrameWidths(), night = night_.FrameWidths();
  EXPECT_NE(night.left, transit.left);
  EXPECT_NE(night.right, transit.right);
  EXPECT_NE(night.bottom, transit.bottom);
  EXPECT_LT(night.top, transit.top) << "a lower caption";
  EXPECT_GT(night.top, night.bottom);
  // the caption text: left-aligned in the default skin, centred on a plate in the night skin
  EXPECT_EQ(transit_.Int("Personality", "TextAlignment"), 0);
  EXPECT_EQ(night_.Int("Personality", "TextAlignment"), 1);
  for (const char* key : {"TextShift", "TextRightClip", "TXTBackleft", "TXTBackRight"}) {
    EXPECT_NE(night_.Int("Personality", key), transit_.Int("Personality", key)) << key;
  }
  EXPECT_NE(night_.Int("Fonts", "FontHeight"), transit_.Int("Fonts", "FontHeight"));
  // the text plate reaches past the text's margins: opaque in the middle of the band, clear above
  const BmpImage plate = night_.Image("Personality", "TextBack");
  const int margin = night_.Int("Personality", "TXTBackleft");
  EXPECT_FALSE(Keyed(plate, margin + 1, night.top / 2));
  EXPECT_TRUE(Keyed(plate, margin + 1, 0));
}

TEST_F(NightSkin, TheWindowRegionCutsOtherCorners) {
  // The default skin's top corners are rounded and every border is transparent where it is
  // magenta; the night skin's top is square and drawn opaquely, its bottom corners cut straight.
  for (const char* side : {"Left", "Right", "Top", "Bottom"}) {
    EXPECT_EQ(transit_.Int("Personality", std::string(side) + "Trans"), 1) << side;
  }
  EXPECT_EQ(night_.Int("Personality", "TopTrans"), 0);
  EXPECT_EQ(night_.Int("Personality", "BottomTrans"), 1);

  const int w = 200, h = 150;
  const std::vector<bool> transit = CutAway(transit_, w, h), night = CutAway(night_, w, h);
  const auto at = [&](const std::vector<bool>& cut, int x, int y) { return bool(cut[std::size_t(y * w + x)]); };
  EXPECT_TRUE(at(transit, 0, 0));
  EXPECT_TRUE(at(transit, w - 1, 0));
  EXPECT_FALSE(at(night, 0, 0));
  EXPECT_FALSE(at(night, w - 1, 0));
  for (const auto* cut : {&transit, &night}) {
    EXPECT_TRUE(at(*cut, 0, h - 1));
    EXPECT_TRUE(at(*cut, w - 1, h - 1));
  }
  // the straight cut takes a triangle: pixels the default's small rounding keeps
  EXPECT_TRUE(at(night, 2, h - 2));
  EXPECT_TRUE(at(night, w - 3, h - 2));
  EXPECT_FALSE(at(transit, 2, h - 2));
  // in both, only the corners are cut: no hole in the middle of an edge, none inside
  for (const auto* cut : {&transit, &night}) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (at(*cut, x, y)) {
          ASSERT_TRUE(std::min(x, w - 1 - x) < 8 && std::min(y, h - 1 - y) < 8) << x << "," << y;
        }
      }
    }
  }
}

TEST_F(NightSkin, ColoursDifferAndTextStaysReadable) {
  const char* keys[] = {"WindowText", "TitleTextActive", "TitleTextNoActive", "ButtonFace", "ButtonText", "ButtonHilight",
                        "Buttonlight", "ButtonShadow", "ButtonDkShadow", "HilightText", "Hilight", "Menubar",
                        "MenuBarText", "MenuText", "Menu", "Scrollbar"};
  for (const char* key : keys) EXPECT_NE(night_.Colour(key), transit_.Colour(key)) << key;
  // a dark face under light text, a cool accent (the caption's line under the text plate)
  EXPECT_LT(Luminance(night_.Colour("ButtonFace")), 0.05);
  EXPECT_GT(Luminance(night_.Colour("ButtonText")), 0.6);
  const BmpImage nightTop = night_.Image("Personality", "Top");
  const std::uint32_t rule = Rgb(nightTop, nightTop.width / 2, nightTop.height / 2 - 1);
  EXPECT_GT(rule & 0xFF, rule >> 16 & 0xFF) << "more blue than red";
  EXPECT_GT(Luminance(rule), 0.3) << "a line that stands out of the dark caption";

  // in both skins every text the engine draws in a skin colour stands out from its ground
  for (BuiltSkin* skin : {&transit_, &night_}) {
    const std::string name = skin->Ini().ReadString("TitlebarSkin", "SkinName", "");
    const std::pair<const char*, const char*> pairs[] = {
        {"ButtonText", "ButtonFace"}, {"WindowText", "ButtonFace"}, {"MenuText", "Menu"},
        {"MenuBarText", "Menubar"},   {"HilightText", "Hilight"},
    };
    for (const auto& [text, ground] : pairs) {
      EXPECT_GE(Contrast(skin->Colour(text), skin->Colour(ground)), 4.5) << name << ": " << text << " on " << ground;
    }
    // caption text on the middle of the active caption, button text on the normal button face
    const BmpImage top = skin->Image("Personality", "Top");
    const std::uint32_t caption = Rgb(top, top.width / 2, top.height / 4);
    EXPECT_GE(Contrast(skin->Colour("TitleTextActive"), caption), 4.5) << name;
    const BmpImage buttons = skin->Image("Buttons", "Bitmap");
    const std::uint32_t face = Rgb(buttons, buttons.width / 10, buttons.height / 2);
    const std::uint32_t text = ParseSkinColour(skin->Ini().ReadString("Buttons", "NormalColour2", ""));
    EXPECT_GE(Contrast((text & 0xFF) << 16 | (text & 0xFF00) | (text >> 16 & 0xFF), face), 4.5) << name;
  }
}

TEST_F(NightSkin, CaptionButtonsSitAtTheOtherEnd) {
  const int width = 400;
  const auto find = [](const std::vector<BuiltSkin::CaptionButton>& buttons, int action) {
    for (const auto& b : buttons) {
      if (b.action == action) return b;
    }
    ADD_FAILURE() << "no button of action " << action;
    return BuiltSkin::CaptionButton{};
  };
  const auto transit = transit_.CaptionButtons(width), night = night_.CaptionButtons(width);
  // close, maximise and minimise on the right in the default skin, on the left in the night skin;
  // the window icon the other way round
  for (const int action : {0, 1, 2}) {
    EXPECT_GT(find(transit, action).rect.left, width / 2) << action;
    EXPECT_LT(find(night, action).rect.right, width / 2) << action;
  }
  EXPECT_LT(find(transit, 3).rect.right, width / 2);
  EXPECT_GT(find(night, 3).rect.left, width / 2);
  // the order changes too: close, minimise, maximise from the left edge
  EXPECT_LT(find(night, 0).rect.left, find(night, 2).rect.left);
  EXPECT_LT(find(night, 2).rect.left, find(night, 1).rect.left);
  // other sizes and frame strips (normal, pressed, hot, inactive without the two spares)
  const auto transitClose = find(transit, 0), nightClose = find(night, 0);
  EXPECT_NE(nightClose.rect.Width(), transitClose.rect.Width());
  EXPECT_NE(nightClose.rect.Height(), transitClose.rect.Height());
  EXPECT_EQ(transitClose.frames, 6);
  EXPECT_EQ(nightClose.frames, 4);
}

TEST_F(NightSkin, ControlImagesAndMarginsDiffer) {
  const auto margins = [](BuiltSkin& skin, const std::string& section) {
    return TSkinMargins{skin.Int(section, "LeftWidth"), skin.Int(section, "TopHeight"), skin.Int(section, "RightWidth"),
                        skin.Int(section, "BottomHeight")};
  };
  for (const char* section : {"Buttons", "Tabs", "Progress", "HorzScrollThumb", "VertScrollThumb"}) {
    EXPECT_NE(margins(night_, section), margins(transit_, section)) << section;
  }
  EXPECT_NE(night_.Int("HorzScrollThumb", "FrameCount"), transit_.Int("HorzScrollThumb", "FrameCount"));
  // check boxes and radios: a short strip of four frames (unchecked, checked, each also disabled),
  // larger frames than the default's full strips
  EXPECT_EQ(night_.Int("Buttons", "CheckButtonFrame"), 4);
  EXPECT_EQ(night_.Int("Buttons", "RadioButtonFrame"), 4);
  EXPECT_NE(night_.Image("Buttons", "CheckButton").height, transit_.Image("Buttons", "CheckButton").height);
  // every image the two skins name under the same section and key looks different
  std::string section;
  int compared = 0;
  for (const std::string& line : transit_.Ini().Lines()) {
    if (line.starts_with("[")) {
      section = line.substr(1, line.size() - 2);
      continue;
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos || SkinImageMemberName(line.substr(eq + 1)).empty()) continue;
    const std::string key = line.substr(0, eq);
    const BmpImage a = transit_.Image(section, key), b = night_.Image(section, key);
    ++compared;
    EXPECT_TRUE(a.width != b.width || a.height != b.height || a.pixels != b.pixels) << section << " " << key;
  }
  EXPECT_EQ(compared, transit_.Reader().Count() - 1);
}

TEST_F(NightSkin, TheCaptionRepeatsItsMiddleWhereTheDefaultStretchesIt) {
  EXPECT_EQ(transit_.Int("Personality", "TopStretch"), 1);
  EXPECT_EQ(night_.Int("Personality", "TopStretch"), 0);
  // rendered as the frame painting renders the top border, tiled and stretched differ: the middle
  // holds a pattern, and tiling repeats it whole, one middle's width apart
  const BmpImage top = night_.Image("Personality", "Top");
  const TSkinMargins m{night_.Int("Personality", "TopTopHeight"), 0, night_.Int("Personality", "TopBotHeight"), 0};
  const int width = 301, height = top.height / 2;
  const BmpImage tiled = RenderSkinImage(top, width, height, m, true, true, 2, 1);
  const BmpImage stretched = RenderSkinImage(top, width, height, m, true, false, 2, 1);
  EXPECT_NE(tiled.pixels, stretched.pixels);
  const int middle = top.width - m.left - m.right;
  ASSERT_GT(middle, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = m.left; x + middle < width - m.right; ++x) {
      ASSERT_EQ(Rgb(tiled, x, y), Rgb(tiled, x + middle, y)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace bus
