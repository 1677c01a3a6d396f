// Cutting skin images: a skin image is a strip of equal frames (numbered from 1), and one frame is
// fitted to a rectangle by its four margins: corners keep their size, edges stretch along their
// length, the centre stretches or is tiled.
//
// The geometry (which piece of a frame goes where, in which order) is the one rule every skin
// drawing follows; the pixel routines below apply it to 32-bit images with nearest-neighbour
// stretching, the way the skin data builds its composed images (the combo-box strip). Portable.
#pragma once

#include <cstdint>
#include <vector>

#include "core/BmpFile.h"

namespace bus {

// The colour that marks transparent skin pixels (magenta), as 0xRRGGBB.
inline constexpr std::uint32_t kSkinTransparent = 0xFF00FF;

// A rectangle; right and bottom are exclusive.
struct TSkinRect {
  int left = 0;    // first column
  int top = 0;     // first row
  int right = 0;   // one past the last column
  int bottom = 0;  // one past the last row

  int Width() const noexcept { return right - left; }
  int Height() const noexcept { return bottom - top; }
  bool Empty() const noexcept { return right <= left || bottom <= top; }
  bool operator==(const TSkinRect&) const = default;
};

// The four margins of a skin image: LeftWidth, TopHeight, RightWidth, BottomHeight.
struct TSkinMargins {
  int left = 0;    // LeftWidth
  int top = 0;     // TopHeight
  int right = 0;   // RightWidth
  int bottom = 0;  // BottomHeight
  bool operator==(const TSkinMargins&) const = default;
};

// Where frame `frame` (from 1) of a strip of `frameCount` frames lies in an image of the given size:
// frames side by side, or stacked when vertical. A count below 1 counts as 1; a frame outside the
// strip gives an empty rectangle.
TSkinRect SkinFrameRect(int imageWidth, int imageHeight, int frameCount, int frame, bool vertical = false);

// One piece of a nine-slice rendering: `source` relative to the frame's top-left corner, `dest`
// relative to the destination's.
struct NineSlicePiece {
  TSkinRect source;  // part of the frame
  TSkinRect dest;    // where it goes
  bool tiled;        // repeated from dest's top-left corner instead of stretched (centre only)
};

// The pieces that fit a frame of frameWidth × frameHeight to a destination of width × height, in
// drawing order: top-left, bottom-left and top-right corners, left and top edges, centre (unless
// `withCentre` is false), bottom-right corner, right and bottom edges. Negative margins count as 0;
// margins that do not fit the destination (width below left + right, height below top + bottom)
// count as 0 in that direction.
// Pieces of zero area are left out; the centre is tiled when `tile` is set.
std::vector<NineSlicePiece> NineSlicePieces(int width, int height, int frameWidth, int frameHeight,
                                            TSkinMargins margins, bool tile, bool withCentre = true);

// Nine-slice rendering of one frame of `image` into a new image of width × height (black where
// nothing is drawn). Tiles that run over the centre are cut by the result's edges only; the edge
// pieces drawn after the centre cover them. Source pixels outside `image` are never read.
BmpImage RenderSkinImage(const BmpImage& image, int width, int height, TSkinMargins margins, bool vertical,
                         bool tile, int frameCount, int frame);

// Copies `image` onto `target` with its top-left corner at (x, y), cut to target; with
// `transparent`, pixels of kSkinTransparent leave the target as it is.
void DrawImage(BmpImage& target, int x, int y, const BmpImage& image, bool transparent);

// Fills rect (cut to the image) with the colour 0xRRGGBB.
void FillImageRect(BmpImage& image, TSkinRect rect, std::uint32_t rgb);

// One skin object as the image composition needs it.
struct TSkinStrip {
  const BmpImage* image = nullptr;  // its strip of frames
  int frames = 1;                   // frame count
  TSkinMargins margins;             // its four margins
  bool transparent = false;         // magenta is transparent (Trans 1)
  bool tile = false;                // tiled centre (Tile 1)
};

// Size of one cell of the combo-box strip.
inline constexpr int kComboCellWidth = 50;
inline constexpr int kComboCellHeight = 21;

// The combo-box strip: one 50 × 21 cell per frame of the sunk edge, each showing that frame of the
// sunk edge over the whole cell, the same frame of the combo button over the right `arrowWidth`
// columns (magenta transparent), the same frame of `extra` (if given) centred there, and a magenta
// hole from (2, 2) to (49 − arrowWidth, 18) where the edit field shows through. Pixels that no part
// covers stay magenta. The strip is at most as wide as a bitmap can be.
BmpImage BuildComboStrip(const TSkinStrip& sunkEdge, const TSkinStrip& comboButton, const TSkinStrip* extra,
                         int arrowWidth);

}  // namespace bus
