#include "skin/control/SkinStatusBar.h"

#include <commctrl.h>

#include <utility>

#include "framework/Properties.h"
#include "framework/controls/CanvasBinding.h"
#include "framework/controls/StatusBar.h"
#include "skin/control/SkinDrawing.h"
#include "skin/control/SkinSizer.h"
#include "skin/control/SkinText.h"
#include "skin/data/SkinData.h"

namespace bus {

namespace {

UINT TextAlignment(const TStatusPanel& panel) {
  TAlignment alignment = panel.Alignment();
  // right-to-left reading swaps the sides (centred text stays centred)
  if (panel.BiDiMode() == TBiDiMode::bdRightToLeft) {
    if (alignment == TAlignment::taLeftJustify) alignment = TAlignment::taRightJustify;
    else if (alignment == TAlignment::taRightJustify) alignment = TAlignment::taLeftJustify;
  }
  switch (alignment) {
    case TAlignment::taRightJustify:
      return DT_RIGHT;
    case TAlignment::taCenter:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

int EdgeFrame(TStatusPanelBevel bevel) {
  switch (bevel) {
    case TStatusPanelBevel::pbRaised:
      return kEdgeRaised;
    case TStatusPanelBevel::pbNone:
      return kEdgeNone;
    default:
      return kEdgeLowered;
  }
}

// Where panel index lies in the bar, as the bar reports it.
bool PanelRect(HWND bar, int index, RECT& rect) {
  return SendMessageW(bar, SB_GETRECT, WPARAM(index), LPARAM(&rect)) != 0;
}

// Text of a panel drawn by the skin: an empty one is a space, so the panel keeps its look.
std::string PanelText(const std::string& text) { return text.empty() ? std::string(" ") : text; }

RECT Narrowed(RECT r, int dx) {
  InflateRect(&r, -dx, 0);
  return r;
}

}  // namespace

const TClassInfo& TSkinStatusBar::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinStatusBar>("TSkinStatusBar", TSkinControl::StaticClassInfo()).Build();
  return info;
}

void TSkinStatusBar::AttachControl(TSkinWrapperHost* form, TSkinData* skin, bool recolour, TCanvas* canvas) {
  if (Attached()) return;
  hadSizeGrip_ = GetEnumPropertyName(Owner(), "SizeGrip") == "True";
  if (hadSizeGrip_) SetPropertyText(Owner(), "SizeGrip", "False");
  TSkinControl::AttachControl(form, skin, recolour, canvas);
}

void TSkinStatusBar::Detach() {
  TSkinControl::Detach();
  // giving the grip back makes a new window, whose old one detaches this wrapper once more
  if (std::exchange(hadSizeGrip_, false)) SetPropertyText(Owner(), "SizeGrip", "True");
}

TCustomStatusBar* TSkinStatusBar::Bar() const { return dynamic_cast<TCustomStatusBar*>(Control()); }

bool TSkinStatusBar::BeforeDefault(TMessage& m) {
  if (Bar() && SkinData() && AnswerPaint(m)) return false;
  return TSkinControl::BeforeDefault(m);
}

void TSkinStatusBar::DrawPanelEdge(HDC dc, const RECT& rect, int frame) {
  const TDataSkinObject* edges = SkinData() ? SkinData()->StatusBarEdges() : nullptr;
  if (edges && !edges->Image().Empty()) {
    DrawSkinImage(dc, rect, edges->Image(), false, edges->Tile() == 1, false, 3, frame, edges->Margins());
    return;
  }
  RECT r = rect;
  if (frame == kEdgeLowered) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  else if (frame == kEdgeRaised) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
}

void TSkinStatusBar::PaintTo(HDC dc, const RECT& rect) {
  TCustomStatusBar* bar = Bar();
  if (!bar || !SkinData() || IsRectEmpty(&rect)) return;
  TBitmap& picture = ScratchBitmap();
  picture.SetSize(rect.right - rect.left, rect.bottom - rect.top);
  const RECT area{0, 0, picture.Width(), picture.Height()};
  TCanvas& canvas = picture.Canvas();
  FillFace(canvas.Handle(), area);
  canvas.SetFont(*bar->Font());
  const TDataSkinObject* edges = SkinData()->StatusBarEdges();
  if (edges && !edges->Image().Empty()) canvas.Font().SetColor(edges->NormalColour2());

  const TStatusPanels& panels = *bar->Panels();
  if (bar->SimplePanel() || panels.Count() == 0) {
    DrawPanelEdge(canvas.Handle(), area, kEdgeLowered);
    DrawStatusText(canvas, Narrowed(area, 2), DT_LEFT, true, PanelText(bar->SimpleText()));
  } else {
    for (int i = 0; i < panels.Count(); ++i) {
      const TStatusPanel& panel = *panels.Items(i);
      RECT r{};
      if (!PanelRect(Handle(), i, r)) continue;
      r.right = i + 1 == panels.Count() ? area.right : r.right + 2;
      DrawPanelEdge(canvas.Handle(), r, EdgeFrame(panel.Bevel()));
      if (panel.Style() == TStatusPanelStyle::psText)
        DrawStatusText(canvas, Narrowed(r, 2), TextAlignment(panel), true, PanelText(panel.Text()));
    }
  }
  if (GetWindowLongPtrW(Handle(), GWL_STYLE) & SBARS_SIZEGRIP) DrawSkinSizeGrip(canvas.Handle(), area, *SkinData());
  BitBlt(dc, rect.left, rect.top, area.right, area.bottom, canvas.Handle(), 0, 0, SRCCOPY);

  // owner-drawn panels: the program draws on the bar itself, over the copy
  if (!bar->OnDrawPanel.Assigned() || bar->SimplePanel()) return;
  for (int i = 0; i < panels.Count(); ++i) {
    RECT r{};
    if (panels.Items(i)->Style() != TStatusPanelStyle::psOwnerDraw || !PanelRect(Handle(), i, r)) continue;
    InflateRect(&r, -1, -1);
    const CanvasBinding binding(bar->Canvas(), dc);
    bar->OnDrawPanel(bar, panels.Items(i), r);
  }
}

}  // namespace bus
