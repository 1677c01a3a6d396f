// A column of the grid: a component owned by the form and placed in its grid (a form description
// writes it inside the grid's object). It carries the header caption, width, alignment, colours,
// font and sort state; unset values come from the grid or, for bound columns, from the field.
//
// Columns keep two positions: their place in the grid's column list (Index, which header moves
// change) and a fixed slot for their texts in every row (DataIndex).
//
// Not built yet (published and stored, they change nothing; the grid has no cell editor):
// CharCase, DisableCustomizing, DisableEditor, MaxLength, OEMConvert, PasswordChar, TabStop.
#pragma once

#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Types.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "grid/GridOptions.h"

namespace bus {

class TCustomrgTreeListControl;
class TStream;

class TrgTreeListColumn : public TComponent {
  BUS_CLASS(TrgTreeListColumn)
public:
  explicit TrgTreeListColumn(TComponent* owner);
  ~TrgTreeListColumn() override;

  TCustomrgTreeListControl* Grid() const noexcept { return grid_; }
  // Moves the column to the end of grid's column list (null: out of any grid).
  void SetGrid(TCustomrgTreeListControl* grid);
  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;
  // Position in the grid's column list, -1 without a grid.
  int Index() const;
  // Slot of the column's text in each row, fixed while the column is in its grid.
  int DataIndex() const noexcept { return dataIndex_; }

  TAlignment Alignment() const;
  void SetAlignment(TAlignment v);
  // The set caption, else DefaultCaption().
  std::string Caption() const;
  void SetCaption(const std::string& v);
  TrgEditCharCase CharCase() const noexcept { return charCase_; }
  void SetCharCase(TrgEditCharCase v) noexcept { charCase_ = v; }
  // The set colour, else the grid's Color.
  TColor Color() const;
  void SetColor(TColor v);
  bool ColorAssigned() const noexcept { return colorAssigned_; }
  bool DisableCaption() const noexcept { return disableCaption_; }
  void SetDisableCaption(bool v);
  bool DisableCustomizing() const noexcept { return disableCustomizing_; }
  void SetDisableCustomizing(bool v) noexcept { disableCustomizing_ = v; }
  bool DisableDragging() const noexcept { return disableDragging_; }
  void SetDisableDragging(bool v) noexcept { disableDragging_ = v; }
  bool DisableEditor() const noexcept { return disableEditor_; }
  void SetDisableEditor(bool v) noexcept { disableEditor_ = v; }
  // The column's font: a copy of the grid's until it is changed itself.
  TFont* Font() const;
  bool FontAssigned() const noexcept { return fontAssigned_; }
  // The font cells of this column are painted in.
  const TFont& PaintFont() const;
  TAlignment HeaderAlignment() const noexcept { return headerAlignment_; }
  void SetHeaderAlignment(TAlignment v);
  TBitmap* HeaderGlyph() const noexcept { return headerGlyph_.get(); }
  virtual int MaxLength() const { return maxLength_; }
  void SetMaxLength(int v) noexcept { maxLength_ = v; }
  int MinWidth() const noexcept { return minWidth_; }
  // Negative values count as 0; the current width is applied again.
  void SetMinWidth(int v);
  bool OEMConvert() const noexcept { return oemConvert_; }
  void SetOEMConvert(bool v) noexcept { oemConvert_ = v; }
  int PasswordChar() const noexcept { return passwordChar_; }
  void SetPasswordChar(int v) noexcept { passwordChar_ = v; }
  bool ReadOnly() const;
  void SetReadOnly(bool v);
  bool Sizing() const noexcept { return sizing_; }
  void SetSizing(bool v) noexcept { sizing_ = v; }
  TrgTreeListColumnSort Sorted() const noexcept { return sorted_; }
  // While the form is being read only stores the value; otherwise the grid clears the other
  // columns' sort state (header-click sorting), keeps its list of sorted columns and re-sorts.
  void SetSorted(TrgTreeListColumnSort v);
  bool TabStop() const noexcept { return tabStop_; }
  void SetTabStop(bool v) noexcept { tabStop_ = v; }
  TrgVertAlignment VertAlignment() const noexcept { return vertAlignment_; }
  void SetVertAlignment(TrgVertAlignment v);
  bool Visible() const noexcept { return visible_; }
  void SetVisible(bool v);
  // The set width, else the computed default; never below MinWidth.
  int Width() const;
  void SetWidth(int v);
  bool WidthAssigned() const noexcept { return widthAssigned_; }
  int BandIndex() const noexcept { return bandIndex_; }
  void SetBandIndex(int v);
  // Header row inside the band; reads as at most the grid's HeaderPanelRowCount − 1.
  int RowIndex() const;
  void SetRowIndex(int v);
  // Position among the visible columns of the same band and header row; -1 without a grid.
  int ColIndex() const;
  void SetColIndex(int v);
  // The header shows no filter button (best fit then leaves no room for one).
  virtual bool FilterButtonDisabled() const { return false; }
  int HeaderMaxLineCount() const noexcept { return headerMaxLineCount_; }
  void SetHeaderMaxLineCount(int v);

  TNotifyEvent OnChange;                  // published
  TNotifyEvent OnCustomDrawCell;          // published (not raised)
  TNotifyEvent OnCustomDrawColumnHeader;  // published (not raised)
  TNotifyEvent OnValidate;                // published (not raised)
  TNotifyEvent OnGetText;                 // published (not raised)

protected:
  void BeforeDestruction() override;
  // Defaults of unset values; bound columns take them from their field.
  virtual std::string DefaultCaption() const { return {}; }
  virtual TAlignment DefaultAlignment() const { return TAlignment::taLeftJustify; }
  virtual bool DefaultReadOnly() const { return false; }
  // Display width in characters of the bound field, or -1 without one.
  virtual int FieldDisplayWidth() const { return -1; }
  // Tells the grid that the column changed (layout: its geometry may have changed too).
  void Changed(bool layout);

private:
  friend class TCustomrgTreeListControl;
  int DefaultWidth() const;
  void ReadHeaderGlyph(TStream& stream);

  TCustomrgTreeListControl* grid_ = nullptr;      // the grid showing the column
  int dataIndex_ = -1;                            // text slot in the grid's rows
  TAlignment alignment_ = TAlignment::taLeftJustify;  // cell text alignment, when set
  std::string caption_;                           // header text, when set
  TrgEditCharCase charCase_ = TrgEditCharCase::ecNormal;  // stored only
  TColor color_ = clWindow;                       // cell background, when set
  bool disableCaption_ = false;                   // no header caption
  bool disableCustomizing_ = false;               // stored only
  bool disableDragging_ = false;                  // the header cannot be dragged
  bool disableEditor_ = false;                    // stored only
  std::unique_ptr<TFont> font_;                   // cell font, when set
  TAlignment headerAlignment_ = TAlignment::taLeftJustify;  // header caption alignment
  std::unique_ptr<TBitmap> headerGlyph_;          // picture before the caption
  int maxLength_ = 0;                             // editor length limit (stored only)
  int minWidth_ = 20;                             // smallest width
  bool oemConvert_ = false;                       // stored only
  int passwordChar_ = 0;                          // stored only
  bool readOnly_ = false;                         // when set
  bool sizing_ = true;                            // the user may resize the column
  TrgTreeListColumnSort sorted_ = TrgTreeListColumnSort::csNone;  // sort state
  bool tabStop_ = true;                           // stored only
  TrgVertAlignment vertAlignment_ = TrgVertAlignment::tlTop;  // vertical text position
  bool visible_ = true;                           // shown
  int width_ = 64;                                // width, when set
  int bandIndex_ = 0;                             // band holding the column
  int rowIndex_ = 0;                              // header row in the band
  int headerMaxLineCount_ = 1;                    // header text lines
  bool alignmentAssigned_ = false;                // explicit values (what a description stores)
  bool captionAssigned_ = false;
  bool colorAssigned_ = false;
  mutable bool fontAssigned_ = false;
  bool readOnlyAssigned_ = false;
  bool widthAssigned_ = false;
  mutable bool copyingFont_ = false;              // Font() copies the grid's font in
};

}  // namespace bus
