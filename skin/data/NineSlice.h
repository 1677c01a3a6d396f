// Cutting skin images: a skin image is a strip of equal frames (numbered from 1), and one frame is
// fitted to a rectangle by its four margins: corners keep their size, edges stretch along their
// length, the centre stretches or is tiled.
//
// The geometry (which piece of a frame goes where, in which order) and the pixel rule (nearest-
// neighbour stretching, tiles repeated from the top-left, magenta transparency) are the one rule
// every skin drawing follows: the skin data builds its composed images (the combo-box strip) with
// it, and the device-context drawing routines of the controls and frames render with it and only
// copy the result. Portable.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/BmpFile.h"
#include "skin/data/PixelView.h"

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

// The margins NineSlicePieces works with: negative ones count as 0, and margins that do not fit a
// destination of width × height count as 0 in that direction.
TSkinMargins FitMargins(int width, int height, TSkinMargins margins);

// The parts of a width × height destination that the border pieces (every piece but the centre)
// cover: the top band, the bottom band, and the left and right bands between them, each left out
// when it has no area. Together they are exactly what NineSlicePieces(..., withCentre = false)
// draws on.
std::vector<TSkinRect> SkinBorderBands(int width, int height, TSkinMargins margins);

// One part of a nine-slice rendering: the pixels of `part` (in the coordinates of a width × height
// destination) of the rendering of frame `frame` of `image`, written to `target`, whose top-left
// pixel is part's top-left corner. Only what lies inside both part and target is written; pixels
// that no piece covers (and pieces whose source lies outside the image) are left as they are, and
// so is everything when the strip has no such frame. The
// pixels written are those the whole rendering has there, whatever the part. A 24-bit image gives
// pixels with a fourth byte of 255.
void RenderSkinPart(const PixelView& image, int width, int height, TSkinRect part, TSkinMargins margins,
                    bool vertical, bool tile, int frameCount, int frame, bool withCentre, const PixelTarget& target);

// Nine-slice rendering of one frame of `image` into a new image of width × height (black where
// nothing is drawn). Tiles that run over the centre are cut by the result's edges only; the edge
// pieces drawn after the centre cover them. Source pixels outside `image` are never read.
BmpImage RenderSkinImage(const PixelView& image, int width, int height, TSkinMargins margins, bool vertical,
                         bool tile, int frameCount, int frame);
inline BmpImage RenderSkinImage(const BmpImage& image, int width, int height, TSkinMargins margins, bool vertical,
                                bool tile, int frameCount, int frame) {
  return RenderSkinImage(ViewOf(image), width, height, margins, vertical, tile, frameCount, frame);
}

// A band: one frame of `image` fitted to width × height as a three-part strip whose every part is
// stretched to the full height: the frame's left `margins.left` columns at the band's left end, its
// right `margins.right` columns at the right end, and its middle between them, repeated from the
// left margin rightwards by its own width (the right end covers what the last copy runs over).
// A frame that is not wider than its two margins has no middle to repeat: it is then stretched
// whole over the band. The top and bottom margins are not used. Black where nothing is drawn.
BmpImage RenderSkinBand(const PixelView& image, int width, int height, bool vertical, int frameCount, int frame,
                        TSkinMargins margins);

// The part `source` of `image` (cut to the image) repeated from the top-left corner over
// width × height, whole tiles only: the result is as wide and high as the tiles that start inside
// width × height, so the last column and row are not cut. Empty when source or the area is.
BmpImage RenderTiles(const PixelView& image, TSkinRect source, int width, int height);

// Where a picture of width × height lies when centred in `area`: offsets (area size − picture
// size) / 2, truncated toward zero, so a picture larger than the area overhangs it on both sides.
TSkinRect CentredRect(TSkinRect area, int width, int height);

// Copies `image` onto `target` with its top-left corner at (x, y), cut to target; pixels whose
// colour (0xRRGGBB, the fourth byte ignored) is `key` leave the target as it is.
void DrawImage(const PixelTarget& target, int x, int y, const PixelView& image, std::optional<std::uint32_t> key);
// The same for whole images; with `transparent`, kSkinTransparent is the key.
void DrawImage(BmpImage& target, int x, int y, const BmpImage& image, bool transparent);

// The pixels of `image` whose colour is not `key` (0xRRGGBB, the fourth byte ignored), as
// rectangles that do not overlap: the runs of such pixels in each row, where consecutive rows have
// the same runs one rectangle for each run over all those rows, from the top. Once there are more
// than `limit` rectangles, the rest of the image is left out (more than `limit` in the result: too
// many to be worth drawing one by one). None when every pixel has the key colour.
std::vector<TSkinRect> OpaqueBlocks(const PixelView& image, std::uint32_t key, std::size_t limit = SIZE_MAX);

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
