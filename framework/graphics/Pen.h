// TPen: line colour, width, style and mix mode, and the GDI pen made from them on first use.
//
// The mode is how the pen combines with what is drawn over (the raster operation a canvas sets when
// it selects the pen): pmCopy paints the pen colour, pmNot inverts the pixels it covers (the grid's
// column-sizing line is drawn so, and a second stroke erases it). Copies made with Assign share the
// GDI pen; a change notifies the owner and keeps the old pen alive until the owner has been told.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsObject.h"

namespace bus {

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

enum TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

// The SetROP2 code of a pen mode.
int PenModeToRop2(TPenMode mode) noexcept;

class TPen : public TGraphicsObject {
public:
  // A solid clBlack pen, 1 pixel wide, mode pmCopy; creates no GDI object.
  TPen();
  ~TPen() override;

  TColor Color() const noexcept;
  void SetColor(TColor color);
  // Width in pixels, at least 1 (smaller values are taken as 1).
  int Width() const noexcept;
  void SetWidth(int width);
  TPenStyle Style() const noexcept;
  void SetStyle(TPenStyle style);
  TPenMode Mode() const noexcept { return mode_; }
  void SetMode(TPenMode mode);

  // The GDI pen, created now if needed; owned by the pen (never delete it).
  HPEN Handle() const;
  bool HandleAllocated() const noexcept;

  void Assign(const TPen& source);

private:
  struct Data;
  void Replace(TColor color, int width, TPenStyle style);

  std::shared_ptr<Data> data_;  // attributes and lazily made handle; shared by Assign copies
  TPenMode mode_ = pmCopy;      // raster operation; not part of the GDI pen
};

}  // namespace bus
