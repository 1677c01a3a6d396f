// The skin image drawing routines: every skinned element, from a form's border to a check box, is
// drawn by cutting one frame out of a skin image (a strip of equal frames numbered from 1, side by
// side, or stacked where a routine takes `vertical`) and fitting it to a rectangle.
//
// They are thin adapters: the pixels come from the portable nine-slice rule (skin/data/NineSlice.h),
// rendered from the skin bitmap's own rows, and are copied into the device context one for one.
// Magenta (0xFF00FF) is the transparent colour of skin images; a transparent drawing leaves the
// DC's pixels under magenta exactly as they were and replaces all others.
//
// Every routine draws nothing when its rectangle is empty or inverted (right <= left or
// bottom <= top), when the image is empty or when the strip has no such frame. A failing GDI call
// ends the drawing quietly; nothing stays selected into the caller's DC and every object made for
// the drawing is freed. Coordinates are the DC's logical ones.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Color.h"
#include "skin/data/NineSlice.h"

namespace bus {

class TCanvas;
class TDataSkinObject;

// Nine-slice rendering of frame `frame` of `image` (a strip of frameCount frames) to rect's size, in
// a new 32-bit bitmap that the caller owns: corners kept, edges stretched along their length, the
// centre stretched or, with `tile`, repeated from its top-left corner; margins that do not fit the
// size count as 0 in that direction. Black where no piece of the frame lands. An empty bitmap for an
// empty or inverted rect; EInvalidGraphicOperation when the platform cannot make one that large.
std::unique_ptr<TBitmap> RenderSkinImage(const RECT& rect, const TBitmap& image, TSkinMargins margins, bool vertical,
                                         bool tile, int frameCount, int frame);

// Repeats the part `source` of `image` (cut to the image) over `dest` from its top-left corner, in
// whole tiles: the last column and row run over dest's right and bottom edges and are not cut.
void TileBitmap(TCanvas& canvas, const RECT& dest, const TBitmap& image, const RECT& source);

// The nine-slice rendering of RenderSkinImage drawn to rect; with `transparent`, magenta shows what
// was below.
void DrawSkinImage(HDC dc, const RECT& rect, const TBitmap& image, bool vertical, bool tile, bool transparent,
                   int frameCount, int frame, TSkinMargins margins);

// DrawSkinImage from a skin object: its image as a horizontal strip, its margins, tiled when its
// Tile is 1, transparent when its Trans is 1. Callers pass the object's Frame as frameCount.
void DrawSkinObject(HDC dc, const RECT& rect, int frameCount, int frame, const TDataSkinObject& object);

// Only the border of the nine-slice rendering (corners and edges, stretched, opaque): the centre is
// not drawn, so what lies inside stays exactly as it was.
void DrawSkinBorder(HDC dc, const RECT& rect, const TBitmap& image, bool vertical, int frameCount, int frame,
                    TSkinMargins margins);

// One frame of a horizontal strip stretched whole to rect; with `transparent`, magenta shows through.
void DrawSkinFrame(HDC dc, const RECT& rect, const TBitmap& image, bool transparent, int frameCount, int frame);

// DrawSkinFrame with magenta transparent, onto a DC or onto a canvas's DC.
void DrawSkinFrameTransparent(HDC dc, const RECT& rect, int frameCount, int frame, const TBitmap& image);
void DrawSkinFrameTransparent(TCanvas& canvas, const RECT& rect, int frameCount, int frame, const TBitmap& image);

// One frame of a horizontal strip at its own size, centred in rect (offsets (rect size − frame
// size) / 2, truncated toward zero: a frame larger than rect overhangs it on both sides); with
// `transparent`, magenta shows through.
void DrawSkinGlyph(HDC dc, const RECT& rect, const TBitmap& image, bool transparent, int frameCount, int frame);

// Copies the top-left part of `image` of rect's size (or less, where the image is smaller) to rect;
// pixels of transparentColor leave the DC unchanged, all others replace it.
void DrawTransparent(HDC dc, const RECT& rect, const TBitmap& image, TColor transparentColor);

}  // namespace bus
