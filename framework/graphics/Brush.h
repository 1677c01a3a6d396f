// TBrush: fill colour and style, and the GDI brush made from them on first use.
//
// Solid brushes of a scheme colour use the platform's own brush for that colour, which follows
// scheme changes; a clear brush is the stock null brush. Copies made with Assign share the GDI
// brush; a change notifies the owner and keeps the old brush alive until the owner has been told.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsObject.h"

namespace bus {

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
  // A solid clWhite brush; creates no GDI object.
  TBrush();
  ~TBrush() override;

  TColor Color() const noexcept;
  void SetColor(TColor color);
  TBrushStyle Style() const noexcept;
  void SetStyle(TBrushStyle style);

  // The GDI brush, created now if needed; owned by the brush (never delete it).
  HBRUSH Handle() const;
  bool HandleAllocated() const noexcept;

  void Assign(const TBrush& source);

private:
  struct Data;
  void Replace(TColor color, TBrushStyle style);

  std::shared_ptr<Data> data_;  // attributes and lazily made handle; shared by Assign copies
};

}  // namespace bus
