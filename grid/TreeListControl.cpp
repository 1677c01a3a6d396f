#include "grid/TreeListControl.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "core/ScopeExit.h"
#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/GdiHandles.h"
#include "grid/HeaderDragFeedback.h"
#include "grid/TreeListError.h"
#include "grid/TreeListTextNode.h"

namespace bus {

namespace {

constexpr UINT_PTR kDragScrollTimer = 0x7267;  // the header-drag edge-scroll timer
constexpr int kDragThreshold = 5;              // pixels a pressed header moves before it drags
constexpr int kSizingZone = 4;                 // pixels each side of a header border
constexpr int kDragScrollZone = 12;            // pixels inside either end of the header strip
constexpr int kDragScrollStep = 32;            // pixels per timer tick

// Draws the sort arrow centred in field: an outlined triangle, up for csUp, down for csDown.
void DrawSortArrow(HDC dc, const RECT& field, TrgTreeListColumnSort sort) {
  const int cx = (field.left + field.right) / 2, cy = (field.top + field.bottom) / 2;
  const int left = cx - 4, top = cy - 3, bottom = cy + 4;
  GdiObject<HPEN> shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
  GdiObject<HPEN> light(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
  auto line = [dc](HPEN pen, int x0, int y0, int x1, int y1) {
    DcSelection select(dc, pen);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
  };
  if (sort == TrgTreeListColumnSort::csUp) {
    // apex at (left + 3, top): left side in shadow (twice), bottom and right side in highlight
    line(shadow.Get(), left + 3, top, left, bottom);
    line(shadow.Get(), left + 3, top + 1, left + 1, bottom);
    line(light.Get(), left, bottom, left + 7, bottom);
    line(light.Get(), left + 4, top, left + 7, bottom);
  } else if (sort == TrgTreeListColumnSort::csDown) {
    // apex at (left + 3, bottom): top side and left side in shadow, right side in highlight
    line(shadow.Get(), left + 7, top, left - 1, top);
    line(shadow.Get(), left, top, left + 3, bottom);
    line(shadow.Get(), left + 1, top, left + 3, bottom - 1);
    line(light.Get(), left + 6, top + 1, left + 3, bottom + 1);
  }
}

}  // namespace

const TClassInfo& TCustomrgTreeListControl::StaticClassInfo() {
  static const TClassInfo info{"TCustomrgTreeListControl", &TCustomrgTreeList::StaticClassInfo(), {}, {}};
  return info;
}

TCustomrgTreeListControl::TCustomrgTreeListControl(TComponent* owner)
    : TCustomrgTreeList(owner), bands_(std::make_unique<TrgTreeListBands>()) {
  clickOnMouseUp_ = false;  // OnClick fires for a row press only (MouseUp)
  bands_->Add();
  bands_->OnUpdate = [this](TCollectionItem*) {
    if (applyingLayout_ || Loading()) return;
    if (defaultLayout_ && bands_->Count() != 1) defaultLayout_ = false;
    if (!Updating()) LayoutChanged();
  };
}

TCustomrgTreeListControl::~TCustomrgTreeListControl() {
  for (TrgTreeListColumn* c : columns_) {
    c->grid_ = nullptr;
    c->dataIndex_ = -1;
  }
}

void TCustomrgTreeListControl::BeforeDestruction() {
  CancelGesture();
  TCustomrgTreeList::BeforeDestruction();
}

void TCustomrgTreeListControl::Loaded() {
  if (defaultLayout_ && bands_->Count() != 1) defaultLayout_ = false;
  sortedColumns_.clear();
  for (TrgTreeListColumn* c : columns_)
    if (c->sorted_ != TrgTreeListColumnSort::csNone) sortedColumns_.push_back(c);
  TCustomrgTreeList::Loaded();
}

// --- columns --------------------------------------------------------------------------------------

TrgTreeListColumn* TCustomrgTreeListControl::Columns(int index) const {
  if (index < 0 || index >= ColumnCount())
    throw EInvalidrgTreeListOperation("column index " + std::to_string(index) + " out of range");
  return columns_[std::size_t(index)];
}

int TCustomrgTreeListControl::ColumnIndexOf(const TrgTreeListColumn* column) const noexcept {
  auto it = std::find(columns_.begin(), columns_.end(), column);
  return it == columns_.end() ? -1 : int(it - columns_.begin());
}

TrgTreeListColumn* TCustomrgTreeListControl::ColumnByDataIndex(int dataIndex) const noexcept {
  for (TrgTreeListColumn* c : columns_)
    if (c->dataIndex_ == dataIndex) return c;
  return nullptr;
}

TrgTreeListColumn* TCustomrgTreeListControl::VisibleColumns(int index) const noexcept {
  return index >= 0 && index < VisibleColumnCount() ? layout_[std::size_t(index)].column : nullptr;
}

void TCustomrgTreeListControl::AddColumn(TrgTreeListColumn* column) {
  // the lowest text slot no column uses
  int slot = 0;
  while (ColumnByDataIndex(slot)) ++slot;
  columns_.push_back(column);
  column->grid_ = this;
  column->dataIndex_ = slot;
  if (Loading()) return;
  ColumnsChanged();
  if (!Updating()) LayoutChanged();
}

void TCustomrgTreeListControl::RemoveColumn(TrgTreeListColumn* column) {
  auto it = std::find(columns_.begin(), columns_.end(), column);
  if (it == columns_.end()) return;
  if (pressedColumn_ == column) CancelGesture();
  columns_.erase(it);
  std::erase(sortedColumns_, column);
  column->grid_ = nullptr;
  column->dataIndex_ = -1;
  if (Destroying() || Loading()) return;
  ColumnsChanged();
  if (!Updating()) LayoutChanged();
}

void TCustomrgTreeListControl::ColumnChanged(TrgTreeListColumn* column, bool layout) {
  if (Loading() || Destroying()) return;
  if (!layout) {
    Invalidate();
    return;
  }
  if (!Updating()) LayoutChanged();
}

void TCustomrgTreeListControl::SetFocusedColumn(int column) {
  if (column == FocusedColumn()) return;
  SetFocusedColumnRaw(column);
  OnChangeColumn(this, FocusedNode(), column);
}

int TCustomrgTreeListControl::ColumnColIndex(const TrgTreeListColumn* column) const {
  if (ColumnIndexOf(column) < 0) return -1;
  const int band = column->BandIndex(), row = column->RowIndex();
  int position = 0;
  for (TrgTreeListColumn* c : columns_) {
    if (c == column) return position;
    if (c->Visible() && c->BandIndex() == band && c->RowIndex() == row) ++position;
  }
  return -1;
}

void TCustomrgTreeListControl::MoveColumn(TrgTreeListColumn* column, int band, int row, int colIndex) {
  auto it = std::find(columns_.begin(), columns_.end(), column);
  if (it == columns_.end()) return;
  BeginUpdate();
  columns_.erase(it);
  column->bandIndex_ = band;
  column->rowIndex_ = std::max(row, 0);
  std::vector<std::size_t> peers;  // positions of the visible columns of that band row
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    TrgTreeListColumn* c = columns_[i];
    if (c->Visible() && c->BandIndex() == band && c->RowIndex() == column->RowIndex()) peers.push_back(i);
  }
  std::size_t at = columns_.size();
  if (colIndex >= 0 && std::size_t(colIndex) < peers.size()) at = peers[std::size_t(colIndex)];
  else if (!peers.empty()) at = peers.back() + 1;
  columns_.insert(columns_.begin() + std::ptrdiff_t(at), column);
  EndUpdate();
}

// --- sorting --------------------------------------------------------------------------------------

bool TCustomrgTreeListControl::HeaderSortingEffective() const { return OptionsBehavior().Contains(rgoAutoSort); }

void TCustomrgTreeListControl::SetColumnSorted(TrgTreeListColumn* column, TrgTreeListColumnSort sort) {
  if (sort == TrgTreeListColumnSort::csNone) {
    column->sorted_ = sort;
    std::erase(sortedColumns_, column);
    InvalidateHeaderCell(column);
    return;
  }
  const bool effective = HeaderSortingEffective();
  if (effective && !multiSort_) {
    for (TrgTreeListColumn* other : std::vector<TrgTreeListColumn*>(sortedColumns_)) {
      if (other == column) continue;
      other->sorted_ = TrgTreeListColumnSort::csNone;
      std::erase(sortedColumns_, other);
      InvalidateHeaderCell(other);
    }
  }
  column->sorted_ = sort;
  if (std::find(sortedColumns_.begin(), sortedColumns_.end(), column) == sortedColumns_.end())
    sortedColumns_.push_back(column);
  InvalidateHeaderCell(column);
  if (effective) SortByColumn(column);
}

void TCustomrgTreeListControl::HeaderClick(TrgTreeListColumn* column) {
  if (!HeaderSortingEffective()) return;
  bool allow = true;
  OnColumnSorting(this, column, allow);
  if (!allow) return;
  TrgTreeListColumnSort next = TrgTreeListColumnSort::csUp;
  if (clearSort_) next = TrgTreeListColumnSort::csNone;
  else if (column->Sorted() == TrgTreeListColumnSort::csUp) next = TrgTreeListColumnSort::csDown;
  column->SetSorted(next);
}

// --- bands and layout -----------------------------------------------------------------------------

void TCustomrgTreeListControl::SetDefaultLayout(bool v) {
  if (v == defaultLayout_) return;
  defaultLayout_ = v;
  if (v && !Loading() && !Updating()) LayoutChanged();
}

void TCustomrgTreeListControl::SetHeaderPanelRowCount(int v) {
  v = std::clamp(v, 1, std::max(headerPanelMaxRowCount_, 1));
  if (v > 1 && !applyingLayout_) defaultLayout_ = false;
  if (v == headerPanelRowCount_) return;
  headerPanelRowCount_ = v;
  if (!Loading() && !Updating()) LayoutChanged();
}

void TCustomrgTreeListControl::SetHeaderPanelMaxRowCount(int v) {
  headerPanelMaxRowCount_ = std::max(v, 1);
  if (headerPanelRowCount_ > headerPanelMaxRowCount_) SetHeaderPanelRowCount(headerPanelMaxRowCount_);
}

void TCustomrgTreeListControl::SetShowBands(bool v) {
  if (v && !applyingLayout_) defaultLayout_ = false;
  TCustomrgTreeList::SetShowBands(v);
}

void TCustomrgTreeListControl::ApplyDefaultLayout() {
  applyingLayout_ = true;
  while (bands_->Count() > 1) bands_->Delete(bands_->Count() - 1);
  if (bands_->Count() == 0) bands_->Add();
  bands_->Items(0)->SetVisible(true);
  TCustomrgTreeList::SetShowBands(false);
  headerPanelRowCount_ = 1;
  for (TrgTreeListColumn* c : columns_) c->bandIndex_ = 0;
  applyingLayout_ = false;
}

int TCustomrgTreeListControl::BandWidth(int band) const noexcept {
  return band >= 0 && std::size_t(band) < bandWidths_.size() ? bandWidths_[std::size_t(band)] : 0;
}

void TCustomrgTreeListControl::RebuildColumnLayout() {
  if (defaultLayout_ && !Loading()) ApplyDefaultLayout();
  layout_.clear();
  bandLefts_.assign(std::size_t(bands_->Count()), 0);
  bandWidths_.assign(std::size_t(bands_->Count()), 0);
  int x = 0;
  const int rowCount = headerPanelRowCount_;
  auto rows = std::vector<std::vector<TrgTreeListColumn*>>(std::size_t(rowCount));
  std::vector<int> widths;
  for (int b = 0; b < bands_->Count(); ++b) {
    TrgTreeListBand* band = bands_->Items(b);
    if (!band->Visible()) continue;
    for (auto& r : rows) r.clear();
    for (TrgTreeListColumn* c : columns_)
      if (c->Visible() && c->BandIndex() == b) rows[std::size_t(c->RowIndex())].push_back(c);
    int minimum = band->Sizing() ? band->MinWidth() : band->Width();
    int widest = 0;
    bool any = false;
    for (const auto& r : rows) {
      int sum = 0, minSum = 0;
      for (TrgTreeListColumn* c : r) {
        const int w = c->Width();
        sum += w;
        minSum += c->Sizing() ? c->MinWidth() : w;
      }
      widest = std::max(widest, sum);
      minimum = std::max(minimum, minSum);
      any |= !r.empty();
    }
    int bandWidth = OptionsView().Contains(rgoBandHeaderWidth) && any ? widest : band->Width();
    bandWidth = std::max(bandWidth, minimum);
    for (int r = 0; r < rowCount; ++r) {
      const auto& cols = rows[std::size_t(r)];
      if (cols.empty()) continue;
      widths.clear();
      int sum = 0;
      for (TrgTreeListColumn* c : cols) {
        widths.push_back(c->Width());
        sum += widths.back();
      }
      if (sum != bandWidth && sum > 0) {
        // share the band's width in proportion, minimum widths respected, the last takes the rest
        int used = 0;
        for (std::size_t i = 0; i + 1 < cols.size(); ++i) {
          widths[i] = std::max(cols[i]->MinWidth(), int(std::int64_t(widths[i]) * bandWidth / sum));
          used += widths[i];
        }
        widths.back() = std::max(bandWidth - used, 0);
      }
      int left = x;
      for (std::size_t i = 0; i < cols.size(); ++i) {
        layout_.push_back({cols[i], b, r, left, widths[i], i == 0, i + 1 == cols.size()});
        left += widths[i];
      }
    }
    bandLefts_[std::size_t(b)] = x;
    bandWidths_[std::size_t(b)] = bandWidth;
    x += bandWidth;
  }
  contentWidth_ = x;
  // rows come band by band; show them row by row within each band (already so) and keep the
  // header rows of all bands in one left-to-right order per row
  std::stable_sort(layout_.begin(), layout_.end(),
                   [](const TrgColumnLayout& a, const TrgColumnLayout& b) { return a.row < b.row; });
}

const TrgColumnLayout* TCustomrgTreeListControl::LayoutOf(const TrgTreeListColumn* column) const noexcept {
  for (const TrgColumnLayout& l : layout_)
    if (l.column == column) return &l;
  return nullptr;
}

void TCustomrgTreeListControl::ColumnLeftEdges(std::vector<int>& edges) const {
  edges.clear();
  for (const TrgColumnLayout& l : layout_)
    if (l.row == 0) edges.push_back(l.left);
}

int TCustomrgTreeListControl::ClientLeft(const TrgColumnLayout& cell) const {
  return int(HeaderRect().left) + cell.left - HorzOffset();
}

RECT TCustomrgTreeListControl::ColumnHeaderRect(const TrgTreeListColumn* column) const {
  const TrgColumnLayout* l = LayoutOf(column);
  if (!l) return {};
  const RECT header = HeaderRect();
  const int left = ClientLeft(*l), top = header.top + l->row * HeaderRowHeight();
  return {left, top, left + l->width, top + HeaderRowHeight()};
}

void TCustomrgTreeListControl::InvalidateHeaderCell(const TrgTreeListColumn* column) {
  HWND h = HandleIfAllocated();
  if (!h) return;
  RECT r = ColumnHeaderRect(column);
  if (!IsRectEmpty(&r)) InvalidateRect(h, &r, FALSE);
}

int TCustomrgTreeListControl::HeaderLineCount() const {
  int lines = 1;
  for (TrgTreeListColumn* c : columns_)
    if (c->Visible()) lines = std::max(lines, c->HeaderMaxLineCount());
  return lines;
}

int TCustomrgTreeListControl::ColumnFontsRowHeight(HDC dc) {
  int height = 0;
  for (TrgTreeListColumn* c : columns_) {
    if (!c->Visible() || !c->FontAssigned()) continue;
    int zero = 0;
    height = std::max<int>(height, MeasureFont(dc, c->PaintFont(), zero).cy + 3);
  }
  return height;
}

// --- painting -------------------------------------------------------------------------------------

void TCustomrgTreeListControl::ComposeHeaderCell(HDC dc, const RECT& r, const TrgColumnLayout& cell, bool pressed,
                                                 TrgPaintContext& ctx) {
  TrgTreeListColumn* column = cell.column;
  FillRect(dc, &r, ctx.headerBrush);
  RECT content = r;
  switch (LookAndFeel()) {
    case TrgLookAndFeel::lfStandard: {
      RECT e = r;
      DrawEdge(dc, &e, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM | BF_ADJUST);
      if (!pressed) DrawEdge(dc, &e, BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM | BF_ADJUST);
      DrawEdge(dc, &e, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_LEFT | BF_TOP | BF_ADJUST);
      FillRect(dc, &e, ctx.headerBrush);
      if (pressed) content = {r.left + 3, r.top + 3, r.right, r.bottom};
      else InflateRect(&content, -1, -1);
      break;
    }
    case TrgLookAndFeel::lfFlat:
    case TrgLookAndFeel::lfUltraFlat: {
      if (cell.first && cell.last) {
        RECT e = r;
        DrawEdge(dc, &e, BDR_RAISEDINNER, BF_RECT);
        content = {r.left + 1, r.top, r.right - 1, r.bottom};
      } else {
        RECT e = r;
        DrawEdge(dc, &e, BDR_RAISEDINNER, BF_TOP);
        DrawEdge(dc, &e, BDR_RAISEDINNER, BF_BOTTOM);
        const int leftInset = cell.first ? 1 : 2;
        RECT ls{r.left, r.top + leftInset, r.right, r.bottom - leftInset};
        DrawEdge(dc, &ls, BDR_RAISEDINNER, BF_LEFT);
        RECT rs = cell.last ? RECT{r.left, r.top, r.right, r.bottom - 1} : RECT{r.left, r.top + 2, r.right, r.bottom - 2};
        DrawEdge(dc, &rs, BDR_RAISEDINNER, BF_RIGHT);
        content = {r.left + 2, r.top + 1, r.right - 2, r.bottom - 1};
      }
      InflateRect(&content, -1, -1);
      break;
    }
  }
  content.bottom -= 1;
  if (column->Sorted() != TrgTreeListColumnSort::csNone && content.right - content.left > 15) {
    const RECT field{content.right - 16, content.top, content.right, content.bottom};
    DrawSortArrow(dc, field, column->Sorted());
    content.right -= 16;
  }
  if (TBitmap* glyph = column->HeaderGlyph(); glyph && !glyph->Empty()) {
    MemoryDC mem(dc);
    DcSelection select(mem.Get(), glyph->Handle());
    const int y = content.top + std::max<int>((content.bottom - content.top - glyph->Height()) / 2, 0);
    BitBlt(dc, content.left, y, std::min<int>(glyph->Width(), content.right - content.left), glyph->Height(),
           mem.Get(), 0, 0, SRCCOPY);
    content.left += glyph->Width() + 2;
  }
  if (!column->DisableCaption() && content.right > content.left) {
    const std::wstring caption = Widen(column->Caption());
    UINT align = DT_LEFT;
    if (column->HeaderAlignment() == TAlignment::taRightJustify) align = DT_RIGHT;
    else if (column->HeaderAlignment() == TAlignment::taCenter) align = DT_CENTER;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ctx.headerText);
    UINT flags = DT_EXPANDTABS | DT_NOPREFIX | align;
    if (HeaderLineCount() > 1) {
      flags |= DT_WORDBREAK;
    } else {
      SIZE size{};
      GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &size);
      flags |= DT_SINGLELINE | DT_VCENTER | (size.cx <= content.right - content.left ? DT_NOCLIP : DT_END_ELLIPSIS);
    }
    DrawTextW(dc, caption.c_str(), int(caption.size()), &content, flags);
  }
  if (pressed && Flat()) InvertRect(dc, &r);
}

void TCustomrgTreeListControl::PaintHeader(TrgPaintContext& ctx, const RECT& strip) {
  const int rowHeight = HeaderRowHeight();
  const bool useBitmap = OptionsView().Contains(rgoUseBitmap);
  int widest = 1;
  for (const TrgColumnLayout& l : layout_) widest = std::max(widest, l.width);
  // one off-screen bitmap for the pass: each header is composed on it, then copied in one piece
  MemoryDC mem(ctx.dc);
  GdiObject<HBITMAP> bitmap(useBitmap ? CreateCompatibleBitmap(ctx.dc, widest, std::max(rowHeight, 1)) : nullptr);
  std::optional<DcSelection> bitmapSelection;
  if (useBitmap && bitmap) bitmapSelection.emplace(mem.Get(), bitmap.Get());
  HDC target = useBitmap && bitmap ? mem.Get() : ctx.dc;
  DcSelection font(target, HeaderFont()->Handle());
  for (const TrgColumnLayout& l : layout_) {
    const int left = ClientLeft(l), top = strip.top + l.row * rowHeight;
    const RECT cell{left, top, left + l.width, top + rowHeight};
    if (cell.right <= strip.left || cell.left >= strip.right || !RectVisible(ctx.dc, &cell)) continue;
    const bool pressed = headerShownPressed_ && l.column == pressedColumn_;
    if (target == ctx.dc) {
      ComposeHeaderCell(ctx.dc, cell, l, pressed, ctx);
      continue;
    }
    const RECT local{0, 0, l.width, rowHeight};
    ComposeHeaderCell(mem.Get(), local, l, pressed, ctx);
    BitBlt(ctx.dc, cell.left, cell.top, l.width, rowHeight, mem.Get(), 0, 0, SRCCOPY);
  }
  // the strip right of the last header belongs to the empty area
  const int contentRight = int(strip.left) - HorzOffset() + contentWidth_;
  if (contentRight < strip.right) {
    RECT empty{std::max<LONG>(contentRight, strip.left), strip.top, strip.right, strip.bottom};
    FillRect(ctx.dc, &empty, ctx.windowBrush);
  }
  // header rows a band leaves empty
  for (int r = 0; r < headerPanelRowCount_; ++r) {
    for (int b = 0; b < bands_->Count(); ++b) {
      if (BandWidth(b) == 0) continue;
      const bool filled = std::any_of(layout_.begin(), layout_.end(),
                                      [&](const TrgColumnLayout& l) { return l.band == b && l.row == r; });
      if (filled) continue;
      const int left = int(strip.left) + bandLefts_[std::size_t(b)] - HorzOffset();
      RECT empty{left, strip.top + r * rowHeight, left + BandWidth(b), strip.top + (r + 1) * rowHeight};
      FillRect(ctx.dc, &empty, ctx.headerBrush);
    }
  }
}

void TCustomrgTreeListControl::PaintBands(TrgPaintContext& ctx, const RECT& strip) {
  GdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(BandColor())));
  FillRect(ctx.dc, &strip, brush.Get());
  DcSelection font(ctx.dc, BandFont()->Handle());
  SetBkMode(ctx.dc, TRANSPARENT);
  SetTextColor(ctx.dc, ColorToRGB(BandFont()->Color()));
  for (int b = 0; b < bands_->Count(); ++b) {
    if (BandWidth(b) == 0) continue;
    const int left = int(strip.left) + bandLefts_[std::size_t(b)] - HorzOffset();
    RECT r{left, strip.top, left + BandWidth(b), strip.bottom};
    DrawEdge(ctx.dc, &r, BDR_RAISEDINNER, BF_RECT);
    const std::wstring caption = Widen(bands_->Items(b)->Caption());
    const TAlignment a = bands_->Items(b)->Alignment();
    DrawTextW(ctx.dc, caption.c_str(), int(caption.size()), &r,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                  (a == TAlignment::taCenter ? DT_CENTER : a == TAlignment::taRightJustify ? DT_RIGHT : DT_LEFT));
  }
}

void TCustomrgTreeListControl::PaintRowCells(TrgPaintContext& ctx, TrgTreeListNode* node, const RECT& row,
                                             bool selected) {
  auto* textNode = dynamic_cast<TrgTreeListTextNode*>(node);
  const int gridLine = ShowGrid() ? 1 : 0;
  HFONT currentFont = nullptr;
  COLORREF currentBk = CLR_INVALID, currentText = CLR_INVALID;
  int textHeight = TextHeight();
  for (const TrgColumnLayout& l : layout_) {
    if (l.row != 0) continue;
    const int x0 = row.left + l.left, x1 = x0 + l.width;
    if (x1 <= ctx.update.left || x0 >= ctx.update.right) continue;
    const RECT cell{x0, row.top, x1 - gridLine, row.bottom - gridLine};
    TrgTreeListColumn* column = l.column;
    const TFont& font = column->PaintFont();
    if (font.Handle() != currentFont) {
      currentFont = font.Handle();
      SelectObject(ctx.dc, currentFont);
      if (column->FontAssigned()) {
        int zero = 0;
        textHeight = MeasureFont(ctx.dc, font, zero).cy;
      } else {
        textHeight = TextHeight();
      }
    }
    const COLORREF bk = selected ? ctx.selection : (column->ColorAssigned() ? ColorToRGB(column->Color()) : ctx.window);
    const COLORREF fg = selected ? ctx.selectionText : (column->FontAssigned() ? ColorToRGB(font.Color()) : ctx.windowText);
    if (bk != currentBk) SetBkColor(ctx.dc, currentBk = bk);
    if (fg != currentText) SetTextColor(ctx.dc, currentText = fg);
    const std::string_view text = textNode ? textNode->Strings(column->DataIndex()) : std::string_view();
    const std::wstring& wide = Wide(text);
    RECT textRect = cell;
    InflateRect(&textRect, -2, -2);
    int x = textRect.left;
    const TAlignment align = column->Alignment();
    if (align != TAlignment::taLeftJustify && !wide.empty()) {
      SIZE size{};
      GetTextExtentPoint32W(ctx.dc, wide.c_str(), int(wide.size()), &size);
      if (size.cx <= textRect.right - textRect.left)
        x = align == TAlignment::taCenter ? (textRect.left + textRect.right - size.cx) / 2 : textRect.right - size.cx;
    }
    int y = textRect.top;
    if (column->VertAlignment() == TrgVertAlignment::tlCenter) y = (textRect.top + textRect.bottom - textHeight) / 2;
    else if (column->VertAlignment() == TrgVertAlignment::tlBottom) y = textRect.bottom - textHeight;
    // one clipped call draws the text and fills the whole cell: nothing spills into the next cell
    ExtTextOutW(ctx.dc, x, y, ETO_CLIPPED | ETO_OPAQUE, &cell, wide.c_str(), UINT(wide.size()), nullptr);
    if (gridLine) ctx.linePoints->insert(ctx.linePoints->end(), {POINT{cell.right, row.top}, POINT{cell.right, row.bottom}});
  }
}

// --- hit testing ----------------------------------------------------------------------------------

bool TCustomrgTreeListControl::ColumnSizable(const TrgTreeListColumn* column) const {
  return OptionsCustomize().Contains(rgoColumnSizing) && column->Sizing();
}

bool TCustomrgTreeListControl::ColumnMovable(const TrgTreeListColumn* column) const {
  return OptionsCustomize().Contains(rgoColumnMoving) && !column->DisableDragging();
}

TrgHitInfo TCustomrgTreeListControl::HitTest(int x, int y) {
  TrgHitInfo hit;
  const RECT client = ClientRect();
  if (x < client.left || x >= client.right || y < client.top || y >= client.bottom) return hit;
  if (y < BandHeight()) {
    hit.kind = TrgHitKind::BandHeader;
    return hit;
  }
  const RECT header = HeaderRect();
  if (y >= header.top && y < header.bottom) {
    const int row = (y - header.top) / std::max(HeaderRowHeight(), 1);
    // sizing zones first: they reach into the next header
    for (std::size_t i = 0; i < layout_.size(); ++i) {
      const TrgColumnLayout& l = layout_[i];
      if (l.row != row || !ColumnSizable(l.column)) continue;
      const int right = ClientLeft(l) + l.width;
      const bool nextInRow = i + 1 < layout_.size() && layout_[i + 1].row == row && layout_[i + 1].band == l.band;
      const bool inside = x >= right - kSizingZone && x < right;
      const bool after = x >= right && x < right + kSizingZone && (nextInRow || l.last);
      if (inside || after) {
        hit.kind = TrgHitKind::SizingZone;
        hit.column = l.column;
        return hit;
      }
    }
    for (const TrgColumnLayout& l : layout_) {
      const int left = ClientLeft(l);
      if (l.row == row && x >= left && x < left + l.width) {
        hit.kind = TrgHitKind::Header;
        hit.column = l.column;
        return hit;
      }
    }
    hit.kind = TrgHitKind::Empty;
    return hit;
  }
  const int index = RowAt(y);
  const int contentRight = int(client.left) - HorzOffset() + contentWidth_;
  if (index < 0 || x >= contentRight) {
    hit.kind = TrgHitKind::Empty;
    return hit;
  }
  hit.kind = TrgHitKind::Row;
  hit.node = AbsoluteItems(index);
  for (const TrgColumnLayout& l : layout_) {
    const int left = ClientLeft(l);
    if (l.row == 0 && x >= left && x < left + l.width) hit.column = l.column;
  }
  return hit;
}

// --- mouse ----------------------------------------------------------------------------------------

int TCustomrgTreeListControl::SizingLimit(int x) const {
  const TrgColumnLayout* l = LayoutOf(pressedColumn_);
  if (!l) return x;
  const int low = ClientLeft(*l) + pressedColumn_->MinWidth();
  int high = int(ClientRect().right) - 1;
  if (!(OptionsView().Contains(rgoBandHeaderWidth) && !ShowBands())) {
    if (OptionsCustomize().Contains(rgoFullSizing)) return std::max(x, low);
    high = int(HeaderRect().left) + bandLefts_[std::size_t(l->band)] + BandWidth(l->band) - HorzOffset() - 1;
  }
  return std::clamp(x, low, std::max(low, high));
}

void TCustomrgTreeListControl::DrawSizingLine(int x) {
  HWND h = HandleIfAllocated();
  if (!h) return;
  WindowDC dc(h);
  const int top = HeaderRect().top, bottom = RowsRect().bottom;
  PatBlt(dc.Get(), x, top, 1, bottom - top, DSTINVERT);
}

void TCustomrgTreeListControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomrgTreeList::MouseDown(button, shift, x, y);  // OnMouseDown
  if (!GridHasFocus()) {
    if (CanFocus()) ::SetFocus(Handle());
    if (!GridHasFocus()) {
      if (GetCapture() == HandleIfAllocated()) ReleaseCapture();
      return;
    }
  }
  const TrgHitInfo hit = HitTest(x, y);
  const TrgInteractionState state = State();
  if (button == TMouseButton::mbRight &&
      (state == TrgInteractionState::ColumnSizing || state == TrgInteractionState::HeaderDragging)) {
    CancelGesture();
    return;
  }
  if (state != TrgInteractionState::Idle) return;
  const bool doubleClick = shift.Contains(TShiftStateFlag::ssDouble);
  if (button == TMouseButton::mbLeft) {
    switch (hit.kind) {
      case TrgHitKind::SizingZone:
        if (doubleClick) {
          BestFit(hit.column);
          return;
        }
        pressedColumn_ = hit.column;
        sizingStart_ = sizingLine_ = x;
        SetState(TrgInteractionState::ColumnSizing);
        DrawSizingLine(sizingLine_);
        return;
      case TrgHitKind::Header:
        pressedColumn_ = hit.column;
        pressPoint_ = {x, y};
        headerShownPressed_ = true;
        SetState(TrgInteractionState::HeaderPressed);
        InvalidateHeaderCell(hit.column);
        return;
      case TrgHitKind::Row:
        if (doubleClick && hit.node && !hit.node->HasChildren()) {
          OnDblClick(this);
          return;
        }
        if (doubleClick && hit.node && DblClkExpanding()) {
          hit.node->IsExpanded() ? hit.node->Collapse() : hit.node->Expand();
          if (OptionsBehavior().Contains(rgoDblClick)) OnDblClick(this);
          return;
        }
        SetState(TrgInteractionState::RowPressed);
        {
          ScopeFailure idle([this] { SetState(TrgInteractionState::Idle); });
          ChangeFocus(hit.node, true);
        }
        return;
      default:
        if (doubleClick && OptionsBehavior().Contains(rgoDblClick)) OnDblClick(this);
        return;
    }
  }
  if (button == TMouseButton::mbRight && hit.kind == TrgHitKind::Row) ChangeFocus(hit.node, true);
}

void TCustomrgTreeListControl::MouseMove(TShiftState shift, int x, int y) {
  TCustomrgTreeList::MouseMove(shift, x, y);  // OnMouseMove
  switch (State()) {
    case TrgInteractionState::RowPressed:
      if (!shift.Contains(TShiftStateFlag::ssLeft)) SetState(TrgInteractionState::Idle);
      break;
    case TrgInteractionState::ColumnSizing: {
      const int line = SizingLimit(x);
      if (line != sizingLine_) {
        DrawSizingLine(sizingLine_);
        DrawSizingLine(line);
        sizingLine_ = line;
      }
      break;
    }
    case TrgInteractionState::HeaderPressed: {
      const TrgHitInfo hit = HitTest(x, y);
      const bool over = hit.kind == TrgHitKind::Header && hit.column == pressedColumn_;
      if (over != headerShownPressed_) {
        headerShownPressed_ = over;
        InvalidateHeaderCell(pressedColumn_);
      }
      if ((std::abs(x - pressPoint_.x) > kDragThreshold || std::abs(y - pressPoint_.y) > kDragThreshold) &&
          ColumnMovable(pressedColumn_)) {
        headerShownPressed_ = false;
        const RECT cell = ColumnHeaderRect(pressedColumn_);
        // the drag image: a copy of the header as it is on screen
        HBITMAP image = nullptr;
        {
          WindowDC dc(Handle());
          MemoryDC mem(dc.Get());
          image = CreateCompatibleBitmap(dc.Get(), std::max<int>(cell.right - cell.left, 1),
                                         std::max<int>(cell.bottom - cell.top, 1));
          DcSelection select(mem.Get(), image);
          BitBlt(mem.Get(), 0, 0, cell.right - cell.left, cell.bottom - cell.top, dc.Get(), cell.left, cell.top,
                 SRCCOPY);
        }
        drag_ = std::make_unique<TrgHeaderDragFeedback>(
            image, SIZE{cell.right - cell.left, cell.bottom - cell.top},
            POINT{pressPoint_.x - cell.left, pressPoint_.y - cell.top}, ColorToRGB(ArrowsColor()));
        SetState(TrgInteractionState::HeaderDragging);
        InvalidateHeaderCell(pressedColumn_);
        InvalidateRow(FocusedNode());
        UpdateDrag(x, y);
      }
      break;
    }
    case TrgInteractionState::HeaderDragging:
      UpdateDrag(x, y);
      break;
    default:
      break;
  }
}

void TCustomrgTreeListControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomrgTreeList::MouseUp(button, shift, x, y);  // OnMouseUp
  if (button != TMouseButton::mbLeft) return;
  switch (State()) {
    case TrgInteractionState::ColumnSizing: {
      DrawSizingLine(sizingLine_);
      const int line = SizingLimit(x);
      TrgTreeListColumn* column = std::exchange(pressedColumn_, nullptr);
      SetState(TrgInteractionState::Idle);
      const TrgColumnLayout* l = LayoutOf(column);
      if (l && line != sizingStart_) {
        column->SetWidth(line - ClientLeft(*l) + 1);
        OnChangedColumnsWidth(this);
      }
      break;
    }
    case TrgInteractionState::HeaderPressed: {
      TrgTreeListColumn* column = std::exchange(pressedColumn_, nullptr);
      headerShownPressed_ = false;
      SetState(TrgInteractionState::Idle);
      InvalidateHeaderCell(column);
      const TrgHitInfo hit = HitTest(x, y);
      if (hit.kind == TrgHitKind::Header && hit.column == column) {
        clearSort_ = shift.Contains(TShiftStateFlag::ssCtrl);
        multiSort_ = shift.Contains(TShiftStateFlag::ssShift) && OptionsBehavior().Contains(rgoMultiSort);
        ScopeExit clicked([this] { clearSort_ = multiSort_ = false; });
        OnColumnClick(this, column);
        HeaderClick(column);
      }
      break;
    }
    case TrgInteractionState::HeaderDragging: {
      TrgTreeListColumn* column = pressedColumn_;
      EndDrag();
      pressedColumn_ = nullptr;
      SetState(TrgInteractionState::Idle);
      InvalidateRow(FocusedNode());
      DropTarget target;
      if (!column || !FindDropTarget(x, y, target)) break;
      bool accept = true;
      OnDragEndHeader(this, column, accept);
      if (!accept || !DropMovesColumn(column, target)) break;
      const int own = ColumnColIndex(column);
      const bool sameRow = target.band == column->BandIndex() && target.row == column->RowIndex();
      MoveColumn(column, target.band, target.row, sameRow && target.colIndex > own ? target.colIndex - 1 : target.colIndex);
      SetFocusedColumn(column->Index());
      OnHeaderMoved(this, column);
      break;
    }
    case TrgInteractionState::RowPressed:
      SetState(TrgInteractionState::Idle);
      Click();
      break;
    default:
      break;
  }
}

bool TCustomrgTreeListControl::FindDropTarget(int x, int y, DropTarget& target) const {
  const RECT header = HeaderRect();
  if (y < header.top || y >= header.bottom || layout_.empty()) return false;
  const int row = (y - header.top) / std::max(HeaderRowHeight(), 1);
  const TrgColumnLayout* first = nullptr;
  const TrgColumnLayout* last = nullptr;
  for (const TrgColumnLayout& l : layout_) {
    if (l.row != row) continue;
    if (!first) first = &l;
    last = &l;
    const int left = ClientLeft(l), right = left + l.width;
    if (x >= left && x < right) {
      const bool before = x <= left + l.width / 2;
      target = {l.band, row, ColumnColIndex(l.column) + (before ? 0 : 1), before ? left : right};
      return true;
    }
  }
  if (!first) return false;
  if (x < ClientLeft(*first)) {
    target = {first->band, row, 0, ClientLeft(*first)};
  } else {
    target = {last->band, row, ColumnColIndex(last->column) + 1, ClientLeft(*last) + last->width};
  }
  return true;
}

bool TCustomrgTreeListControl::DropMovesColumn(const TrgTreeListColumn* column, const DropTarget& target) const {
  if (!column) return false;
  if (target.band != column->BandIndex() || target.row != column->RowIndex()) return true;
  const int own = ColumnColIndex(column);
  return target.colIndex != own && target.colIndex != own + 1;
}

void TCustomrgTreeListControl::UpdateDrag(int x, int y) {
  if (!drag_) return;
  dragPoint_ = {x, y};
  drag_->MoveImage(ClientToScreen(POINT{x, y}));
  DropTarget target;
  if (FindDropTarget(x, y, target) && DropMovesColumn(pressedColumn_, target)) {
    const RECT header = HeaderRect();
    const POINT top = ClientToScreen(POINT{target.boundary, header.top});
    const POINT bottom = ClientToScreen(POINT{target.boundary, header.bottom});
    drag_->ShowArrows(top.x, top.y, bottom.y);
  } else {
    drag_->HideArrows();
  }
  UpdateDragScroll(x);
}

void TCustomrgTreeListControl::UpdateDragScroll(int x) {
  HWND h = HandleIfAllocated();
  if (!h) return;
  const RECT header = HeaderRect();
  int direction = 0;
  if (x < header.left + kDragScrollZone) direction = -1;
  else if (x >= header.right - kDragScrollZone) direction = 1;
  if (direction == dragScrollDirection_) return;
  dragScrollDirection_ = direction;
  if (direction != 0) SetTimer(h, kDragScrollTimer, 100, nullptr);
  else KillTimer(h, kDragScrollTimer);
}

void TCustomrgTreeListControl::EndDrag() {
  if (HWND h = HandleIfAllocated()) KillTimer(h, kDragScrollTimer);
  dragScrollDirection_ = 0;
  drag_.reset();
}

void TCustomrgTreeListControl::CancelGesture() {
  switch (State()) {
    case TrgInteractionState::ColumnSizing:
      DrawSizingLine(sizingLine_);
      break;
    case TrgInteractionState::HeaderPressed:
      headerShownPressed_ = false;
      InvalidateHeaderCell(pressedColumn_);
      break;
    case TrgInteractionState::HeaderDragging:
      EndDrag();
      InvalidateRow(FocusedNode());
      break;
    default:
      break;
  }
  pressedColumn_ = nullptr;
  TCustomrgTreeList::CancelGesture();
  if (HWND h = HandleIfAllocated(); h && GetCapture() == h) ReleaseCapture();
}

void TCustomrgTreeListControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_TIMER:
      if (m.WParam == kDragScrollTimer) {
        if (State() != TrgInteractionState::HeaderDragging || dragScrollDirection_ == 0) {
          EndDrag();
          return;
        }
        SetHorzOffset(HorzOffset() + kDragScrollStep * dragScrollDirection_);
        if (drag_) UpdateWindow(Handle());
        UpdateDrag(dragPoint_.x, dragPoint_.y);
        return;
      }
      break;
    case WM_SETCURSOR:
      if (LOWORD(m.LParam) == HTCLIENT && reinterpret_cast<HWND>(m.WParam) == HandleIfAllocated()) {
        POINT p{};
        GetCursorPos(&p);
        p = ScreenToClient(p);
        const TrgInteractionState state = State();
        const bool idle = state == TrgInteractionState::Idle || state == TrgInteractionState::Editing;
        if (state == TrgInteractionState::ColumnSizing || (idle && HitTest(p.x, p.y).kind == TrgHitKind::SizingZone)) {
          ::SetCursor(Screen().Cursors(crHSplit));
          m.Result = 1;
          return;
        }
      }
      break;
    default:
      break;
  }
  TCustomrgTreeList::WndProc(m);
}

// --- keyboard, clipboard, best fit ----------------------------------------------------------------

void TCustomrgTreeListControl::GridKeyDown(unsigned short& key, TShiftState shift) {
  if (key == VK_INSERT && shift.Contains(TShiftStateFlag::ssCtrl) && State() == TrgInteractionState::Idle) {
    CopyToClipboard();
    key = 0;
    return;
  }
  TCustomrgTreeList::GridKeyDown(key, shift);
}

void TCustomrgTreeListControl::CopyToClipboard() {
  std::string text;
  std::string row;
  auto* node = dynamic_cast<TrgTreeListTextNode*>(FocusedNode());
  bool first = true;
  for (const TrgColumnLayout& l : layout_) {
    if (l.row != 0) continue;
    if (!std::exchange(first, false)) {
      text += '\t';
      row += '\t';
    }
    text += l.column->Caption();
    if (node) row += node->Strings(l.column->DataIndex());
  }
  text += "\r\n\r\n" + row + "\r\n";
  const std::wstring wide = Widen(text);
  HWND h = Handle();
  if (!OpenClipboard(h)) return;
  EmptyClipboard();
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* p = GlobalLock(memory)) {
      std::memcpy(p, wide.c_str(), bytes);
      GlobalUnlock(memory);
      if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);  // the clipboard owns it once set
    } else {
      GlobalFree(memory);
    }
  }
  CloseClipboard();
}

void TCustomrgTreeListControl::BestFit(TrgTreeListColumn* column) {
  if (!column || column->Grid() != this) return;
  WindowDC dc(HandleIfAllocated());
  int widest = 0;
  {
    DcSelection font(dc.Get(), column->PaintFont().Handle());
    // every node, nested ones included
    std::vector<TrgTreeListNode*> stack(RootList().rbegin(), RootList().rend());
    while (!stack.empty()) {
      TrgTreeListNode* n = stack.back();
      stack.pop_back();
      if (auto* t = dynamic_cast<TrgTreeListTextNode*>(n)) {
        std::string s(t->Strings(column->DataIndex()));
        if (column->CharCase() == TrgEditCharCase::ecUpperCase)
          std::transform(s.begin(), s.end(), s.begin(), [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; });
        else if (column->CharCase() == TrgEditCharCase::ecLowerCase)
          std::transform(s.begin(), s.end(), s.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; });
        const std::wstring& w = Wide(s);
        SIZE size{};
        GetTextExtentPoint32W(dc.Get(), w.c_str(), int(w.size()), &size);
        widest = std::max<int>(widest, size.cx);
      }
      const auto& children = n->Children();
      stack.insert(stack.end(), children.rbegin(), children.rend());
    }
  }
  {
    DcSelection font(dc.Get(), HeaderFont()->Handle());
    const std::wstring caption = Widen(column->Caption());
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), caption.c_str(), int(caption.size()), &size);
    widest = std::max<int>(widest, size.cx + (column->FilterButtonDisabled() ? 0 : 15));
  }
  if (column->Sizing()) column->SetWidth(widest + 2 * (LineStep() / 2 + 1));
  OnChangedColumnsWidth(this);
}

}  // namespace bus
