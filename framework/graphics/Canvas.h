// TCanvas: drawing on a device context with a font, a pen and a brush.
//
// A canvas either makes its own device context (a bitmap's canvas makes a memory DC; derived
// canvases override CreateHandle) or is bound to an outside one with SetHandle (the DC of a
// WM_PAINT or WM_DRAWITEM, say), which it never deletes. Its font, pen and brush are selected into
// the DC when a drawing operation first needs them. Unbinding (SetHandle(nullptr), binding another
// DC, or destroying the canvas) deselects them and restores the DC as it was when bound: its
// previous objects, colours, modes, clip region and origin.
//
// Texts are UTF-8. Text is drawn in the font's colour, over an opaque background of the brush
// colour when the brush is solid, transparently otherwise.
#pragma once

#include <windows.h>

#include <span>
#include <string_view>

#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"

namespace bus {

class TGraphic;

class TCanvas {
public:
  TCanvas();
  // A canvas bound to dc for its lifetime (dc is not owned).
  explicit TCanvas(HDC dc);
  // Unbinds (restoring the DC). A derived canvas that owns its DC frees it in its own destructor.
  virtual ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The device context: the bound one, else one made by CreateHandle; throws
  // EInvalidGraphicOperation when there is none.
  HDC Handle();
  // Binds the canvas to dc (not owned), after unbinding the current one; null only unbinds.
  void SetHandle(HDC dc);
  bool HandleAllocated() const noexcept { return dc_ != nullptr; }

  // The canvas's drawing objects. Their OnChange belongs to the canvas: do not replace it.
  TFont& Font() noexcept { return font_; }
  TPen& Pen() noexcept { return pen_; }
  TBrush& Brush() noexcept { return brush_; }
  void SetFont(const TFont& font) { font_.Assign(font); }
  void SetPen(const TPen& pen) { pen_.Assign(pen); }
  void SetBrush(const TBrush& brush) { brush_.Assign(brush); }

  // Raster operation of CopyRect and of drawing bitmaps (SRCCOPY by default).
  DWORD CopyMode() const noexcept { return copyMode_; }
  void SetCopyMode(DWORD rop) noexcept { copyMode_ = rop; }
  // ETO_ options added to every TextOut and TextRect (0 by default).
  UINT TextFlags() const noexcept { return textFlags_; }
  void SetTextFlags(UINT flags) noexcept { textFlags_ = flags; }

  POINT PenPos();
  void MoveTo(int x, int y);
  // A line from the pen position to (x, y), which becomes the pen position; (x, y) is not drawn.
  void LineTo(int x, int y);
  void Polyline(std::span<const POINT> points);
  // Several polylines in one call: counts[i] points each, taken in order from points.
  void PolyPolyline(std::span<const POINT> points, std::span<const DWORD> counts);
  void Polygon(std::span<const POINT> points);
  // Outlined with the pen and filled with the brush; right and bottom exclusive.
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
  void Ellipse(int left, int top, int right, int bottom);
  // Filled with the brush, no outline.
  void FillRect(const RECT& r);
  // A one-pixel frame in the brush.
  void FrameRect(const RECT& r);
  // The dotted focus rectangle (drawn by inverting, so a second call erases it).
  void DrawFocusRect(const RECT& r);

  // Text with its top-left corner at (x, y).
  void TextOut(int x, int y, std::string_view text);
  // Text at (x, y) clipped to clip; with a solid brush clip is filled with the brush colour first.
  void TextRect(const RECT& clip, int x, int y, std::string_view text);
  // Text laid out in rect with DT_ format flags (the platform's DrawText); returns the text height.
  // With DT_CALCRECT rect receives the size needed and nothing is drawn.
  int TextRect(RECT& rect, std::string_view text, UINT format);
  SIZE TextExtent(std::string_view text);
  int TextWidth(std::string_view text) { return TextExtent(text).cx; }
  int TextHeight(std::string_view text) { return TextExtent(text).cy; }
  // Metrics of the canvas's font (tmOverhang included).
  TEXTMETRICW TextMetrics();

  // A picture at its own size with its top-left corner at (x, y); nothing for an empty one.
  void Draw(int x, int y, TGraphic& graphic);
  // A picture stretched to rect (COLORONCOLOR stretching).
  void StretchDraw(const RECT& rect, TGraphic& graphic);
  // Copies source's rectangle src to dest here, stretching with COLORONCOLOR, through CopyMode.
  void CopyRect(const RECT& dest, TCanvas& source, const RECT& src);

  // The colour of a pixel as a plain colour (CLR_INVALID outside the clip region).
  COLORREF Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);
  // The bounds of the current clip region.
  RECT ClipRect();

  // Deselects the font, pen and brush; the next drawing selects them again. For code that
  // changes the DC's selection behind the canvas's back.
  void Refresh();

protected:
  // Makes a device context when Handle() is asked for one and none is bound: a derived canvas binds
  // its own DC here with SetHandle. The default does nothing.
  virtual void CreateHandle() {}

private:
  enum StateBits : unsigned { kFontValid = 1, kPenValid = 2, kBrushValid = 4 };
  void RequireState(unsigned needed);
  void Deselect(unsigned which);

  HDC dc_ = nullptr;               // bound or own device context
  int savedState_ = 0;             // SaveDC level taken when bound; 0: none
  unsigned state_ = 0;             // which of font, pen, brush are selected (StateBits)
  HGDIOBJ originalFont_ = nullptr;   // what the DC had selected before the canvas's font
  HGDIOBJ originalPen_ = nullptr;    // ... before the canvas's pen
  HGDIOBJ originalBrush_ = nullptr;  // ... before the canvas's brush
  TFont font_;                     // text font and colour
  TPen pen_;                       // lines and outlines
  TBrush brush_;                   // fills and text background
  DWORD copyMode_ = SRCCOPY;       // raster operation for block copies
  UINT textFlags_ = 0;             // extra ETO_ options for text output
};

}  // namespace bus
