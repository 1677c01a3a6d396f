#include "skin/control/SkinSizer.h"

#include "framework/Properties.h"
#include "skin/control/SkinDrawing.h"
#include "skin/data/SkinData.h"

namespace bus {

const TClassInfo& TSkinSizer::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinSizer>("TSkinSizer", TSkinControl::StaticClassInfo()).Build();
  return info;
}

bool TSkinSizer::BeforeDefault(TMessage& m) {
  if (AnswerPaint(m)) return false;
  return TSkinControl::BeforeDefault(m);
}

void TSkinSizer::PaintTo(HDC dc, const RECT& rect) {
  if (IsRectEmpty(&rect)) return;
  TBitmap& picture = ScratchBitmap();
  picture.SetSize(rect.right - rect.left, rect.bottom - rect.top);
  const RECT area{0, 0, picture.Width(), picture.Height()};
  HDC canvas = picture.Canvas().Handle();
  FillFace(canvas, area);
  if (SkinData() && (GetWindowLongPtrW(Handle(), GWL_STYLE) & SBS_SIZEGRIP)) DrawSkinSizeGrip(canvas, area, *SkinData());
  BitBlt(dc, rect.left, rect.top, area.right, area.bottom, canvas, 0, 0, SRCCOPY);
}

void DrawSkinSizeGrip(HDC dc, const RECT& area, const TSkinData& skin) {
  const TDataSkinObject* extra = skin.ExtraImages();
  if (!extra || extra->Image().Empty()) return;
  const int width = extra->Image().Width() / 5, height = extra->Image().Height();
  DrawSkinFrameTransparent(dc, {area.right - 1 - width, area.bottom - 1 - height, area.right - 1, area.bottom - 1}, 5, 5,
                           extra->Image());
}

}  // namespace bus
