// The rules by which a skin descriptor's texts become skin values, where they need nothing but
// text: colours, image member names, which sections are caption buttons or colour-table entries,
// and the frame counts each skin object gets after reading.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/StringList.h"
#include "skin/data/QuickIni.h"

namespace bus {

// Colour of a descriptor text with three decimal numbers (red, green, blue) separated by any
// non-digits: red + 256 * green + 65536 * blue, each number modulo 256, missing numbers 0. A run of
// digits counts when a non-digit follows it; at the end of the text a final run counts only as the
// third number. Numbers after the third are ignored.
std::uint32_t ParseSkinColour(std::string_view text);

// The archive member an image value names: the part after the last path separator, when it is not
// empty and ends in ".bmp" exactly (lower case); otherwise "" (the image is empty).
std::string SkinImageMemberName(std::string_view value);

// A section that describes a caption button: its upper-case name begins with "BUTTON" and is none
// of "BUTTON", "BUTTONS", "BUTTON.RADIO", "BUTTON.CHECKBOX".
bool IsCaptionButtonName(std::string_view section);
// The caption-button sections in descriptor order, without those whose Action is -1 while their
// Visibility (default -1) is not 0.
std::vector<std::string> CaptionButtonSections(const TQuickIni& ini, const TStringList& sections);
// The sections that give the colour table, in descriptor order: upper-case name begins with
// "COLOUR" and is not "COLOURS".
std::vector<std::string> ColourTableSections(const TStringList& sections);

// Frame count of a caption button: `frameKey` when it is not 0; otherwise 6, or for a non-empty
// image 3 when width / height is at most 3.8 and 6 above, and 6 again for a negative action.
// dropImage: a button of action 3 or 11 without its own frame key shows the window icon instead.
struct CaptionButtonFrames {
  int frames;
  bool dropImage;
};
CaptionButtonFrames ResolveCaptionButtonFrames(int frameKey, int action, int imageWidth, int imageHeight);

// Frame count of a check-box or radio strip whose descriptor gives 0: the width divided by 13 for
// an image less than 16 high, by 16 otherwise, at least 4.
int DeriveToggleFrameCount(int imageWidth, int imageHeight);

// Frame count fixed for a skin object (by its section name, letter case ignored) after reading, or
// 0 for objects that keep what they read (borders, caption buttons, scroll thumbs).
int FixedFrameCount(std::string_view objectName);

// Tile value of an object read with the generic keys: values above 1 count as 0.
inline int GenericTile(int value) { return value > 1 ? 0 : value; }

// The window-control button k (0 minimise, 1 restore, 2 close) cut from an MDICONTROLS strip of
// 12 frames: source columns [left, left + width) and its Xcoord.
struct MdiButtonSlice {
  int left;
  int width;
  int xcoord;
};
MdiButtonSlice MdiControlSlice(int k, int imageWidth);

}  // namespace bus
