#include "grid/TreeList.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/Properties.h"
#include "framework/graphics/GdiHandles.h"

namespace bus {

namespace {
// Posted to the grid to bring its scroll bars up to date once the message being handled is done.
UINT UpdateBarsMessage() {
  static const UINT message = RegisterWindowMessageW(L"BusSearch.GridScrollBars");
  return message;
}
}  // namespace

const TClassInfo& TCustomrgTreeList::StaticClassInfo() {
  static const TClassInfo info{"TCustomrgTreeList", &TCustomrgContainer::StaticClassInfo(), {}, {}};
  return info;
}

TCustomrgTreeList::TCustomrgTreeList(TComponent* owner)
    : TCustomrgContainer(owner), headerFont_(std::make_unique<TFont>()), bandFont_(std::make_unique<TFont>()) {
  SetColor(clWindow);
  SetTabStop(true);
  headerFont_->Assign(*Font());
  bandFont_->Assign(*Font());
  headerFont_->SetOnChange([this] {
    if (!copyingFont_) headerFontAssigned_ = true;
    if (!Updating()) LayoutChanged();
  });
  bandFont_->SetOnChange([this] {
    if (!Updating()) LayoutChanged();
  });
}

TCustomrgTreeList::~TCustomrgTreeList() = default;

void TCustomrgTreeList::BeforeDestruction() {
  // the nodes go while the grid is whole, so OnDeletion still sees them
  ClearNodes();
  TCustomrgContainer::BeforeDestruction();
}

// --- options and appearance -----------------------------------------------------------------------

void TCustomrgTreeList::SetOptionsView(TrgDBGridOptionView v) {
  v = NormalizeOptionsView(v);
  if (v == optionsView_) return;
  BeginUpdate();
  HideEditor();
  optionsView_ = v;
  EndUpdate();
}

void TCustomrgTreeList::SetOptionsBehavior(TrgDBGridOptionBehavior v) {
  if (v == optionsBehavior_) return;
  BeginUpdate();
  HideEditor();
  optionsBehavior_ = v;
  EndUpdate();
}

void TCustomrgTreeList::SetOptionsCustomize(TrgDBGridOptionCustomize v) {
  if (v == optionsCustomize_) return;
  BeginUpdate();
  HideEditor();
  optionsCustomize_ = v;
  EndUpdate();
}

void TCustomrgTreeList::SetLookAndFeel(TrgLookAndFeel v) {
  if (v == lookAndFeel_) return;
  lookAndFeel_ = v;
  ApplyBorderStyles();
  if (!Updating()) LayoutChanged();
}

void TCustomrgTreeList::SetBorderStyle(TrgBorderStyle v) {
  if (v == borderStyle_) return;
  borderStyle_ = v;
  ApplyBorderStyles();
  if (!Updating()) LayoutChanged();
}

void TCustomrgTreeList::SetScrollBars(TrgScrollBars v) {
  if (v == scrollBars_) return;
  scrollBars_ = v;
  sentVValid_ = sentHValid_ = false;
  if (HWND h = HandleIfAllocated()) {
    if (v == TrgScrollBars::ssNone || v == TrgScrollBars::ssHorizontal) ShowScrollBar(h, SB_VERT, FALSE);
    if (v == TrgScrollBars::ssNone || v == TrgScrollBars::ssVertical) ShowScrollBar(h, SB_HORZ, FALSE);
  }
  if (!Updating()) LayoutChanged();
}

void TCustomrgTreeList::SetShowHeader(bool v) {
  if (v == showHeader_) return;
  showHeader_ = v;
  if (!Updating()) LayoutChanged();
}

void TCustomrgTreeList::SetShowGrid(bool v) {
  if (v == showGrid_) return;
  showGrid_ = v;
  if (!Updating()) LayoutChanged();
}

void TCustomrgTreeList::SetShowPreviewGrid(bool v) {
  if (v == showPreviewGrid_) return;
  showPreviewGrid_ = v;
  if (!Updating()) LayoutChanged();
}

void TCustomrgTreeList::SetShowBands(bool v) {
  if (v == showBands_) return;
  showBands_ = v;
  if (!Updating()) LayoutChanged();
}

void TCustomrgTreeList::SetHideSelection(bool v) {
  hideSelection_ = v;
  InvalidateRow(FocusedNode());
}

void TCustomrgTreeList::SetHideFocusRect(bool v) {
  hideFocusRect_ = v;
  InvalidateRow(FocusedNode());
}

void TCustomrgTreeList::SetColorValue(TColor& field, TColor c) {
  if (field == c) return;
  field = c;
  Invalidate();
}

void TCustomrgTreeList::SetDefaultRowHeight(int v) {
  defaultRowHeight_ = v == minRowHeight_ ? 0 : std::max(v, 0);
  if (!Updating()) LayoutChanged();
}

void TCustomrgTreeList::FontChanged() {
  TCustomrgContainer::FontChanged();
  if (!headerFontAssigned_) {
    copyingFont_ = true;
    headerFont_->Assign(*Font());
    bandFont_->Assign(*Font());
    copyingFont_ = false;
  }
  if (!Updating()) LayoutChanged();
}

void TCustomrgTreeList::ColorChanged() { Invalidate(); }

// --- window -------------------------------------------------------------------------------------

void TCustomrgTreeList::CreateParams(TCreateParams& p) {
  TCustomrgContainer::CreateParams(p);
  p.style |= WS_CLIPCHILDREN | WS_TABSTOP;
  p.classStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  if (borderStyle_ == TrgBorderStyle::bsSingle) {
    // a flat look keeps a one-pixel border and paints it itself
    if (lookAndFeel_ == TrgLookAndFeel::lfStandard && Ctl3D()) p.exStyle |= WS_EX_CLIENTEDGE;
    else p.style |= WS_BORDER;
  }
}

void TCustomrgTreeList::ApplyBorderStyles() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE) & ~LONG_PTR(WS_BORDER);
  LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_CLIENTEDGE);
  if (borderStyle_ == TrgBorderStyle::bsSingle) {
    if (lookAndFeel_ == TrgLookAndFeel::lfStandard && Ctl3D()) ex |= WS_EX_CLIENTEDGE;
    else style |= WS_BORDER;
  }
  SetWindowLongPtrW(h, GWL_STYLE, style);
  SetWindowLongPtrW(h, GWL_EXSTYLE, ex);
  SetWindowPos(h, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_DRAWFRAME);
}

void TCustomrgTreeList::CreateWnd() {
  TCustomrgContainer::CreateWnd();
  sentVValid_ = sentHValid_ = false;
  if (!Loading()) LayoutChanged();
}

void TCustomrgTreeList::Loaded() {
  TCustomrgContainer::Loaded();
  LayoutChanged();
}

void TCustomrgTreeList::PaintBorder() {
  if (borderStyle_ != TrgBorderStyle::bsSingle || !Flat()) return;
  HWND h = Handle();
  WindowDC window = WindowDC::Whole(h);
  if (!window) return;
  HDC wdc = window.Get();
  RECT r{};
  GetWindowRect(h, &r);
  OffsetRect(&r, -r.left, -r.top);
  if (lookAndFeel_ == TrgLookAndFeel::lfFlat) {
    DrawEdge(wdc, &r, BDR_SUNKENOUTER, BF_RECT);
  } else {
    GdiObject<HBRUSH> shadow(CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)));
    FrameRect(wdc, &r, shadow.Get());
  }
  const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
  if ((style & WS_VSCROLL) && (style & WS_HSCROLL)) {
    const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
    RECT corner{r.right - 1 - cx, r.bottom - 1 - cy, r.right - 1, r.bottom - 1};
    FillRect(wdc, &corner, GetSysColorBrush(COLOR_BTNFACE));
  }
}

bool TCustomrgTreeList::GridHasFocus() const {
  HWND h = HandleIfAllocated();
  if (!h) return false;
  if (EditorActive()) return true;
  HWND f = GetFocus();
  return f && (f == h || IsChild(h, f));
}

void TCustomrgTreeList::WndProc(TMessage& m) {
  if (m.Msg == UpdateBarsMessage()) {
    barsPending_ = false;
    UpdateScrollBars();
    return;
  }
  switch (m.Msg) {
    case WM_GETDLGCODE: {
      m.Result = DLGC_WANTARROWS;
      if (optionsBehavior_.Contains(rgoEditing)) m.Result |= DLGC_WANTCHARS;
      if (optionsBehavior_.Contains(rgoTabs) && GetKeyState(VK_CONTROL) >= 0) m.Result |= DLGC_WANTTAB;
      return;
    }
    case WM_ERASEBKGND:
      m.Result = 1;  // the paint pass covers every pixel
      return;
    case WM_NCPAINT:
      TCustomrgContainer::WndProc(m);
      PaintBorder();
      return;
    case WM_VSCROLL:
      if (m.LParam == 0) {
        if (TakeFocusForScrollBar()) VerticalScrollRequest(LOWORD(m.WParam));
        return;
      }
      break;
    case WM_HSCROLL:
      if (m.LParam == 0) {
        if (TakeFocusForScrollBar()) {
          int track = 0;
          if (LOWORD(m.WParam) == SB_THUMBTRACK || LOWORD(m.WParam) == SB_THUMBPOSITION) {
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            si.fMask = SIF_TRACKPOS;
            GetScrollInfo(Handle(), SB_HORZ, &si);
            track = si.nTrackPos;
          }
          ScrollHorizontally(LOWORD(m.WParam), track);
        }
        return;
      }
      break;
    case WM_MOUSEWHEEL:
      MouseWheel(GET_WHEEL_DELTA_WPARAM(m.WParam));
      return;
    case WM_NCDESTROY:
      barsPending_ = false;
      break;
    case WM_SETFOCUS:
      TCustomrgContainer::WndProc(m);
      GridEntered();
      return;
    case WM_KILLFOCUS:
      TCustomrgContainer::WndProc(m);
      GridLeft();
      return;
    case WM_CANCELMODE:
      CancelGesture();
      break;
    case WM_CAPTURECHANGED:
      if (state_ != TrgInteractionState::Idle && state_ != TrgInteractionState::Editing &&
          reinterpret_cast<HWND>(m.LParam) != HandleIfAllocated())
        CancelGesture();
      break;
    case WM_SIZE:
      TCustomrgContainer::WndProc(m);
      HideEditor();
      if (!Updating() && !updatingBars_) LayoutChanged();
      return;
    default:
      break;
  }
  TCustomrgContainer::WndProc(m);
}

// --- metrics --------------------------------------------------------------------------------------

SIZE TCustomrgTreeList::MeasureFont(HDC dc, const TFont& font, int& zeroWidth) {
  DcSelection select(dc, font.Handle());
  SIZE wg{};
  GetTextExtentPoint32W(dc, L"Wg", 2, &wg);
  SIZE zero{};
  GetTextExtentPoint32W(dc, L"0", 1, &zero);
  zeroWidth = zero.cx;
  return wg;
}

void TCustomrgTreeList::RecalcMetrics() {
  HWND h = HandleIfAllocated();
  WindowDC dc(h);  // the screen's when there is no window yet
  int zero = 0;
  textHeight_ = MeasureFont(dc.Get(), *Font(), zero).cy;
  lineStep_ = zero;
  int headerZero = 0;
  const int headerText = MeasureFont(dc.Get(), *headerFont_, headerZero).cy;
  headerRowHeight_ = headerText * std::max(HeaderLineCount(), 1) + 5 + (Flat() ? 0 : 1);
  int minHeight = std::max({textHeight_ + 3, 16, ColumnFontsRowHeight(dc.Get())});
  if (showGrid_ && showPreviewGrid_) minHeight += 1;
  if (optionsView_.Contains(rgoInvertSelect)) minHeight += 2;
  minRowHeight_ = minHeight;
  rowHeight_ = defaultRowHeight_ >= minHeight ? defaultRowHeight_ : minHeight;
}

int TCustomrgTreeList::HeaderHeight() const noexcept { return showHeader_ ? headerRowHeight_ * HeaderRowCount() : 0; }

RECT TCustomrgTreeList::HeaderRect() const {
  RECT client = ClientRect();
  const int top = BandHeight();
  return {client.left, top, client.right, std::min<LONG>(top + HeaderHeight(), client.bottom)};
}

RECT TCustomrgTreeList::RowsRect() const {
  RECT client = ClientRect();
  const RECT header = HeaderRect();
  return {client.left, header.bottom, client.right, std::max(client.bottom, header.bottom)};
}

int TCustomrgTreeList::VisibleRowCount() {
  const RECT rows = RowsRect();
  return std::max(int(rows.bottom - rows.top) / std::max(rowHeight_, 1), 1);
}

// --- vertical scrolling ---------------------------------------------------------------------------

int TCustomrgTreeList::TopIndex() {
  TrgTreeListNode* top = TopNode();
  return top ? std::max(AbsoluteIndex(top), 0) : 0;
}

void TCustomrgTreeList::SetTopIndex(int index) {
  HideEditor();
  const int old = TopIndex();
  if (index == old && TopNode()) return;
  index = std::max(index, 0);
  const int count = AbsoluteCount();
  if (count < 2) {
    if (!TopNode()) SetTopNodeRaw(FirstDisplayed());
    return;
  }
  const int page = VisibleRowCount();
  if (index + page > count) index = std::max(count - page, 0);
  if (index == old && TopNode()) return;
  SetTopNodeRaw(AbsoluteItems(index));
  if (Updating()) return;
  RequestScrollBarUpdate();
  ScrollRows(old, index);
}

void TCustomrgTreeList::ScrollRows(int oldTop, int newTop) {
  HWND h = HandleIfAllocated();
  if (!h || oldTop == newTop) return;
  // more than a page: nothing stays in view; a page or less: move the pixels that stay
  if (std::abs(oldTop - newTop) > VisibleRowCount()) {
    Invalidate();
    return;
  }
  RECT rows = RowsRect();
  ScrollWindowEx(h, 0, (oldTop - newTop) * rowHeight_, &rows, &rows, nullptr, nullptr, SW_INVALIDATE);
  // the focus frame is drawn over the row: repaint the focused row where it now is
  InvalidateRow(FocusedNode());
}

void TCustomrgTreeList::ClampTopRow() {
  const int count = AbsoluteCount();
  if (count == 0) {
    SetTopNodeRaw(nullptr);
    return;
  }
  int index = TopNode() ? AbsoluteIndex(TopNode()) : 0;
  if (index < 0) index = 0;
  const int page = VisibleRowCount();
  if (index + page > count) index = std::max(count - page, 0);
  SetTopNodeRaw(AbsoluteItems(index));
}

bool TCustomrgTreeList::TakeFocusForScrollBar() {
  if (!HandleAllocated()) return false;
  if (!Focused() && CanFocus()) ::SetFocus(Handle());
  return Focused();
}

void TCustomrgTreeList::VerticalScrollRequest(int request) {
  const int top = TopIndex(), page = VisibleRowCount();
  switch (request) {
    case SB_LINEUP: SetTopIndex(top - 1); break;
    case SB_LINEDOWN: SetTopIndex(top + 1); break;
    case SB_PAGEUP: SetTopIndex(top - page); break;
    case SB_PAGEDOWN: SetTopIndex(top + page); break;
    case SB_TOP: SetTopIndex(0); break;
    case SB_BOTTOM: SetTopIndex(AbsoluteCount()); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      SCROLLINFO si{};
      si.cbSize = sizeof si;
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(Handle(), SB_VERT, &si);
      SetTopIndex(std::max(si.nTrackPos, 0));
      break;
    }
    default: break;
  }
}

void TCustomrgTreeList::MouseWheel(int delta) {
  wheelDelta_ += delta;
  const int notches = wheelDelta_ / WHEEL_DELTA;
  wheelDelta_ -= notches * WHEEL_DELTA;
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  for (int n = 0; n < std::abs(notches); ++n) {
    if (lines == WHEEL_PAGESCROLL) {
      Perform(WM_VSCROLL, notches > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0);
      continue;
    }
    for (UINT i = 0; i < lines; ++i) Perform(WM_VSCROLL, notches > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
  }
}

// --- horizontal scrolling -------------------------------------------------------------------------

int TCustomrgTreeList::MaxHorzOffset() const {
  const RECT rows = RowsRect();
  return std::max(ContentWidth() - int(rows.right - rows.left), 0);
}

void TCustomrgTreeList::SetHorzOffset(int offset) {
  HideEditor();
  offset = std::clamp(offset, 0, MaxHorzOffset());
  if (offset == horzOffset_) return;
  const int old = std::exchange(horzOffset_, offset);
  if (Updating()) return;
  RequestScrollBarUpdate();
  HWND h = HandleIfAllocated();
  if (!h) return;
  const RECT rows = RowsRect();
  if (std::abs(old - offset) >= rows.right - rows.left || showBands_) {
    Invalidate();
    return;
  }
  RECT area{rows.left, HeaderRect().top, rows.right, rows.bottom};
  ScrollWindowEx(h, old - offset, 0, &area, &area, nullptr, nullptr, SW_INVALIDATE);
  InvalidateRow(FocusedNode());  // its frame's left edge stays at the rows area's left edge
}

void TCustomrgTreeList::ScrollHorizontally(int request, int track) {
  std::vector<int> edges;
  ColumnLeftEdges(edges);
  const int total = ContentWidth();
  const RECT rows = RowsRect();
  const int width = rows.right - rows.left;
  // the column that contains position x
  auto columnAt = [&](int x) {
    int c = 0;
    for (std::size_t i = 0; i < edges.size(); ++i)
      if (edges[i] <= x) c = int(i);
    return c;
  };
  const int last = int(edges.size()) - 1;
  switch (request) {
    case SB_LINELEFT:
    case SB_LINERIGHT: {
      if (edges.empty()) return;
      const int c = columnAt(horzOffset_);
      SetHorzOffset(edges[std::size_t(std::clamp(request == SB_LINELEFT ? c - 1 : c + 1, 0, last))]);
      break;
    }
    case SB_PAGELEFT: SetHorzOffset(horzOffset_ - width); break;
    case SB_PAGERIGHT: SetHorzOffset(horzOffset_ + width); break;
    case SB_LEFT: SetHorzOffset(0); break;
    case SB_RIGHT: SetHorzOffset(MaxHorzOffset()); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      if (track < 1) SetHorzOffset(0);
      else if (track >= total) SetHorzOffset(MaxHorzOffset());
      else if (track != horzOffset_ && !edges.empty()) {
        int c = columnAt(track);
        c = width + track < total / 2 ? c - 1 : c + 1;
        SetHorzOffset(edges[std::size_t(std::clamp(c, 0, last))]);
      }
      break;
    default: break;
  }
}

// --- scroll bars ----------------------------------------------------------------------------------

void TCustomrgTreeList::RequestScrollBarUpdate() {
  HWND h = HandleIfAllocated();
  if (!h || barsPending_) return;
  if (!IsWindowVisible(h)) {
    UpdateScrollBars();
    return;
  }
  barsPending_ = PostMessageW(h, UpdateBarsMessage(), 0, 0) != 0;
  if (!barsPending_) UpdateScrollBars();
}

void TCustomrgTreeList::UpdateScrollBars() {
  HWND h = HandleIfAllocated();
  if (!h || updatingBars_ || Updating()) return;
  updatingBars_ = true;
  const bool vertical = scrollBars_ == TrgScrollBars::ssBoth || scrollBars_ == TrgScrollBars::ssVertical;
  const bool horizontal = scrollBars_ == TrgScrollBars::ssBoth || scrollBars_ == TrgScrollBars::ssHorizontal;
  auto send = [this](int bar, SCROLLINFO& sent, bool& valid, int maxValue, int page, int pos) {
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, maxValue, UINT(page), pos, 0};
    if (valid && sent.nMax == si.nMax && sent.nPage == si.nPage && sent.nPos == si.nPos) return;
    sent = si;
    valid = true;
    ApplyScrollInfo(bar, si);
  };
  for (int pass = 0; pass < 2; ++pass) {
    if (vertical) {
      const int count = AbsoluteCount(), page = VisibleRowCount();
      send(SB_VERT, sentV_, sentVValid_, count > page ? count - 1 : 0, page, TopIndex());
    }
    if (horizontal) {
      const RECT rows = RowsRect();
      const int total = ContentWidth(), width = rows.right - rows.left;
      horzOffset_ = std::clamp(horzOffset_, 0, MaxHorzOffset());
      send(SB_HORZ, sentH_, sentHValid_, total > width ? total - 1 : 0, std::max(width, 0), horzOffset_);
    }
  }
  updatingBars_ = false;
}

// --- focus ----------------------------------------------------------------------------------------

RECT TCustomrgTreeList::RowRect(int index) {
  const RECT rows = RowsRect();
  const int top = TopIndex();
  const int y = rows.top + (index - top) * rowHeight_;
  if (index < top || y >= rows.bottom) return {};
  return {rows.left, y, rows.right, y + rowHeight_};
}

int TCustomrgTreeList::RowAt(int y) {
  const RECT rows = RowsRect();
  if (y < rows.top || y >= rows.bottom) return -1;
  const int index = TopIndex() + (y - rows.top) / std::max(rowHeight_, 1);
  return index < AbsoluteCount() ? index : -1;
}

void TCustomrgTreeList::InvalidateRow(TrgTreeListNode* node) {
  HWND h = HandleIfAllocated();
  if (!h || !node) return;
  const int index = AbsoluteIndex(node);
  if (index < 0) return;
  RECT r = RowRect(index);
  if (!IsRectEmpty(&r)) InvalidateRect(h, &r, FALSE);
}

void TCustomrgTreeList::ChangeFocus(TrgTreeListNode* node, bool makeVisible) {
  HideEditor();
  TrgTreeListNode* const old = FocusedNode();
  if (node == old) {
    if (node && makeVisible && !Updating()) MakeNodeVisible(node);
    return;
  }
  const unsigned generation = NodesGeneration();
  FocusChanging(node);  // a failure leaves the focus where it was
  if (generation != NodesGeneration()) return;  // the nodes were replaced meanwhile: the grid follows the dataset
  SetFocusedNodeRaw(node);
  if (Updating()) return;
  InvalidateRow(old);
  InvalidateRow(node);
  if (node && makeVisible) MakeNodeVisible(node);
  OnChangeNode(this, old, node);
  FocusChanged(old, node);
}

void TCustomrgTreeList::SetFocusedNode(TrgTreeListNode* node) {
  if (node && node->Grid() != this) return;
  ChangeFocus(node, true);
}

void TCustomrgTreeList::FocusRow(int index) {
  const int count = AbsoluteCount();
  if (count == 0) return;
  TrgTreeListNode* node = AbsoluteItems(std::clamp(index, 0, count - 1));
  if (node != FocusedNode()) ChangeFocus(node, true);
}

void TCustomrgTreeList::GridEntered() {
  if (!FocusedNode() && TopNode()) {
    TrgTreeListNode* top = TopNode();
    const unsigned generation = NodesGeneration();
    FocusChanging(top);
    if (generation == NodesGeneration()) SetFocusedNodeRaw(top);
  }
  InvalidateRow(FocusedNode());
}

void TCustomrgTreeList::GridLeft() {
  if (state_ != TrgInteractionState::Idle && state_ != TrgInteractionState::Editing) CancelGesture();
  InvalidateRow(FocusedNode());
}

// --- keyboard -------------------------------------------------------------------------------------

void TCustomrgTreeList::KeyDown(unsigned short& key, TShiftState shift) {
  TCustomrgContainer::KeyDown(key, shift);  // OnKeyDown first
  if (key != 0) GridKeyDown(key, shift);
}

void TCustomrgTreeList::KeyPress(wchar_t& key) {
  TCustomrgContainer::KeyPress(key);  // OnKeyPress first
  TrgTreeListNode* node = FocusedNode();
  if (!node || state_ != TrgInteractionState::Idle) return;
  switch (key) {
    case L'+': node->Expand(); break;
    case L'-': node->Collapse(); break;
    case L'*': node->Expand(true); break;
    default: return;
  }
  key = 0;
}

void TCustomrgTreeList::GridKeyDown(unsigned short& key, TShiftState shift) {
  if (state_ != TrgInteractionState::Idle && state_ != TrgInteractionState::Editing) {
    if (key == VK_ESCAPE) {
      CancelGesture();
      key = 0;
    }
    return;
  }
  const bool ctrl = shift.Contains(TShiftStateFlag::ssCtrl);
  const bool rowSelect = optionsView_.Contains(rgoRowSelect);
  if ((key == VK_LEFT || key == VK_RIGHT) && rowSelect && !(FocusedNode() && FocusedNode()->HasChildren())) {
    ScrollHorizontally(key == VK_LEFT ? SB_LINELEFT : SB_LINERIGHT, 0);
    key = 0;
    return;
  }
  if (Count() == 0) return;
  const int current = FocusedNode() ? AbsoluteIndex(FocusedNode()) : -1;
  const int top = TopIndex(), page = VisibleRowCount(), lastVisible = top + page - 1;
  const int step = std::max(page - 1, 1);
  switch (key) {
    case VK_UP: FocusRow(current < 0 ? 0 : current - 1); break;
    case VK_DOWN: FocusRow(current + 1); break;
    case VK_PRIOR:
      FocusRow(current > top && current < lastVisible ? top : current - step);
      break;
    case VK_NEXT:
      FocusRow(current > top && current < lastVisible ? lastVisible : current + step);
      break;
    case VK_HOME:
      if (rowSelect || ctrl || shift.Contains(TShiftStateFlag::ssShift)) FocusRow(0);
      break;
    case VK_END:
      if (rowSelect || ctrl || shift.Contains(TShiftStateFlag::ssShift)) FocusRow(AbsoluteCount() - 1);
      break;
    case VK_ESCAPE: HideEditor(false); break;
    default: return;
  }
}

// --- painting -------------------------------------------------------------------------------------

const std::wstring& TCustomrgTreeList::Wide(std::string_view text) {
  if (text.empty()) {
    wide_.clear();
    return wide_;
  }
  if (wide_.capacity() < text.size()) wide_.reserve(text.size() * 2);
  wide_.resize(text.size());  // UTF-16 never needs more units than UTF-8 has bytes
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide_.data(), int(wide_.size()));
  wide_.resize(std::size_t(std::max(n, 0)));
  return wide_;
}

COLORREF TCustomrgTreeList::GridLinePaintColor() const {
  if (!showGrid_) return ColorToRGB(Color());
  if (gridLineColor_ != clNone) return ColorToRGB(gridLineColor_);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  return face == RGB(0, 0, 0) || face == RGB(255, 255, 255) ? GetSysColor(COLOR_BTNSHADOW) : face;
}

void TCustomrgTreeList::DrawFocusFrame(TrgPaintContext& ctx, const RECT& row) {
  RECT r{row.left, row.top, row.right, row.bottom - (showGrid_ ? 1 : 0)};
  if (r.right - r.left < 2 || r.bottom - r.top < 2) return;
  if (ctx.focused) {
    if (optionsView_.Contains(rgoHideFocusRect)) return;
    SetBkColor(ctx.dc, RGB(0, 0, 0));
    SetTextColor(ctx.dc, RGB(255, 255, 255));
    DrawFocusRect(ctx.dc, &r);
    return;
  }
  if (hideFocusRect_ || state_ == TrgInteractionState::HeaderDragging) return;
  // a solid frame: each edge inverted once, corners not twice
  const RECT edges[] = {{r.left, r.top, r.right, r.top + 1},
                        {r.right - 1, r.top + 1, r.right, r.bottom},
                        {r.left, r.top + 1, r.left + 1, r.bottom},
                        {r.left + 1, r.bottom - 1, r.right - 1, r.bottom}};
  for (const RECT& e : edges) InvertRect(ctx.dc, &e);
}

void TCustomrgTreeList::PaintWindow(HDC dc) {
  TrgPaintContext ctx;
  ctx.dc = dc;
  if (GetClipBox(dc, &ctx.update) == NULLREGION) return;
  ctx.focused = GridHasFocus();
  ctx.window = ColorToRGB(Color());
  ctx.windowText = ColorToRGB(Font()->Color());
  ctx.selection = ColorToRGB(ctx.focused ? highlightColor_ : hideSelectionColor_);
  ctx.selectionText = ColorToRGB(ctx.focused ? highlightTextColor_ : hideSelectionTextColor_);
  ctx.header = ColorToRGB(headerColor_);
  ctx.headerText = ColorToRGB(headerFont_->Color());
  ctx.gridLine = GridLinePaintColor();
  // brushes made once per pass and released at its end, also when painting fails
  GdiObject<HBRUSH> windowBrush(CreateSolidBrush(ctx.window));
  GdiObject<HBRUSH> headerBrush(CreateSolidBrush(ctx.header));
  GdiObject<HBRUSH> selectionBrush(CreateSolidBrush(ctx.selection));
  ctx.windowBrush = windowBrush.Get();
  ctx.headerBrush = headerBrush.Get();
  ctx.selectionBrush = selectionBrush.Get();
  linePoints_.clear();
  ctx.linePoints = &linePoints_;

  SavedDCState saved(dc);
  {
    const RECT client = ClientRect();
    // band strip: band captions over the band colour
    if (const int bands = BandHeight(); bands > 0) {
      RECT strip{client.left, 0, client.right, bands};
      if (RectVisible(dc, &strip)) PaintBands(ctx, strip);
    }
    const RECT header = HeaderRect();
    if (header.bottom > header.top && RectVisible(dc, &header)) {
      SavedDCState headerOnly(dc);
      IntersectClipRect(dc, header.left, header.top, header.right, header.bottom);
      PaintHeader(ctx, header);
    }
    const RECT rows = RowsRect();
    if (rows.bottom > rows.top && RectVisible(dc, &rows)) {
      IntersectClipRect(dc, rows.left, rows.top, rows.right, rows.bottom);
      SetBkMode(dc, OPAQUE);
      const int contentLeft = rows.left - horzOffset_;
      const int contentRight = contentLeft + ContentWidth();
      TrgTreeListNode* const focused = FocusedNode();
      const bool showSelection = ctx.focused || !hideSelection_;
      int y = rows.top;
      for (int index = TopIndex(); y < rows.bottom; ++index, y += rowHeight_) {
        TrgTreeListNode* node = AbsoluteItems(index);
        if (!node) break;
        const RECT row{contentLeft, y, contentRight, y + rowHeight_};
        RECT visible{};
        if (!IntersectRect(&visible, &row, &ctx.update)) continue;
        PaintRowCells(ctx, node, row, node == focused && showSelection);
        if (showGrid_) linePoints_.insert(linePoints_.end(), {POINT{row.left, row.bottom - 1}, POINT{row.right, row.bottom - 1}});
        // the frame starts at the rows area's left edge also when the rows are scrolled sideways
        if (node == focused) DrawFocusFrame(ctx, RECT{rows.left, row.top, row.right, row.bottom});
      }
      // empty area right of the content and below the last row
      if (contentRight < rows.right) {
        RECT right{std::max<LONG>(contentRight, rows.left), rows.top, rows.right, std::min<LONG>(y, rows.bottom)};
        if (right.bottom > right.top) FillRect(dc, &right, ctx.windowBrush);
      }
      if (y < rows.bottom) {
        RECT below{rows.left, y, rows.right, rows.bottom};
        FillRect(dc, &below, ctx.windowBrush);
      }
      if (!linePoints_.empty()) {
        lineCounts_.assign(linePoints_.size() / 2, 2);
        GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ctx.gridLine));
        DcSelection select(dc, pen.Get());
        PolyPolyline(dc, linePoints_.data(), lineCounts_.data(), DWORD(lineCounts_.size()));
      }
    }
  }
}

void TCustomrgTreeList::PaintBands(TrgPaintContext& ctx, const RECT& strip) {
  GdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(bandColor_)));
  FillRect(ctx.dc, &strip, brush.Get());
}

// --- model hooks ----------------------------------------------------------------------------------

void TCustomrgTreeList::DoDeletion(TrgTreeListNode* node) { OnDeletion(this, node); }

void TCustomrgTreeList::ExpansionChanged(TrgTreeListNode* node) {
  if (Updating()) return;
  ClampTopRow();
  RequestScrollBarUpdate();
  Invalidate();
}

void TCustomrgTreeList::NodesChanged() {
  if (Updating()) return;
  if (!TopNode()) SetTopNodeRaw(FirstDisplayed());
  RequestScrollBarUpdate();
  Invalidate();
}

void TCustomrgTreeList::ResetScrollState() {
  sentVValid_ = false;
  if (!Updating()) {
    RequestScrollBarUpdate();
    Invalidate();
  }
}

void TCustomrgTreeList::DisplayedNodeRemoved() {
  if (!Updating()) Invalidate();
}

void TCustomrgTreeList::UpdateStarted() {
  if (state_ != TrgInteractionState::Idle && state_ != TrgInteractionState::Editing) CancelGesture();
  HideEditor();
}

void TCustomrgTreeList::LayoutChanged() {
  RecalcMetrics();
  RebuildColumnLayout();
  ClampTopRow();
  horzOffset_ = std::clamp(horzOffset_, 0, MaxHorzOffset());
  RequestScrollBarUpdate();
  Invalidate();
}

}  // namespace bus
