#include "tools/skindraw/DrawnSkin.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <sstream>

#include "skin/data/BitmapFilters.h"

namespace bus::tools {

namespace {

static_assert(kNoColour == PixelCanvas::kNone, "a palette role left out is a shape part not drawn");

std::string ColourText(std::uint32_t rgb) {
  return std::to_string(rgb >> 16 & 0xFF) + " " + std::to_string(rgb >> 8 & 0xFF) + " " + std::to_string(rgb & 0xFF);
}
// The descriptor's integer form of a colour: red + 256 * green + 65536 * blue.
std::string ColourNumber(std::uint32_t rgb) {
  return std::to_string((rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16);
}

// A colour moved a little toward white, whatever the skin's palette: the hot look of a filled mark.
std::uint32_t Lighten(std::uint32_t rgb, double t) { return Mix(rgb, 0xFFFFFF, t); }

// Writes the descriptor section by section.
class Descriptor {
public:
  Descriptor& Section(const std::string& name) {
    text_ << (text_.tellp() > 0 ? "\r\n" : "") << "[" << name << "]\r\n";
    return *this;
  }
  Descriptor& Key(const std::string& key, const std::string& value) {
    text_ << key << "=" << value << "\r\n";
    return *this;
  }
  Descriptor& Key(const std::string& key, int value) { return Key(key, std::to_string(value)); }
  Descriptor& Comment(const std::string& text) {
    text_ << "; " << text << "\r\n";
    return *this;
  }
  std::string Text() const { return text_.str(); }

private:
  std::ostringstream text_;  // the text so far
};

// ---- shapes -----------------------------------------------------------------------------------

int RadiusOf(CornerShape corners) { return corners.cut == CornerCut::Round ? corners.size : 0; }

// Cuts the two top (or bottom) corners of the w x h canvas straight across: pixels less than `size`
// steps from the corner become the key colour, those exactly `size` steps away the edge (`outline`,
// or `fill` when there is no outline).
void CutCorners(PixelCanvas& c, bool top, int size, std::uint32_t outline, std::uint32_t fill) {
  const std::uint32_t edge = outline != PixelCanvas::kNone ? outline : fill;
  for (int i = 0; i <= size; ++i) {
    for (int k = 0; i + k <= size; ++k) {
      const int y = top ? k : c.Height() - 1 - k;
      for (const int x : {i, c.Width() - 1 - i}) {
        if (i + k < size) c.Set(x, y, kKey);
        else if (edge != PixelCanvas::kNone) c.Set(x, y, edge);
      }
    }
  }
}

// A rectangle whose top and bottom corner pairs are cut as the shapes say: `outline` on its
// one-pixel edge (skipped when kNone), `fill` inside (skipped when kNone). Pixels of the box outside
// the shape stay as they are.
void ShapedRect(PixelCanvas& on, int x, int y, int w, int h, CornerShape top, CornerShape bottom, std::uint32_t outline,
                std::uint32_t fill) {
  if (top.cut == CornerCut::Round && bottom.cut == CornerCut::Round) {
    on.RoundRect(x, y, w, h, top.size, bottom.size, outline, fill);
    return;
  }
  PixelCanvas shape(w, h);
  shape.RoundRect(0, 0, w, h, RadiusOf(top), RadiusOf(bottom), outline, fill);
  if (top.cut == CornerCut::Chamfer) CutCorners(shape, true, top.size, outline, fill);
  if (bottom.cut == CornerCut::Chamfer) CutCorners(shape, false, bottom.size, outline, fill);
  on.Draw(shape, x, y, true);
}

// ---- glyphs of the caption buttons (n x n, drawn at (x, y)) ---------------------------------

void GlyphClose(PixelCanvas& c, int x, int y, int n, std::uint32_t rgb) {
  for (int i = 0; i < n; ++i) {
    c.Set(x + i, y + i, rgb);
    c.Set(x + n - 1 - i, y + i, rgb);
  }
}
void GlyphMaximise(PixelCanvas& c, int x, int y, int n, std::uint32_t rgb) {
  c.Frame(x, y, n, n, rgb);
  c.HLine(x, y + 1, n, rgb);
}
void GlyphRestore(PixelCanvas& c, int x, int y, int n, std::uint32_t rgb) {
  const int s = n - 2;  // each of the two windows
  c.HLine(x + 2, y, s, rgb);
  c.VLine(x + n - 1, y, s, rgb);
  c.HLine(x + n - 2, y + s - 1, 2, rgb);
  c.VLine(x + 2, y, 2, rgb);
  c.Frame(x, y + 2, s, s, rgb);
  c.HLine(x, y + 3, s, rgb);
}
void GlyphMinimise(PixelCanvas& c, int x, int y, int n, std::uint32_t rgb) { c.HLine(x, y + n - 2, n, rgb); }

using Glyph = std::function<void(PixelCanvas&, int, int, int, std::uint32_t)>;

// An arrow pointing down, 9 x 5: an open chevron (two-pixel strokes) or a solid triangle.
const std::vector<const char*> kChevronDown = {"##.....##", ".##...##.", "..##.##..", "...###...", "....#...."};
const std::vector<const char*> kTriangleDown = {"#########", ".#######.", "..#####..", "...###...", "....#...."};

// Draws every image of one skin from its style.
class SkinPainter {
public:
  explicit SkinPainter(const SkinStyle& style) : p_(style.palette), s_(style.shape) {}

  // ---- the window frame -----------------------------------------------------------------------

  // A small window as the frame images cut it: the four border images are parts of it. Outside its
  // cut corners it is the key colour, which the window region cuts away where a border is
  // transparent.
  PixelCanvas ReferenceWindow(bool active) const {
    const int w = s_.side + 2 * s_.cornerSpan + s_.topMiddle + s_.side;
    const int h = s_.caption + s_.sideMiddle + s_.bottom;
    constexpr std::uint32_t kInside = 0x000001;  // placeholder for the inside, replaced below
    PixelCanvas win(w, h, kKey);
    ShapedRect(win, 0, 0, w, h, s_.topCorners, s_.bottomCorners, active ? p_.outline : p_.outlineIn, kInside);
    const std::uint32_t texture = active ? p_.captionTexture : p_.captionTextureIn;
    const std::uint32_t rule = active ? p_.captionRule : p_.captionRuleIn;
    for (int y = 0; y < h; ++y) {
      const std::uint32_t inside =
          y >= s_.caption ? p_.border
                          : Mix(active ? p_.captionTop : p_.captionInTop, active ? p_.captionBottom : p_.captionInBottom,
                                double(y - 1) / (s_.caption - 2));
      for (int x = 0; x < w; ++x) {
        if (win.Get(x, y) != kInside) continue;
        std::uint32_t colour = inside;
        if (y == s_.caption - 1 && rule != kNoColour) colour = rule;
        else if (y < s_.caption - 2 && texture != kNoColour && TextureDot(x, y)) colour = texture;
        win.Set(x, y, colour);
      }
    }
    return win;
  }

  // Six frames (normal, pressed, hot, inactive, and two spares: inactive, normal) or the first four.
  // Frames 1 to 3 are drawn on the active caption, frame 4 on the inactive one.
  PixelCanvas CaptionButton(const Glyph& glyph, bool close) const {
    const int w = s_.buttonWidth, h = s_.buttonHeight, n = s_.buttonGlyph;
    const int gx = (w - n) / 2, gy = (h - n) / 2;
    const auto frame = [&](std::uint32_t tile, std::uint32_t ring, std::uint32_t ink) {
      PixelCanvas f(w, h);
      if (tile != PixelCanvas::kNone) f.RoundRect(0, 0, w, h, s_.buttonRadius, PixelCanvas::kNone, tile);
      else if (ring != PixelCanvas::kNone) f.RoundRect(0, 0, w, h, s_.buttonRadius, ring, PixelCanvas::kNone);
      glyph(f, gx, gy, n, ink);
      return f;
    };
    std::vector<PixelCanvas> frames;
    frames.push_back(frame(PixelCanvas::kNone, p_.captionButtonRing, p_.captionText));
    frames.push_back(frame(close ? p_.closePressed : p_.captionPressed, PixelCanvas::kNone, p_.captionHotText));
    frames.push_back(frame(close ? p_.closeHot : p_.captionHot, PixelCanvas::kNone, p_.captionHotText));
    frames.push_back(frame(PixelCanvas::kNone, p_.captionButtonRingIn, p_.captionTextIn));
    if (s_.buttonFrames == 6) {
      frames.push_back(frame(PixelCanvas::kNone, p_.captionButtonRingIn, p_.captionTextIn));
      frames.push_back(frame(PixelCanvas::kNone, p_.captionButtonRing, p_.captionText));
    }
    return JoinFrames(frames);
  }

  // The system-menu button: the engine draws the window's icon in its place and takes only the size
  // of a frame (16 x 16) from this image; the picture is a small bus for anything that shows it.
  PixelCanvas SystemButton() const {
    std::vector<PixelCanvas> frames;
    for (int k = 0; k < 3; ++k) {
      PixelCanvas f(16, 16);
      f.RoundRect(1, 2, 14, 11, 2, p_.captionText, p_.captionText);
      f.Fill(3, 4, 10, 4, k == 0 ? p_.captionBottom : p_.captionPressed);
      f.Fill(3, 13, 3, 2, p_.captionText);
      f.Fill(10, 13, 3, 2, p_.captionText);
      f.Fill(3, 10, 2, 1, p_.accent);
      f.Fill(11, 10, 2, 1, p_.accent);
      frames.push_back(f);
    }
    return JoinFrames(frames);
  }

  // Window controls of a maximised MDI child in the menu bar: minimise, restore and close, each in
  // four frames (normal, pressed, unused, hot).
  PixelCanvas MdiControls() const {
    std::vector<PixelCanvas> frames;
    const std::function<void(PixelCanvas&, int, int, std::uint32_t)> glyphs[] = {
        [](PixelCanvas& c, int x, int y, std::uint32_t rgb) { c.HLine(x, y + 6, 8, rgb); },
        [](PixelCanvas& c, int x, int y, std::uint32_t rgb) {
          c.HLine(x + 2, y, 6, rgb);
          c.VLine(x + 7, y, 5, rgb);
          c.Frame(x, y + 2, 6, 6, rgb);
        },
        [](PixelCanvas& c, int x, int y, std::uint32_t rgb) {
          for (int i = 0; i < 8; ++i) {
            c.Set(x + i, y + i, rgb);
            c.Set(x + 7 - i, y + i, rgb);
          }
        },
    };
    for (const auto& g : glyphs) {
      for (int state = 0; state < 4; ++state) {
        PixelCanvas f(16, 14);
        if (state == 1) f.RoundRect(0, 0, 16, 14, SmallRadius(), PixelCanvas::kNone, p_.trackPressed);
        if (state == 3) f.RoundRect(0, 0, 16, 14, SmallRadius(), PixelCanvas::kNone, p_.header);
        g(f, 4, 3, state == 2 ? p_.disabledGlyph : p_.mutedText);
        frames.push_back(f);
      }
    }
    return JoinFrames(frames);
  }

  // The caption text's background, active and inactive one above the other, each as high as the
  // caption: a two-pixel line under the text, or a rounded plate the text sits on.
  PixelCanvas TextBack() const {
    const int w = 2 * s_.textBackMargin + 4;
    const auto frame = [&](std::uint32_t fill) {
      PixelCanvas f(w, s_.caption);
      if (s_.textBack == TextBackKind::Underline) {
        f.HLine(0, s_.caption - 6, w, fill);
        f.HLine(0, s_.caption - 5, w, fill);
      } else {
        const int top = 3, height = s_.caption - 7;
        f.RoundRect(0, top, w, height, std::min(s_.textBackMargin - 2, height / 2), p_.textBackEdge, fill);
      }
      return f;
    };
    return JoinFrames({frame(p_.textBack), frame(p_.textBackIn)}, true);
  }

  // The menu bar: active and inactive, one above the other.
  PixelCanvas MenuBar() const { return JoinFrames({PixelCanvas(8, 20, p_.menuBar), PixelCanvas(8, 20, p_.menuBar)}, true); }

  // ---- controls -------------------------------------------------------------------------------

  // Push buttons: normal, pressed, disabled, hot (also focus), default.
  PixelCanvas PushButtons() const {
    const int n = s_.pushSize;
    const CornerShape corners = s_.pushCorners;
    const auto button = [&](std::uint32_t outline, std::uint32_t fill, int thickness) {
      PixelCanvas f(n, n);
      ShapedRect(f, 0, 0, n, n, corners, corners, outline, fill);
      if (thickness == 2) {
        const CornerShape inner{corners.cut, std::max(corners.size - 1, 0)};
        ShapedRect(f, 1, 1, n - 2, n - 2, inner, inner, outline, PixelCanvas::kNone);
      }
      return f;
    };
    std::vector<PixelCanvas> frames;
    frames.push_back(button(p_.edge, p_.field, 1));
    PixelCanvas pressed = button(p_.pressed, p_.pressedTint, 1);
    pressed.HLine(3, 1, n - 6, Mix(p_.pressedTint, p_.pressed, 0.25));  // the face sinks in
    frames.push_back(pressed);
    frames.push_back(button(p_.softEdge, p_.face, 1));
    frames.push_back(button(p_.accent, p_.accentTint, 1));
    frames.push_back(button(p_.selection, p_.field, 2));
    return JoinFrames(frames);
  }

  // Check boxes. Full strips: unchecked, checked, mixed, each normal, hot, pressed, disabled. Short
  // strips: unchecked, checked, unchecked disabled, checked disabled (also mixed).
  PixelCanvas CheckBoxes() const {
    const int n = s_.toggleSize;
    const std::vector<const char*> tick = {"......#", ".....##", "#...##.", "##.##..", ".###...", "..#...."};
    const auto box = [&](int mark, int look) {
      PixelCanvas f(n, n);
      if (mark == 0) {
        f.RoundRect(0, 0, n, n, s_.toggleRadius, ToggleOutline(look), ToggleFill(look));
      } else {
        const std::uint32_t fill = CheckedFill(look);
        f.RoundRect(0, 0, n, n, s_.toggleRadius, fill, fill);
        if (mark == 1) f.Pattern((n - 7) / 2, (n - 6) / 2, tick, p_.onAccent);
        else f.Fill((n - 7) / 2, (n - 1) / 2, 7, 2, p_.onAccent);
      }
      return f;
    };
    std::vector<PixelCanvas> frames;
    if (s_.fullToggleStrips) {
      for (int mark = 0; mark < 3; ++mark) {
        for (int look = 0; look < 4; ++look) frames.push_back(box(mark, look));
      }
    } else {
      for (const auto& [mark, look] : kShortToggleStrip) frames.push_back(box(mark, look));
    }
    return JoinFrames(frames);
  }

  // Radio buttons. Full strips: unchecked normal, hot, pressed, disabled, then checked in the same
  // looks. Short strips: unchecked, checked, unchecked disabled, checked disabled.
  PixelCanvas RadioButtons() const {
    const int n = s_.toggleSize, d = s_.radioDot;
    const auto radio = [&](int checked, int look) {
      PixelCanvas f(n, n);
      if (!checked) {
        f.Disc(0, 0, n, ToggleOutline(look), ToggleFill(look));
      } else {
        const std::uint32_t fill = CheckedFill(look);
        f.Disc(0, 0, n, fill, fill);
        f.Disc((n - d) / 2, (n - d) / 2, d, p_.onAccent, p_.onAccent);
      }
      return f;
    };
    std::vector<PixelCanvas> frames;
    if (s_.fullToggleStrips) {
      for (int checked = 0; checked < 2; ++checked) {
        for (int look = 0; look < 4; ++look) frames.push_back(radio(checked, look));
      }
    } else {
      for (const auto& [checked, look] : kShortToggleStrip) frames.push_back(radio(checked, look));
    }
    return JoinFrames(frames);
  }

  // The skin's arrow pointing 0 down, 1 up, 2 left, 3 right, in a 9 x 5 box (5 x 9 on its side).
  PixelCanvas Arrow(int direction, std::uint32_t rgb) const {
    PixelCanvas c(9, 5);
    c.Pattern(0, 0, s_.arrows == ArrowKind::Chevron ? kChevronDown : kTriangleDown, rgb);
    BmpImage& image = c.Image();
    if (direction == 1) FlipVertical(image);
    if (direction == 2) RotateRight(image);
    if (direction == 3) RotateLeft(image);
    return c;
  }

  // Combo box edge (SunkEdge): normal, pressed, disabled, hot or focused. A 1-px outline over the
  // field colour; the combo composition cuts the text area out.
  PixelCanvas SunkEdge() const {
    std::vector<PixelCanvas> frames;
    const std::uint32_t outlines[] = {p_.edge, p_.pressed, p_.softEdge, p_.accent};
    for (int s = 0; s < 4; ++s) {
      PixelCanvas f(12, 21, s == 2 ? p_.face : p_.field);
      f.Frame(0, 0, 12, 21, outlines[s]);
      frames.push_back(f);
    }
    return JoinFrames(frames);
  }

  // Combo drop-down button: only its surface; the edge comes from SunkEdge below it.
  PixelCanvas ComboButton() const {
    std::vector<PixelCanvas> frames;
    const std::uint32_t fills[] = {p_.field, p_.pressedTint, p_.face, p_.accentTint};
    for (int s = 0; s < 4; ++s) {
      PixelCanvas f(18, 21);
      f.Fill(1, 1, 16, 19, fills[s]);
      f.VLine(1, 4, 13, s == 0 || s == 2 ? p_.softEdge : fills[s]);
      frames.push_back(f);
    }
    return JoinFrames(frames);
  }

  // Frames 1 to 4: the drop-down arrow for normal, pressed, disabled, hot; frame 5: the size grip.
  PixelCanvas ExtraImages() const {
    std::vector<PixelCanvas> frames;
    for (const std::uint32_t ink : {p_.mutedText, p_.pressed, p_.disabledGlyph, p_.accent}) {
      PixelCanvas f(12, 12);
      f.Draw(Arrow(0, ink), 1, 4, true);
      frames.push_back(f);
    }
    PixelCanvas grip(12, 12);
    for (int row = 0; row < 3; ++row) {
      for (int col = 2 - row; col < 3; ++col) grip.Fill(2 + col * 3 + 1, 2 + row * 3 + 1, 2, 2, p_.thumbHot);
    }
    frames.push_back(grip);
    return JoinFrames(frames);
  }

  // Scroll bar arrows, 16 x 16: left, right, up, down, each normal, pressed, hot, disabled; then
  // seven plain track squares.
  PixelCanvas ScrollArrows() const {
    std::vector<PixelCanvas> frames;
    for (const int d : {2, 3, 1, 0}) {
      for (int look = 0; look < 4; ++look) {
        PixelCanvas f(16, 16, p_.track);
        if (look == 1) f.RoundRect(1, 1, 14, 14, SmallRadius(), PixelCanvas::kNone, p_.trackPressed);
        if (look == 2) f.RoundRect(1, 1, 14, 14, SmallRadius(), PixelCanvas::kNone, p_.header);
        const std::uint32_t ink = look == 3 ? p_.disabledGlyph : look == 1 ? p_.text : p_.arrowInk;
        const PixelCanvas arrow = Arrow(d, ink);
        f.Draw(arrow, (16 - arrow.Width()) / 2, (16 - arrow.Height()) / 2, true);
        frames.push_back(f);
      }
    }
    while (frames.size() < 23) frames.emplace_back(16, 16, p_.track);
    return JoinFrames(frames);
  }

  // Scroll track: enabled, hot, disabled, pressed; a groove runs along the middle of an enabled one.
  PixelCanvas ScrollTrack(bool vertical) const {
    const auto frame = [&](std::uint32_t fill, bool groove) {
      PixelCanvas f(16, 16, fill);
      if (groove && p_.trackGroove != kNoColour) {
        if (vertical) f.Fill(7, 0, 2, 16, p_.trackGroove);
        else f.Fill(0, 7, 16, 2, p_.trackGroove);
      }
      return f;
    };
    return JoinFrames({frame(p_.track, true), frame(p_.track, true), frame(p_.face, false), frame(p_.track, true)});
  }

  // Scroll thumb, a bar across the middle of the track: normal, dragged (and hot).
  PixelCanvas ScrollThumb(bool vertical) const {
    std::vector<PixelCanvas> frames;
    const std::uint32_t fills[] = {p_.thumb, p_.thumbDragged, p_.thumbHot};
    const int t = s_.thumbThickness, inset = (16 - t) / 2;
    for (int k = 0; k < s_.thumbFrames; ++k) {
      PixelCanvas f(16, 16);
      if (vertical) f.RoundRect(inset, 0, t, 16, s_.thumbRadius, PixelCanvas::kNone, fills[k]);
      else f.RoundRect(0, inset, 16, t, s_.thumbRadius, PixelCanvas::kNone, fills[k]);
      frames.push_back(f);
    }
    return JoinFrames(frames);
  }

  // Status bar panel edges: lowered, raised, without bevel. A top rule and a separator on the right.
  PixelCanvas StatusBarEdges() const {
    std::vector<PixelCanvas> frames;
    for (int kind = 0; kind < 3; ++kind) {
      PixelCanvas f(12, 20, p_.face);
      f.HLine(0, 0, 12, p_.softEdge);
      if (kind == 1) f.HLine(0, 1, 12, p_.highlight);
      if (kind != 2) f.VLine(10, 4, 13, p_.softEdge);
      frames.push_back(f);
    }
    return JoinFrames(frames);
  }

  // Column headers: normal, hot, pressed, sorted, spare.
  PixelCanvas HeaderBar() const {
    std::vector<PixelCanvas> frames;
    for (const std::uint32_t fill :
         {p_.header, Mix(p_.header, p_.edge, 0.2), Mix(p_.header, p_.edge, 0.35), p_.header, p_.header}) {
      PixelCanvas f(16, 20, fill);
      f.HLine(0, 19, 16, p_.edge);
      f.VLine(14, 4, 12, p_.softEdge);
      frames.push_back(f);
    }
    frames[3].HLine(0, 18, 16, p_.accent);
    return JoinFrames(frames);
  }

  // Tabs hanging from the top edge: normal, selected, hot, disabled, selected and hot. The selected
  // tab carries the accent as a two-pixel line along its top, and has the page's colour.
  PixelCanvas Tabs() const {
    std::vector<PixelCanvas> frames;
    struct Look {
      std::uint32_t fill;
      std::uint32_t outline;
      bool line;
    };
    const Look looks[] = {{p_.header, p_.edge, false}, {p_.face, p_.edge, true}, {p_.field, p_.edge, false},
                          {p_.face, p_.softEdge, false}, {p_.face, p_.edge, true}};
    for (const Look& look : looks) {
      PixelCanvas f(16, s_.tabHeight);
      f.RoundRect(0, 0, 16, s_.tabHeight + 4, s_.controlRadius, look.outline, look.fill);  // open at the bottom
      if (look.line) {
        // the top edge and the row below it turn to the accent, corners included
        for (int y = 0; y < 3; ++y) {
          for (int x = 0; x < 16; ++x) {
            if (f.Get(x, y) == look.outline) f.Set(x, y, p_.accent);
          }
        }
        f.HLine(1, 1, 14, p_.accent);
      }
      frames.push_back(f);
    }
    return JoinFrames(frames);
  }

  // The page frame of a tab control (drawn with margins 4, 5, 4, 4; the inside is left alone).
  PixelCanvas TabBorder() const {
    PixelCanvas f(16, 16, p_.face);
    f.Frame(0, 0, 16, 16, p_.edge);
    return f;
  }

  // Popup menu items: normal (the background shows), separator, disabled, selected, spare.
  PixelCanvas MenuItems() const {
    std::vector<PixelCanvas> frames(5, PixelCanvas(12, 12));
    frames[1].HLine(1, 8, 10, p_.softEdge);
    frames[3].RoundRect(0, 0, 12, 12, SmallRadius(), PixelCanvas::kNone, p_.selection);
    if (s_.menuStripe) frames[3].Fill(0, 0, 2, 12, p_.accent);
    return JoinFrames(frames);
  }

  PixelCanvas MenuBackground() const {
    PixelCanvas f(24, 24, p_.menu);
    f.Frame(0, 0, 24, 24, p_.edge);
    return f;
  }

  // Progress bar: empty, filled.
  PixelCanvas ProgressBar() const {
    PixelCanvas empty(16, 16), filled(16, 16);
    empty.RoundRect(0, 0, 16, 16, s_.controlRadius, p_.softEdge, p_.track);
    filled.RoundRect(0, 0, 16, 16, s_.controlRadius, p_.pressed, p_.accent);
    return JoinFrames({empty, filled});
  }

  PixelCanvas ProgressChunk() const {
    PixelCanvas f(8, 10);
    f.Fill(0, 0, 6, 10, p_.accent);
    return f;
  }

  // Track bar thumbs: 0 plain horizontal, 1 plain vertical, 2 left, 3 right, 4 up, 5 down; each
  // normal, the one the engine draws (the accent), pressed, hot, disabled.
  PixelCanvas TrackThumb(int direction) const {
    std::vector<PixelCanvas> frames;
    for (int look = 0; look < 5; ++look) {
      PixelCanvas f = ThumbFrame(look, direction >= 2);
      BmpImage& image = f.Image();
      if (direction == 1) RotateLeft(image);
      if (direction == 2) RotateRight(image);
      if (direction == 3) RotateLeft(image);
      if (direction == 4) FlipVertical(image);
      frames.push_back(f);
    }
    return JoinFrames(frames);
  }

  // Spin buttons: the first button normal, pressed, disabled, hot, then the second button. Stacked
  // (vertical) buttons are 16 x 11, side-by-side ones 11 x 16.
  PixelCanvas SpinButtons(bool horizontal) const {
    std::vector<PixelCanvas> frames;
    const int w = horizontal ? 11 : 16, h = horizontal ? 16 : 11;
    const std::uint32_t fills[] = {p_.field, p_.pressedTint, p_.face, p_.accentTint};
    const std::uint32_t outlines[] = {p_.edge, p_.pressed, p_.softEdge, p_.accent};
    for (int button = 0; button < 2; ++button) {
      for (int look = 0; look < 4; ++look) {
        PixelCanvas f(w, h);
        f.RoundRect(0, 0, w, h, SmallRadius(), outlines[look], fills[look]);
        frames.push_back(f);
      }
    }
    return JoinFrames(frames);
  }

  PixelCanvas SpinGlyphs(bool horizontal) const {
    std::vector<PixelCanvas> frames;
    for (int button = 0; button < 2; ++button) {
      for (const std::uint32_t ink : {p_.mutedText, p_.pressed, p_.disabledGlyph, p_.accent}) {
        // up and down arrows (stacked), left and right (side by side)
        frames.push_back(Arrow(horizontal ? (button == 0 ? 2 : 3) : (button == 0 ? 1 : 0), ink));
      }
    }
    return JoinFrames(frames);
  }

  // Toolbar buttons: flat, pressed, disabled, hot, down.
  PixelCanvas ToolbarButtons() const {
    std::vector<PixelCanvas> frames(5, PixelCanvas(16, 16));
    frames[1].RoundRect(0, 0, 16, 16, s_.controlRadius, p_.edge, p_.trackPressed);
    frames[3].RoundRect(0, 0, 16, 16, s_.controlRadius, p_.softEdge, p_.header);
    frames[4].RoundRect(0, 0, 16, 16, s_.controlRadius, p_.accent, p_.pressedTint);
    return JoinFrames(frames);
  }

  // Group box frame (active, inactive) and the ground behind its caption.
  PixelCanvas GroupBoxEdge() const {
    PixelCanvas active(16, 16), inactive(16, 16);
    active.RoundRect(0, 0, 16, 16, s_.controlRadius, p_.edge, PixelCanvas::kNone);
    inactive.RoundRect(0, 0, 16, 16, s_.controlRadius, p_.softEdge, PixelCanvas::kNone);
    return JoinFrames({active, inactive});
  }

  PixelCanvas GroupBoxLabel() const {
    PixelCanvas f(16, 16);
    f.RoundRect(0, 0, 16, 16, s_.controlRadius, PixelCanvas::kNone, p_.face);
    return f;
  }

private:
  // Looks of a short toggle strip, as (mark, look) with look 0 normal and 3 disabled.
  static constexpr std::pair<int, int> kShortToggleStrip[] = {{0, 0}, {1, 0}, {0, 3}, {1, 3}};

  // Radius of small tiles inside a control (pressed arrows, spin buttons, menu selection).
  int SmallRadius() const { return std::max(s_.controlRadius - 1, 0); }

  // Whether the caption's dot texture has a dot at (x, y): a grid of textureStep, in phase with the
  // top image so that its tiled middle repeats without a seam.
  bool TextureDot(int x, int y) const {
    const int step = s_.textureStep;
    return step > 0 && ((x - s_.side) % step + step) % step == 1 && y % step == 2;
  }

  // Unchecked boxes and radios in the looks normal, hot, pressed, disabled.
  std::uint32_t ToggleOutline(int look) const {
    const std::uint32_t outlines[] = {p_.boxOutline, p_.accent, p_.pressed, p_.softEdge};
    return outlines[look];
  }
  std::uint32_t ToggleFill(int look) const {
    const std::uint32_t fills[] = {p_.field, p_.accentTint, p_.pressedTint, p_.face};
    return fills[look];
  }
  // Checked boxes and radios are filled with the accent.
  std::uint32_t CheckedFill(int look) const {
    const std::uint32_t fills[] = {p_.accent, Lighten(p_.accent, 0.15), p_.pressed, p_.disabledGlyph};
    return fills[look];
  }

  // One track bar thumb. Plain thumbs are rounded bars; the pointed ones point down, and turn for
  // the other sides.
  PixelCanvas ThumbFrame(int look, bool pointed) const {
    const std::uint32_t fills[] = {p_.field, p_.accent, p_.pressed, p_.accentTint, p_.face};
    const std::uint32_t outlines[] = {p_.boxOutline, p_.pressed, p_.pressed, p_.accent, p_.softEdge};
    PixelCanvas f(11, 20);
    if (!pointed) {
      f.RoundRect(0, 0, 11, 20, s_.controlRadius, outlines[look], fills[look]);
      return f;
    }
    f.RoundRect(0, 0, 11, 18, SmallRadius(), outlines[look], fills[look]);
    f.Fill(1, 14, 9, 6, kKey);
    for (int row = 0; row < 6; ++row) {
      const int half = 5 - row;
      f.Fill(5 - half, 14 + row, 2 * half + 1, 1, fills[look]);
      f.Set(5 - half, 14 + row, outlines[look]);
      f.Set(5 + half, 14 + row, outlines[look]);
    }
    f.Set(0, 14, outlines[look]);
    f.Set(10, 14, outlines[look]);
    return f;
  }

  const SkinPalette& p_;  // the colours
  const SkinShape& s_;    // the metrics and shapes
};

}  // namespace

DrawnSkin DrawSkin(const SkinStyle& style) {
  const SkinPalette& p = style.palette;
  const SkinShape& s = style.shape;
  const SkinPainter paint(style);
  DrawnSkin skin;
  skin.descriptorName = "skin.ini";
  auto& images = skin.images;
  const auto add = [&](const std::string& name, PixelCanvas picture) {
    images.emplace_back(name, std::move(picture));
    return name;
  };
  Descriptor d;
  d.Comment(style.description);
  d.Comment("Colours are red green blue; sizes in pixels.");

  d.Section("TitlebarSkin").Key("SkinName", style.skinName);

  // window frame: the four borders are cut from one small window, active and inactive
  const PixelCanvas active = paint.ReferenceWindow(true), inactive = paint.ReferenceWindow(false);
  const int rw = active.Width(), rh = active.Height();
  const auto cut = [&](int x, int y, int w, int h, bool vertical) {
    return JoinFrames({active.Crop(x, y, w, h), inactive.Crop(x, y, w, h)}, vertical);
  };
  d.Section("Personality");
  d.Key("Left", add("left.bmp", cut(0, 0, s.side, rh, false)))
      .Key("LeftTopHeight", s.caption).Key("LeftBotHeight", s.bottom).Key("LeftFrame", 2).Key("LeftStretch", 1)
      .Key("LeftTrans", int(s.sideTrans));
  d.Key("Right", add("right.bmp", cut(rw - s.side, 0, s.side, rh, false)))
      .Key("RightTopHeight", s.caption).Key("RightBotHeight", s.bottom).Key("RightFrame", 2).Key("RightStretch", 1)
      .Key("RightTrans", int(s.sideTrans));
  d.Key("Top", add("top.bmp", cut(s.side, 0, rw - 2 * s.side, s.caption, true)))
      .Key("TopTopHeight", s.cornerSpan).Key("TopBotHeight", s.cornerSpan).Key("TopFrame", 2)
      .Key("TopStretch", int(!s.tileCaption)).Key("TopTrans", int(s.topTrans));
  d.Key("Bottom", add("bottom.bmp", cut(s.side, rh - s.bottom, rw - 2 * s.side, s.bottom, true)))
      .Key("BottomTopHeight", s.cornerSpan).Key("BottomBotHeight", s.cornerSpan).Key("BottomFrame", 2)
      .Key("BottomStretch", 1).Key("BottomTrans", int(s.bottomTrans));
  d.Key("TextBack", add("textback.bmp", paint.TextBack()))
      .Key("TextShift", s.textShift).Key("TextShiftVert", 0).Key("TextRightClip", s.textRightClip)
      .Key("TextAlignment", s.textAlignment).Key("Textbackground", 1).Key("TXTBackleft", s.textBackMargin)
      .Key("TXTBackRight", s.textBackMargin);
  d.Key("ActiveTextR", int(p.captionText >> 16 & 0xFF)).Key("ActiveTextG", int(p.captionText >> 8 & 0xFF)).Key("ActiveTextB", int(p.captionText & 0xFF));
  d.Key("InActiveTextR", int(p.captionTextIn >> 16 & 0xFF)).Key("InActiveTextG", int(p.captionTextIn >> 8 & 0xFF)).Key("InActiveTextB", int(p.captionTextIn & 0xFF));
  d.Key("menuBar", add("menubar.bmp", paint.MenuBar())).Key("TileMenu", 0).Key("TileLeftMenu", 2).Key("TileRightMenu", 2);

  d.Section("Fonts").Key("FontHeight", s.fontHeight);

  d.Section("Colours")
      .Key("WindowText", ColourText(p.text))
      .Key("TitleTextActive", ColourText(p.captionText))
      .Key("TitleTextNoActive", ColourText(p.captionTextIn))
      .Key("ButtonFace", ColourText(p.face))
      .Key("ButtonText", ColourText(p.text))
      .Key("ButtonHilight", ColourText(p.highlight))
      .Key("Buttonlight", ColourText(p.menu))
      .Key("ButtonShadow", ColourText(p.edge))
      .Key("ButtonDkShadow", ColourText(p.darkEdge))
      .Key("HilightText", ColourText(p.selectionText))
      .Key("Hilight", ColourText(p.selection))
      .Key("Menubar", ColourText(p.menuBar))
      .Key("MenuBarText", ColourText(p.text))
      .Key("MenuText", ColourText(p.text))
      .Key("Menu", ColourText(p.menu))
      .Key("Scrollbar", ColourText(p.track));

  // the palette again, for tools that offer the skin's colours
  const std::uint32_t table[] = {p.captionTop, p.captionBottom, p.accent, p.pressed, p.face, p.edge, p.darkEdge, p.text, p.selection};
  for (int i = 0; i < 9; ++i) d.Section("Colour" + std::to_string(i)).Key("color", ColourText(table[i]));
  d.Section("Customcolors");
  const std::uint32_t custom[] = {p.captionTop, p.captionBottom, p.captionInTop, p.accent, p.pressed,
                                  p.closeHot, p.face, p.edge, p.text, p.field};
  for (int i = 0; i < 10; ++i) d.Key("Color" + std::to_string(i), ColourText(custom[i]));

  // caption buttons in slots from the window's edge they align to: Align 1 measures Xcoord from the
  // right edge to the button's left, Align 0 from the left edge
  const int step = s.buttonWidth + s.buttonGap;
  const int first = s.side + s.buttonGap + (s.buttonAlign == 1 ? s.buttonWidth : 0);
  const auto xcoord = [&](int slot) { return first + slot * step; };
  const int ybutton = (s.caption - s.buttonHeight) / 2;
  const auto captionButton = [&](int slot, int action, int visibility, int visibility1) {
    d.Key("Action", action).Key("Align", s.buttonAlign).Key("Xcoord", xcoord(slot)).Key("Ycoord", ybutton)
        .Key("Visibility", visibility).Key("Visibility1", visibility1).Key("frame", s.buttonFrames);
  };
  d.Section("ButtonClose").Key("ButtonImage", add("btnclose.bmp", paint.CaptionButton(GlyphClose, true)));
  captionButton(s.closeSlot, 0, 0, 0);
  d.Section("ButtonMaximize").Key("ButtonImage", add("btnmax.bmp", paint.CaptionButton(GlyphMaximise, false)));
  captionButton(s.maximiseSlot, 1, 2, 6);
  d.Section("ButtonRestore").Key("ButtonImage", add("btnrestore.bmp", paint.CaptionButton(GlyphRestore, false)));
  captionButton(s.maximiseSlot, 1, 1, 6);
  d.Section("ButtonMinimize").Key("ButtonImage", add("btnmin.bmp", paint.CaptionButton(GlyphMinimise, false)));
  captionButton(s.minimiseSlot, 2, 0, 8);
  d.Section("ButtonSystem").Key("ButtonImage", add("btnsystem.bmp", paint.SystemButton()))
      .Key("Action", 3).Key("Align", s.systemAlign).Key("Xcoord", s.systemX).Key("Ycoord", (s.caption - 16) / 2)
      .Key("Visibility", 0).Key("Visibility1", 0).Key("CombineOp", -1).Key("frame", 3);
  d.Section("MDICONTROLS").Key("Image", add("mdicontrols.bmp", paint.MdiControls()));

  d.Section("Buttons").Key("Bitmap", add("buttons.bmp", paint.PushButtons()))
      .Key("LeftWidth", s.pushMargins.left).Key("RightWidth", s.pushMargins.right).Key("TopHeight", s.pushMargins.top)
      .Key("BottomHeight", s.pushMargins.bottom).Key("Trans", 1).Key("Tile", 0)
      .Key("CheckButton", add("checkbox.bmp", paint.CheckBoxes())).Key("CheckButtonFrame", s.fullToggleStrips ? 12 : 4)
      .Key("RadioButton", add("radio.bmp", paint.RadioButtons())).Key("RadioButtonFrame", s.fullToggleStrips ? 8 : 4)
      .Key("NormalColour", ColourNumber(p.text)).Key("MouseOverColour", ColourNumber(p.text)).Key("PressedColour", ColourNumber(p.text))
      .Key("NormalColour2", ColourText(p.text)).Key("MouseOverColour2", ColourText(p.text)).Key("PressedColour2", ColourText(p.text));

  const auto generic = [&](int left, int top, int right, int bottom, int trans, int tile) {
    d.Key("LeftWidth", left).Key("TopHeight", top).Key("RightWidth", right).Key("BottomHeight", bottom).Key("Trans", trans).Key("Tile", tile);
  };
  const auto margins = [&](SkinMargins4 m, int trans, int tile) { generic(m.left, m.top, m.right, m.bottom, trans, tile); };
  const auto textColours = [&](std::uint32_t normal, std::uint32_t over, std::uint32_t down) {
    d.Key("NormalColour", ColourNumber(normal)).Key("MouseOverColour", ColourNumber(over)).Key("PressedColour", ColourNumber(down));
    d.Key("NormalColour2", ColourText(normal)).Key("MouseOverColour2", ColourText(over)).Key("PressedColour2", ColourText(down));
  };

  d.Section("Progress").Key("Bitmap", add("progress.bmp", paint.ProgressBar())).Key("Chunk", add("progresschunk.bmp", paint.ProgressChunk())).Key("Style", 0);
  margins(s.progressMargins, 1, 0);
  d.Section("GroupBoxEdge").Key("Image", add("groupboxedge.bmp", paint.GroupBoxEdge())).Key("Style", 0);
  generic(4, 4, 4, 4, 1, 0);
  d.Section("GroupBox").Key("Image", add("groupbox.bmp", paint.GroupBoxLabel())).Key("Style", 0);
  generic(4, 4, 4, 4, 1, 0);
  d.Key("BackgroundAlignment", 0).Key("BackgroundLeftShift", 6).Key("BackgroundRightShift", 6);
  textColours(p.text, p.text, p.text);
  d.Section("Toolbars").Key("Image", add("toolbars.bmp", paint.ToolbarButtons())).Key("Style", 0);
  generic(4, 4, 4, 4, 1, 0);
  textColours(p.text, p.text, p.text);
  d.Section("Tabs").Key("Image", add("tabs.bmp", paint.Tabs())).Key("Border", add("tabborder.bmp", paint.TabBorder()));
  margins(s.tabMargins, 1, 0);
  textColours(p.mutedText, p.text, p.text);
  d.Section("StatusBarEdges").Key("Image", add("statusbar.bmp", paint.StatusBarEdges())).Key("Style", 0);
  generic(1, 4, 2, 3, 0, 0);
  textColours(p.mutedText, p.mutedText, p.mutedText);
  d.Section("ComboButton").Key("Image", add("combobutton.bmp", paint.ComboButton()));
  generic(2, 2, 2, 2, 1, 0);
  d.Section("SunkEdge").Key("Image", add("sunkedge.bmp", paint.SunkEdge())).Key("Style", 0);
  generic(2, 2, 2, 2, 0, 0);
  d.Section("ExtraImages").Key("Image", add("extraimages.bmp", paint.ExtraImages())).Key("Style", 0);
  generic(0, 0, 0, 0, 1, 0);
  d.Section("Headerbar").Key("Image", add("header.bmp", paint.HeaderBar())).Key("Style", 0);
  generic(1, 4, 2, 4, 0, 0);
  textColours(p.text, p.text, p.text);
  d.Section("MenuItem").Key("Image", add("menuitem.bmp", paint.MenuItems())).Key("Style", 0);
  generic(3, 3, 3, 3, 1, 0);
  d.Section("MenuBackground").Key("Image", add("menubackground.bmp", paint.MenuBackground())).Key("Style", 0);
  generic(4, 4, 4, 4, 0, 0);
  d.Section("Scrollbar").Key("Image", add("scrollbar.bmp", paint.ScrollArrows())).Key("Style", 0);
  generic(0, 0, 0, 0, 0, 0);
  d.Section("HorzScroll").Key("Image", add("horzscroll.bmp", paint.ScrollTrack(false))).Key("Style", 0);
  generic(0, 0, 0, 0, 0, 0);
  d.Section("VertScroll").Key("Image", add("vertscroll.bmp", paint.ScrollTrack(true))).Key("Style", 0);
  generic(0, 0, 0, 0, 0, 0);
  d.Section("HorzScrollThumb").Key("Image", add("horzthumb.bmp", paint.ScrollThumb(false))).Key("FrameCount", s.thumbFrames).Key("Style", 0);
  generic(s.thumbMargin, 0, s.thumbMargin, 0, 1, 0);
  d.Section("VertScrollThumb").Key("Image", add("vertthumb.bmp", paint.ScrollThumb(true))).Key("FrameCount", s.thumbFrames).Key("Style", 0);
  generic(0, s.thumbMargin, 0, s.thumbMargin, 1, 0);
  const char* thumbs[] = {"Horz", "Vert", "Left", "Right", "Up", "Down"};
  for (int i = 0; i < 6; ++i) {
    std::string lower = thumbs[i];
    for (char& ch : lower) ch = char(std::tolower(static_cast<unsigned char>(ch)));
    d.Section(std::string("Trackbar.Thumb") + thumbs[i]).Key("Image", add("thumb" + lower + ".bmp", paint.TrackThumb(i))).Key("Style", 0);
    generic(0, 0, 0, 0, 1, 0);
  }
  d.Section("UpDown.Horz").Key("Image", add("updownhorz.bmp", paint.SpinButtons(true))).Key("GlyphImage", add("updownhorzglyph.bmp", paint.SpinGlyphs(true)));
  generic(3, 3, 3, 3, 1, 0);
  d.Section("UpDown.Vert").Key("Image", add("updownvert.bmp", paint.SpinButtons(false))).Key("GlyphImage", add("updownvertglyph.bmp", paint.SpinGlyphs(false)));
  generic(3, 3, 3, 3, 1, 0);

  skin.descriptor = d.Text();
  return skin;
}

}  // namespace bus::tools
