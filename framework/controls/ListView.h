// List views: a superclassed native list view (SysListView32). Items (a caption, sub-items, an
// image) are shown as large or small icons, a list, or a report with one column per Columns entry
// under the platform's own header window. One item at a time is selected (ItemIndex).
//
// A user's selection (mouse or keys) fires OnSelectItem for the item that lost the selection and
// for the one that got it, after ItemIndex shows the new one; a click on a column heading fires
// OnColumnClick. Changes made by code fire nothing.
//
// This is the list view kind of the skin's control selection, and one of its scrolling kinds:
// TCustomListView and every class derived from it.
#pragma once

#include <memory>

#include "core/StringList.h"
#include "framework/Collection.h"
#include "framework/Types.h"
#include "framework/controls/WinControl.h"

namespace bus {

class TCustomListView;
class TImageList;

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TListColumn : public TCollectionItem {
  BUS_CLASS(TListColumn)
public:
  using TCollectionItem::TCollectionItem;
  const std::string& Caption() const noexcept { return caption_; }
  void SetCaption(const std::string& v);
  // The window's, once there is one (the user may have dragged the column's edge).
  int Width() const;
  void SetWidth(int v);
  TAlignment Alignment() const noexcept { return alignment_; }
  void SetAlignment(TAlignment v);

private:
  friend class TCustomListView;
  std::string caption_;                               // heading
  int width_ = 50;                                    // pixels while there is no window
  TAlignment alignment_ = TAlignment::taLeftJustify;  // text placement
};

class TListItem : public TCollectionItem {
  BUS_CLASS(TListItem)
public:
  using TCollectionItem::TCollectionItem;
  const std::string& Caption() const noexcept { return caption_; }
  void SetCaption(const std::string& v);
  // The texts of the report view's further columns.
  const TStringList& SubItems() const noexcept { return subItems_; }
  void SetSubItems(const TStringList& v);
  int ImageIndex() const noexcept { return imageIndex_; }
  void SetImageIndex(int v);

private:
  std::string caption_;   // first column, or the icon's text
  TStringList subItems_;  // further columns
  int imageIndex_ = -1;   // in the view's image lists; -1: none
};

// A list view's columns or items: they know their view.
template <class T>
class TListViewCollection : public TOwnedCollection<T> {
public:
  explicit TListViewCollection(TCustomListView* view) : view_(view) {}
  TCustomListView* ListView() const noexcept { return view_; }

private:
  TCustomListView* view_;  // holder
};
using TListColumns = TListViewCollection<TListColumn>;
using TListItems = TListViewCollection<TListItem>;

// (Sender, Item, Selected)
using TLVSelectItemEvent = TEvent<TObject*, TListItem*, bool>;
// (Sender, Column)
using TLVColumnClickEvent = TEvent<TObject*, TListColumn*>;

class TCustomListView : public TWinControl {
  BUS_CLASS(TCustomListView)
public:
  explicit TCustomListView(TComponent* owner);
  ~TCustomListView() override;

  TViewStyle ViewStyle() const noexcept { return viewStyle_; }
  void SetViewStyle(TViewStyle v);
  TListColumns* Columns() const noexcept { return columns_.get(); }
  TListItems* Items() const noexcept { return items_.get(); }
  // -1 or the selected item; other values select none.
  int ItemIndex() const;
  void SetItemIndex(int v);
  TListItem* Selected() const;
  // A report row is selected as a whole.
  bool RowSelect() const noexcept { return rowSelect_; }
  void SetRowSelect(bool v);
  bool GridLines() const noexcept { return gridLines_; }
  void SetGridLines(bool v);
  bool ShowColumnHeaders() const noexcept { return showColumnHeaders_; }
  void SetShowColumnHeaders(bool v);
  // The selection shows only while the view has the focus.
  bool HideSelection() const noexcept { return hideSelection_; }
  void SetHideSelection(bool v);
  TImageList* SmallImages() const noexcept { return smallImages_; }
  void SetSmallImages(TImageList* v);
  TImageList* LargeImages() const noexcept { return largeImages_; }
  void SetLargeImages(TImageList* v);
  // The report view's header window (made by the platform), or null.
  HWND HeaderHandle() const;
  // The rectangle of item index in client coordinates (empty when there is none).
  RECT ItemRect(int index) const;

  TLVSelectItemEvent OnSelectItem;    // published
  TLVColumnClickEvent OnColumnClick;  // published

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  DWORD ViewStyleBits() const;
  // Sets or clears style bits of the live window.
  void ChangeStyle(DWORD bits, bool on);
  void ApplyExtendedStyle();
  void ApplyImages();
  void UpdateColumns();
  void UpdateColumn(int index);
  void UpdateItems();
  void UpdateItem(int index);
  void CnNotify(TMessage& m);

  TViewStyle viewStyle_ = TViewStyle::vsIcon;  // how items are laid out
  std::unique_ptr<TListColumns> columns_;       // report columns
  std::unique_ptr<TListItems> items_;           // the items
  int itemIndex_ = -1;                          // selection while there is no window
  bool rowSelect_ = false;                      // LVS_EX_FULLROWSELECT
  bool gridLines_ = false;                      // LVS_EX_GRIDLINES
  bool showColumnHeaders_ = true;               // not LVS_NOCOLUMNHEADER
  bool hideSelection_ = true;                   // not LVS_SHOWSELALWAYS
  TImageList* smallImages_ = nullptr;           // small icons (and report rows)
  TImageList* largeImages_ = nullptr;           // large icons
  bool updating_ = false;                       // code is changing the window: no events
};

class TListView : public TCustomListView {
  BUS_CLASS(TListView)
public:
  using TCustomListView::TCustomListView;
};

}  // namespace bus
