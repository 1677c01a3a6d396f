#include "tools/skindraw/SkinPreview.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "skin/data/NineSlice.h"
#include "skin/data/QuickIni.h"
#include "skin/data/SkinDescriptorRules.h"

namespace bus::tools {

namespace {

constexpr std::uint32_t kDesktop = 0x46545B;     // what the window region lets through
constexpr std::uint32_t kFieldGround = 0xFFFFFF;  // an edit field keeps the platform's colours
constexpr std::uint32_t kFieldText = 0x1E2A30;

// Copies src rectangle (sx, sy, sw, sh) stretched to (dx, dy, dw, dh), nearest pixel.
void Stretch(PixelCanvas& dst, const PixelCanvas& src, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh) {
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  for (int y = 0; y < dh; ++y) {
    for (int x = 0; x < dw; ++x) dst.Set(dx + x, dy + y, src.Get(sx + x * sw / dw, sy + y * sh / dh));
  }
}

// One frame of a strip, rendered nine-slice into a w x h picture by the skin engine's rule.
PixelCanvas Render(const PixelCanvas& image, int frames, int frame, bool vertical, int w, int h, TSkinMargins m, bool tile) {
  return PixelCanvas(RenderSkinImage(image.Image(), std::max(w, 0), std::max(h, 0), m, vertical, tile, frames, frame));
}

// A three-part band whose middle repeats, every piece stretched to the full height (the caption
// text's background and the menu bar).
PixelCanvas Band(const PixelCanvas& image, int frames, int frame, int w, int h, int left, int right) {
  PixelCanvas out(std::max(w, 0), std::max(h, 0));
  const int fw = image.Width(), fh = image.Height() / frames, fy = fh * (frame - 1);
  Stretch(out, image, 0, fy, left, fh, 0, 0, left, h);
  const int mid = fw - left - right;
  for (int x = left; mid > 0 && x < w - right; x += mid) Stretch(out, image, left, fy, mid, fh, x, 0, mid, h);
  Stretch(out, image, fw - right, fy, right, fh, w - right, 0, right, h);
  return out;
}

PixelCanvas FrameOf(const PixelCanvas& image, int frames, int frame) {
  const int fw = image.Width() / frames;
  return image.Crop(fw * (frame - 1), 0, fw, image.Height());
}

// Letters stand in for text: blocks of the text's colour.
void TextBlocks(PixelCanvas& on, int x, int y, int count, int w, int h, int pitch, std::uint32_t rgb) {
  for (int k = 0; k < count; ++k) on.Fill(x + k * pitch, y, w, h, rgb);
}

class Preview {
public:
  explicit Preview(const DrawnSkin& skin) {
    ini_.LoadFromText(skin.descriptor);
    ini_.ReadSections(sections_);
    for (const auto& [name, picture] : skin.images) images_.emplace(name, picture);
  }

  const PixelCanvas& Image(const std::string& section, const std::string& key) const {
    const std::string name = SkinImageMemberName(ini_.ReadString(section, key, ""));
    const auto it = images_.find(name);
    if (it == images_.end()) throw std::runtime_error("no image for " + section + " " + key);
    return it->second;
  }
  int Int(const std::string& section, const std::string& key, int def = 0) const { return ini_.ReadInteger(section, key, def); }
  // A colour of section Colours, as 0xRRGGBB.
  std::uint32_t Colour(const std::string& key) const {
    const std::uint32_t c = ParseSkinColour(ini_.ReadString("Colours", key, "0 0 0"));
    return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
  }
  TSkinMargins GenericMargins(const std::string& section) const {
    return {Int(section, "LeftWidth"), Int(section, "TopHeight"), Int(section, "RightWidth"), Int(section, "BottomHeight")};
  }
  // A skin object's frame over a w x h area, nine-slice, keyed when its Trans is 1.
  void Object(PixelCanvas& on, const std::string& section, const std::string& key, int frames, int frame, int x, int y, int w, int h) const {
    on.Draw(Render(Image(section, key), frames, frame, false, w, h, GenericMargins(section), Int(section, "Tile") == 1), x, y,
            Int(section, "Trans") == 1);
  }

  // One window border ("Left", "Right", "Top", "Bottom") rendered over w x h, as the frame painting
  // draws it: the top and bottom images hold their frames one above the other, and the middle is
  // tiled when the border's Stretch key is not 1.
  PixelCanvas Border(const std::string& side, int w, int h, int frame) const {
    const bool across = side == "Top" || side == "Bottom";
    const int start = Int("Personality", side + "TopHeight"), end = Int("Personality", side + "BotHeight");
    const TSkinMargins m = across ? TSkinMargins{start, 0, end, 0} : TSkinMargins{0, start, 0, end};
    const int frames = Int("Personality", side + "Frame", 1);
    return Render(Image("Personality", side), frames, frames == 1 ? 1 : frame, across, w, h, m,
                  Int("Personality", side + "Stretch", 1) != 1);
  }
  int BorderSize(const std::string& side) const {
    const PixelCanvas& image = Image("Personality", side);
    const int frames = std::max(Int("Personality", side + "Frame", 1), 1);
    return side == "Top" || side == "Bottom" ? image.Height() / frames : image.Width() / frames;
  }

  PixelCanvas Window(int w, int h, bool active) const {
    const int frame = active ? 1 : 2;
    const int fl = BorderSize("Left"), fr = BorderSize("Right"), ft = BorderSize("Top"), fb = BorderSize("Bottom");
    PixelCanvas win(w, h, Colour("ButtonFace"));
    struct Part {
      const char* side;
      int x, y, w, h;
    };
    const Part parts[] = {{"Left", 0, 0, fl, h}, {"Right", w - fr, 0, fr, h}, {"Bottom", fl, h - fb, w - fl - fr, fb},
                          {"Top", fl, 0, w - fl - fr, ft}};
    for (const Part& part : parts) win.Draw(Border(part.side, part.w, part.h, frame), part.x, part.y);
    // the window region: the key colour of a transparent border lets the desktop through
    for (const Part& part : parts) {
      if (Int("Personality", std::string(part.side) + "Trans", 1) != 1) continue;
      for (int y = part.y; y < part.y + part.h; ++y) {
        for (int x = part.x; x < part.x + part.w; ++x) {
          if (win.Get(x, y) == kKey) win.Set(x, y, kDesktop);
        }
      }
    }

    // caption text stand-in: its box as the caption text would measure, placed by TextAlignment,
    // on its background band
    const int captionWidth = w - fl - fr;
    const int backLeft = Int("Personality", "TXTBackleft"), backRight = Int("Personality", "TXTBackRight");
    const int textWidth = 150, textHeight = 14;
    const int boxWidth = textWidth + backLeft + backRight;
    int dx = 0;
    switch (Int("Personality", "TextAlignment")) {
      case 0: dx = Int("Personality", "TextShift"); break;
      case 1: dx = (captionWidth - boxWidth) / 2; break;
      case 2: dx = captionWidth - Int("Personality", "TextRightClip") - boxWidth; break;
      default: break;
    }
    const int textLeft = fl + dx;
    const int textRight = std::min(textLeft + boxWidth, w - fr - Int("Personality", "TextRightClip"));
    const int textTop = (ft - textHeight) / 2 + Int("Personality", "TextShiftVert") / 2;
    win.Draw(Band(Image("Personality", "TextBack"), 2, frame, textRight - textLeft, ft, backLeft, backRight), textLeft, 0, true);
    TextBlocks(win, textLeft + backLeft + 8, textTop + 2, 12, 7, 10, 10, Colour(active ? "TitleTextActive" : "TitleTextNoActive"));

    // caption buttons, laid out by Align and Xcoord; the restore button shows only when maximised
    for (const std::string& section : CaptionButtonSections(ini_, sections_)) {
      if (Int(section, "Visibility") == 1) continue;
      const PixelCanvas& image = Image(section, "ButtonImage");
      const int frames = Int(section, "frame");
      const int bw = image.Width() / frames, x = Int(section, "Xcoord");
      int bx = 0;
      switch (Int(section, "Align")) {
        case 0: bx = x; break;
        case 1: bx = w - x; break;
        case 2: case 8: bx = textLeft - bw - x; break;
        case 3: case 9: bx = textRight + x; break;
        default: break;
      }
      const int action = Int(section, "Action");
      const int state = !active ? (frames >= 4 ? 4 : 1) : action == 0 ? 3 : action == 2 ? 2 : 1;
      win.Draw(FrameOf(image, frames, state), bx, Int(section, "Ycoord"), true);
    }
    // menu bar
    const PixelCanvas& bar = Image("Personality", "menuBar");
    win.Draw(Band(bar, 2, frame, w - fl - fr, 20, Int("Personality", "TileLeftMenu"), Int("Personality", "TileRightMenu")), fl, ft);
    for (int k = 0; k < 4; ++k) win.Fill(fl + 10 + k * 48, ft + 6, 30, 8, Colour("MenuBarText"));
    return win;
  }

  void Controls(PixelCanvas& on, int x0, int y0) const {
    // push buttons in their five looks, with their captions
    for (int f = 1; f <= 5; ++f) {
      const int bx = x0 + (f - 1) * 82;
      Object(on, "Buttons", "Bitmap", 5, f, bx, y0, 75, 25);
      TextBlocks(on, bx + 20, y0 + 9, 5, 5, 7, 7, f == 3 ? Colour("ButtonShadow") : Colour("ButtonText"));
    }
    // check boxes and radio buttons: every frame at its own size
    const PixelCanvas& check = Image("Buttons", "CheckButton");
    const int checks = Int("Buttons", "CheckButtonFrame");
    for (int f = 1; f <= checks; ++f) on.Draw(FrameOf(check, checks, f), x0 + (f - 1) * 18, y0 + 36, true);
    const PixelCanvas& radio = Image("Buttons", "RadioButton");
    const int radios = Int("Buttons", "RadioButtonFrame");
    for (int f = 1; f <= radios; ++f) on.Draw(FrameOf(radio, radios, f), x0 + 230 + (f - 1) * 18, y0 + 36, true);
    // combo boxes as the skin reading composes them from SunkEdge, ComboButton and ExtraImages, at
    // 21 and 24 pixels high, over an edit field
    const int wArrow = 18;
    const auto strip = [&](const std::string& section, int frames) {
      return TSkinStrip{&Image(section, "Image").Image(), frames, GenericMargins(section), Int(section, "Trans") == 1,
                        GenericTile(Int(section, "Tile")) == 1};
    };
    const TSkinStrip extra = strip("ExtraImages", 5);
    const PixelCanvas combo(BuildComboStrip(strip("SunkEdge", 4), strip("ComboButton", 4), &extra, wArrow));
    TSkinMargins cm = GenericMargins("SunkEdge");
    cm.left = 2;
    cm.right = wArrow + 2;
    for (int b = 1; b <= 4; ++b) {
      PixelCanvas field(150, 24, kFieldGround);
      TextBlocks(field, 6, 8, 8, 6, 8, 9, kFieldText);
      const int hh = b % 2 ? 21 : 24;
      field.Draw(Render(combo, 4, b, false, 150, hh, cm, false), 0, 0, true);
      on.Draw(field.Crop(0, 0, 150, hh), x0 + (b - 1) * 160, y0 + 60);
    }
    // scroll bars: horizontal 220 long at 40 %, vertical
    ScrollBar(on, x0, y0 + 100, 220, false, 60, 110);
    ScrollBar(on, x0 + 830, y0, 200, true, 20, 70);
    // progress bar 220 x 16 at 60 %
    Object(on, "Progress", "Bitmap", 2, 1, x0 + 240, y0 + 100, 220, 16);
    Object(on, "Progress", "Bitmap", 2, 2, x0 + 240, y0 + 100, 132, 16);
    // tabs over a page
    const PixelCanvas border = Image("Tabs", "Border");
    on.Draw(Render(border, 1, 1, false, 300, 80, {4, 5, 4, 4}, false), x0, y0 + 150);
    int tx = x0 + 2;
    for (int t = 0; t < 3; ++t) {
      const int tw = t == 1 ? 80 : 64;
      Object(on, "Tabs", "Image", 5, t == 1 ? 2 : 1, tx, y0 + 150 - 20 + (t == 1 ? 0 : 2), tw, t == 1 ? 21 : 18);
      TextBlocks(on, tx + 14, y0 + 150 - 13 + (t == 1 ? 0 : 2), 4, 5, 7, 8, Colour("ButtonText"));
      tx += tw;
    }
    // header, status bar
    for (int c = 0; c < 4; ++c) {
      on.Draw(Render(Image("Headerbar", "Image"), 5, c == 2 ? 4 : 1, false, 80, 20, GenericMargins("Headerbar"), false), x0 + 320 + c * 80, y0 + 130);
      TextBlocks(on, x0 + 330 + c * 80, y0 + 137, 3, 5, 7, 8, Colour("ButtonText"));
    }
    for (int p = 0; p < 3; ++p) {
      const int pw = p == 2 ? 200 : 120;
      on.Draw(Render(Image("StatusBarEdges", "Image"), 3, 1, false, pw, 22, GenericMargins("StatusBarEdges"), false), x0 + 320 + p * 120, y0 + 210);
    }
    const PixelCanvas grip = FrameOf(Image("ExtraImages", "Image"), 5, 5);
    on.Draw(grip, x0 + 320 + 440 - 1 - grip.Width(), y0 + 210 + 22 - 1 - grip.Height(), true);
    // track bar thumbs (the engine draws frame 2), spin buttons
    on.Draw(FrameOf(Image("Trackbar.ThumbHorz", "Image"), 5, 2), x0 + 340, y0 + 160, true);
    on.Draw(FrameOf(Image("Trackbar.ThumbDown", "Image"), 5, 2), x0 + 360, y0 + 160, true);
    on.Draw(FrameOf(Image("Trackbar.ThumbUp", "Image"), 5, 2), x0 + 380, y0 + 160, true);
    on.Draw(FrameOf(Image("Trackbar.ThumbVert", "Image"), 5, 2), x0 + 400, y0 + 160, true);
    on.Draw(FrameOf(Image("Trackbar.ThumbLeft", "Image"), 5, 2), x0 + 430, y0 + 160, true);
    on.Draw(FrameOf(Image("Trackbar.ThumbRight", "Image"), 5, 2), x0 + 460, y0 + 160, true);
    Spin(on, x0 + 500, y0 + 160, false);
    Spin(on, x0 + 530, y0 + 160, true);
    // a popup menu: background, a normal item, the selected item, a separator
    const int mw = 160, mh = 3 + 20 * 3 + 9 + 3;
    PixelCanvas menu = Render(Image("MenuBackground", "Image"), 1, 1, false, mw, mh, GenericMargins("MenuBackground"), false);
    const int items[] = {1, 4, 0, 1};
    int my = 3;
    for (const int f : items) {
      const int ih = f == 0 ? 9 : 20;
      if (f == 0) {
        // separator: the bottom rows of frame 2, left, middle and right parts
        const PixelCanvas& item = Image("MenuItem", "Image");
        const int fw = item.Width() / 5, ihh = item.Height();
        const int dy = ih < ihh ? ihh - ih : 0;
        PixelCanvas sep(mw - 6, ih, kKey);
        const TSkinMargins m = GenericMargins("MenuItem");
        Stretch(sep, item, fw, dy, m.left, ihh - dy, 0, 0, m.left, ih);
        Stretch(sep, item, fw + m.left, dy, fw - m.left - m.right, ihh - dy, m.left, 0, mw - 6 - m.left - m.right, ih);
        Stretch(sep, item, 2 * fw - m.right, dy, m.right, ihh - dy, mw - 6 - m.right, 0, m.right, ih);
        menu.Draw(sep, 3, my, true);
      } else {
        Object(menu, "MenuItem", "Image", 5, f, 3, my, mw - 6, ih);
        TextBlocks(menu, 30, my + 7, 6, 6, 7, 9, Colour(f == 4 ? "HilightText" : "MenuText"));
      }
      my += ih;
    }
    on.Draw(menu, x0 + 640, y0 + 20);
  }

  void ScrollBar(PixelCanvas& on, int x, int y, int length, bool vertical, int thumbStart, int thumbEnd) const {
    const int a = 16;
    const PixelCanvas& arrows = Image("Scrollbar", "Image");
    const int t = arrows.Height();
    const std::string track = vertical ? "VertScroll" : "HorzScroll";
    const std::string thumb = vertical ? "VertScrollThumb" : "HorzScrollThumb";
    if (vertical) {
      Object(on, track, "Image", 4, 1, x, y + a, t, length - 2 * a);
      on.Draw(Render(arrows, 23, 9, false, t, a, {}, false), x, y, true);
      on.Draw(Render(arrows, 23, 14, false, t, a, {}, false), x, y + length - a, true);
      Object(on, thumb, "Image", Int(thumb, "FrameCount", 3), 1, x, y + thumbStart, t, thumbEnd - thumbStart);
    } else {
      Object(on, track, "Image", 4, 1, x + a, y, length - 2 * a, t);
      on.Draw(Render(arrows, 23, 1, false, a, t, {}, false), x, y, true);
      on.Draw(Render(arrows, 23, 5, false, a, t, {}, false), x + length - a, y, true);
      Object(on, thumb, "Image", Int(thumb, "FrameCount", 3), 2, x + thumbStart, y, thumbEnd - thumbStart, t);
    }
  }

  void Spin(PixelCanvas& on, int x, int y, bool horizontal) const {
    const std::string section = horizontal ? "UpDown.Horz" : "UpDown.Vert";
    const PixelCanvas& image = Image(section, "Image");
    const PixelCanvas& glyphs = Image(section, "GlyphImage");
    const int w = horizontal ? 24 : 16, h = horizontal ? 16 : 22;
    for (int b = 0; b < 2; ++b) {
      const int frame = (b == 0 ? 1 : 5) + (b == 1 ? 3 : 0);
      const int bx = horizontal ? x + b * w / 2 : x, by = horizontal ? y : y + b * h / 2;
      const int bw = horizontal ? w / 2 : w, bh = horizontal ? h : h / 2;
      on.Draw(Render(image, 8, frame, false, bw, bh, {}, false), bx, by, true);
      const PixelCanvas g = FrameOf(glyphs, 8, frame);
      on.Draw(g, bx + (bw - g.Width()) / 2, by + (bh - g.Height()) / 2, true);
    }
  }

private:
  TQuickIni ini_;                               // the descriptor
  TStringList sections_;                        // its section names
  std::map<std::string, PixelCanvas> images_;  // the images by member name
};

}  // namespace

PixelCanvas DrawSkinPreview(const DrawnSkin& skin) {
  const Preview preview(skin);
  int sheetHeight = 0;
  for (const auto& [name, picture] : skin.images) sheetHeight += picture.Height() + 6;
  const int width = 900;
  PixelCanvas out(width, 600 + sheetHeight, preview.Colour("ButtonFace"));
  out.Fill(0, 0, width, 340, kDesktop);
  out.Draw(preview.Window(420, 300, true), 20, 20);
  out.Draw(preview.Window(420, 300, false), 460, 20);
  preview.Controls(out, 20, 360);
  // every image of the skin at its own size, on the face colour, key colour shown as it is
  int y = 620;
  for (const auto& [name, picture] : skin.images) {
    out.Draw(picture, 20, y);
    y += picture.Height() + 6;
  }
  return out;
}

}  // namespace bus::tools
