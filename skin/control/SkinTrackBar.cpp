#include "skin/control/SkinTrackBar.h"

#include "framework/Properties.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/SkinDrawing.h"
#include "skin/data/SkinData.h"

namespace bus {

namespace {

// Frames of a thumb image, and the one drawn.
constexpr int kThumbFrames = 5;
constexpr int kThumbFrame = 2;

}  // namespace

const TClassInfo& TSkinTrackBar::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinTrackBar>("TSkinTrackBar", TSkinControl::StaticClassInfo()).Build();
  return info;
}

bool TSkinTrackBar::BeforeDefault(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      m.Result = 1;
      return false;
    case WM_NOTIFY:
    case CN_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
      // a notification of the bar's own (its tool tip's custom drawing is the tool tip's)
      if (!header || header->code != UINT(NM_CUSTOMDRAW) || header->hwndFrom != Handle()) return true;
      m.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(m.LParam));
      return false;
    }
    default:
      return TSkinControl::BeforeDefault(m);
  }
}

void TSkinTrackBar::SkinChanged() { Repaint(); }

LRESULT TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& draw) {
  if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.dwDrawStage == CDDS_ITEMPREPAINT && draw.dwItemSpec == TBCD_THUMB) {
    DrawThumb(draw);
    return CDRF_SKIPDEFAULT;
  }
  return CDRF_DODEFAULT;
}

void TSkinTrackBar::DrawThumb(const NMCUSTOMDRAW& draw) {
  if (!IsWindow(Handle()) || !SkinData()) return;
  RECT thumb{};
  SendMessageW(Handle(), TBM_GETTHUMBRECT, 0, LPARAM(&thumb));
  const auto usable = [](const TDataSkinObject* o) { return o && !o->Image().Empty() ? o : nullptr; };
  const TDataSkinObject* image = nullptr;
  if (GetWindowLongPtrW(Handle(), GWL_STYLE) & TBS_VERT) image = usable(SkinData()->Part(TSkinPart::TrackbarThumbVert));
  if (!image) image = usable(SkinData()->Part(TSkinPart::TrackbarThumbHorz));
  if (image) {
    DrawSkinFrameTransparent(draw.hdc, thumb, kThumbFrames, kThumbFrame, image->Image());
    return;
  }
  const GdiObject<HBRUSH> face(CreateSolidBrush(ColorToRGB(SkinData()->ButtonFace())));
  const GdiObject<HPEN> edge(CreatePen(PS_SOLID, 1, ColorToRGB(SkinData()->ButtonShadow())));
  const SavedDCState state(draw.hdc);
  SelectObject(draw.hdc, face.Get());
  SelectObject(draw.hdc, edge.Get());
  Rectangle(draw.hdc, thumb.left, thumb.top, thumb.right, thumb.bottom);
}

}  // namespace bus
