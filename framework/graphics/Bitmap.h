// TBitmap: a device-independent bitmap (a DIB section) of 24 or 32 bits per pixel whose pixels are
// reachable both through GDI (Handle, Canvas) and directly (ScanLine).
//
// Rows are stored top-down: ScanLine(0) is the top row. A 24-bit row holds blue, green, red per
// pixel; a 32-bit row blue, green, red and a fourth byte that GDI drawing leaves at 0 (alpha for
// code that uses it). Rows are padded to 4 bytes (ScanLineSize).
//
// A bitmap makes no GDI object until it gets a size, so bitmaps may be static objects. Changes of
// the image as a whole (size, pixel format, loading, Assign) notify OnChange; drawing does not.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "core/BmpFile.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandles.h"
#include "framework/graphics/Graphic.h"

namespace bus {

enum TPixelFormat { pf24bit, pf32bit };

class TBitmap : public TGraphic {
public:
  TBitmap();
  // A bitmap of the given size, every byte 0 (black).
  TBitmap(int width, int height, TPixelFormat format = pf24bit);
  ~TBitmap() override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Empty() const override { return width_ == 0 || height_ == 0; }
  // A new size keeps the pixels of the area both sizes share; new pixels are 0. Sizes below 0
  // count as 0; a size of 0 in either direction releases the image. Throws EInvalidGraphicOperation
  // when the platform cannot make a bitmap that large.
  void SetSize(int width, int height);
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }
  TPixelFormat PixelFormat() const noexcept { return format_; }
  // Converts the pixels: to 24 bits drops the fourth byte, to 32 bits sets it to 0.
  void SetPixelFormat(TPixelFormat format);

  // Row y (0 = top) of the pixels, after pending GDI drawing has been flushed; throws
  // EInvalidGraphicOperation when y is outside 0 .. Height() − 1.
  std::uint8_t* ScanLine(int y);
  const std::uint8_t* ScanLine(int y) const;
  // Bytes from one row to the next.
  int ScanLineSize() const noexcept;

  // The DIB section; null while the bitmap is empty. Owned by the bitmap.
  HBITMAP Handle() const noexcept { return handle_.Get(); }
  // A canvas over a memory DC with the bitmap selected, made on first use.
  TCanvas& Canvas();
  // Frees the canvas's memory DC (it is made again when needed).
  void ReleaseCanvasHandle();

  // An independent copy of source's pixels, size and format.
  void Assign(const TBitmap& source);
  // Releases the image: the bitmap becomes empty.
  void Clear();

  // Reads a BMP file from source's position to its end: 32-bit files give a 32-bit bitmap, every
  // other depth a 24-bit one. Throws EInvalidGraphic (the bitmap loader's error) for bytes that are
  // not a valid BMP file, leaving the bitmap as it was; no bytes at all give an empty bitmap.
  void LoadFromStream(TStream& source) override;
  // Writes a BMP file of the bitmap's depth (nothing for an empty bitmap).
  void SaveToStream(TStream& target) const override;
  // Copies any GDI bitmap (device-dependent or not, any depth); the caller keeps source.
  void LoadFromBitmapHandle(HBITMAP source);
  // Loads the bitmap resource name of module (RT_BITMAP); throws EInvalidGraphicOperation when
  // there is none.
  void LoadFromResourceName(HINSTANCE module, const std::string& name);

  // The pixels as 32-bit BGRA, alpha 255 for a 24-bit bitmap.
  BmpImage ToImage() const;
  // Replaces the image with image's pixels in the given format.
  void FromImage(const BmpImage& image, TPixelFormat format);

protected:
  void Draw(TCanvas& canvas, const RECT& rect) override;

private:
  class BitmapCanvas;
  struct Dib;
  static Dib CreateDib(int width, int height, TPixelFormat format);
  void Install(Dib&& dib);

  GdiObject<HBITMAP> handle_;            // the DIB section
  std::uint8_t* bits_ = nullptr;         // its pixel memory (top row first)
  int width_ = 0;                        // pixels
  int height_ = 0;                       // pixels
  TPixelFormat format_ = pf24bit;        // bits per pixel
  std::unique_ptr<BitmapCanvas> canvas_;  // made on first use
};

}  // namespace bus
