// TGraphic: what a canvas can draw as a picture (bitmaps and icons): a size, loading and saving as
// bytes, and drawing into a rectangle of a canvas.
#pragma once

#include <windows.h>

#include <filesystem>

#include "core/Stream.h"
#include "framework/graphics/GraphicsObject.h"

namespace bus {

class TCanvas;

class TGraphic : public TGraphicsObject {
public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // No picture to draw.
  virtual bool Empty() const = 0;

  // Replaces the picture with the bytes from source's position to its end; the picture is
  // unchanged when this throws. No bytes at all give an empty picture.
  virtual void LoadFromStream(TStream& source) = 0;
  // Writes the picture's file form at target's position (nothing for an empty picture).
  virtual void SaveToStream(TStream& target) const = 0;
  void LoadFromFile(const std::filesystem::path& path);
  void SaveToFile(const std::filesystem::path& path) const;

protected:
  friend class TCanvas;
  // Draws the picture stretched to rect of canvas (TCanvas::Draw and StretchDraw call this).
  virtual void Draw(TCanvas& canvas, const RECT& rect) = 0;
};

}  // namespace bus
