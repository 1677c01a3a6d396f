#include "tools/skindraw/SkinPreview.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "skin/data/BitmapFilters.h"
#include "skin/data/QuickIni.h"
#include "skin/data/SkinDescriptorRules.h"

namespace bus::tools {

namespace {

constexpr std::uint32_t kDesktop = 0x46545B;  // what the window region lets through

struct Margins {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Copies src rectangle (sx, sy, sw, sh) stretched to (dx, dy, dw, dh), nearest pixel.
void Stretch(PixelCanvas& dst, const PixelCanvas& src, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh) {
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  for (int y = 0; y < dh; ++y) {
    for (int x = 0; x < dw; ++x) dst.Set(dx + x, dy + y, src.Get(sx + x * sw / dw, sy + y * sh / dh));
  }
}

void TileInto(PixelCanvas& dst, const PixelCanvas& src, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh) {
  if (sw <= 0 || sh <= 0) return;
  for (int y = dy; y < dy + dh; y += sh) {
    for (int x = dx; x < dx + dw; x += sw) Stretch(dst, src, sx, sy, sw, sh, x, y, sw, sh);
  }
}

// One frame of a strip, rendered nine-slice into a w x h picture.
PixelCanvas Render(const PixelCanvas& image, int frames, int frame, bool vertical, int w, int h, Margins m, bool tile) {
  PixelCanvas out(std::max(w, 0), std::max(h, 0));
  if (w <= 0 || h <= 0) return out;
  const int fw = vertical ? image.Width() : image.Width() / frames;
  const int fh = vertical ? image.Height() / frames : image.Height();
  const int fx = vertical ? 0 : fw * (frame - 1), fy = vertical ? fh * (frame - 1) : 0;
  if (w < m.left + m.right) m.left = m.right = 0;
  if (h < m.top + m.bottom) m.top = m.bottom = 0;
  const int cw = fw - m.left - m.right, ch = fh - m.top - m.bottom;
  const int dw = w - m.left - m.right, dh = h - m.top - m.bottom;
  const auto piece = [&](int sx, int sy, int sw, int sh, int dx, int dy, int ddw, int ddh) {
    Stretch(out, image, fx + sx, fy + sy, sw, sh, dx, dy, ddw, ddh);
  };
  piece(0, 0, m.left, m.top, 0, 0, m.left, m.top);
  piece(0, fh - m.bottom, m.left, m.bottom, 0, h - m.bottom, m.left, m.bottom);
  piece(fw - m.right, 0, m.right, m.top, w - m.right, 0, m.right, m.top);
  piece(0, m.top, m.left, ch, 0, m.top, m.left, dh);
  piece(m.left, 0, cw, m.top, m.left, 0, dw, m.top);
  if (tile) TileInto(out, image, fx + m.left, fy + m.top, cw, ch, m.left, m.top, dw, dh);
  else piece(m.left, m.top, cw, ch, m.left, m.top, dw, dh);
  piece(fw - m.right, fh - m.bottom, m.right, m.bottom, w - m.right, h - m.bottom, m.right, m.bottom);
  piece(fw - m.right, m.top, m.right, ch, w - m.right, m.top, m.right, dh);
  piece(m.left, fh - m.bottom, cw, m.bottom, m.left, h - m.bottom, dw, m.bottom);
  return out;
}

// A three-part band whose middle repeats, every piece stretched to the full height.
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

class Preview {
public:
  explicit Preview(const DrawnSkin& skin) {
    ini_.LoadFromText(skin.descriptor);
    for (const auto& [name, picture] : skin.images) images_.emplace(name, picture);
  }

  const PixelCanvas& Image(const std::string& section, const std::string& key) const {
    const std::string name = SkinImageMemberName(ini_.ReadString(section, key, ""));
    const auto it = images_.find(name);
    if (it == images_.end()) throw std::runtime_error("no image for " + section + " " + key);
    return it->second;
  }
  int Int(const std::string& section, const std::string& key, int def = 0) const { return ini_.ReadInteger(section, key, def); }
  Margins GenericMargins(const std::string& section) const {
    return {Int(section, "LeftWidth"), Int(section, "TopHeight"), Int(section, "RightWidth"), Int(section, "BottomHeight")};
  }
  // A skin object's frame over a w x h area, nine-slice, keyed when its Trans is 1.
  void Object(PixelCanvas& on, const std::string& section, const std::string& key, int frames, int frame, int x, int y, int w, int h) const {
    on.Draw(Render(Image(section, key), frames, frame, false, w, h, GenericMargins(section), Int(section, "Tile") == 1), x, y,
            Int(section, "Trans") == 1);
  }

  PixelCanvas Window(int w, int h, bool active) const {
    const int frame = active ? 1 : 2;
    const PixelCanvas& left = Image("Personality", "Left");
    const PixelCanvas& right = Image("Personality", "Right");
    const PixelCanvas& top = Image("Personality", "Top");
    const PixelCanvas& bottom = Image("Personality", "Bottom");
    const int fl = left.Width() / 2, fr = right.Width() / 2, ft = top.Height() / 2, fb = bottom.Height() / 2;
    PixelCanvas win(w, h, 0xF2F4F5);
    win.Draw(Render(left, 2, frame, false, fl, h, {0, Int("Personality", "LeftTopHeight"), 0, Int("Personality", "LeftBotHeight")}, false), 0, 0);
    win.Draw(Render(right, 2, frame, false, fr, h, {0, Int("Personality", "RightTopHeight"), 0, Int("Personality", "RightBotHeight")}, false), w - fr, 0);
    win.Draw(Render(bottom, 2, frame, true, w - fl - fr, fb, {Int("Personality", "BottomTopHeight"), 0, Int("Personality", "BottomBotHeight"), 0}, false), fl, h - fb);
    win.Draw(Render(top, 2, frame, true, w - fl - fr, ft, {Int("Personality", "TopTopHeight"), 0, Int("Personality", "TopBotHeight"), 0}, false), fl, 0);
    // caption text stand-in: its box as the caption text would measure, with the line under it
    const int textLeft = fl + Int("Personality", "TextShift");
    const int textWidth = 150;
    win.Draw(Band(Image("Personality", "TextBack"), 2, frame, textWidth, ft, Int("Personality", "TXTBackleft"), Int("Personality", "TXTBackRight")),
             textLeft, 0, true);
    const std::uint32_t ink = active ? 0xFFFFFF : 0xE3E9EC;
    for (int k = 0; k < 12; ++k) win.Fill(textLeft + 10 + k * 10, 10, 7, 10, ink);  // blocks where letters go
    // caption buttons, laid out by Align and Xcoord
    for (const char* section : {"ButtonClose", "ButtonMaximize", "ButtonMinimize", "ButtonSystem"}) {
      const PixelCanvas& image = Image(section, "ButtonImage");
      const int frames = Int(section, "frame");
      const int bx = Int(section, "Align") == 1 ? w - Int(section, "Xcoord") : Int(section, "Xcoord");
      const int by = Int(section, "Ycoord");
      const int state = std::string(section) == "ButtonClose" && active ? 3 : std::string(section) == "ButtonMinimize" && active ? 2 : 1;
      win.Draw(FrameOf(image, frames, active ? state : (frames >= 4 ? 4 : 1)), bx, by, true);
    }
    // menu bar
    const PixelCanvas& bar = Image("Personality", "menuBar");
    win.Draw(Band(bar, 2, frame, w - fl - fr, 20, Int("Personality", "TileLeftMenu"), Int("Personality", "TileRightMenu")), fl, ft);
    for (int k = 0; k < 4; ++k) win.Fill(fl + 10 + k * 48, ft + 6, 30, 8, 0x1E2A30);
    // the window region: the key colour of the borders lets the desktop through
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (win.Get(x, y) == kKey && (x < fl || x >= w - fr || y < ft || y >= h - fb)) win.Set(x, y, kDesktop);
      }
    }
    return win;
  }

  void Controls(PixelCanvas& on, int x0, int y0) const {
    // push buttons in their five looks
    for (int f = 1; f <= 5; ++f) Object(on, "Buttons", "Bitmap", 5, f, x0 + (f - 1) * 82, y0, 75, 25);
    // check boxes and radio buttons: every frame at its own size
    const PixelCanvas& check = Image("Buttons", "CheckButton");
    for (int f = 1; f <= 12; ++f) on.Draw(FrameOf(check, 12, f), x0 + (f - 1) * 18, y0 + 36, true);
    const PixelCanvas& radio = Image("Buttons", "RadioButton");
    for (int f = 1; f <= 8; ++f) on.Draw(FrameOf(radio, 8, f), x0 + 230 + (f - 1) * 18, y0 + 36, true);
    // combo boxes as composed from SunkEdge, ComboButton and ExtraImages, at 21 and 24 pixels high
    const int wArrow = 18;
    PixelCanvas strip(50 * 4, 21);
    for (int b = 1; b <= 4; ++b) {
      PixelCanvas cell(50, 21);
      cell.Draw(Render(Image("SunkEdge", "Image"), 4, b, false, 50, 21, GenericMargins("SunkEdge"), false), 0, 0, Int("SunkEdge", "Trans") == 1);
      cell.Draw(Render(Image("ComboButton", "Image"), 4, b, false, wArrow, 21, GenericMargins("ComboButton"), false), 50 - wArrow, 0, true);
      const PixelCanvas glyph = FrameOf(Image("ExtraImages", "Image"), 5, b);
      cell.Draw(glyph, 50 - wArrow + (wArrow - glyph.Width()) / 2, (21 - glyph.Height()) / 2, true);
      cell.Fill(2, 2, 49 - wArrow - 2, 16, kKey);
      strip.Draw(cell, 50 * (b - 1), 0);
    }
    Margins cm = GenericMargins("SunkEdge");
    cm.left = 2;
    cm.right = wArrow + 2;
    for (int b = 1; b <= 4; ++b) {
      PixelCanvas field(150, 24, 0xFFFFFF);
      for (int k = 0; k < 8; ++k) field.Fill(6 + k * 9, 8, 6, 8, 0x1E2A30);
      const int hh = b % 2 ? 21 : 24;
      field.Draw(Render(strip, 4, b, false, 150, hh, cm, false), 0, 0, true);
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
      tx += tw;
    }
    // header, status bar
    for (int c = 0; c < 4; ++c) {
      on.Draw(Render(Image("Headerbar", "Image"), 5, c == 2 ? 4 : 1, false, 80, 20, GenericMargins("Headerbar"), false), x0 + 320 + c * 80, y0 + 130);
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
        const Margins m = GenericMargins("MenuItem");
        Stretch(sep, item, fw, dy, m.left, ihh - dy, 0, 0, m.left, ih);
        Stretch(sep, item, fw + m.left, dy, fw - m.left - m.right, ihh - dy, m.left, 0, mw - 6 - m.left - m.right, ih);
        Stretch(sep, item, 2 * fw - m.right, dy, m.right, ihh - dy, mw - 6 - m.right, 0, m.right, ih);
        menu.Draw(sep, 3, my, true);
      } else {
        Object(menu, "MenuItem", "Image", 5, f, 3, my, mw - 6, ih);
        const std::uint32_t ink = f == 4 ? 0xFFFFFF : 0x1E2A30;
        for (int k = 0; k < 6; ++k) menu.Fill(30 + k * 9, my + 7, 6, 7, ink);
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
  std::map<std::string, PixelCanvas> images_;  // the images by member name
};

}  // namespace

PixelCanvas DrawSkinPreview(const DrawnSkin& skin) {
  const Preview preview(skin);
  int sheetHeight = 0;
  for (const auto& [name, picture] : skin.images) sheetHeight += picture.Height() + 6;
  const int width = 900;
  PixelCanvas out(width, 600 + sheetHeight, 0xF2F4F5);
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
