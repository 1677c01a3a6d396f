// TCustomrgTreeListControl: the grid with columns. It keeps the column list and the bands, lays
// the header out (bands side by side, each band's visible columns by header row in column-list
// order), paints the flat header with its sort arrows and the cells of each row, hit-tests the
// header (cells and sizing zones) and the rows, and runs the mouse gestures: pressing and clicking
// headers (header-click sorting), sizing columns with an inverted line, dragging headers to a new
// position with drop arrows and an edge-scroll timer, and pressing rows.
//
// Not built yet (published and stored, they change nothing): BandMaxRowCount, HeaderMinRowCount,
// BandRowCount.
#pragma once

#include <memory>
#include <vector>

#include "grid/TreeList.h"
#include "grid/TreeListBands.h"
#include "grid/TreeListColumn.h"

namespace bus {

class TrgHeaderDragFeedback;

// (Sender, Column)
using TrgColumnEvent = TEvent<TObject*, TrgTreeListColumn*>;
// (Sender, Column, Allow): a handler may refuse a header-click sort or a header drop.
using TrgColumnAllowEvent = TEvent<TObject*, TrgTreeListColumn*, bool&>;
// (Sender, Node, Column index)
using TrgChangeColumnEvent = TEvent<TObject*, TrgTreeListNode*, int>;

// What lies under a point of the client area.
enum class TrgHitKind { Nowhere, BandHeader, Header, SizingZone, Row, Empty };

struct TrgHitInfo {
  TrgHitKind kind = TrgHitKind::Nowhere;
  TrgTreeListColumn* column = nullptr;  // header, sizing zone (the column sized) or the row's cell
  TrgTreeListNode* node = nullptr;      // row
};

// One visible column as laid out: its header cell in content coordinates.
struct TrgColumnLayout {
  TrgTreeListColumn* column = nullptr;
  int band = 0;        // band index
  int row = 0;         // header row
  int left = 0;        // left edge, content coordinates
  int width = 0;       // header cell width
  bool first = false;  // first of its band row
  bool last = false;   // last of its band row
};

class TCustomrgTreeListControl : public TCustomrgTreeList {
  BUS_CLASS(TCustomrgTreeListControl)
public:
  explicit TCustomrgTreeListControl(TComponent* owner);
  ~TCustomrgTreeListControl() override;

  // --- Columns --------------------------------------------------------------------------------
  int ColumnCount() const noexcept { return int(columns_.size()); }
  // Column i of the column list; throws EInvalidrgTreeListOperation outside the list.
  TrgTreeListColumn* Columns(int index) const;
  int ColumnIndexOf(const TrgTreeListColumn* column) const noexcept;
  // The column whose text slot is dataIndex, or null.
  TrgTreeListColumn* ColumnByDataIndex(int dataIndex) const noexcept;
  int VisibleColumnCount() const noexcept { return int(layout_.size()); }
  // Visible column by display position (bands left to right, header rows, then ColIndex).
  TrgTreeListColumn* VisibleColumns(int index) const noexcept;
  const std::vector<TrgColumnLayout>& ColumnLayout() const noexcept { return layout_; }
  // Used by TrgTreeListColumn.
  void AddColumn(TrgTreeListColumn* column);
  void RemoveColumn(TrgTreeListColumn* column);
  void ColumnChanged(TrgTreeListColumn* column, bool layout);
  int ColumnColIndex(const TrgTreeListColumn* column) const;
  // Puts column at position colIndex of band band, header row row (inside one update batch).
  void MoveColumn(TrgTreeListColumn* column, int band, int row, int colIndex);
  void SetColumnSorted(TrgTreeListColumn* column, TrgTreeListColumnSort sort);
  // The focused column becomes column (an index into the column list, -1 for none); fires
  // OnChangeColumn when it changed.
  void SetFocusedColumn(int column);
  // Columns with a sort state, in the order they got it.
  const std::vector<TrgTreeListColumn*>& SortedColumns() const noexcept { return sortedColumns_; }
  // The header cell of a visible column in client coordinates (empty when hidden).
  RECT ColumnHeaderRect(const TrgTreeListColumn* column) const;
  // Fits column to the widest text of its rows and its caption.
  void BestFit(TrgTreeListColumn* column);

  // --- Bands and header layout ----------------------------------------------------------------
  TrgTreeListBands* Bands() const noexcept { return bands_.get(); }
  bool DefaultLayout() const noexcept { return defaultLayout_; }
  // True applies the default layout: one visible band, no band header, one header row, every
  // column in band 0.
  void SetDefaultLayout(bool v);
  int HeaderPanelRowCount() const noexcept { return headerPanelRowCount_; }
  // Clamped to 1 .. HeaderPanelMaxRowCount; above 1 clears DefaultLayout.
  void SetHeaderPanelRowCount(int v);
  int HeaderPanelMaxRowCount() const noexcept { return headerPanelMaxRowCount_; }
  void SetHeaderPanelMaxRowCount(int v);
  int BandMaxRowCount() const noexcept { return bandMaxRowCount_; }
  void SetBandMaxRowCount(int v) noexcept { bandMaxRowCount_ = v; }
  int HeaderMinRowCount() const noexcept { return headerMinRowCount_; }
  void SetHeaderMinRowCount(int v) noexcept { headerMinRowCount_ = v; }
  int BandRowCount() const noexcept { return bandRowCount_; }
  void SetBandRowCount(int v) noexcept { bandRowCount_ = v; }
  void SetShowBands(bool v) override;
  int ContentWidth() const override { return contentWidth_; }
  // Width of a visible band as laid out (0 for a hidden one).
  int BandWidth(int band) const noexcept;

  // Classifies a client point.
  TrgHitInfo HitTest(int x, int y);
  // Copies the captions and the focused row's texts of the visible columns as text.
  void CopyToClipboard();

  TrgColumnEvent OnColumnClick;          // published
  TrgColumnAllowEvent OnColumnSorting;   // published: may refuse a header-click sort
  TrgColumnAllowEvent OnDragEndHeader;   // published: may refuse a header drop
  TrgColumnEvent OnHeaderMoved;          // published
  TNotifyEvent OnChangedColumnsWidth;    // published
  TrgChangeColumnEvent OnChangeColumn;   // published

protected:
  void Loaded() override;
  void BeforeDestruction() override;
  void WndProc(TMessage& message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void DblClick() override {}  // double clicks are told by MouseDown
  void GridKeyDown(unsigned short& key, TShiftState shift) override;
  void CancelGesture() override;

  // Header-click sorting is in effect (rgoAutoSort; the database layer also asks for all records).
  virtual bool HeaderSortingEffective() const;
  // Re-sorts the rows by column (the database layer sorts its rows).
  virtual void SortByColumn(TrgTreeListColumn* column) {}
  // The column list or a column's binding changed (the database layer re-resolves fields).
  virtual void ColumnsChanged() {}
  // A header click (after OnColumnClick): sorting by the column.
  virtual void HeaderClick(TrgTreeListColumn* column);

  int ColumnFontsRowHeight(HDC dc) override;
  int HeaderLineCount() const override;
  int HeaderRowCount() const override { return headerPanelRowCount_; }
  void ColumnLeftEdges(std::vector<int>& edges) const override;
  void RebuildColumnLayout() override;
  void PaintHeader(TrgPaintContext& ctx, const RECT& strip) override;
  void PaintBands(TrgPaintContext& ctx, const RECT& strip) override;
  void PaintRowCells(TrgPaintContext& ctx, TrgTreeListNode* node, const RECT& rowRect, bool selected) override;

  // Clear-sort (Ctrl) and multi-sort (Shift, with rgoMultiSort) while a header click is handled.
  bool ClearSortRequested() const noexcept { return clearSort_; }
  bool MultiSortInProgress() const noexcept { return multiSort_; }

private:
  // Draws one header cell at r on dc (the off-screen bitmap or the window).
  void ComposeHeaderCell(HDC dc, const RECT& r, const TrgColumnLayout& cell, bool pressed, TrgPaintContext& ctx);
  void ApplyDefaultLayout();
  void InvalidateHeaderCell(const TrgTreeListColumn* column);
  const TrgColumnLayout* LayoutOf(const TrgTreeListColumn* column) const noexcept;
  bool ColumnSizable(const TrgTreeListColumn* column) const;
  bool ColumnMovable(const TrgTreeListColumn* column) const;
  // Client x of a layout entry's left edge.
  int ClientLeft(const TrgColumnLayout& cell) const;
  int SizingLimit(int x) const;
  void DrawSizingLine(int x);
  // Drop position of a dragged header: band, row, ColIndex to insert at and the boundary's client
  // x; false when the point is outside the header strip.
  struct DropTarget {
    int band = 0, row = 0, colIndex = 0, boundary = 0;
  };
  bool FindDropTarget(int x, int y, DropTarget& target) const;
  bool DropMovesColumn(const TrgTreeListColumn* column, const DropTarget& target) const;
  void UpdateDrag(int x, int y);
  void EndDrag();
  void UpdateDragScroll(int x);

  std::vector<TrgTreeListColumn*> columns_;        // column list (display order within band rows)
  std::vector<TrgColumnLayout> layout_;            // visible columns as laid out, display order
  std::vector<int> bandLefts_, bandWidths_;        // per band index: left edge and width (0: hidden)
  int contentWidth_ = 0;                           // bands together
  std::vector<TrgTreeListColumn*> sortedColumns_;  // columns with a sort state
  std::unique_ptr<TrgTreeListBands> bands_;        // bands
  bool defaultLayout_ = true;                      // one band, one header row
  bool applyingLayout_ = false;                    // the default layout is being enforced
  int headerPanelRowCount_ = 1;                    // header rows
  int headerPanelMaxRowCount_ = 5;                 // limit of header rows
  int bandMaxRowCount_ = 5;                        // stored only
  int headerMinRowCount_ = 1;                      // stored only
  int bandRowCount_ = 1;                           // stored only
  int nextDataIndex_ = 0;                          // text slot for the next column

  // gesture memory
  POINT pressPoint_{};                             // where the left button went down
  TrgTreeListColumn* pressedColumn_ = nullptr;     // header pressed, dragged or sized
  bool headerShownPressed_ = false;                // the pressed header is drawn pressed
  int sizingStart_ = 0;                            // client x where sizing began
  int sizingLine_ = 0;                             // client x of the drawn sizing line
  bool clearSort_ = false;                         // Ctrl held at a header click
  bool multiSort_ = false;                         // Shift held (with rgoMultiSort)
  std::unique_ptr<TrgHeaderDragFeedback> drag_;    // drag image and drop arrows
  int dragScrollDirection_ = 0;                    // -1 / +1 while the edge-scroll timer runs
  POINT dragPoint_{};                              // last mouse position while dragging
};

}  // namespace bus
