#include "skin/control/SkinTab31.h"

#include "framework/Properties.h"
#include "framework/controls/TabSet.h"
#include "skin/control/SkinDrawing.h"
#include "skin/control/SkinText.h"
#include "skin/data/SkinBitmapFilters.h"
#include "skin/data/SkinData.h"

namespace bus {

const TClassInfo& TSkinTab31::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinTab31>("TSkinTab31", TSkinControl::StaticClassInfo()).Build();
  return info;
}

TSkinTab31::TSkinTab31(TComponent* owner) : TSkinControl(owner) {}

TSkinTab31::~TSkinTab31() = default;

void TSkinTab31::AttachControl(TSkinWrapperHost* form, TSkinData* skin, bool recolour, TCanvas* canvas) {
  if (Attached()) return;
  TSkinControl::AttachControl(form, skin, recolour, canvas);
  PrepareImage();
}

void TSkinTab31::SkinChanged() {
  PrepareImage();  // before the repaint
  TSkinControl::SkinChanged();
}

void TSkinTab31::PrepareImage() {
  const TDataSkinBorder* tabs = SkinData() ? SkinData()->Tabs() : nullptr;
  if (!tabs || tabs->Image().Empty()) {
    tabImage_.Clear();
    return;
  }
  tabImage_.Assign(tabs->Image());
  FlipVertical(tabImage_);
}

TTabSet* TSkinTab31::TabSet() const { return dynamic_cast<TTabSet*>(Control()); }

bool TSkinTab31::BeforeDefault(TMessage& m) {
  if (AnswerPaint(m, true)) return false;
  return TSkinControl::BeforeDefault(m);
}

void TSkinTab31::PaintTo(HDC dc, const RECT& rect) {
  TTabSet* tabSet = TabSet();
  const TDataSkinBorder* tabs = SkinData() ? SkinData()->Tabs() : nullptr;
  if (!tabSet || !tabs || tabImage_.Empty() || IsRectEmpty(&rect)) return;
  TBitmap& picture = ScratchBitmap();
  picture.SetSize(rect.right - rect.left, rect.bottom - rect.top);
  TCanvas& canvas = picture.Canvas();
  FillFace(canvas.Handle(), {0, 0, picture.Width(), picture.Height()});
  canvas.SetFont(*tabSet->Font());
  for (int i = tabSet->FirstIndex(); i < tabSet->Tabs().Count(); ++i) {
    RECT r = tabSet->TabRect(i);
    if (IsRectEmpty(&r)) break;  // the tabs from here on do not fit
    r.top = 0;
    r.bottom = picture.Height();
    const int frame = i == tabSet->TabIndex() ? 2 : 1;
    DrawSkinImage(canvas.Handle(), r, tabImage_, false, tabs->Tile() == 1, tabs->Trans() == 1, tabs->Frame(), frame,
                  tabs->Margins());
    canvas.Font().SetColor(frame == 2 ? tabs->MouseOverColour2() : tabs->NormalColour2());
    DrawStatusText(canvas, r, DT_CENTER, Enabled(), tabSet->Tabs()[i]);
  }
  const SavedDCState state(dc);
  const RECT arrows = tabSet->ScrollButtonsRect();  // the tab set's own, left as it painted them
  ExcludeClipRect(dc, arrows.left, arrows.top, arrows.right, arrows.bottom);
  BitBlt(dc, rect.left, rect.top, picture.Width(), picture.Height(), canvas.Handle(), 0, 0, SRCCOPY);
}

}  // namespace bus
