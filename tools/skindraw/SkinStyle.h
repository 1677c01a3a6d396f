// The skins skindraw can draw, as data: each is a palette (every colour the skin uses, by the role it
// plays) and a shape description (frame metrics, corner shapes, caption layout, control sizes,
// radii and margins). One drawing code turns any of them into a skin, so two skins differ only in
// what is written here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bus::tools {

// Colour roles, 0xRRGGBB. kNoColour leaves the feature out.
inline constexpr std::uint32_t kNoColour = 0xFFFFFFFFu;

struct SkinPalette {
  std::uint32_t captionTop;           // active caption, top row
  std::uint32_t captionBottom;        // active caption, bottom row
  std::uint32_t captionInTop;         // inactive caption, top row
  std::uint32_t captionInBottom;      // inactive caption, bottom row
  std::uint32_t captionTexture;       // dots of the active caption's texture (kNoColour: plain)
  std::uint32_t captionTextureIn;     // dots of the inactive caption's texture
  std::uint32_t captionRule;          // line along the active caption's foot (kNoColour: none)
  std::uint32_t captionRuleIn;        // the same, inactive
  std::uint32_t outline;              // window outline, active
  std::uint32_t outlineIn;            // window outline, inactive
  std::uint32_t border;               // the window border below the caption
  std::uint32_t captionText;          // caption text and glyphs, active
  std::uint32_t captionTextIn;        // caption text and glyphs, inactive
  std::uint32_t captionHot;           // caption button under the mouse
  std::uint32_t captionPressed;       // caption button pressed
  std::uint32_t captionHotText;       // glyph on a hot or pressed caption button
  std::uint32_t captionButtonRing;    // ring of an idle caption button (kNoColour: none)
  std::uint32_t captionButtonRingIn;  // the same on an inactive caption
  std::uint32_t closeHot;             // close button under the mouse
  std::uint32_t closePressed;         // close button pressed
  std::uint32_t textBack;             // behind the caption text, active
  std::uint32_t textBackIn;           // behind the caption text, inactive
  std::uint32_t textBackEdge;         // edge of a caption text plate (kNoColour: none)
  std::uint32_t face;                 // ButtonFace, panels
  std::uint32_t field;                // fields and button surfaces
  std::uint32_t highlight;            // ButtonHilight, the raised edge of a status panel
  std::uint32_t onAccent;             // marks drawn on the accent (ticks, radio dots)
  std::uint32_t edge;                 // 1-px edges, ButtonShadow
  std::uint32_t darkEdge;             // ButtonDkShadow
  std::uint32_t boxOutline;           // outline of an unchecked box or radio
  std::uint32_t softEdge;             // separators, disabled outlines
  std::uint32_t accent;               // hot, focus, checked, progress
  std::uint32_t pressed;              // pressed accent
  std::uint32_t accentTint;           // hot surfaces
  std::uint32_t pressedTint;          // pressed surfaces
  std::uint32_t text;                 // text
  std::uint32_t mutedText;            // status text, glyphs on the face
  std::uint32_t arrowInk;             // scroll arrows
  std::uint32_t disabledGlyph;        // glyphs and marks of disabled controls
  std::uint32_t selection;            // Hilight
  std::uint32_t selectionText;        // HilightText
  std::uint32_t track;                // scroll bar track, Scrollbar colour
  std::uint32_t trackGroove;          // line along the middle of a track (kNoColour: none)
  std::uint32_t trackPressed;         // pressed arrow tile, pressed toolbar button
  std::uint32_t thumb;                // scroll thumb
  std::uint32_t thumbDragged;         // scroll thumb while dragged
  std::uint32_t thumbHot;             // scroll thumb, hot; size grip dots
  std::uint32_t menu;                 // menu background, Buttonlight
  std::uint32_t menuBar;              // menu bar, Menubar
  std::uint32_t header;               // column headers, normal tabs
};

// A pair of window corners: rounded by a radius, or cut straight across (a chamfer of `size`
// pixels along each edge). Size 0 is a square corner.
enum class CornerCut { Round, Chamfer };
struct CornerShape {
  CornerCut cut;  // how the corner is cut
  int size;       // radius or chamfer length, pixels
};

// What sits behind the caption text: a line under it, or a rounded plate around it.
enum class TextBackKind { Underline, Plate };

// Arrow glyphs of scroll bars, spin buttons and the combo drop-down: open chevrons or solid
// triangles.
enum class ArrowKind { Chevron, Triangle };

struct SkinMargins4 {
  int left, top, right, bottom;  // LeftWidth, TopHeight, RightWidth, BottomHeight
};

struct SkinShape {
  // the window frame: sizes of the four borders (the caption is the top one)
  int caption;             // FrameTop, outline included
  int side;                // FrameLeft and FrameRight
  int bottom;              // FrameBottom
  CornerShape topCorners;  // the two top corners, cut by the window region
  CornerShape bottomCorners;
  int cornerSpan;          // top and bottom images: the columns copied at each end
  int topMiddle;           // top and bottom images: the columns between them
  int sideMiddle;          // side images: the rows between the caption and the bottom
  int textureStep;         // spacing of the caption's dot texture
  bool topTrans, sideTrans, bottomTrans;  // the borders whose key-coloured pixels the region cuts
  bool tileCaption;        // the caption's middle repeats instead of stretching

  // caption text
  int textAlignment;       // 0 from TextShift, 1 centred, 2 against TextRightClip
  int textShift;           // TextShift
  int textRightClip;       // TextRightClip
  int textBackMargin;      // TXTBackleft and TXTBackRight
  int fontHeight;          // FontHeight
  TextBackKind textBack;   // behind the text

  // caption buttons: close, maximise (or restore), minimise in slots from the side they align to
  int buttonWidth, buttonHeight;
  int buttonRadius;        // corner radius of a button's tile or lamp
  int buttonGlyph;         // side of the glyph box
  int buttonFrames;        // 6: normal, pressed, hot, inactive and two spares; 4 without spares
  int buttonAlign;         // Align: 1 measured from the right edge, 0 from the left
  int buttonGap;           // pixels between buttons, and between the first one and the border
  int closeSlot, maximiseSlot, minimiseSlot;
  int systemAlign;         // where the system-menu button goes (Align)
  int systemX;             // its Xcoord

  // controls
  int pushSize;            // push-button frames are square
  CornerShape pushCorners;
  SkinMargins4 pushMargins;
  int toggleSize;          // check-box and radio frames are square
  int toggleRadius;        // check-box corners
  bool fullToggleStrips;   // 12 check and 8 radio frames (every look); else 4 each
  int radioDot;            // diameter of a checked radio's dot
  ArrowKind arrows;
  int thumbThickness;      // scroll thumb across the bar
  int thumbRadius;
  int thumbMargin;         // its margins along the bar
  int thumbFrames;         // FrameCount: normal, dragged (and hot)
  int tabHeight;
  SkinMargins4 tabMargins;
  int controlRadius;       // progress bars, group boxes, toolbars, track thumbs, tabs
  SkinMargins4 progressMargins;
  bool menuStripe;         // the selected menu item carries an accent stripe on its left
};

struct SkinStyle {
  std::string name;         // what skindraw --skin takes
  std::string skinName;     // SkinName of the descriptor
  std::string description;  // first comment of the descriptor
  SkinPalette palette;      // colours
  SkinShape shape;          // metrics and shapes
};

// BusSearch Transit, the default skin: teal caption, light face, transit orange.
const SkinStyle& TransitSkinStyle();
// BusSearch Night: dark caption and face, light text, an ice-blue accent.
const SkinStyle& NightSkinStyle();

// The style of that name ("default" is the transit skin), or null.
const SkinStyle* FindSkinStyle(std::string_view name);
// Every name FindSkinStyle knows, the default first.
std::vector<std::string> SkinStyleNames();

}  // namespace bus::tools
