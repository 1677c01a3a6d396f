// TIcon: holds an icon handle (HICON), destroys it with the icon, and loads and saves .ico bytes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "framework/graphics/GdiHandles.h"
#include "framework/graphics/Graphic.h"

namespace bus {

class TIcon : public TGraphic {
public:
  TIcon();
  ~TIcon() override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Empty() const override { return !handle_; }

  // The icon; null while empty. Owned by the icon.
  HICON Handle() const noexcept { return handle_.Get(); }
  // Takes ownership of icon (null empties); the previous icon is destroyed.
  void SetHandle(HICON icon);
  // Gives the icon away (the caller destroys it); the icon becomes empty.
  HICON ReleaseHandle();

  // An independent copy of source's icon (CopyIcon); an empty source empties this one.
  void Assign(const TIcon& source);

  // Reads an icon file (.ico) from source's position to its end and takes the image whose width
  // is closest to PreferredSize(), the deepest colour winning ties. Throws EInvalidGraphic (the
  // bitmap loader's error) for bytes that are not a valid icon file, leaving the icon as it was;
  // no bytes at all give an empty icon.
  void LoadFromStream(TStream& source) override;
  void LoadFromBytes(std::span<const std::uint8_t> bytes);
  // Writes the icon as an icon file with one 32-bit image and its mask (nothing when empty).
  void SaveToStream(TStream& target) const override;

  // Width of the image LoadFromStream prefers; 0 (the default) means the system's large icon size.
  int PreferredSize() const noexcept { return preferredSize_; }
  void SetPreferredSize(int size) noexcept { preferredSize_ = size < 0 ? 0 : size; }

protected:
  void Draw(TCanvas& canvas, const RECT& rect) override;

private:
  void Install(IconHandle icon);

  IconHandle handle_;      // the icon
  int width_ = 0;          // of the icon's image, pixels
  int height_ = 0;         // of the icon's image, pixels
  int preferredSize_ = 0;  // image width LoadFromStream looks for; 0: SM_CXICON
};

}  // namespace bus
