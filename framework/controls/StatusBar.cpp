#include "framework/controls/StatusBar.h"

#include <commctrl.h>

#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/CanvasBinding.h"
#include "framework/controls/PropertyIdents.h"

namespace bus {

namespace {
const TIdentList kBevels{"pbNone", "pbLowered", "pbRaised"};
const TIdentList kStyles{"psText", "psOwnerDraw"};
const TIdentList kBiDi{"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"};
}  // namespace

const TClassInfo& TStatusPanel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TStatusPanel>("TStatusPanel", TCollectionItem::StaticClassInfo())
          .Text("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
          .Int("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth, 50)
          .Enum("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment, kAlignmentNames, TAlignment::taLeftJustify)
          .Enum("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel, kBevels, TStatusPanelBevel::pbLowered)
          .Enum("Style", &TStatusPanel::Style, &TStatusPanel::SetStyle, kStyles, TStatusPanelStyle::psText)
          .Enum("BiDiMode", &TStatusPanel::BiDiMode, &TStatusPanel::SetBiDiMode, kBiDi, TBiDiMode::bdLeftToRight)
          .Build();
  return info;
}

void TStatusPanel::SetText(const std::string& v) {
  text_ = v;
  Changed();
}
void TStatusPanel::SetWidth(int v) {
  width_ = v;
  Changed();
}
void TStatusPanel::SetAlignment(TAlignment v) {
  alignment_ = v;
  Changed();
}
void TStatusPanel::SetBevel(TStatusPanelBevel v) {
  bevel_ = v;
  Changed();
}
void TStatusPanel::SetStyle(TStatusPanelStyle v) {
  style_ = v;
  Changed();
}

const TClassInfo& TCustomStatusBar::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomStatusBar>("TCustomStatusBar", TWinControl::StaticClassInfo())
          .Collection("Panels", &TCustomStatusBar::Panels)
          .Bool("SimplePanel", &TCustomStatusBar::SimplePanel, &TCustomStatusBar::SetSimplePanel, false)
          .Text("SimpleText", &TCustomStatusBar::SimpleText, &TCustomStatusBar::SetSimpleText)
          .Bool("SizeGrip", &TCustomStatusBar::SizeGrip, &TCustomStatusBar::SetSizeGrip, true)
          .Event("OnDrawPanel", &TCustomStatusBar::OnDrawPanel)
          .Build();
  return info;
}
const TClassInfo& TStatusBar::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TStatusBar>("TStatusBar", TCustomStatusBar::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomStatusBar::TCustomStatusBar(TComponent* owner)
    : TWinControl(owner), panels_(std::make_unique<TStatusPanels>()), canvas_(std::make_unique<TControlCanvas>(this)) {
  SetBounds(0, 0, 200, 19);
  SetAlign(TAlign::alBottom);
  panels_->OnUpdate = [this](TCollectionItem* item) {
    if (item) UpdatePanel(item->Index());
    else UpdatePanels();
  };
}

TCustomStatusBar::~TCustomStatusBar() = default;

void TCustomStatusBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.sysClassName = STATUSCLASSNAMEW;
  p.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (sizeGrip_) p.style |= SBARS_SIZEGRIP;
}

void TCustomStatusBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdatePanels();
}

void TCustomStatusBar::SetSimplePanel(bool v) {
  simplePanel_ = v;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, SB_SIMPLE, v, 0);
  UpdatePanels();
}

void TCustomStatusBar::SetSimpleText(const std::string& v) {
  simpleText_ = v;
  if (HWND h = HandleIfAllocated(); h && simplePanel_)
    SendMessageW(h, SB_SETTEXTW, 255, LPARAM(Widen(v).c_str()));
}

void TCustomStatusBar::SetSizeGrip(bool v) {
  if (v == sizeGrip_) return;
  sizeGrip_ = v;
  RecreateWnd();
}

// Part edges are the running sums of the widths; the last part reaches the right edge (-1).
void TCustomStatusBar::UpdatePanels() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  if (simplePanel_) {
    SendMessageW(h, SB_SIMPLE, TRUE, 0);
    SendMessageW(h, SB_SETTEXTW, 255, LPARAM(Widen(simpleText_).c_str()));
    return;
  }
  SendMessageW(h, SB_SIMPLE, FALSE, 0);
  const int n = panels_->Count();
  std::vector<int> edges(size_t(std::max(n, 1)), -1);
  int x = 0;
  for (int i = 0; i + 1 < n; ++i) edges[size_t(i)] = x += panels_->Items(i)->Width();
  SendMessageW(h, SB_SETPARTS, WPARAM(edges.size()), LPARAM(edges.data()));
  for (int i = 0; i < n; ++i) UpdatePanel(i);
}

void TCustomStatusBar::UpdatePanel(int index) {
  HWND h = HandleIfAllocated();
  if (!h || simplePanel_ || index < 0 || index >= panels_->Count()) return;
  const TStatusPanel* p = panels_->Items(index);
  WPARAM flags = WPARAM(index);
  if (p->Bevel() == TStatusPanelBevel::pbNone) flags |= SBT_NOBORDERS;
  if (p->Bevel() == TStatusPanelBevel::pbRaised) flags |= SBT_POPOUT;
  if (p->Style() == TStatusPanelStyle::psOwnerDraw) {
    SendMessageW(h, SB_SETTEXTW, flags | SBT_OWNERDRAW, LPARAM(p));
    return;
  }
  std::wstring text = Widen(p->Text());
  if (p->Alignment() == TAlignment::taCenter) text = L"\t" + text;
  else if (p->Alignment() == TAlignment::taRightJustify) text = L"\t\t" + text;
  SendMessageW(h, SB_SETTEXTW, flags, LPARAM(text.c_str()));
}

void TCustomStatusBar::WndProc(TMessage& m) {
  if (m.Msg == CN_DRAWITEM) {
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
    const int index = int(dis->itemID);
    if (index >= 0 && index < panels_->Count()) {
      CanvasBinding binding(*canvas_, dis->hDC);
      OnDrawPanel(this, panels_->Items(index), dis->rcItem);
    }
    m.Result = TRUE;
    return;
  }
  TWinControl::WndProc(m);
  if (m.Msg == WM_SIZE) UpdatePanels();
}

}  // namespace bus
