#include "skin/control/SkinHeader.h"

#include <algorithm>

#include "core/WideText.h"
#include "framework/Properties.h"
#include "skin/control/SkinDrawing.h"
#include "skin/control/SkinText.h"
#include "skin/data/SkinData.h"

namespace bus {

namespace {

// Longest section text read, in characters.
constexpr int kHeaderTextLength = 100;

}  // namespace

const TClassInfo& TSkinHeader::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinHeader>("TSkinHeader", TSkinControl::StaticClassInfo()).Build();
  return info;
}

bool TSkinHeader::HasImage() const {
  const TDataSkinObject* bar = SkinData() ? SkinData()->Headerbar() : nullptr;
  return bar && !bar->Image().Empty();
}

bool TSkinHeader::BeforeDefault(TMessage& m) {
  if (HasImage() && AnswerPaint(m)) return false;
  return TSkinControl::BeforeDefault(m);
}

void TSkinHeader::PaintTo(HDC dc, const RECT& rect) {
  if (!HasImage() || IsRectEmpty(&rect)) return;
  const TDataSkinObject& bar = *SkinData()->Headerbar();
  TBitmap& picture = ScratchBitmap();
  picture.SetSize(rect.right - rect.left, rect.bottom - rect.top);
  TCanvas& canvas = picture.Canvas();
  UseWindowFont(canvas, Handle());
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle(), HDM_GETIMAGELIST, 0, 0));
  const int count = int(SendMessageW(Handle(), HDM_GETITEMCOUNT, 0, 0));
  LONG right = 0;  // of the last section
  for (int i = 0; i < count; ++i) {
    RECT r{};
    if (!SendMessageW(Handle(), HDM_GETITEMRECT, WPARAM(i), LPARAM(&r))) continue;
    DrawHeaderItem(images, canvas, i, r);
    right = std::max(right, r.right);
  }
  if (right < picture.Width())
    DrawSkinImage(canvas.Handle(), {right, 0, picture.Width(), picture.Height()}, bar.Image(), false, bar.Tile() == 1,
                  false, bar.Frame(), 1, bar.Margins());
  BitBlt(dc, rect.left, rect.top, picture.Width(), picture.Height(), canvas.Handle(), 0, 0, SRCCOPY);
}

void TSkinHeader::DrawHeaderItem(HIMAGELIST images, TCanvas& canvas, int index, const RECT& rect) {
  const TDataSkinObject& bar = *SkinData()->Headerbar();
  DrawSkinImage(canvas.Handle(), rect, bar.Image(), false, bar.Tile() == 1, false, bar.Frame(), 1, bar.Margins());
  wchar_t text[kHeaderTextLength + 1] = {};
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
  item.pszText = text;
  item.cchTextMax = kHeaderTextLength;
  if (!SendMessageW(Handle(), HDM_GETITEMW, WPARAM(index), LPARAM(&item))) return;
  const TItemAlignment alignment = (item.fmt & HDF_RIGHT)    ? TItemAlignment::Right
                                   : (item.fmt & HDF_CENTER) ? TItemAlignment::Centre
                                                             : TItemAlignment::Left;
  // a section of an image alone still shows its image
  const int image = item.fmt & (HDF_IMAGE | HDF_OWNERDRAW) ? item.iImage : -1;
  if (text[0] == L'\0' && image == -1) return;
  canvas.Font().SetColor(bar.NormalColour2());
  DrawItemText(canvas, rect, alignment, Narrow(text), image, images, Enabled());
}

}  // namespace bus
