// TCustomrgTreeList: the grid's window over the node model. It owns the focused and top rows, the
// vertical and horizontal scroll positions and the scroll bars, the metrics (text, header and row
// heights) and the regions they give, the flat window border, the paint pass with its rows, grid
// lines, selection colours and focus rectangle, and the keyboard navigation between rows.
//
// What depends on columns (their geometry, the header, the cells, the mouse gestures on headers)
// comes from TCustomrgTreeListControl through the virtual hooks at the end of the class.
//
// Regions of the client area, top to bottom: header strip (HeaderHeight), rows area (the rest).
// Header and rows are drawn shifted left by HorzOffset; whatever lies right of the content width
// or below the last row is empty area, painted in Color.
//
// Not built yet (published and stored, they change nothing): ShowNewItemRow, ShowRowFooter,
// ShowGroupPanel, ShowSummaryFooter, GroupNodeColor, FixedBandLineColor, FixedBandLineWidth,
// RowSeparatorLineWidth, MaxRowLineCount, PreviewLines, IndentDesc, GrIndicatorWidth (there is no
// indicator column), AutoExpandOnSearch, WaitForExpandNodeTime.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Font.h"
#include "grid/Container.h"
#include "grid/GridOptions.h"
#include "grid/NodeTree.h"

namespace bus {

// The interaction state between mouse gestures.
enum class TrgInteractionState { Idle, ColumnSizing, HeaderPressed, HeaderDragging, RowPressed, Editing };

// (Sender, OldNode, Node)
using TrgChangeNodeEvent = TEvent<TObject*, TrgTreeListNode*, TrgTreeListNode*>;
// (Sender, Node)
using TrgNodeEvent = TEvent<TObject*, TrgTreeListNode*>;

// What one paint pass draws with: the device context, the update area and the brushes and colours
// made once for the pass.
struct TrgPaintContext {
  HDC dc = nullptr;
  RECT update{};              // bounds of the area to paint
  bool focused = false;       // the grid has the focus (selection colours)
  COLORREF window = 0;        // Color
  COLORREF windowText = 0;    // Font colour
  COLORREF selection = 0;     // selected cells: highlight or hide-selection colour
  COLORREF selectionText = 0;
  COLORREF header = 0;        // HeaderColor
  COLORREF headerText = 0;    // HeaderFont colour
  COLORREF gridLine = 0;      // grid lines (Color when ShowGrid is off)
  HBRUSH windowBrush = nullptr;
  HBRUSH headerBrush = nullptr;
  HBRUSH selectionBrush = nullptr;
  std::vector<POINT>* linePoints = nullptr;  // grid lines collected during the pass, 2 points each
};

class TCustomrgTreeList : public TCustomrgContainer, public TrgNodeTree {
  BUS_CLASS(TCustomrgTreeList)
public:
  explicit TCustomrgTreeList(TComponent* owner);
  ~TCustomrgTreeList() override;

  // --- Option sets (the flag words of the tree-list layer) ---------------------------------------
  TrgDBGridOptionView OptionsView() const noexcept { return optionsView_; }
  // A set holding rgoInvertSelect and rgoRowSelect keeps only rgoInvertSelect.
  void SetOptionsView(TrgDBGridOptionView v);
  TrgDBGridOptionBehavior OptionsBehavior() const noexcept { return optionsBehavior_; }
  void SetOptionsBehavior(TrgDBGridOptionBehavior v);
  TrgDBGridOptionCustomize OptionsCustomize() const noexcept { return optionsCustomize_; }
  void SetOptionsCustomize(TrgDBGridOptionCustomize v);

  // --- Appearance -----------------------------------------------------------------------------
  TrgLookAndFeel LookAndFeel() const noexcept { return lookAndFeel_; }
  void SetLookAndFeel(TrgLookAndFeel v);
  TrgBorderStyle BorderStyle() const noexcept { return borderStyle_; }
  void SetBorderStyle(TrgBorderStyle v);
  TrgScrollBars ScrollBars() const noexcept { return scrollBars_; }
  void SetScrollBars(TrgScrollBars v);
  bool ShowHeader() const noexcept { return showHeader_; }
  void SetShowHeader(bool v);
  bool ShowGrid() const noexcept { return showGrid_; }
  void SetShowGrid(bool v);
  bool ShowPreviewGrid() const noexcept { return showPreviewGrid_; }
  void SetShowPreviewGrid(bool v);
  bool ShowBands() const noexcept { return showBands_; }
  virtual void SetShowBands(bool v);
  bool ShowNewItemRow() const noexcept { return showNewItemRow_; }
  void SetShowNewItemRow(bool v) noexcept { showNewItemRow_ = v; }
  bool ShowRowFooter() const noexcept { return showRowFooter_; }
  void SetShowRowFooter(bool v) noexcept { showRowFooter_ = v; }
  bool ShowGroupPanel() const noexcept { return showGroupPanel_; }
  void SetShowGroupPanel(bool v) noexcept { showGroupPanel_ = v; }
  bool ShowSummaryFooter() const noexcept { return showSummaryFooter_; }
  void SetShowSummaryFooter(bool v) noexcept { showSummaryFooter_ = v; }

  TColor HeaderColor() const noexcept { return headerColor_; }
  void SetHeaderColor(TColor c) { SetColorValue(headerColor_, c); }
  TColor BandColor() const noexcept { return bandColor_; }
  void SetBandColor(TColor c) { SetColorValue(bandColor_, c); }
  TColor GroupNodeColor() const noexcept { return groupNodeColor_; }
  void SetGroupNodeColor(TColor c) { SetColorValue(groupNodeColor_, c); }
  // clNone: derived when painted (clBtnFace, or clBtnShadow when the button face is pure black or
  // pure white).
  TColor GridLineColor() const noexcept { return gridLineColor_; }
  void SetGridLineColor(TColor c) { SetColorValue(gridLineColor_, c); }
  TColor HighlightColor() const noexcept { return highlightColor_; }
  void SetHighlightColor(TColor c) { SetColorValue(highlightColor_, c); }
  TColor HighlightTextColor() const noexcept { return highlightTextColor_; }
  void SetHighlightTextColor(TColor c) { SetColorValue(highlightTextColor_, c); }
  TColor HideSelectionColor() const noexcept { return hideSelectionColor_; }
  void SetHideSelectionColor(TColor c) { SetColorValue(hideSelectionColor_, c); }
  TColor HideSelectionTextColor() const noexcept { return hideSelectionTextColor_; }
  void SetHideSelectionTextColor(TColor c) { SetColorValue(hideSelectionTextColor_, c); }
  TColor FixedBandLineColor() const noexcept { return fixedBandLineColor_; }
  void SetFixedBandLineColor(TColor c) { SetColorValue(fixedBandLineColor_, c); }
  int FixedBandLineWidth() const noexcept { return fixedBandLineWidth_; }
  void SetFixedBandLineWidth(int v) noexcept { fixedBandLineWidth_ = v; }
  int RowSeparatorLineWidth() const noexcept { return rowSeparatorLineWidth_; }
  void SetRowSeparatorLineWidth(int v) noexcept { rowSeparatorLineWidth_ = v; }
  // Colour of the drop arrows shown while a header is dragged.
  TColor ArrowsColor() const noexcept { return arrowsColor_; }
  void SetArrowsColor(TColor c) noexcept { arrowsColor_ = c; }
  bool HideSelection() const noexcept { return hideSelection_; }
  void SetHideSelection(bool v);
  bool HideFocusRect() const noexcept { return hideFocusRect_; }
  void SetHideFocusRect(bool v);

  // The header's font; it follows the control's Font until it is changed itself.
  TFont* HeaderFont() const noexcept { return headerFont_.get(); }
  TFont* BandFont() const noexcept { return bandFont_.get(); }

  // Row height in pixels; setting a value at or below the minimum row height unsets it.
  int DefaultRowHeight() const noexcept { return rowHeight_; }
  void SetDefaultRowHeight(int v);
  int MaxRowLineCount() const noexcept { return maxRowLineCount_; }
  void SetMaxRowLineCount(int v) noexcept { maxRowLineCount_ = v; }
  int PreviewLines() const noexcept { return previewLines_; }
  void SetPreviewLines(int v) noexcept { previewLines_ = v; }
  int IndentDesc() const noexcept { return indentDesc_; }
  void SetIndentDesc(int v) noexcept { indentDesc_ = v; }
  int GrIndicatorWidth() const noexcept { return grIndicatorWidth_; }
  void SetGrIndicatorWidth(int v) noexcept { grIndicatorWidth_ = v; }
  bool DblClkExpanding() const noexcept { return dblClkExpanding_; }
  void SetDblClkExpanding(bool v) noexcept { dblClkExpanding_ = v; }
  bool AutoExpandOnSearch() const noexcept { return autoExpandOnSearch_; }
  void SetAutoExpandOnSearch(bool v) noexcept { autoExpandOnSearch_ = v; }
  int WaitForExpandNodeTime() const noexcept { return waitForExpandNodeTime_; }
  void SetWaitForExpandNodeTime(int v) noexcept { waitForExpandNodeTime_ = v; }

  // --- Metrics and regions --------------------------------------------------------------------
  bool Flat() const noexcept { return lookAndFeel_ != TrgLookAndFeel::lfStandard; }
  int TextHeight() const noexcept { return textHeight_; }
  int HeaderRowHeight() const noexcept { return headerRowHeight_; }
  int HeaderHeight() const noexcept;
  // Height of the band header strip (0 while ShowBands is False).
  int BandHeight() const noexcept { return showBands_ ? headerRowHeight_ : 0; }
  int MinRowHeight() const noexcept { return minRowHeight_; }
  int RowHeight() const noexcept { return rowHeight_; }
  // Width of "0" in the grid's font.
  int LineStep() const noexcept { return lineStep_; }
  RECT HeaderRect() const;
  RECT RowsRect() const;
  // Width of the header and rows content (the bands together).
  virtual int ContentWidth() const { return 0; }

  // --- Rows, focus and scrolling --------------------------------------------------------------
  // Display position of the top row (0 without nodes).
  int TopIndex();
  // Scrolls so that row index is the top row (see the vertical scrolling rules).
  void SetTopIndex(int index) override;
  // Fully visible rows, at least 1.
  int VisibleRowCount() override;
  int HorzOffset() const noexcept { return horzOffset_; }
  void SetHorzOffset(int offset);
  int MaxHorzOffset() const;
  // A focus change made by code: moves the dataset, focuses and shows the node.
  void SetFocusedNode(TrgTreeListNode* node);
  // Focuses the row at display position index (clamped), as the keys do.
  void FocusRow(int index);
  // The grid has the focus: the focused window is the grid or a child of it, or an editor is open.
  bool GridHasFocus() const;
  TrgInteractionState State() const noexcept { return state_; }
  // The rectangle of the row at display position index in client coordinates (it may lie outside
  // the client area); empty for a row that is not in the window.
  RECT RowRect(int index);
  // Row at client y, or -1.
  int RowAt(int y);
  // Repaints one row.
  void InvalidateRow(TrgTreeListNode* node);
  // Updates both scroll bars now (twice: showing one changes the other's page). Changes made by
  // the grid itself update them once the message being handled is done, so that a dataset closed
  // and opened again in one handler does not hide and show them in between.
  void UpdateScrollBars();

  TrgChangeNodeEvent OnChangeNode;  // published: the focused node changed (old, new)
  TNotifyEvent OnChangeNodeEx;      // published: after the focus followed the dataset
  TrgNodeEvent OnDeletion;          // published: a node is being destroyed

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Loaded() override;
  void WndProc(TMessage& message) override;
  void PaintWindow(HDC dc) override;
  void KeyDown(unsigned short& key, TShiftState shift) override;
  // '+' expands the focused node, '-' collapses it, '*' expands it with all its descendants.
  void KeyPress(wchar_t& key) override;
  void FontChanged() override;
  void ColorChanged() override;
  void BeforeDestruction() override;

  // The key handling after OnKeyDown; layers above handle their keys first and call the base.
  virtual void GridKeyDown(unsigned short& key, TShiftState shift);
  // The focus change: editor closed, dataset moved (FocusChanging), node focused, rows repainted,
  // node shown, OnChangeNode. Abandoned when FocusChanging fails or replaced the nodes.
  void ChangeFocus(TrgTreeListNode* node, bool makeVisible);
  // Step 2 of a focus change (the database layer moves its dataset); the base does nothing.
  virtual void FocusChanging(TrgTreeListNode* node) {}
  // The focused node changed (OnChangeNode has fired); the base does nothing.
  virtual void FocusChanged(TrgTreeListNode* oldNode, TrgTreeListNode* node) {}
  // The keyboard focus arrives or leaves.
  virtual void GridEntered();
  virtual void GridLeft();
  void SetState(TrgInteractionState state) noexcept { state_ = state; }
  // Ends a gesture in progress without applying it.
  virtual void CancelGesture() { state_ = TrgInteractionState::Idle; }

  // Metrics: recomputed on font and option changes and at the end of every update batch.
  void RecalcMetrics();
  // The largest row height the columns' own fonts need ("Wg" height + 3), 0 without such fonts.
  virtual int ColumnFontsRowHeight(HDC dc) { return 0; }
  // The largest header line count of the visible columns.
  virtual int HeaderLineCount() const { return 1; }
  // Header rows in the header strip (HeaderPanelRowCount).
  virtual int HeaderRowCount() const { return 1; }
  // Left edges of the visible columns of the first header row, ascending, in content coordinates.
  virtual void ColumnLeftEdges(std::vector<int>& edges) const { edges.clear(); }
  // Rebuilds the column geometry (the column layer); called by LayoutChanged.
  virtual void RebuildColumnLayout() {}

  // Painting hooks: the header strip (clipped to it), and the cells of one row. rowRect spans the
  // row from the content's left edge (shifted by HorzOffset) to its right end; the cells collect
  // their right grid lines into ctx.linePoints.
  virtual void PaintHeader(TrgPaintContext& ctx, const RECT& strip) {}
  virtual void PaintBands(TrgPaintContext& ctx, const RECT& strip);
  virtual void PaintRowCells(TrgPaintContext& ctx, TrgTreeListNode* node, const RECT& rowRect, bool selected) {}
  // Draws the focus rectangle of the focused row (dotted with the focus, inverted frame without).
  void DrawFocusFrame(TrgPaintContext& ctx, const RECT& rowRect);
  // Colour of the grid lines as painted.
  COLORREF GridLinePaintColor() const;

  // Horizontal scroll requests by whole columns (line and thumb requests).
  void ScrollHorizontally(int request, int trackPosition);

  // Model hooks.
  void DoDeletion(TrgTreeListNode* node) override;
  void ExpansionChanged(TrgTreeListNode* node) override;
  void NodesChanged() override;
  void ResetScrollState() override;
  void DisplayedNodeRemoved() override;
  void UpdateStarted() override;
  void LayoutChanged() override;
  void FocusNodeByCode(TrgTreeListNode* node) override { SetFocusedNode(node); }

  // A UTF-16 copy of text in a buffer kept by the grid (no allocation once it is large enough).
  const std::wstring& Wide(std::string_view text);
  // Measures the height of "Wg" and the width of "0" in font.
  static SIZE MeasureFont(HDC dc, const TFont& font, int& zeroWidth);

private:
  void SetColorValue(TColor& field, TColor c);
  // Posts one scroll bar update (see UpdateScrollBars). A grid not on screen updates its bars at
  // once: nothing is drawn then, whereas a bar that appears on a visible grid redraws its frame
  // (slow with themed bars) and the next paint draws it all again.
  void RequestScrollBarUpdate();
  void VerticalScrollRequest(int request);
  void MouseWheel(int delta);
  void ApplyBorderStyles();
  void PaintBorder();
  void ScrollRows(int oldTop, int newTop);
  bool TakeFocusForScrollBar();
  void ClampTopRow();

  TrgDBGridOptionView optionsView_ = kDefaultOptionsView;                  // OptionsView
  TrgDBGridOptionBehavior optionsBehavior_ = kDefaultOptionsBehavior;      // OptionsBehavior
  TrgDBGridOptionCustomize optionsCustomize_ = kDefaultOptionsCustomize;   // OptionsCustomize
  TrgLookAndFeel lookAndFeel_ = TrgLookAndFeel::lfStandard;  // border and header look
  TrgBorderStyle borderStyle_ = TrgBorderStyle::bsSingle;    // window border
  TrgScrollBars scrollBars_ = TrgScrollBars::ssBoth;         // which bars may show
  bool showHeader_ = true;            // column header strip
  bool showGrid_ = true;              // grid lines
  bool showPreviewGrid_ = true;       // line under preview rows (adds a pixel to the row height)
  bool showBands_ = false;            // band header strip
  bool showNewItemRow_ = false;       // stored only
  bool showRowFooter_ = false;        // stored only
  bool showGroupPanel_ = false;       // stored only
  bool showSummaryFooter_ = false;    // stored only
  TColor headerColor_ = clBtnFace;    // header background
  TColor bandColor_ = clBtnFace;      // band header background
  TColor groupNodeColor_ = clBtnFace;  // group rows (not used)
  TColor gridLineColor_ = clNone;     // grid lines; clNone: derived
  TColor highlightColor_ = clHighlight;          // selection with the focus
  TColor highlightTextColor_ = clHighlightText;
  TColor hideSelectionColor_ = clHighlight;      // selection without the focus
  TColor hideSelectionTextColor_ = clHighlightText;
  TColor fixedBandLineColor_ = clWindowFrame;    // line beside fixed bands (not used)
  TColor arrowsColor_ = clLime;                  // drop arrows of a header drag
  int fixedBandLineWidth_ = 2;        // stored only
  int rowSeparatorLineWidth_ = 1;     // stored only
  bool hideSelection_ = false;        // selection painted unselected without the focus
  bool hideFocusRect_ = false;        // no focus frame without the focus
  std::unique_ptr<TFont> headerFont_;  // column header font
  std::unique_ptr<TFont> bandFont_;    // band header font
  bool headerFontAssigned_ = false;    // HeaderFont was changed itself (stops following Font)
  bool copyingFont_ = false;           // the grid copies Font into HeaderFont
  int defaultRowHeight_ = 0;          // DefaultRowHeight as set; 0: unset
  int maxRowLineCount_ = -1;          // stored only
  int previewLines_ = 2;              // stored only
  int indentDesc_ = 20;               // stored only
  int grIndicatorWidth_ = 12;         // stored only (no indicator column)
  bool dblClkExpanding_ = true;       // double click toggles a parent node
  bool autoExpandOnSearch_ = true;    // stored only
  int waitForExpandNodeTime_ = 500;   // stored only

  int textHeight_ = 13;               // "Wg" in Font
  int headerRowHeight_ = 18;          // one header row
  int minRowHeight_ = 17;             // smallest row height the fonts allow
  int rowHeight_ = 17;                // row height in use
  int lineStep_ = 8;                  // width of "0" in Font
  int horzOffset_ = 0;                // horizontal scroll offset, pixels
  TrgInteractionState state_ = TrgInteractionState::Idle;  // gesture in progress
  int wheelDelta_ = 0;                // wheel movement not yet turned into notches
  SCROLLINFO sentV_{};                // vertical bar values last sent
  SCROLLINFO sentH_{};                // horizontal bar values last sent
  bool sentVValid_ = false, sentHValid_ = false;  // sentV_/sentH_ hold values
  std::vector<POINT> linePoints_;     // grid lines of a paint pass (kept between passes)
  std::vector<DWORD> lineCounts_;     // points per line (all 2)
  std::wstring wide_;                 // text conversion buffer
  bool updatingBars_ = false;         // UpdateScrollBars is running (its WM_SIZE must not recurse)
  bool barsPending_ = false;          // a scroll bar update is posted
};

}  // namespace bus
