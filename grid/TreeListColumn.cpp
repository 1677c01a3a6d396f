#include "grid/TreeListColumn.h"

#include <algorithm>

#include "core/Stream.h"
#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/PropertyIdents.h"
#include "framework/graphics/GdiHandles.h"
#include "grid/FontProperties.h"
#include "grid/TreeListControl.h"

namespace bus {

const TClassInfo& TrgTreeListColumn::StaticClassInfo() {
  static const TClassInfo info = [] {
    using C = TrgTreeListColumn;
    TClassInfo i =
        TClassBuilder<C>("TrgTreeListColumn", TComponent::StaticClassInfo())
            .Creatable()
            .Enum("Alignment", &C::Alignment, &C::SetAlignment, kAlignmentNames, TAlignment::taLeftJustify)
            .Text("Caption", &C::Caption, &C::SetCaption)
            .Enum("CharCase", &C::CharCase, &C::SetCharCase, kEditCharCaseNames, TrgEditCharCase::ecNormal)
            .Int("Color", &C::Color, &C::SetColor, clWindow, &kColorIdents)
            .Bool("DisableCaption", &C::DisableCaption, &C::SetDisableCaption, false)
            .Bool("DisableCustomizing", &C::DisableCustomizing, &C::SetDisableCustomizing, false)
            .Bool("DisableDragging", &C::DisableDragging, &C::SetDisableDragging, false)
            .Bool("DisableEditor", &C::DisableEditor, &C::SetDisableEditor, false)
            .Enum("HeaderAlignment", &C::HeaderAlignment, &C::SetHeaderAlignment, kAlignmentNames,
                  TAlignment::taLeftJustify)
            .Held<TBitmap>("HeaderGlyph", &C::HeaderGlyph)
            .Binary("HeaderGlyph.Data", &C::ReadHeaderGlyph)
            .Int("MaxLength", &C::MaxLength, &C::SetMaxLength, 0)
            .Int("MinWidth", &C::MinWidth, &C::SetMinWidth, 20)
            .Bool("OEMConvert", &C::OEMConvert, &C::SetOEMConvert, false)
            .Int("PasswordChar", &C::PasswordChar, &C::SetPasswordChar, 0)
            .Bool("ReadOnly", &C::ReadOnly, &C::SetReadOnly, false)
            .Bool("Sizing", &C::Sizing, &C::SetSizing, true)
            .Enum("Sorted", &C::Sorted, &C::SetSorted, kColumnSortNames, TrgTreeListColumnSort::csNone)
            .Bool("TabStop", &C::TabStop, &C::SetTabStop, true)
            .Enum("VertAlignment", &C::VertAlignment, &C::SetVertAlignment, kVertAlignmentNames,
                  TrgVertAlignment::tlTop)
            .Bool("Visible", &C::Visible, &C::SetVisible, true)
            .Int("Width", &C::Width, &C::SetWidth, 64)
            .Int("BandIndex", &C::BandIndex, &C::SetBandIndex, 0)
            .Int("RowIndex", &C::RowIndex, &C::SetRowIndex, 0)
            .Int("ColIndex", &C::ColIndex, &C::SetColIndex, -1)  // worked out from the column order
            .Int("HeaderMaxLineCount", &C::HeaderMaxLineCount, &C::SetHeaderMaxLineCount, 1)
            .Event("OnChange", &C::OnChange)
            .Event("OnCustomDrawCell", &C::OnCustomDrawCell)
            .Event("OnCustomDrawColumnHeader", &C::OnCustomDrawColumnHeader)
            .Event("OnValidate", &C::OnValidate)
            .Event("OnGetText", &C::OnGetText)
            .Build();
    AddFontProperties(i, "Font", [](const TObject& o) { return static_cast<const C&>(o).Font(); });
    return i;
  }();
  return info;
}

TrgTreeListColumn::TrgTreeListColumn(TComponent* owner)
    : TComponent(owner), font_(std::make_unique<TFont>()), headerGlyph_(std::make_unique<TBitmap>()) {
  font_->SetOnChange([this] {
    if (copyingFont_) return;
    fontAssigned_ = true;
    Changed(true);
  });
}

TrgTreeListColumn::~TrgTreeListColumn() {
  if (grid_) grid_->RemoveColumn(this);
}

void TrgTreeListColumn::BeforeDestruction() {
  SetGrid(nullptr);
  TComponent::BeforeDestruction();
}

void TrgTreeListColumn::SetGrid(TCustomrgTreeListControl* grid) {
  if (grid == grid_) return;
  if (grid_) grid_->RemoveColumn(this);
  if (grid) grid->AddColumn(this);
}

void TrgTreeListColumn::SetParentComponent(TComponent* parent) {
  if (auto* grid = dynamic_cast<TCustomrgTreeListControl*>(parent)) SetGrid(grid);
  else TComponent::SetParentComponent(parent);
}

TComponent* TrgTreeListColumn::GetParentComponent() const { return grid_; }

int TrgTreeListColumn::Index() const { return grid_ ? grid_->ColumnIndexOf(this) : -1; }

void TrgTreeListColumn::Changed(bool layout) {
  OnChange(this);
  if (grid_) grid_->ColumnChanged(this, layout);
}

TAlignment TrgTreeListColumn::Alignment() const { return alignmentAssigned_ ? alignment_ : DefaultAlignment(); }

void TrgTreeListColumn::SetAlignment(TAlignment v) {
  alignment_ = v;
  alignmentAssigned_ = true;
  Changed(false);
}

std::string TrgTreeListColumn::Caption() const { return captionAssigned_ ? caption_ : DefaultCaption(); }

void TrgTreeListColumn::SetCaption(const std::string& v) {
  caption_ = v;
  captionAssigned_ = true;
  Changed(!widthAssigned_);
}

TColor TrgTreeListColumn::Color() const {
  if (colorAssigned_) return color_;
  return grid_ ? grid_->Color() : clWindow;
}

void TrgTreeListColumn::SetColor(TColor v) {
  color_ = v;
  colorAssigned_ = true;
  Changed(false);
}

void TrgTreeListColumn::SetDisableCaption(bool v) {
  disableCaption_ = v;
  Changed(false);
}

TFont* TrgTreeListColumn::Font() const {
  if (!fontAssigned_ && grid_ && !font_->SameAs(*grid_->Font())) {
    copyingFont_ = true;
    font_->Assign(*grid_->Font());
    copyingFont_ = false;
  }
  return font_.get();
}

const TFont& TrgTreeListColumn::PaintFont() const {
  return fontAssigned_ || !grid_ ? *font_ : *grid_->Font();
}

void TrgTreeListColumn::SetHeaderAlignment(TAlignment v) {
  headerAlignment_ = v;
  Changed(false);
}

void TrgTreeListColumn::ReadHeaderGlyph(TStream& stream) {
  headerGlyph_->LoadFromStream(stream);
  Changed(false);
}

void TrgTreeListColumn::SetMinWidth(int v) {
  minWidth_ = std::max(v, 0);
  if (widthAssigned_) SetWidth(width_);
  else Changed(true);
}

bool TrgTreeListColumn::ReadOnly() const { return readOnlyAssigned_ ? readOnly_ : DefaultReadOnly(); }

void TrgTreeListColumn::SetReadOnly(bool v) {
  readOnly_ = v;
  readOnlyAssigned_ = true;
}

void TrgTreeListColumn::SetSorted(TrgTreeListColumnSort v) {
  if (Loading() || !grid_ || grid_->Loading()) {
    sorted_ = v;
    return;
  }
  grid_->SetColumnSorted(this, v);
}

void TrgTreeListColumn::SetVertAlignment(TrgVertAlignment v) {
  vertAlignment_ = v;
  Changed(false);
}

void TrgTreeListColumn::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Changed(true);
}

int TrgTreeListColumn::DefaultWidth() const {
  int width = 64;
  if (grid_) {
    const std::string caption = Caption();
    if (!caption.empty()) {
      WindowDC dc(nullptr);
      const std::wstring text = Widen(caption);
      SIZE size{};
      {
        DcSelection select(dc.Get(), grid_->HeaderFont()->Handle());
        GetTextExtentPoint32W(dc.Get(), text.c_str(), int(text.size()), &size);
      }
      width = size.cx + 6;
      if (const int characters = FieldDisplayWidth(); characters >= 0) {
        DcSelection select(dc.Get(), PaintFont().Handle());
        SIZE zero{};
        GetTextExtentPoint32W(dc.Get(), L"0", 1, &zero);
        TEXTMETRICW tm{};
        GetTextMetricsW(dc.Get(), &tm);
        width = std::max<int>(width, (zero.cx - tm.tmOverhang) * characters + tm.tmOverhang + 4);
      }
    }
  }
  return std::max(width, minWidth_);
}

int TrgTreeListColumn::Width() const { return widthAssigned_ ? std::max(width_, minWidth_) : DefaultWidth(); }

void TrgTreeListColumn::SetWidth(int v) {
  v = std::max(v, minWidth_);
  const bool changed = !widthAssigned_ || v != width_;
  width_ = v;
  widthAssigned_ = true;
  if (changed) Changed(true);
}

void TrgTreeListColumn::SetBandIndex(int v) {
  if (v == bandIndex_) return;
  bandIndex_ = v;
  Changed(true);
}

int TrgTreeListColumn::RowIndex() const {
  const int rows = grid_ ? grid_->HeaderPanelRowCount() : 1;
  return std::clamp(rowIndex_, 0, std::max(rows - 1, 0));
}

void TrgTreeListColumn::SetRowIndex(int v) {
  if (v == rowIndex_) return;
  rowIndex_ = std::max(v, 0);
  Changed(true);
}

int TrgTreeListColumn::ColIndex() const { return grid_ ? grid_->ColumnColIndex(this) : -1; }

void TrgTreeListColumn::SetColIndex(int v) {
  if (grid_) grid_->MoveColumn(this, bandIndex_, RowIndex(), v);
}

void TrgTreeListColumn::SetHeaderMaxLineCount(int v) {
  headerMaxLineCount_ = std::max(v, 1);
  Changed(true);
}

}  // namespace bus
