// A list of equal-sized images (16 × 16 by default) in a native image list: added from bitmap
// strips with a mask colour, copied out as icons, drawn enabled or with the disabled look.
// A form description stores the images as "Bitmap = {BMP file bytes}", a strip split into
// Width-wide images; MaskColor (clNone: none) marks the transparent pixels.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Component.h"
#include "framework/graphics/Color.h"

namespace bus {

class TBitmap;
class TCanvas;
class TIcon;
class TStream;

class TImageList : public TComponent {
  BUS_CLASS(TImageList)
public:
  explicit TImageList(TComponent* owner);
  ~TImageList() override;

  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  // Resizing empties the list.
  void SetWidth(int v);
  void SetHeight(int v);
  TColor MaskColor() const noexcept { return maskColor_; }
  void SetMaskColor(TColor v) noexcept { maskColor_ = v; }
  int Count() const;
  HIMAGELIST Handle();

  // Adds every Width-wide image of the strip; pixels of maskColor (unless clNone) are transparent.
  // Returns the index of the first image added.
  int AddMasked(const TBitmap& strip, TColor maskColor);
  // Adds the images of a bitmap resource of the module.
  int LoadFromResourceName(HINSTANCE module, const std::string& name, TColor maskColor);
  void Clear();
  // Copies image index into icon; false (icon untouched) when there is no such image.
  bool GetIcon(int index, TIcon& icon);
  // Draws image index at (x, y); disabled images are drawn greyed.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);

private:
  void ReadBitmap(TStream& stream);
  void Recreate();

  int width_ = 16;              // image width
  int height_ = 16;             // image height
  TColor maskColor_ = clNone;   // transparent colour of stored strips
  HIMAGELIST handle_ = nullptr; // native list
};

}  // namespace bus
