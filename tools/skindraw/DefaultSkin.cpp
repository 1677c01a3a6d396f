#include "tools/skindraw/DefaultSkin.h"

#include <functional>
#include <sstream>

#include "skin/data/BitmapFilters.h"

namespace bus::tools {

namespace {

// The palette: every colour of the skin comes from here.
struct Palette {
  std::uint32_t captionTop = 0x1F5F73;        // active caption, top row
  std::uint32_t captionBottom = 0x2A7489;     // active caption, bottom row
  std::uint32_t captionInTop = 0x6B7C85;      // inactive caption, top row
  std::uint32_t captionInBottom = 0x7D8E96;   // inactive caption, bottom row
  std::uint32_t outline = 0x184E5F;           // window outline, active
  std::uint32_t outlineIn = 0x5E6E76;         // window outline, inactive
  std::uint32_t captionText = 0xFFFFFF;       // caption text and glyphs, active
  std::uint32_t captionTextIn = 0xE3E9EC;     // caption text and glyphs, inactive
  std::uint32_t captionHot = 0x3A8398;        // caption button tile under the mouse
  std::uint32_t captionPressed = 0x164454;    // caption button tile pressed
  std::uint32_t closeHot = 0xD64541;          // close button tile under the mouse
  std::uint32_t closePressed = 0xB0352E;      // close button tile pressed
  std::uint32_t face = 0xF2F4F5;              // ButtonFace, panels, window border
  std::uint32_t white = 0xFFFFFF;             // fields, button surfaces
  std::uint32_t edge = 0xB8C2C7;              // 1-px edges, ButtonShadow
  std::uint32_t darkEdge = 0x7F8C92;          // ButtonDkShadow, unchecked box outline
  std::uint32_t softEdge = 0xD3D9DC;          // separators, disabled outlines
  std::uint32_t accent = 0xF08A24;            // hot, focus, checked, progress
  std::uint32_t pressed = 0xD9731A;           // pressed accent
  std::uint32_t accentTint = 0xFFF1E3;        // hot surfaces
  std::uint32_t pressedTint = 0xFADCC0;       // pressed surfaces
  std::uint32_t text = 0x1E2A30;              // text
  std::uint32_t mutedText = 0x3D4B52;         // status text, glyphs on light ground
  std::uint32_t disabledGlyph = 0xC5CDD1;     // glyphs and marks of disabled controls
  std::uint32_t selection = 0x2A7489;         // Hilight
  std::uint32_t track = 0xECEFF1;             // scroll bar track, Scrollbar colour
  std::uint32_t trackPressed = 0xD9DFE2;      // pressed arrow tile, pressed toolbar button
  std::uint32_t thumb = 0xB8C2C7;             // scroll thumb
  std::uint32_t thumbDragged = 0x7F8C92;      // scroll thumb while dragged
  std::uint32_t thumbHot = 0x9AA7AD;          // scroll thumb, hot
  std::uint32_t menu = 0xFAFBFB;              // menu background
  std::uint32_t header = 0xEEF1F2;            // column headers, normal tabs
  std::uint32_t routeIdle = 0x9FB0B8;         // caption text underline, inactive window
};
const Palette kP;

std::string ColourText(std::uint32_t rgb) {
  return std::to_string(rgb >> 16 & 0xFF) + " " + std::to_string(rgb >> 8 & 0xFF) + " " + std::to_string(rgb & 0xFF);
}
// The descriptor's integer form of a colour: red + 256 * green + 65536 * blue.
std::string ColourNumber(std::uint32_t rgb) {
  return std::to_string((rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16);
}

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

// ---- the window frame -------------------------------------------------------------------------

constexpr int kCaption = 30;      // FrameTop: caption strip, outline included
constexpr int kSide = 4;          // FrameLeft, FrameRight
constexpr int kBottom = 4;        // FrameBottom
constexpr int kTopRadius = 6;     // rounded top corners, cut by the window region
constexpr int kBottomRadius = 3;  // smaller rounded bottom corners
constexpr int kTopMid = 8;        // the stretched middle of the top image
constexpr int kCornerSpan = 8;    // top image margins (TopTopHeight, TopBotHeight)
constexpr int kSideMid = 4;       // the stretched middle of the side images

// A small window as the frame images cut it: the four border images are parts of it. Outside its
// rounded corners it is the key colour, which the window region cuts away.
PixelCanvas ReferenceWindow(bool active) {
  const int w = kSide + 2 * kCornerSpan + kTopMid + kSide;
  const int h = kCaption + kSideMid + kBottom;
  constexpr std::uint32_t kInside = 0x000001;  // placeholder for the inside, replaced below
  PixelCanvas win(w, h, kKey);
  win.RoundRect(0, 0, w, h, kTopRadius, kBottomRadius, active ? kP.outline : kP.outlineIn, kInside);
  for (int y = 0; y < h; ++y) {
    const std::uint32_t inside = y >= kCaption ? kP.face
                                 : Mix(active ? kP.captionTop : kP.captionInTop, active ? kP.captionBottom : kP.captionInBottom,
                                       double(y - 1) / (kCaption - 2));
    for (int x = 0; x < w; ++x) {
      if (win.Get(x, y) == kInside) win.Set(x, y, inside);
    }
  }
  return win;
}

// ---- glyphs of the caption buttons (10 x 10, drawn at (x, y)) -------------------------------

void GlyphClose(PixelCanvas& c, int x, int y, std::uint32_t rgb) {
  for (int i = 0; i < 10; ++i) {
    c.Set(x + i, y + i, rgb);
    c.Set(x + 9 - i, y + i, rgb);
  }
}
void GlyphMaximise(PixelCanvas& c, int x, int y, std::uint32_t rgb) {
  c.Frame(x, y, 10, 10, rgb);
  c.HLine(x, y + 1, 10, rgb);
}
void GlyphRestore(PixelCanvas& c, int x, int y, std::uint32_t rgb) {
  c.HLine(x + 2, y, 8, rgb);
  c.VLine(x + 9, y, 8, rgb);
  c.HLine(x + 8, y + 7, 2, rgb);
  c.VLine(x + 2, y, 2, rgb);
  c.Frame(x, y + 2, 8, 8, rgb);
  c.HLine(x, y + 3, 8, rgb);
}
void GlyphMinimise(PixelCanvas& c, int x, int y, std::uint32_t rgb) { c.HLine(x, y + 8, 10, rgb); }

using Glyph = std::function<void(PixelCanvas&, int, int, std::uint32_t)>;

constexpr int kCapButtonW = 28, kCapButtonH = 20;

// Six frames: normal, pressed, hot, inactive, and two spares (inactive, normal). Frames 1 to 3 are
// drawn on the active caption, frame 4 on the inactive one.
PixelCanvas CaptionButton(const Glyph& glyph, bool close) {
  std::vector<PixelCanvas> frames;
  const int gx = (kCapButtonW - 10) / 2, gy = (kCapButtonH - 10) / 2;
  const auto frame = [&](std::uint32_t tile, std::uint32_t ink) {
    PixelCanvas f(kCapButtonW, kCapButtonH);
    if (tile != PixelCanvas::kNone) f.RoundRect(0, 0, kCapButtonW, kCapButtonH, 3, PixelCanvas::kNone, tile);
    glyph(f, gx, gy, ink);
    return f;
  };
  frames.push_back(frame(PixelCanvas::kNone, kP.captionText));
  frames.push_back(frame(close ? kP.closePressed : kP.captionPressed, kP.captionText));
  frames.push_back(frame(close ? kP.closeHot : kP.captionHot, kP.captionText));
  frames.push_back(frame(PixelCanvas::kNone, kP.captionTextIn));
  frames.push_back(frame(PixelCanvas::kNone, kP.captionTextIn));
  frames.push_back(frame(PixelCanvas::kNone, kP.captionText));
  return JoinFrames(frames);
}

// The system-menu button: the engine draws the window's icon in its place and takes only the size
// of a frame (16 x 16) from this image; the picture is a small bus for anything that shows it.
PixelCanvas SystemButton() {
  std::vector<PixelCanvas> frames;
  for (int k = 0; k < 3; ++k) {
    PixelCanvas f(16, 16);
    f.RoundRect(1, 2, 14, 11, 2, kP.captionText, kP.captionText);
    f.Fill(3, 4, 10, 4, k == 0 ? kP.captionBottom : kP.captionPressed);
    f.Fill(3, 13, 3, 2, kP.captionText);
    f.Fill(10, 13, 3, 2, kP.captionText);
    f.Fill(3, 10, 2, 1, kP.accent);
    f.Fill(11, 10, 2, 1, kP.accent);
    frames.push_back(f);
  }
  return JoinFrames(frames);
}

// Window controls of a maximised MDI child in the menu bar: minimise, restore and close, each in
// four frames (normal, pressed, unused, hot).
PixelCanvas MdiControls() {
  std::vector<PixelCanvas> frames;
  const Glyph glyphs[] = {
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
  for (const Glyph& g : glyphs) {
    for (int state = 0; state < 4; ++state) {
      PixelCanvas f(16, 14);
      if (state == 1) f.RoundRect(0, 0, 16, 14, 2, PixelCanvas::kNone, kP.trackPressed);
      if (state == 3) f.RoundRect(0, 0, 16, 14, 2, PixelCanvas::kNone, kP.header);
      g(f, 4, 3, state == 2 ? kP.disabledGlyph : kP.mutedText);
      frames.push_back(f);
    }
  }
  return JoinFrames(frames);
}

// ---- controls ---------------------------------------------------------------------------------

// Push buttons: normal, pressed, disabled, hot (also focus), default.
PixelCanvas PushButtons() {
  std::vector<PixelCanvas> frames;
  const auto button = [](std::uint32_t outline, std::uint32_t fill, int thickness) {
    PixelCanvas f(16, 16);
    f.RoundRect(0, 0, 16, 16, 3, outline, fill);
    if (thickness == 2) f.RoundRect(1, 1, 14, 14, 2, outline, PixelCanvas::kNone);
    return f;
  };
  frames.push_back(button(kP.edge, kP.white, 1));
  PixelCanvas pressed = button(kP.pressed, kP.pressedTint, 1);
  pressed.HLine(3, 1, 10, Mix(kP.pressedTint, kP.pressed, 0.25));  // the face sinks in
  frames.push_back(pressed);
  frames.push_back(button(kP.softEdge, kP.face, 1));
  frames.push_back(button(kP.accent, kP.accentTint, 1));
  frames.push_back(button(kP.selection, kP.white, 2));
  return JoinFrames(frames);
}

constexpr int kToggle = 13;

// Check boxes: unchecked, checked, mixed, each normal, hot, pressed, disabled.
PixelCanvas CheckBoxes() {
  std::vector<PixelCanvas> frames;
  const std::vector<const char*> tick = {"......#", ".....##", "#...##.", "##.##..", ".###...", "..#...."};
  for (int mark = 0; mark < 3; ++mark) {
    for (int look = 0; look < 4; ++look) {
      PixelCanvas f(kToggle, kToggle);
      const bool disabled = look == 3;
      if (mark == 0) {
        const std::uint32_t outline = disabled ? kP.softEdge : look == 0 ? kP.darkEdge : look == 1 ? kP.accent : kP.pressed;
        const std::uint32_t fill = disabled ? kP.face : look == 0 ? kP.white : look == 1 ? kP.accentTint : kP.pressedTint;
        f.RoundRect(0, 0, kToggle, kToggle, 2, outline, fill);
      } else {
        const std::uint32_t fill = disabled ? kP.disabledGlyph : look == 1 ? Mix(kP.accent, kP.white, 0.15) : look == 2 ? kP.pressed : kP.accent;
        f.RoundRect(0, 0, kToggle, kToggle, 2, fill, fill);
        if (mark == 1) f.Pattern(3, 3, tick, kP.white);
        else f.Fill(3, 6, 7, 2, kP.white);
      }
      frames.push_back(f);
    }
  }
  return JoinFrames(frames);
}

// Radio buttons: unchecked normal, hot, pressed, disabled; checked normal, hot, pressed, disabled.
PixelCanvas RadioButtons() {
  std::vector<PixelCanvas> frames;
  for (int checked = 0; checked < 2; ++checked) {
    for (int look = 0; look < 4; ++look) {
      PixelCanvas f(kToggle, kToggle);
      const bool disabled = look == 3;
      if (!checked) {
        const std::uint32_t outline = disabled ? kP.softEdge : look == 0 ? kP.darkEdge : look == 1 ? kP.accent : kP.pressed;
        const std::uint32_t fill = disabled ? kP.face : look == 0 ? kP.white : look == 1 ? kP.accentTint : kP.pressedTint;
        f.Disc(0, 0, kToggle, outline, fill);
      } else {
        const std::uint32_t fill = disabled ? kP.disabledGlyph : look == 1 ? Mix(kP.accent, kP.white, 0.15) : look == 2 ? kP.pressed : kP.accent;
        f.Disc(0, 0, kToggle, fill, fill);
        f.Disc(4, 4, 5, kP.white, kP.white);
      }
      frames.push_back(f);
    }
  }
  return JoinFrames(frames);
}

// A chevron pointing down, 9 x 5 (two-pixel strokes).
const std::vector<const char*> kChevronDown = {"##.....##", ".##...##.", "..##.##..", "...###...", "....#...."};

PixelCanvas Chevron(int direction, std::uint32_t rgb) {
  // 0 down, 1 up, 2 left, 3 right
  PixelCanvas c(9, 5);
  c.Pattern(0, 0, kChevronDown, rgb);
  BmpImage& image = c.Image();
  if (direction == 1) FlipVertical(image);
  if (direction == 2) RotateRight(image);
  if (direction == 3) RotateLeft(image);
  return c;
}

// Combo box edge (SunkEdge): normal, pressed, disabled, hot or focused. A 1-px outline over a
// white field; the combo composition cuts the text area out.
PixelCanvas SunkEdge() {
  std::vector<PixelCanvas> frames;
  const std::uint32_t outlines[] = {kP.edge, kP.pressed, kP.softEdge, kP.accent};
  for (int s = 0; s < 4; ++s) {
    PixelCanvas f(12, 21, s == 2 ? kP.face : kP.white);
    f.Frame(0, 0, 12, 21, outlines[s]);
    frames.push_back(f);
  }
  return JoinFrames(frames);
}

// Combo drop-down button: only its surface; the edge comes from SunkEdge below it.
PixelCanvas ComboButton() {
  std::vector<PixelCanvas> frames;
  const std::uint32_t fills[] = {kP.white, kP.pressedTint, kP.face, kP.accentTint};
  for (int s = 0; s < 4; ++s) {
    PixelCanvas f(18, 21);
    f.Fill(1, 1, 16, 19, fills[s]);
    f.VLine(1, 4, 13, s == 0 || s == 2 ? kP.softEdge : fills[s]);
    frames.push_back(f);
  }
  return JoinFrames(frames);
}

// Frames 1 to 4: the drop-down arrow for normal, pressed, disabled, hot; frame 5: the size grip.
PixelCanvas ExtraImages() {
  std::vector<PixelCanvas> frames;
  const std::uint32_t inks[] = {kP.mutedText, kP.pressed, kP.disabledGlyph, kP.accent};
  for (const std::uint32_t ink : inks) {
    PixelCanvas f(12, 12);
    f.Draw(Chevron(0, ink), 1, 4, true);
    frames.push_back(f);
  }
  PixelCanvas grip(12, 12);
  for (int row = 0; row < 3; ++row) {
    for (int col = 2 - row; col < 3; ++col) grip.Fill(2 + col * 3 + 1, 2 + row * 3 + 1, 2, 2, kP.thumbHot);
  }
  frames.push_back(grip);
  return JoinFrames(frames);
}

// Scroll bar arrows, 16 x 16: left, right, up, down, each normal, pressed, hot, disabled; then seven
// plain track squares.
PixelCanvas ScrollArrows() {
  std::vector<PixelCanvas> frames;
  const int directions[] = {2, 3, 1, 0};
  for (const int d : directions) {
    for (int look = 0; look < 4; ++look) {
      PixelCanvas f(16, 16, kP.track);
      if (look == 1) f.RoundRect(1, 1, 14, 14, 2, PixelCanvas::kNone, kP.trackPressed);
      if (look == 2) f.RoundRect(1, 1, 14, 14, 2, PixelCanvas::kNone, kP.header);
      const std::uint32_t ink = look == 3 ? kP.disabledGlyph : look == 1 ? kP.text : kP.darkEdge;
      const PixelCanvas chevron = Chevron(d, ink);
      f.Draw(chevron, (16 - chevron.Width()) / 2, (16 - chevron.Height()) / 2, true);
      frames.push_back(f);
    }
  }
  while (frames.size() < 23) frames.emplace_back(16, 16, kP.track);
  return JoinFrames(frames);
}

// Scroll track: enabled, hot, disabled, pressed.
PixelCanvas ScrollTrack() {
  return JoinFrames({PixelCanvas(16, 16, kP.track), PixelCanvas(16, 16, kP.track), PixelCanvas(16, 16, kP.face),
                     PixelCanvas(16, 16, kP.track)});
}

// Scroll thumb, a pill 8 pixels thick: normal, dragged, hot.
PixelCanvas ScrollThumb(bool vertical) {
  std::vector<PixelCanvas> frames;
  for (const std::uint32_t fill : {kP.thumb, kP.thumbDragged, kP.thumbHot}) {
    PixelCanvas f(16, 16);
    if (vertical) f.RoundRect(4, 0, 8, 16, 4, PixelCanvas::kNone, fill);
    else f.RoundRect(0, 4, 16, 8, 4, PixelCanvas::kNone, fill);
    frames.push_back(f);
  }
  return JoinFrames(frames);
}

// Status bar panel edges: lowered, raised, without bevel. A top rule and a separator on the right.
PixelCanvas StatusBarEdges() {
  std::vector<PixelCanvas> frames;
  for (int kind = 0; kind < 3; ++kind) {
    PixelCanvas f(12, 20, kP.face);
    f.HLine(0, 0, 12, kP.softEdge);
    if (kind == 1) f.HLine(0, 1, 12, kP.white);
    if (kind != 2) f.VLine(10, 4, 13, kP.softEdge);
    frames.push_back(f);
  }
  return JoinFrames(frames);
}

// Column headers: normal, hot, pressed, sorted, spare.
PixelCanvas HeaderBar() {
  std::vector<PixelCanvas> frames;
  for (const std::uint32_t fill : {kP.header, Mix(kP.header, kP.edge, 0.2), Mix(kP.header, kP.edge, 0.35), kP.header, kP.header}) {
    PixelCanvas f(16, 20, fill);
    f.HLine(0, 19, 16, kP.edge);
    f.VLine(14, 4, 12, kP.softEdge);
    frames.push_back(f);
  }
  frames[3].HLine(0, 18, 16, kP.accent);
  return JoinFrames(frames);
}

// Tabs hanging from the top edge: normal, selected, hot, disabled, selected and hot. The selected
// tab carries the accent as a two-pixel line along its top, and has the page's colour.
PixelCanvas Tabs() {
  std::vector<PixelCanvas> frames;
  struct Look {
    std::uint32_t fill;
    std::uint32_t outline;
    bool line;
  };
  const Look looks[] = {{kP.header, kP.edge, false}, {kP.face, kP.edge, true}, {kP.white, kP.edge, false},
                        {kP.face, kP.softEdge, false}, {kP.face, kP.edge, true}};
  for (const Look& look : looks) {
    PixelCanvas f(16, 22);
    f.RoundRect(0, 0, 16, 26, 3, look.outline, look.fill);  // open at the bottom
    if (look.line) {
      // the top edge and the row below it turn to the accent, corners included
      for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 16; ++x) {
          if (f.Get(x, y) == look.outline) f.Set(x, y, kP.accent);
        }
      }
      f.HLine(1, 1, 14, kP.accent);
    }
    frames.push_back(f);
  }
  return JoinFrames(frames);
}

// The page frame of a tab control (drawn with margins 4, 5, 4, 4; the inside is left alone).
PixelCanvas TabBorder() {
  PixelCanvas f(16, 16, kP.face);
  f.Frame(0, 0, 16, 16, kP.edge);
  return f;
}

// Popup menu items: normal (the background shows), separator, disabled, selected, spare.
PixelCanvas MenuItems() {
  std::vector<PixelCanvas> frames(5, PixelCanvas(12, 12));
  frames[1].HLine(1, 8, 10, kP.softEdge);
  frames[3].RoundRect(0, 0, 12, 12, 2, PixelCanvas::kNone, kP.selection);
  return JoinFrames(frames);
}

PixelCanvas MenuBackground() {
  PixelCanvas f(24, 24, kP.menu);
  f.Frame(0, 0, 24, 24, kP.edge);
  return f;
}

// The menu bar: active and inactive, one above the other; the face colour, like the window.
PixelCanvas MenuBar() { return JoinFrames({PixelCanvas(8, 20, kP.face), PixelCanvas(8, 20, kP.face)}, true); }

// The line under the caption text: active (accent) and inactive (muted), one above the other.
PixelCanvas TextBack() {
  PixelCanvas active(8, kCaption), inactive(8, kCaption);
  active.HLine(0, 24, 8, kP.accent);
  active.HLine(0, 25, 8, kP.accent);
  inactive.HLine(0, 24, 8, kP.routeIdle);
  inactive.HLine(0, 25, 8, kP.routeIdle);
  return JoinFrames({active, inactive}, true);
}

// Progress bar: empty, filled.
PixelCanvas ProgressBar() {
  PixelCanvas empty(16, 16), filled(16, 16);
  empty.RoundRect(0, 0, 16, 16, 3, kP.softEdge, kP.track);
  filled.RoundRect(0, 0, 16, 16, 3, kP.pressed, kP.accent);
  return JoinFrames({empty, filled});
}

PixelCanvas ProgressChunk() {
  PixelCanvas f(8, 10);
  f.Fill(0, 0, 6, 10, kP.accent);
  return f;
}

// Track bar thumbs: normal, the one the engine draws (the accent), pressed, hot, disabled.
// Plain thumbs are rounded bars; the pointed ones point down, and turn for the other sides.
PixelCanvas ThumbFrame(int look, bool pointed) {
  const std::uint32_t fills[] = {kP.white, kP.accent, kP.pressed, kP.accentTint, kP.face};
  const std::uint32_t outlines[] = {kP.darkEdge, kP.pressed, kP.pressed, kP.accent, kP.softEdge};
  PixelCanvas f(11, 20);
  if (!pointed) {
    f.RoundRect(0, 0, 11, 20, 3, outlines[look], fills[look]);
    return f;
  }
  f.RoundRect(0, 0, 11, 18, 2, outlines[look], fills[look]);
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

PixelCanvas TrackThumb(int direction) {
  // 0 plain horizontal, 1 plain vertical, 2 left, 3 right, 4 up, 5 down
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
PixelCanvas SpinButtons(bool horizontal) {
  std::vector<PixelCanvas> frames;
  const int w = horizontal ? 11 : 16, h = horizontal ? 16 : 11;
  for (int button = 0; button < 2; ++button) {
    for (int look = 0; look < 4; ++look) {
      const std::uint32_t fills[] = {kP.white, kP.pressedTint, kP.face, kP.accentTint};
      const std::uint32_t outlines[] = {kP.edge, kP.pressed, kP.softEdge, kP.accent};
      PixelCanvas f(w, h);
      f.RoundRect(0, 0, w, h, 2, outlines[look], fills[look]);
      frames.push_back(f);
    }
  }
  return JoinFrames(frames);
}

PixelCanvas SpinGlyphs(bool horizontal) {
  std::vector<PixelCanvas> frames;
  const std::uint32_t inks[] = {kP.mutedText, kP.pressed, kP.disabledGlyph, kP.accent};
  for (int button = 0; button < 2; ++button) {
    for (const std::uint32_t ink : inks) {
      // up and down arrows (stacked), left and right (side by side)
      const PixelCanvas chevron = Chevron(horizontal ? (button == 0 ? 2 : 3) : (button == 0 ? 1 : 0), ink);
      frames.push_back(chevron);
    }
  }
  return JoinFrames(frames);
}

// Toolbar buttons: flat, pressed, disabled, hot, down.
PixelCanvas ToolbarButtons() {
  std::vector<PixelCanvas> frames(5, PixelCanvas(16, 16));
  frames[1].RoundRect(0, 0, 16, 16, 3, kP.edge, kP.trackPressed);
  frames[3].RoundRect(0, 0, 16, 16, 3, kP.softEdge, kP.header);
  frames[4].RoundRect(0, 0, 16, 16, 3, kP.accent, kP.pressedTint);
  return JoinFrames(frames);
}

// Group box frame (active, inactive) and the ground behind its caption.
PixelCanvas GroupBoxEdge() {
  PixelCanvas active(16, 16), inactive(16, 16);
  active.RoundRect(0, 0, 16, 16, 3, kP.edge, PixelCanvas::kNone);
  inactive.RoundRect(0, 0, 16, 16, 3, kP.softEdge, PixelCanvas::kNone);
  return JoinFrames({active, inactive});
}

PixelCanvas GroupBoxLabel() {
  PixelCanvas f(16, 16);
  f.RoundRect(0, 0, 16, 16, 3, PixelCanvas::kNone, kP.face);
  return f;
}

}  // namespace

DrawnSkin DrawDefaultSkin() {
  DrawnSkin skin;
  skin.descriptorName = "skin.ini";
  auto& images = skin.images;
  const auto add = [&](const std::string& name, PixelCanvas picture) {
    images.emplace_back(name, std::move(picture));
    return name;
  };
  Descriptor d;
  d.Comment("BusSearch Transit: the default skin of BusSearch, drawn by skindraw.");
  d.Comment("Colours are red green blue; sizes in pixels.");

  d.Section("TitlebarSkin").Key("SkinName", "BusSearch Transit");

  // window frame: the four borders are cut from one small window, active and inactive
  const PixelCanvas active = ReferenceWindow(true), inactive = ReferenceWindow(false);
  const int rw = active.Width(), rh = active.Height();
  const auto cut = [&](int x, int y, int w, int h, bool vertical) {
    return JoinFrames({active.Crop(x, y, w, h), inactive.Crop(x, y, w, h)}, vertical);
  };
  d.Section("Personality");
  d.Key("Left", add("left.bmp", cut(0, 0, kSide, rh, false)))
      .Key("LeftTopHeight", kCaption).Key("LeftBotHeight", kBottom).Key("LeftFrame", 2).Key("LeftStretch", 1).Key("LeftTrans", 1);
  d.Key("Right", add("right.bmp", cut(rw - kSide, 0, kSide, rh, false)))
      .Key("RightTopHeight", kCaption).Key("RightBotHeight", kBottom).Key("RightFrame", 2).Key("RightStretch", 1).Key("RightTrans", 1);
  d.Key("Top", add("top.bmp", cut(kSide, 0, rw - 2 * kSide, kCaption, true)))
      .Key("TopTopHeight", kCornerSpan).Key("TopBotHeight", kCornerSpan).Key("TopFrame", 2).Key("TopStretch", 1).Key("TopTrans", 1);
  d.Key("Bottom", add("bottom.bmp", cut(kSide, rh - kBottom, rw - 2 * kSide, kBottom, true)))
      .Key("BottomTopHeight", kCornerSpan).Key("BottomBotHeight", kCornerSpan).Key("BottomFrame", 2).Key("BottomStretch", 1).Key("BottomTrans", 1);
  d.Key("TextBack", add("textback.bmp", TextBack()))
      .Key("TextShift", 24).Key("TextShiftVert", 0).Key("TextRightClip", 98).Key("TextAlignment", 0)
      .Key("Textbackground", 1).Key("TXTBackleft", 2).Key("TXTBackRight", 2);
  d.Key("ActiveTextR", int(kP.captionText >> 16 & 0xFF)).Key("ActiveTextG", int(kP.captionText >> 8 & 0xFF)).Key("ActiveTextB", int(kP.captionText & 0xFF));
  d.Key("InActiveTextR", int(kP.captionTextIn >> 16 & 0xFF)).Key("InActiveTextG", int(kP.captionTextIn >> 8 & 0xFF)).Key("InActiveTextB", int(kP.captionTextIn & 0xFF));
  d.Key("menuBar", add("menubar.bmp", MenuBar())).Key("TileMenu", 0).Key("TileLeftMenu", 2).Key("TileRightMenu", 2);

  d.Section("Fonts").Key("FontHeight", 14);

  d.Section("Colours")
      .Key("WindowText", ColourText(kP.text))
      .Key("TitleTextActive", ColourText(kP.captionText))
      .Key("TitleTextNoActive", ColourText(kP.captionTextIn))
      .Key("ButtonFace", ColourText(kP.face))
      .Key("ButtonText", ColourText(kP.text))
      .Key("ButtonHilight", ColourText(kP.white))
      .Key("Buttonlight", ColourText(kP.menu))
      .Key("ButtonShadow", ColourText(kP.edge))
      .Key("ButtonDkShadow", ColourText(kP.darkEdge))
      .Key("HilightText", ColourText(kP.white))
      .Key("Hilight", ColourText(kP.selection))
      .Key("Menubar", ColourText(kP.face))
      .Key("MenuBarText", ColourText(kP.text))
      .Key("MenuText", ColourText(kP.text))
      .Key("Menu", ColourText(kP.menu))
      .Key("Scrollbar", ColourText(kP.track));

  // the palette again, for tools that offer the skin's colours
  const std::uint32_t table[] = {kP.captionTop, kP.captionBottom, kP.accent, kP.pressed, kP.face, kP.edge, kP.darkEdge, kP.text, kP.selection};
  for (int i = 0; i < 9; ++i) d.Section("Colour" + std::to_string(i)).Key("color", ColourText(table[i]));
  d.Section("Customcolors");
  const std::uint32_t custom[] = {kP.captionTop, kP.captionBottom, kP.captionInTop, kP.accent, kP.pressed,
                                  kP.closeHot, kP.face, kP.edge, kP.text, kP.white};
  for (int i = 0; i < 10; ++i) d.Key("Color" + std::to_string(i), ColourText(custom[i]));

  // caption buttons, right to left from the window's right edge; Align 1 measures Xcoord from there
  const int step = kCapButtonW + 2;
  const int closeX = kSide + 2 + kCapButtonW;
  const int ybutton = (kCaption - kCapButtonH) / 2;
  d.Section("ButtonClose").Key("ButtonImage", add("btnclose.bmp", CaptionButton(GlyphClose, true)))
      .Key("Action", 0).Key("Align", 1).Key("Xcoord", closeX).Key("Ycoord", ybutton).Key("Visibility", 0).Key("Visibility1", 0).Key("frame", 6);
  d.Section("ButtonMaximize").Key("ButtonImage", add("btnmax.bmp", CaptionButton(GlyphMaximise, false)))
      .Key("Action", 1).Key("Align", 1).Key("Xcoord", closeX + step).Key("Ycoord", ybutton).Key("Visibility", 2).Key("Visibility1", 6).Key("frame", 6);
  d.Section("ButtonRestore").Key("ButtonImage", add("btnrestore.bmp", CaptionButton(GlyphRestore, false)))
      .Key("Action", 1).Key("Align", 1).Key("Xcoord", closeX + step).Key("Ycoord", ybutton).Key("Visibility", 1).Key("Visibility1", 6).Key("frame", 6);
  d.Section("ButtonMinimize").Key("ButtonImage", add("btnmin.bmp", CaptionButton(GlyphMinimise, false)))
      .Key("Action", 2).Key("Align", 1).Key("Xcoord", closeX + 2 * step).Key("Ycoord", ybutton).Key("Visibility", 0).Key("Visibility1", 8).Key("frame", 6);
  d.Section("ButtonSystem").Key("ButtonImage", add("btnsystem.bmp", SystemButton()))
      .Key("Action", 3).Key("Align", 0).Key("Xcoord", 9).Key("Ycoord", (kCaption - 16) / 2).Key("Visibility", 0).Key("Visibility1", 0)
      .Key("CombineOp", -1).Key("frame", 3);
  d.Section("MDICONTROLS").Key("Image", add("mdicontrols.bmp", MdiControls()));

  d.Section("Buttons").Key("Bitmap", add("buttons.bmp", PushButtons()))
      .Key("LeftWidth", 4).Key("RightWidth", 4).Key("TopHeight", 4).Key("BottomHeight", 4).Key("Trans", 1).Key("Tile", 0)
      .Key("CheckButton", add("checkbox.bmp", CheckBoxes())).Key("CheckButtonFrame", 12)
      .Key("RadioButton", add("radio.bmp", RadioButtons())).Key("RadioButtonFrame", 8)
      .Key("NormalColour", ColourNumber(kP.text)).Key("MouseOverColour", ColourNumber(kP.text)).Key("PressedColour", ColourNumber(kP.text))
      .Key("NormalColour2", ColourText(kP.text)).Key("MouseOverColour2", ColourText(kP.text)).Key("PressedColour2", ColourText(kP.text));

  const auto generic = [&](int left, int top, int right, int bottom, int trans, int tile) {
    d.Key("LeftWidth", left).Key("TopHeight", top).Key("RightWidth", right).Key("BottomHeight", bottom).Key("Trans", trans).Key("Tile", tile);
  };
  const auto textColours = [&](std::uint32_t normal, std::uint32_t over, std::uint32_t down) {
    d.Key("NormalColour", ColourNumber(normal)).Key("MouseOverColour", ColourNumber(over)).Key("PressedColour", ColourNumber(down));
    d.Key("NormalColour2", ColourText(normal)).Key("MouseOverColour2", ColourText(over)).Key("PressedColour2", ColourText(down));
  };

  d.Section("Progress").Key("Bitmap", add("progress.bmp", ProgressBar())).Key("Chunk", add("progresschunk.bmp", ProgressChunk())).Key("Style", 0);
  generic(4, 4, 4, 4, 1, 0);
  d.Section("GroupBoxEdge").Key("Image", add("groupboxedge.bmp", GroupBoxEdge())).Key("Style", 0);
  generic(4, 4, 4, 4, 1, 0);
  d.Section("GroupBox").Key("Image", add("groupbox.bmp", GroupBoxLabel())).Key("Style", 0);
  generic(4, 4, 4, 4, 1, 0);
  d.Key("BackgroundAlignment", 0).Key("BackgroundLeftShift", 6).Key("BackgroundRightShift", 6);
  textColours(kP.text, kP.text, kP.text);
  d.Section("Toolbars").Key("Image", add("toolbars.bmp", ToolbarButtons())).Key("Style", 0);
  generic(4, 4, 4, 4, 1, 0);
  textColours(kP.text, kP.text, kP.text);
  d.Section("Tabs").Key("Image", add("tabs.bmp", Tabs())).Key("Border", add("tabborder.bmp", TabBorder()));
  generic(4, 4, 4, 0, 1, 0);
  textColours(kP.mutedText, kP.text, kP.text);
  d.Section("StatusBarEdges").Key("Image", add("statusbar.bmp", StatusBarEdges())).Key("Style", 0);
  generic(1, 4, 2, 3, 0, 0);
  textColours(kP.mutedText, kP.mutedText, kP.mutedText);
  d.Section("ComboButton").Key("Image", add("combobutton.bmp", ComboButton()));
  generic(2, 2, 2, 2, 1, 0);
  d.Section("SunkEdge").Key("Image", add("sunkedge.bmp", SunkEdge())).Key("Style", 0);
  generic(2, 2, 2, 2, 0, 0);
  d.Section("ExtraImages").Key("Image", add("extraimages.bmp", ExtraImages())).Key("Style", 0);
  generic(0, 0, 0, 0, 1, 0);
  d.Section("Headerbar").Key("Image", add("header.bmp", HeaderBar())).Key("Style", 0);
  generic(1, 4, 2, 4, 0, 0);
  textColours(kP.text, kP.text, kP.text);
  d.Section("MenuItem").Key("Image", add("menuitem.bmp", MenuItems())).Key("Style", 0);
  generic(3, 3, 3, 3, 1, 0);
  d.Section("MenuBackground").Key("Image", add("menubackground.bmp", MenuBackground())).Key("Style", 0);
  generic(4, 4, 4, 4, 0, 0);
  d.Section("Scrollbar").Key("Image", add("scrollbar.bmp", ScrollArrows())).Key("Style", 0);
  generic(0, 0, 0, 0, 0, 0);
  d.Section("HorzScroll").Key("Image", add("horzscroll.bmp", ScrollTrack())).Key("Style", 0);
  generic(0, 0, 0, 0, 0, 0);
  d.Section("VertScroll").Key("Image", add("vertscroll.bmp", ScrollTrack())).Key("Style", 0);
  generic(0, 0, 0, 0, 0, 0);
  d.Section("HorzScrollThumb").Key("Image", add("horzthumb.bmp", ScrollThumb(false))).Key("FrameCount", 3).Key("Style", 0);
  generic(5, 0, 5, 0, 1, 0);
  d.Section("VertScrollThumb").Key("Image", add("vertthumb.bmp", ScrollThumb(true))).Key("FrameCount", 3).Key("Style", 0);
  generic(0, 5, 0, 5, 1, 0);
  const char* thumbs[] = {"Horz", "Vert", "Left", "Right", "Up", "Down"};
  for (int i = 0; i < 6; ++i) {
    std::string lower = thumbs[i];
    for (char& ch : lower) ch = char(std::tolower(static_cast<unsigned char>(ch)));
    d.Section(std::string("Trackbar.Thumb") + thumbs[i]).Key("Image", add("thumb" + lower + ".bmp", TrackThumb(i))).Key("Style", 0);
    generic(0, 0, 0, 0, 1, 0);
  }
  d.Section("UpDown.Horz").Key("Image", add("updownhorz.bmp", SpinButtons(true))).Key("GlyphImage", add("updownhorzglyph.bmp", SpinGlyphs(true)));
  generic(3, 3, 3, 3, 1, 0);
  d.Section("UpDown.Vert").Key("Image", add("updownvert.bmp", SpinButtons(false))).Key("GlyphImage", add("updownvertglyph.bmp", SpinGlyphs(false)));
  generic(3, 3, 3, 3, 1, 0);

  skin.descriptor = d.Text();
  return skin;
}

}  // namespace bus::tools
