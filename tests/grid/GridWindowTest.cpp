// The database grid under Wine, configured as the main window configures it (50 columns, flat
// look, row select, load all records, key field "id") over a copy of the Xi'an database: loading
// and sorting, the focused row and the current record following each other, header clicks, keys,
// column sizing and header dragging, Ctrl+Delete with its confirmation, and the painted pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/WideText.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "framework/ClassRegistry.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"
#include "framework/data/DbConnection.h"
#include "framework/data/DbQuery.h"
#include "grid/DBGrid.h"
#include "grid/DBGridColumn.h"
#include "grid/DBGridNode.h"
#include "tests/support/WindowPicture.h"
#include "tests/support/BoxAnswerer.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/grid/GridTestForm.h"
#include "tests/support/TestSupport.h"

namespace bus {
namespace {

using test::gConnectionString;
using test::gStatement;
using test::TfrmGridTest;
using test::GridFormDescription;
using test::PumpUntil;

// Deadline of the waits for the grid and the form.
constexpr DWORD kWait = 5000;

// Handles everything queued (posted input included).
void Settle() { test::PumpPending(); }

std::string Text(TrgTreeListNode* node, int column) {
  auto* n = dynamic_cast<TrgDBGridNode*>(node);
  return n ? std::string(n->Strings(column)) : std::string("-");
}

std::string Key(TrgTreeListNode* node) {
  auto* n = dynamic_cast<TrgDBGridNode*>(node);
  return n ? n->KeyValue().AsString() : std::string("-");
}

int LoadIndex(TrgTreeListNode* node) { return static_cast<TrgDBGridNode*>(node)->LoadIndex(); }

// The screen's pixels of a window (frame included), read once.
class Snapshot {
public:
  explicit Snapshot(HWND window) : image_(test::WindowImage(window)) {
    RECT r{};
    GetWindowRect(window, &r);
    origin_ = {r.left, r.top};
  }
  // Pixel at window coordinates (frame included) as a COLORREF.
  COLORREF At(int x, int y) const {
    if (x < 0 || y < 0 || x >= image_.width || y >= image_.height)
      throw std::out_of_range("pixel outside the window: " + std::to_string(x) + ", " + std::to_string(y));
    const std::uint32_t p = image_.Pixel(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Pixel at a client point of control.
  COLORREF Client(TControl* control, int x, int y) const {
    const POINT s = control->ClientToScreen({x, y});
    return At(s.x - origin_.x, s.y - origin_.y);
  }

private:
  BmpImage image_;  // the window's pixels
  POINT origin_{};  // the window's top-left corner on the screen
};

class GridWindow : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    test::EnsureApplication();
    RegisterGridClasses();
  }
  void SetUp() override {
    database_ = dir_.Path() / "xaway.db";
    std::filesystem::copy_file(test::BinaryDir() / "xaway.db", database_);
    gConnectionString = test::ConnectionStringFor(database_);
    gStatement = "select * from way ";
    Open();
  }
  void TearDown() override { Close(); }

  void Open() {
    form_ = Application->CreateForm<TfrmGridTest>(GridFormDescription());
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }, kWait));
    SetForegroundWindow(form_->Handle());
    Settle();
    grid_ = form_->DBGrid1;
    qry_ = form_->qry;
  }
  void Close() {
    if (form_) form_->Free();
    form_ = nullptr;
    Settle();
  }

  HWND GridHandle() { return grid_->Handle(); }
  void Post(UINT msg, WPARAM w, LPARAM l) { PostMessageW(GridHandle(), msg, w, l); }
  void Stroke(WORD key) {
    Post(WM_KEYDOWN, key, 1);
    Post(WM_KEYUP, key, 0xC0000001);
    Settle();
  }
  void Press(int x, int y, WPARAM keys = 0) { Post(WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(x, y)); }
  void Move(int x, int y, WPARAM keys = 0) { Post(WM_MOUSEMOVE, MK_LBUTTON | keys, MAKELPARAM(x, y)); }
  void Release(int x, int y, WPARAM keys = 0) {
    Post(WM_LBUTTONUP, keys, MAKELPARAM(x, y));
    Settle();
  }
  void Click(int x, int y, WPARAM keys = 0) {
    Press(x, y, keys);
    Release(x, y, keys);
  }
  // Client point inside the row at display position index (which must be in the window).
  POINT RowPoint(int index, int x = 20) {
    const RECT r = grid_->RowRect(index);
    return {x, (r.top + r.bottom) / 2};
  }
  void ClickRow(int index) {
    const POINT p = RowPoint(index);
    Click(p.x, p.y);
  }
  RECT HeaderOf(int column) { return grid_->ColumnHeaderRect(grid_->Columns(column)); }
  void ClickHeader(int column, WPARAM keys = 0) {
    const RECT r = HeaderOf(column);
    Click((r.left + r.right) / 2, (r.top + r.bottom) / 2, keys);
  }
  std::vector<TrgTreeListNode*> Rows() { return grid_->RootList(); }
  // Records with this key in the database file.
  int RecordsWithKey(const std::string& key) {
    db::Connection c;
    c.Open(gConnectionString);
    db::Query q(c);
    q.SetStatement("select * from way where id = ?", {key});
    q.Open();
    return q.RecordCount();
  }

  test::TempDir dir_;
  std::filesystem::path database_;
  TfrmGridTest* form_ = nullptr;
  TrgDBGrid* grid_ = nullptr;
  TDbQuery* qry_ = nullptr;
};

// The columns' display texts are in column order: 0 = no, 1 = w0, 2 = w1 ...
constexpr int kNo = 0;
constexpr int kW0 = 1;
constexpr int kW3 = 4;

TEST_F(GridWindow, LoadsEveryRouteAsOneRowSortedByLineNumberAsText) {
  ASSERT_GT(qry_->RecordCount(), 1000);
  EXPECT_EQ(grid_->Count(), qry_->RecordCount());
  EXPECT_EQ(grid_->RecordCount(), qry_->RecordCount());
  const auto rows = Rows();
  // ascending by the line number's bytes ("10" before "2"), equal numbers by ascending key
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const std::string a = Text(rows[i - 1], kNo), b = Text(rows[i], kNo);
    ASSERT_LE(a, b) << i;
    if (a == b) {
      ASSERT_LT(Key(rows[i - 1]), Key(rows[i])) << i;
    }
  }
  auto first = [&](const std::string& no) {
    return std::find_if(rows.begin(), rows.end(), [&](TrgTreeListNode* n) { return Text(n, kNo) == no; });
  };
  ASSERT_NE(first("10"), rows.end());
  ASSERT_NE(first("2"), rows.end());
  EXPECT_LT(first("10"), first("2"));
  // a row holds its own record's texts, and LoadIndex is the record's place in dataset order
  db::Connection c;
  c.Open(gConnectionString);
  db::Query q(c);
  q.SetStatement("select * from way");
  q.Open();
  for (TrgTreeListNode* n : {rows.front(), rows[rows.size() / 2], rows.back()}) {
    q.First();
    q.MoveBy(LoadIndex(n));
    EXPECT_EQ(std::string(q.Value(0)), Key(n));
    EXPECT_EQ(std::string(q.Value(1)), Text(n, kNo));
    EXPECT_EQ(std::string(q.Value(2)), Text(n, kW0));
    EXPECT_EQ(std::string(q.Value(50)), Text(n, 49));
  }
  // captions from the description or the field names, widths from FormShow
  EXPECT_EQ(grid_->Columns(0)->Caption(), "路");
  EXPECT_EQ(grid_->Columns(1)->Caption(), "首站");
  EXPECT_EQ(grid_->Columns(2)->Caption(), "w1");
  EXPECT_EQ(grid_->Columns(49)->Caption(), "w48");
  EXPECT_EQ(grid_->Columns(0)->Width(), 50);
  EXPECT_EQ(grid_->Columns(49)->Width(), 90);
  EXPECT_EQ(grid_->ContentWidth(), 4460);
  EXPECT_EQ(grid_->Bands()->Count(), 1);
  // the metrics: a header row of "Wg" + 5 and rows of "Wg" + 3 + 1 (at least 16 + 1)
  EXPECT_EQ(grid_->HeaderHeight(), grid_->TextHeight() + 5);
  EXPECT_EQ(grid_->RowHeight(), std::max(grid_->TextHeight() + 3, 16) + 1);
}

TEST_F(GridWindow, ColumnAndOptionRules) {
  TrgTreeListColumn* w1 = grid_->Columns(2);
  w1->SetMinWidth(20);
  w1->SetWidth(5);
  EXPECT_EQ(w1->Width(), 20);
  w1->SetMinWidth(-3);
  EXPECT_EQ(w1->MinWidth(), 0);
  w1->SetRowIndex(2);
  EXPECT_EQ(w1->RowIndex(), 0);
  EXPECT_EQ(w1->ColIndex(), 2);
  // a caption never set follows the field's name; once set, even to the same text, it stays
  EXPECT_EQ(w1->Caption(), "w1");
  w1->SetCaption("w1");
  static_cast<TrgDBGridColumn*>(w1)->SetFieldName("w2");
  EXPECT_EQ(w1->Caption(), "w1");
  TrgTreeListColumn* w4 = grid_->Columns(5);
  static_cast<TrgDBGridColumn*>(w4)->SetFieldName("w9");
  EXPECT_EQ(w4->Caption(), "w9");
  grid_->SetOptionsView({rgoInvertSelect, rgoRowSelect});
  EXPECT_FALSE(grid_->OptionsView().Contains(rgoRowSelect));
  EXPECT_TRUE(grid_->OptionsView().Contains(rgoInvertSelect));
  // a larger header font makes a taller header strip; the rows start below it
  const int header = grid_->HeaderHeight();
  grid_->HeaderFont()->SetHeight(-24);
  EXPECT_GT(grid_->HeaderHeight(), header);
  EXPECT_EQ(grid_->RowsRect().top, grid_->HeaderHeight());
  // published defaults of a fresh grid
  TrgDBGrid* fresh = new TrgDBGrid(form_);
  EXPECT_EQ(GetPropertyValue(fresh, "OptionsDB"),
            "[rgoCancelOnExit, rgoCanDelete, rgoCanInsert, rgoCanNavigation, rgoConfirmDelete, rgoUseBookmarks]");
  EXPECT_EQ(GetPropertyValue(fresh, "OptionsView"), "[rgoBandHeaderWidth, rgoUseBitmap]");
  EXPECT_EQ(GetPropertyValue(fresh, "LookAndFeel"), "lfStandard");
  EXPECT_EQ(GetPropertyValue(fresh, "GridLineColor"), "clNone");
  EXPECT_EQ(GetPropertyValue(fresh, "SummarySeparator"), ", ");
  EXPECT_EQ(GetPropertyValue(fresh, "TabStop"), "True");
  fresh->Free();
}

TEST_F(GridWindow, TheDescriptionsSettingsReadBackAndTheDefaultLayoutKeepsOneBand) {
  EXPECT_EQ(GetPropertyValue(grid_, "OptionsDB"),
            "[rgoCancelOnExit, rgoCanDelete, rgoCanInsert, rgoCanNavigation, rgoConfirmDelete, rgoLoadAllRecords, "
            "rgoUseBookmarks]");
  EXPECT_EQ(GetPropertyValue(grid_, "OptionsView"), "[rgoBandHeaderWidth, rgoRowSelect, rgoUseBitmap]");
  EXPECT_EQ(GetPropertyValue(grid_, "LookAndFeel"), "lfFlat");
  EXPECT_EQ(GetPropertyValue(grid_, "HideSelectionColor"), "clGradientActiveCaption");
  EXPECT_EQ(GetPropertyValue(grid_, "KeyField"), "id");
  EXPECT_EQ(GetPropertyValue(grid_, "DataSource"), "DataSource1");
  EXPECT_EQ(GetPropertyValue(grid_->Columns(0), "Sorted"), "csUp");
  EXPECT_EQ(grid_->Columns(0)->Name(), "DBGrid1no");
  EXPECT_EQ(grid_->Columns(0)->Owner(), form_);
  EXPECT_EQ(grid_->Columns(0)->GetParentComponent(), grid_);
  // the default layout: one band, one header row; asking for more leaves it
  EXPECT_TRUE(grid_->DefaultLayout());
  grid_->Bands()->Add();
  EXPECT_FALSE(grid_->DefaultLayout());
  grid_->SetDefaultLayout(true);
  EXPECT_EQ(grid_->Bands()->Count(), 1);
  grid_->SetHeaderPanelRowCount(9);
  EXPECT_EQ(grid_->HeaderPanelRowCount(), grid_->HeaderPanelMaxRowCount());
  EXPECT_FALSE(grid_->DefaultLayout());
  grid_->SetDefaultLayout(true);
  EXPECT_EQ(grid_->HeaderPanelRowCount(), 1);
  EXPECT_EQ(grid_->ContentWidth(), 4460);
}

TEST_F(GridWindow, MouseButtonsDoubleClicksAndCancelledGestures) {
  int doubleClicks = 0, clicks = 0, changes = 0;
  grid_->OnDblClick = TNotifyEvent([&](TObject*) { ++doubleClicks; });
  grid_->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
  grid_->OnChangeNode = TrgChangeNodeEvent([&](TObject*, TrgTreeListNode*, TrgTreeListNode*) { ++changes; });
  ClickRow(1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes, 1);
  // a right press focuses the row under it, a middle press does not
  POINT p = RowPoint(4);
  Post(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
  Post(WM_RBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  Settle();
  EXPECT_EQ(grid_->AbsoluteIndex(grid_->FocusedNode()), 4);
  p = RowPoint(6);
  Post(WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(p.x, p.y));
  Post(WM_MBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  Settle();
  EXPECT_EQ(grid_->AbsoluteIndex(grid_->FocusedNode()), 4);
  // a double click on a row: OnDblClick, and the second press does not focus again
  p = RowPoint(2);
  Press(p.x, p.y);
  Release(p.x, p.y);
  const int changed = changes;
  Post(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  Release(p.x, p.y);
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(changes, changed);
  // Escape and a right press end a sizing gesture without applying it
  TrgTreeListColumn* w0 = grid_->Columns(kW0);
  const int width = w0->Width();
  RECT r = HeaderOf(kW0);
  const int y = (r.top + r.bottom) / 2;
  Press(r.right - 1, y);
  Move(r.right + 30, y);
  Settle();
  EXPECT_EQ(grid_->State(), TrgInteractionState::ColumnSizing);
  Stroke(VK_ESCAPE);
  EXPECT_EQ(grid_->State(), TrgInteractionState::Idle);
  Release(r.right + 30, y);
  EXPECT_EQ(w0->Width(), width);
  Press(r.right - 1, y);
  Move(r.right + 30, y);
  Post(WM_RBUTTONDOWN, MK_RBUTTON | MK_LBUTTON, MAKELPARAM(r.right + 30, y));
  Release(r.right + 30, y);
  EXPECT_EQ(w0->Width(), width);
  EXPECT_EQ(grid_->State(), TrgInteractionState::Idle);
  // the sizing zone: 4 pixels inside a header's right border and 4 into the next header
  EXPECT_EQ(grid_->HitTest(r.right - 4, y).kind, TrgHitKind::SizingZone);
  EXPECT_EQ(grid_->HitTest(r.right + 3, y).column, w0);
  EXPECT_EQ(grid_->HitTest(r.right - 5, y).kind, TrgHitKind::Header);
  EXPECT_EQ(grid_->HitTest(r.right + 4, y).column, grid_->Columns(2));
  // a double click there fits the column to its widest text
  Post(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(r.right - 1, y));
  Release(r.right - 1, y);
  EXPECT_NE(w0->Width(), width);
  EXPECT_GT(w0->Width(), 60);
}

TEST_F(GridWindow, EventsOfLoadingAndTheClipboardCopyOfTheFocusedRow) {
  int cleared = 0, refreshed = 0, deleted = 0;
  grid_->OnClearNodeData = TNotifyEvent([&](TObject*) { ++cleared; });
  grid_->OnRefreshNodeData = TrgNodeEvent([&](TObject*, TrgTreeListNode*) { ++refreshed; });
  grid_->OnDeletion = TrgNodeEvent([&](TObject*, TrgTreeListNode*) { ++deleted; });
  const int count = grid_->Count();
  grid_->Reload();
  EXPECT_EQ(cleared, 1);
  EXPECT_EQ(refreshed, count);
  EXPECT_EQ(deleted, count);
  // entering the grid focuses the top row and makes its record current
  ASSERT_EQ(grid_->FocusedNode(), nullptr);
  grid_->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return grid_->Focused(); }, kWait));
  ASSERT_EQ(grid_->FocusedNode(), grid_->TopNode());
  EXPECT_EQ(qry_->FieldByName("id")->AsString(), Key(grid_->FocusedNode()));
  // Ctrl+Insert: captions, an empty line, the focused row's texts
  {
    test::HeldKey ctrl(VK_CONTROL);
    Stroke(VK_INSERT);
  }
  ASSERT_TRUE(OpenClipboard(nullptr));
  std::string copied;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    copied = Narrow(static_cast<const wchar_t*>(GlobalLock(data)));
    GlobalUnlock(data);
  }
  CloseClipboard();
  TrgTreeListNode* row = grid_->FocusedNode();
  const std::string captions = copied.substr(0, copied.find("\r\n"));
  EXPECT_EQ(captions.rfind("路\t首站\tw1\tw2\t", 0), 0u);
  EXPECT_EQ(std::count(captions.begin(), captions.end(), '\t'), 49);
  EXPECT_NE(copied.find("\r\n\r\n" + Text(row, kNo) + "\t" + Text(row, kW0) + "\t"), std::string::npos);
  EXPECT_EQ(copied.substr(copied.size() - 2), "\r\n");
  // the data source going away leaves an empty grid
  static_cast<TComponent*>(form_->FindComponent("DataSource1"))->Free();
  EXPECT_EQ(grid_->Count(), 0);
  EXPECT_EQ(grid_->DataSource(), nullptr);
}

TEST_F(GridWindow, FocusedRowAndCurrentRecordFollowEachOther) {
  // a click on the grid while another control has the focus moves both in one click
  form_->Edit1->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return form_->Edit1->Focused(); }, kWait));
  ClickRow(2);
  EXPECT_TRUE(grid_->Focused());
  TrgTreeListNode* third = grid_->AbsoluteItems(2);
  ASSERT_EQ(grid_->FocusedNode(), third);
  EXPECT_EQ(qry_->RecNo(), LoadIndex(third));
  EXPECT_EQ(qry_->FieldByName("id")->AsString(), Key(third));
  // a second click moves the dataset by the difference of the two rows' load positions
  const int before = qry_->RecNo();
  ClickRow(5);
  TrgTreeListNode* sixth = grid_->AbsoluteItems(5);
  EXPECT_EQ(qry_->RecNo() - before, LoadIndex(sixth) - LoadIndex(third));
  EXPECT_EQ(qry_->FieldByName("id")->AsString(), Key(sixth));
  // the dataset moved from code: the focus goes to the row with the new record's key
  qry_->Next();
  EXPECT_EQ(Key(grid_->FocusedNode()), qry_->FieldByName("id")->AsString());
  qry_->Last();
  TrgTreeListNode* last = grid_->FocusedNode();
  EXPECT_EQ(Key(last), qry_->FieldByName("id")->AsString());
  const int index = grid_->AbsoluteIndex(last);
  EXPECT_GE(index, grid_->TopIndex());
  EXPECT_LT(index, grid_->TopIndex() + grid_->VisibleRowCount());
}

TEST_F(GridWindow, HeaderClicksSortAndCtrlClickRemovesTheArrow) {
  ClickRow(3);
  TrgTreeListNode* focused = grid_->FocusedNode();
  const int record = qry_->RecNo();
  TrgTreeListColumn* no = grid_->Columns(kNo);
  TrgTreeListColumn* w3 = grid_->Columns(kW3);
  ClickHeader(kNo);
  EXPECT_EQ(no->Sorted(), TrgTreeListColumnSort::csDown);
  auto rows = Rows();
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const std::string a = Text(rows[i - 1], kNo), b = Text(rows[i], kNo);
    ASSERT_GE(a, b) << i;
    if (a == b) {
      ASSERT_LT(Key(rows[i - 1]), Key(rows[i])) << i;  // the tie-break stays ascending
    }
  }
  EXPECT_EQ(grid_->FocusedNode(), focused);
  EXPECT_EQ(qry_->RecNo(), record);
  // another header: sorted ascending by it, the first loses its arrow
  ClickHeader(kW3);
  EXPECT_EQ(w3->Sorted(), TrgTreeListColumnSort::csUp);
  EXPECT_EQ(no->Sorted(), TrgTreeListColumnSort::csNone);
  rows = Rows();
  for (std::size_t i = 1; i < rows.size(); ++i) ASSERT_LE(Text(rows[i - 1], kW3), Text(rows[i], kW3)) << i;
  // Ctrl+click: no arrow, the rows stay as they are
  {
    test::HeldKey ctrl(VK_CONTROL);
    ClickHeader(kW3, MK_CONTROL);
  }
  EXPECT_EQ(w3->Sorted(), TrgTreeListColumnSort::csNone);
  EXPECT_EQ(Rows(), rows);
  EXPECT_TRUE(grid_->SortedColumns().empty());
}

TEST_F(GridWindow, KeysMoveTheFocusByRowsAndPagesAndScrollByColumns) {
  // a page of 14 fully visible rows
  grid_->SetHeight(grid_->Height() + (14 - grid_->VisibleRowCount()) * grid_->RowHeight());
  Settle();
  ASSERT_EQ(grid_->VisibleRowCount(), 14);
  grid_->SetFocus();
  Stroke(VK_HOME);
  ASSERT_EQ(grid_->AbsoluteIndex(grid_->FocusedNode()), 0);
  Stroke(VK_NEXT);
  EXPECT_EQ(grid_->AbsoluteIndex(grid_->FocusedNode()), 13);
  EXPECT_EQ(grid_->TopIndex(), 0);
  Stroke(VK_NEXT);
  EXPECT_EQ(grid_->AbsoluteIndex(grid_->FocusedNode()), 26);
  EXPECT_EQ(grid_->TopIndex(), 26 - 13);
  Stroke(VK_UP);
  EXPECT_EQ(grid_->AbsoluteIndex(grid_->FocusedNode()), 25);
  EXPECT_EQ(qry_->FieldByName("id")->AsString(), Key(grid_->FocusedNode()));
  // Down on the last row does nothing more
  Stroke(VK_END);
  TrgTreeListNode* last = grid_->FocusedNode();
  EXPECT_EQ(grid_->AbsoluteIndex(last), grid_->Count() - 1);
  const int count = grid_->Count();
  Stroke(VK_DOWN);
  EXPECT_EQ(grid_->FocusedNode(), last);
  EXPECT_EQ(grid_->Count(), count);
  EXPECT_EQ(qry_->State(), TDataSetState::dsBrowse);
  // Insert does nothing in row-select mode
  Stroke(VK_INSERT);
  EXPECT_EQ(grid_->Count(), count);
  EXPECT_EQ(qry_->State(), TDataSetState::dsBrowse);
  // Right and Left scroll by whole columns
  EXPECT_EQ(grid_->HorzOffset(), 0);
  Stroke(VK_RIGHT);
  EXPECT_EQ(grid_->HorzOffset(), 50);
  Stroke(VK_RIGHT);
  EXPECT_EQ(grid_->HorzOffset(), 140);
  Stroke(VK_LEFT);
  EXPECT_EQ(grid_->HorzOffset(), 50);
  // a wheel notch scrolls three rows without moving the focus
  TrgTreeListNode* focused = grid_->FocusedNode();
  grid_->SetTopIndex(100);
  Post(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0);
  Settle();
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  EXPECT_EQ(grid_->TopIndex(), 100 + int(lines));
  EXPECT_EQ(grid_->FocusedNode(), focused);
  // the offset never passes the content's right end
  PostMessageW(GridHandle(), WM_HSCROLL, SB_RIGHT, 0);
  Settle();
  const RECT rows = grid_->RowsRect();
  EXPECT_EQ(grid_->HorzOffset(), 4460 - (rows.right - rows.left));
  Stroke(VK_RIGHT);
  EXPECT_EQ(grid_->HorzOffset(), 4460 - (rows.right - rows.left));
}

TEST_F(GridWindow, ColumnSizingFollowsTheLineAndStopsAtTheMinimumWidth) {
  TrgTreeListColumn* w0 = grid_->Columns(kW0);
  RECT r = HeaderOf(kW0);
  const int y = (r.top + r.bottom) / 2;
  // from the last pixel column, 3 pixels further right: 3 pixels wider
  Press(r.right - 1, y);
  Move(r.right + 2, y);
  Release(r.right + 2, y);
  EXPECT_EQ(w0->Width(), 93);
  EXPECT_EQ(grid_->ContentWidth(), 4463);
  // wherever the press is in the sizing zone, the width is line x - column left + 1
  r = HeaderOf(kW0);
  Press(r.right + 2, y);  // inside the next header's first pixels
  Move(r.left + 60, y);
  Release(r.left + 60, y);
  EXPECT_EQ(w0->Width(), 61);
  // released where it was pressed: nothing changes
  r = HeaderOf(kW0);
  Press(r.right - 2, y);
  Release(r.right - 2, y);
  EXPECT_EQ(w0->Width(), 61);
  // far to the left: MinWidth + 1
  Press(r.right - 2, y);
  Move(r.left - 100, y);
  Release(r.left - 100, y);
  EXPECT_EQ(w0->Width(), w0->MinWidth() + 1);
  EXPECT_EQ(grid_->State(), TrgInteractionState::Idle);
}

TEST_F(GridWindow, AHeaderMovedFourPixelsClicksAndSixPixelsDrags) {
  TrgTreeListColumn* no = grid_->Columns(kNo);
  RECT r = HeaderOf(kNo);
  const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
  Press(x, y);
  Move(x + 4, y);
  Release(x + 4, y);
  EXPECT_EQ(no->Sorted(), TrgTreeListColumnSort::csDown);  // a click
  Press(x, y);
  Move(x + 6, y);
  Settle();
  EXPECT_EQ(grid_->State(), TrgInteractionState::HeaderDragging);
  Release(x + 6, y);
  EXPECT_EQ(no->Sorted(), TrgTreeListColumnSort::csDown);  // a drag: no click, and no move
  EXPECT_EQ(no->ColIndex(), 0);
  // w0 dropped on the right half of w2 goes after it
  TrgTreeListColumn* w0 = grid_->Columns(kW0);
  int moved = 0;
  std::vector<int> focusedColumns;  // OnChangeColumn, in order
  grid_->OnHeaderMoved = TrgColumnEvent([&](TObject*, TrgTreeListColumn* c) { moved += c == w0; });
  grid_->OnChangeColumn = TrgChangeColumnEvent([&](TObject*, TrgTreeListNode* node, int column) {
    EXPECT_EQ(node, grid_->FocusedNode());
    focusedColumns.push_back(column);
  });
  r = HeaderOf(kW0);
  const RECT target = HeaderOf(3);
  Press((r.left + r.right) / 2, y);
  Move((r.left + r.right) / 2 + 10, y);
  Move(target.right - 10, y);
  Release(target.right - 10, y);
  EXPECT_EQ(moved, 1);
  EXPECT_EQ(w0->ColIndex(), 3);
  EXPECT_EQ(grid_->Columns(3), w0);
  EXPECT_EQ(grid_->Columns(1)->Caption(), "w1");
  // the moved column is the focused one now, and the grid said so once
  EXPECT_EQ(grid_->FocusedColumn(), 3);
  EXPECT_EQ(focusedColumns, std::vector<int>{3});
  // ColIndex is published: it reads and moves by name
  EXPECT_EQ(GetPropertyValue(w0, "ColIndex"), "3");
  SetPropertyValue(grid_->Columns(kNo), "ColIndex", "1");
  EXPECT_EQ(GetPropertyValue(grid_->Columns(1), "ColIndex"), "1");
  EXPECT_EQ(grid_->Columns(1)->Caption(), "路");
  // the rows still show each column's own texts
  const RECT cell = grid_->ColumnHeaderRect(w0);
  EXPECT_EQ(grid_->HitTest((cell.left + cell.right) / 2, RowPoint(0).y).column, w0);
  EXPECT_EQ(grid_->State(), TrgInteractionState::Idle);
}

TEST_F(GridWindow, CtrlDeleteDeletesTheFocusedRecordOnlyAfterOk) {
  ClickRow(4);
  TrgTreeListNode* row = grid_->FocusedNode();
  const std::string key = Key(row);
  const int count = grid_->Count();
  ASSERT_EQ(RecordsWithKey(key), 1);
  // the first question is answered with Cancel, the second with OK
  test::BoxAnswerer boxes({IDCANCEL, IDOK});
  // Cancel keeps everything
  {
    test::HeldKey ctrl(VK_CONTROL);
    Stroke(VK_DELETE);
  }
  ASSERT_TRUE(PumpUntil([&] { return boxes.Seen().size() == 1; }, kWait));
  Settle();
  EXPECT_EQ(boxes.Seen()[0].caption, "Confirm");
  EXPECT_EQ(boxes.Seen()[0].text, "Delete record?");
  EXPECT_EQ(grid_->Count(), count);
  EXPECT_EQ(grid_->FocusedNode(), row);
  EXPECT_EQ(RecordsWithKey(key), 1);
  // OK deletes exactly that record, reloads and focuses the dataset's new current record
  {
    test::HeldKey ctrl(VK_CONTROL);
    Stroke(VK_DELETE);
  }
  ASSERT_TRUE(PumpUntil([&] { return grid_->Count() == count - 1; }, kWait));
  ASSERT_EQ(boxes.Seen().size(), 2u);
  EXPECT_EQ(boxes.Seen()[1].caption, "Confirm");
  EXPECT_EQ(RecordsWithKey(key), 0);
  EXPECT_EQ(qry_->RecordCount(), count - 1);
  db::Connection c;
  c.Open(gConnectionString);
  db::Query all(c);
  all.SetStatement("select * from way");
  all.Open();
  EXPECT_EQ(all.RecordCount(), count - 1);
  ASSERT_NE(grid_->FocusedNode(), nullptr);
  EXPECT_NE(Key(grid_->FocusedNode()), key);
  EXPECT_EQ(Key(grid_->FocusedNode()), qry_->FieldByName("id")->AsString());
  for (TrgTreeListNode* n : Rows()) ASSERT_NE(Key(n), key);
}

TEST_F(GridWindow, ReopenedQueriesReloadAndSmallResultsNeverScroll) {
  // records 5, 3, 9 in that order with line numbers "2", "10", "2"
  Close();
  std::vector<std::pair<std::string, std::vector<std::string>>> routes;
  for (int i = 1; i <= 9; ++i) routes.push_back({i == 3 ? "10" : "2", {"站" + std::to_string(i)}});
  const auto small = dir_.Path() / "small.db";
  test::WriteRoutes(small, routes);
  gConnectionString = test::ConnectionStringFor(small);
  gStatement = "select * from way where id in (5, 3, 9) order by case id when 5 then 0 when 3 then 1 else 2 end";
  Open();
  ASSERT_EQ(grid_->Count(), 3);
  auto keys = [&] {
    std::vector<std::string> k;
    for (TrgTreeListNode* n : Rows()) k.push_back(Text(n, kNo) + "/" + Key(n));
    return k;
  };
  EXPECT_EQ(keys(), (std::vector<std::string>{"10/3", "2/5", "2/9"}));
  ClickHeader(kNo);
  EXPECT_EQ(keys(), (std::vector<std::string>{"2/5", "2/9", "10/3"}));
  // the third row's record is reached by its place in dataset order
  ClickRow(2);
  EXPECT_EQ(qry_->RecNo(), 1);
  EXPECT_EQ(qry_->FieldByName("id")->AsString(), "3");
  // three rows in a page of many: the top row stays
  for (WPARAM request : {SB_BOTTOM, SB_PAGEDOWN, SB_LINEDOWN}) {
    PostMessageW(GridHandle(), WM_VSCROLL, request, 0);
    Settle();
    EXPECT_EQ(grid_->TopIndex(), 0);
  }
  // no records: no rows, no focus; records again: loaded
  form_->Requery("select * from way where id = -1");
  EXPECT_EQ(grid_->Count(), 0);
  EXPECT_EQ(grid_->FocusedNode(), nullptr);
  form_->Requery("select * from way");
  EXPECT_EQ(grid_->Count(), 9);
  // without the key field nothing is loaded
  form_->Requery("select no, w0 from way");
  EXPECT_EQ(grid_->Count(), 0);
}

TEST_F(GridWindow, AFieldChangeUpdatesTheRowAtOnceAndThePostReSorts) {
  ClickRow(0);
  TrgTreeListNode* row = grid_->FocusedNode();
  const std::string key = Key(row);
  qry_->Edit();
  qry_->FieldByName("no")->SetAsString("zzz");
  EXPECT_EQ(grid_->FocusedNode(), row);
  EXPECT_EQ(Text(row, kNo), "zzz");
  EXPECT_EQ(grid_->AbsoluteIndex(row), 0);  // not moved yet
  qry_->Post();
  // reloaded and sorted again, the changed record still focused in its new place
  const auto rows = Rows();
  for (std::size_t i = 1; i < rows.size(); ++i) ASSERT_LE(Text(rows[i - 1], kNo), Text(rows[i], kNo)) << i;
  EXPECT_EQ(Key(grid_->FocusedNode()), key);
  EXPECT_EQ(Text(grid_->FocusedNode(), kNo), "zzz");
  EXPECT_GT(grid_->AbsoluteIndex(grid_->FocusedNode()), 0);
}

TEST_F(GridWindow, AReloadKeepsTheTopRowWhenItsRecordIsStillThere) {
  grid_->SetTopIndex(100);
  const std::string top = Key(grid_->TopNode());
  ClickRow(103);
  const std::string focused = Key(grid_->FocusedNode());
  qry_->Edit();
  qry_->FieldByName("w5")->SetAsString("changed");
  qry_->Post();
  EXPECT_EQ(Key(grid_->TopNode()), top);
  EXPECT_EQ(grid_->TopIndex(), 100);
  EXPECT_EQ(Key(grid_->FocusedNode()), focused);
  EXPECT_EQ(Text(grid_->FocusedNode(), 6), "changed");  // w5
}

TEST_F(GridWindow, PaintsTheFlatHeaderTheSelectionGridLinesAndTheBorder) {
  grid_->SetFocus();
  ClickRow(1);
  RedrawWindow(GridHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  Settle();
  const COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW),
                 light = GetSysColor(COLOR_BTNHIGHLIGHT), window = GetSysColor(COLOR_WINDOW);
  const COLORREF gridLine = face == RGB(0, 0, 0) || face == RGB(255, 255, 255) ? shadow : face;
  const RECT noHeader = HeaderOf(kNo), w1Header = HeaderOf(2);
  const RECT row1 = grid_->RowRect(1), row3 = grid_->RowRect(3);
  {
    Snapshot shot(GridHandle());
    // header: button face inside, highlight along the top
    EXPECT_EQ(shot.Client(grid_, w1Header.right - 4, w1Header.top + 3), face);
    EXPECT_EQ(shot.Client(grid_, w1Header.left + 10, w1Header.top), light);
    // the sort arrow of "no" (csUp): its widest line is the bottom one
    int topRow = -1, bottomRow = -1, topWidth = 0, bottomWidth = 0;
    for (int y = noHeader.top + 2; y < noHeader.bottom - 2; ++y) {
      int width = 0;
      for (int x = noHeader.right - 22; x < noHeader.right - 2; ++x) {
        const COLORREF c = shot.Client(grid_, x, y);
        width += c == shadow || c == light;
      }
      if (width == 0) continue;
      if (topRow < 0) {
        topRow = y;
        topWidth = width;
      }
      bottomRow = y;
      bottomWidth = width;
    }
    ASSERT_GE(topRow, 0);
    EXPECT_GE(bottomRow - topRow, 6);
    EXPECT_LE(topWidth, 3);
    EXPECT_GE(bottomWidth, 6);
    // the focused row in the highlight colour, another row in the window colour
    EXPECT_EQ(shot.Client(grid_, noHeader.right - 4, row1.top + 3), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(shot.Client(grid_, noHeader.right - 4, row3.top + 3), window);
    // grid lines right of each cell and under each row
    EXPECT_EQ(shot.Client(grid_, noHeader.right - 1, row3.top + 5), gridLine);
    EXPECT_EQ(shot.Client(grid_, noHeader.right - 10, row3.bottom - 1), gridLine);
    // the flat one-pixel sunken border: shadow at left and top, highlight at right and bottom
    RECT wr{};
    GetWindowRect(GridHandle(), &wr);
    EXPECT_EQ(shot.At(0, 30), shadow);
    EXPECT_EQ(shot.At(30, 0), shadow);
    EXPECT_EQ(shot.At(30, wr.bottom - wr.top - 1), light);
    EXPECT_EQ(shot.At(wr.right - wr.left - 1, 30), light);
    // with the focus, a dotted focus rectangle: the top edge alternates
    int changes = 0;
    for (int x = 20; x < 40; ++x)
      changes += shot.Client(grid_, x, row1.top) != shot.Client(grid_, x + 1, row1.top);
    EXPECT_GE(changes, 8);
  }
  // without the focus: the hide-selection colour and a solid inverted frame
  form_->Edit1->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return form_->Edit1->Focused(); }, kWait));
  UpdateWindow(GridHandle());
  Settle();
  Snapshot shot(GridHandle());
  const COLORREF hidden = GetSysColor(COLOR_GRADIENTACTIVECAPTION);
  EXPECT_EQ(shot.Client(grid_, noHeader.right - 4, row1.top + 3), hidden);
  const COLORREF inverted = RGB(255 - GetRValue(hidden), 255 - GetGValue(hidden), 255 - GetBValue(hidden));
  for (int x = 20; x < 40; ++x) ASSERT_EQ(shot.Client(grid_, x, row1.top), inverted) << x;
  EXPECT_EQ(shot.Client(grid_, 0, row1.top + 5), inverted);
  // scrolled sideways by a column, the frame still starts at the rows area's left edge
  const int firstWidth = noHeader.right - noHeader.left;
  grid_->SetHorzOffset(firstWidth);  // as a scroll bar's line right, without taking the focus
  UpdateWindow(GridHandle());
  Settle();
  ASSERT_EQ(grid_->HorzOffset(), firstWidth);
  Snapshot scrolled(GridHandle());
  EXPECT_EQ(scrolled.Client(grid_, 0, row1.top + 5), inverted);
  EXPECT_EQ(scrolled.Client(grid_, 0, row1.bottom - 3), inverted);
  for (int x = 2; x < 12; ++x) EXPECT_EQ(scrolled.Client(grid_, x, row1.top), inverted) << x;
}

}  // namespace
}  // namespace bus
