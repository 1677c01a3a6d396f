#include "framework/controls/HeaderControl.h"

#include <commctrl.h>

#include "core/ScopedValue.h"
#include "core/WideText.h"
#include "framework/Properties.h"

namespace bus {

const TClassInfo& THeaderSection::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<THeaderSection>("THeaderSection", TCollectionItem::StaticClassInfo())
          .Text("Text", &THeaderSection::Text, &THeaderSection::SetText)
          .Int("Width", &THeaderSection::Width, &THeaderSection::SetWidth, 50)
          .Enum("Alignment", &THeaderSection::Alignment, &THeaderSection::SetAlignment, kAlignmentNames,
                TAlignment::taLeftJustify)
          .Build();
  return info;
}

void THeaderSection::SetText(const std::string& v) {
  text_ = v;
  Changed();
}
void THeaderSection::SetWidth(int v) {
  width_ = v < 0 ? 0 : v;
  Changed();
}
void THeaderSection::SetAlignment(TAlignment v) {
  alignment_ = v;
  Changed();
}

const TClassInfo& THeaderControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<THeaderControl>("THeaderControl", TWinControl::StaticClassInfo())
          .Creatable()
          .Collection("Sections", &THeaderControl::Sections)
          .Event("OnSectionClick", &THeaderControl::OnSectionClick)
          .Event("OnSectionResize", &THeaderControl::OnSectionResize)
          .Build();
  return info;
}

THeaderControl::THeaderControl(TComponent* owner)
    : TWinControl(owner), sections_(std::make_unique<THeaderSections>()) {
  clickOnMouseUp_ = false;  // the control reports its own clicks
  SetBounds(0, 0, 200, 17);
  SetAlign(TAlign::alTop);
  sections_->OnUpdate = [this](TCollectionItem* item) {
    if (item) UpdateSection(item->Index());
    else UpdateSections();
  };
}

THeaderControl::~THeaderControl() = default;

void THeaderControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.sysClassName = WC_HEADERW;
  p.style |= HDS_BUTTONS | HDS_HORZ;
}

void THeaderControl::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateSections();
}

RECT THeaderControl::SectionRect(int index) const {
  RECT r{};
  if (HWND h = HandleIfAllocated(); !h || !Header_GetItemRect(h, index, &r)) r = {};
  return r;
}

void THeaderControl::UpdateSections() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  ScopedValue quiet(settingSections_, true);
  while (Header_GetItemCount(h) > sections_->Count()) Header_DeleteItem(h, Header_GetItemCount(h) - 1);
  while (Header_GetItemCount(h) < sections_->Count()) {
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    SendMessageW(h, HDM_INSERTITEMW, WPARAM(Header_GetItemCount(h)), LPARAM(&item));
  }
  for (int i = 0; i < sections_->Count(); ++i) UpdateSection(i);
}

void THeaderControl::UpdateSection(int index) {
  HWND h = HandleIfAllocated();
  if (!h || index < 0 || index >= sections_->Count() || index >= Header_GetItemCount(h)) return;
  ScopedValue quiet(settingSections_, true);
  const THeaderSection* s = sections_->Items(index);
  std::wstring text = Widen(s->Text());
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
  item.pszText = text.data();
  item.cxy = s->Width();
  item.fmt = HDF_STRING | (s->Alignment() == TAlignment::taCenter         ? HDF_CENTER
                           : s->Alignment() == TAlignment::taRightJustify ? HDF_RIGHT
                                                                          : HDF_LEFT);
  SendMessageW(h, HDM_SETITEMW, WPARAM(index), LPARAM(&item));
}

// The header tells in the character set its parent asked for: both forms of each code are heard.
void THeaderControl::CnNotify(TMessage& m) {
  const auto* header = reinterpret_cast<const NMHEADERW*>(m.LParam);
  if (settingSections_ || header->iItem < 0 || header->iItem >= sections_->Count()) return;
  THeaderSection* section = sections_->Items(header->iItem);
  switch (header->hdr.code) {
    case HDN_ITEMCLICKW:
    case HDN_ITEMCLICKA:
      OnSectionClick(this, section);
      break;
    case HDN_ITEMCHANGEDW:
    case HDN_ITEMCHANGEDA:
      if (header->pitem && (header->pitem->mask & HDI_WIDTH) && header->pitem->cxy != section->width_) {
        section->width_ = header->pitem->cxy;  // the window has it already
        OnSectionResize(this, section);
      }
      break;
    default:
      break;
  }
}

void THeaderControl::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY) return CnNotify(m);
  TWinControl::WndProc(m);
}

}  // namespace bus
