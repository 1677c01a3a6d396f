#include "skin/control/SkinProgress.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/Properties.h"
#include "skin/control/SkinDrawing.h"
#include "skin/data/SkinBitmapFilters.h"
#include "skin/data/SkinData.h"

namespace bus {

const TClassInfo& TSkinProgress::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinProgress>("TSkinProgress", TSkinControl::StaticClassInfo()).Build();
  return info;
}

bool TSkinProgress::HasImage() const {
  const TDataSkinBorder* progress = SkinData() ? SkinData()->Progress() : nullptr;
  return progress && !progress->Image().Empty();
}

bool TSkinProgress::BeforeDefault(TMessage& m) {
  if (HasImage() && AnswerPaint(m)) return false;
  return TSkinControl::BeforeDefault(m);
}

int TSkinProgress::ReachedLength(int length) const {
  PBRANGE range{};
  SendMessageW(Handle(), PBM_GETRANGE, FALSE, LPARAM(&range));
  const int position = int(SendMessageW(Handle(), PBM_GETPOS, 0, 0));
  if (range.iHigh <= range.iLow || position <= range.iLow) return 0;
  if (position >= range.iHigh) return length;
  return MulDiv(length, position - range.iLow, range.iHigh - range.iLow);
}

void TSkinProgress::PaintTo(HDC dc, const RECT& rect) {
  if (!HasImage() || IsRectEmpty(&rect)) return;
  const TDataSkinBorder& progress = *SkinData()->Progress();
  const bool vertical = (GetWindowLongPtrW(Handle(), GWL_STYLE) & PBS_VERTICAL) != 0;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  TBitmap picture(vertical ? height : width, vertical ? width : height, pf24bit);  // lying
  HDC canvas = picture.Canvas().Handle();
  const RECT bar{0, 0, picture.Width(), picture.Height()};
  FillFace(canvas, bar);
  if (progress.Style() != 1 || !PaintChunks(canvas, bar)) {
    const bool tile = progress.Tile() == 1;
    DrawSkinImage(canvas, bar, progress.Image(), false, tile, true, 2, 1, progress.Margins());
    const RECT filled{0, 0, ReachedLength(bar.right), bar.bottom};
    DrawSkinImage(canvas, filled, progress.Image(), false, tile, true, 2, 2, progress.Margins());
  }
  if (vertical) RotateLeft(picture);
  BitBlt(dc, rect.left, rect.top, width, height, picture.Canvas().Handle(), 0, 0, SRCCOPY);
}

bool TSkinProgress::PaintChunks(HDC dc, const RECT& bar) {
  const TDataSkinBorder& progress = *SkinData()->Progress();
  const TBitmap& chunk = progress.Image2();
  if (chunk.Empty()) return false;
  DrawSkinImage(dc, bar, progress.Image(), false, progress.Tile() == 1, true, 1, 1, progress.Margins());
  // the chunks stay inside the image's margins
  const int inside = std::max(0, int(bar.right) - progress.LeftWidth() - progress.RightWidth());
  const int reached = ReachedLength(inside);
  if (reached <= 0) return true;
  TBitmap row(reached, chunk.Height(), pf24bit);
  TileBitmap(row.Canvas(), {0, 0, reached, chunk.Height()}, chunk, {0, 0, chunk.Width(), chunk.Height()});
  DrawTransparent(dc, {progress.LeftWidth(), (bar.bottom - chunk.Height()) / 2, progress.LeftWidth() + reached,
                       (bar.bottom - chunk.Height()) / 2 + chunk.Height()},
                  row, clFuchsia);
  return true;
}

}  // namespace bus
