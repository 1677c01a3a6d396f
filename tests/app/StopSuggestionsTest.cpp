// The suggestions under the stop boxes of the main window, under Wine: built from the program's
// own description over a copy of the bundled Xi'an database and driven by posted keys and clicks.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/BusMain.h"
#include "app/RecentQueries.h"
#include "app/StopSuggestions.h"
#include "app/SuggestionList.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "framework/controls/Application.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/StdCtrls.h"
#include "framework/graphics/Color.h"
#include "grid/DBGrid.h"
#include "skin/control/SkinControl.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"
#include "tests/app/MainWindowDriver.h"
#include "tests/support/BoxAnswerer.h"
#include "tests/support/DesktopTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

namespace bus {
namespace {

namespace fs = std::filesystem;
using test::Press;
using test::Type;

// A banner address nobody listens on: the download fails at once.
constexpr const char* kRefusedBanner = "http://127.0.0.1:1/softdownload/update/qbn";

class StopSuggestionsWindow : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    test::EnsureApplication().SetTitle("Zelvo公交车查询");
    RegisterBusMainClasses();
  }
  static void TearDownTestSuite() {
    TfrmBusMain::SetStartupOverrides("", "");
    TfrmBusMain::SetRecentQueriesFile("");
  }

  void SetUp() override {
    std::ofstream(dir_.Path() / "config.ini", std::ios::binary) << "[config]\r\ndbName=xaway.db\r\n";
    fs::copy_file(test::BinaryDir() / "xaway.db", dir_.Path() / "xaway.db");
    TfrmBusMain::SetStartupOverrides(test::Utf8(dir_.Path()) + "\\", kRefusedBanner);
    TfrmBusMain::SetRecentQueriesFile(test::Utf8(RecentFile()));
    Create();
  }

  fs::path RecentFile() const { return dir_.Path() / "AppData" / "recent.txt"; }

  // The window closed and made again, as by a restart of the program.
  void Restart() {
    form_->Free();
    form_ = nullptr;
    test::PumpPending();
    Create();
  }

  void Create() {
    form_ = Application->CreateForm<TfrmBusMain>(BusMainDescription());
    ASSERT_TRUE(test::PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }, test::kDesktopWait));
    SetForegroundWindow(form_->Handle());
    test::Settle();
  }

  void TearDown() override {
    for (const test::SeenBox& box : unexpected_.Seen()) ADD_FAILURE() << "message box " << box.caption << ": " << box.text;
    if (form_) form_->Free();
    form_ = nullptr;
    test::PumpPending();
  }

  TSuggestionList& List() { return *form_->SuggestionList1; }
  bool Open() { return List().Visible() && IsWindowVisible(List().Handle()); }
  std::string Line(int i) { return List().Items().Lines()[i]; }
  bool FocusIn(TWinControl* c) { return GetFocus() == c->Handle(); }

  test::TempDir dir_;
  test::BoxAnswerer unexpected_;  // answers the boxes no test expects
  TfrmBusMain* form_ = nullptr;
};

TEST_F(StopSuggestionsWindow, PinyinInitialsListTheStopDownEnterTakesItAndTheNextEnterSearches) {
  const int allRows = form_->DBGrid1->Count();
  form_->Edit3->SetFocus();
  Type("zl");
  ASSERT_TRUE(Open());
  EXPECT_LE(List().Items().Count(), 10);
  EXPECT_EQ(Line(0).rfind("钟楼", 0), 0u) << Line(0);
  EXPECT_EQ(List().ItemIndex(), -1);
  EXPECT_TRUE(FocusIn(form_->Edit3)) << "the list never takes the focus";

  Press(VK_DOWN);
  EXPECT_EQ(List().ItemIndex(), 0);
  EXPECT_TRUE(FocusIn(form_->Edit3));
  const std::string first = Line(0);
  Press(VK_RETURN);
  EXPECT_FALSE(Open());
  EXPECT_EQ(form_->Edit3->Text(), first);
  EXPECT_EQ(form_->DBGrid1->Count(), allRows) << "taking a suggestion searches nothing";
  EXPECT_EQ(form_->StatusText(), "");

  Press(VK_RETURN);
  EXPECT_EQ(form_->StatusText().rfind("查询结果：经过 " + first + " 的公交车有：", 0), 0u) << form_->StatusText();
  EXPECT_LT(form_->DBGrid1->Count(), allRows);
  EXPECT_FALSE(Open());
}

TEST_F(StopSuggestionsWindow, UpDownMoveInTheOpenListEscapeClosesItAndClosedTheBoxesFlowAsBefore) {
  form_->edtFrom->SetFocus();
  Type("xiaozhai");
  ASSERT_TRUE(Open());
  EXPECT_EQ(Line(0), "小寨");
  // the list lies inside the window, on top of what it covers, at the box's left edge
  RECT list{}, box{}, client{};
  GetWindowRect(List().Handle(), &list);
  GetWindowRect(form_->edtFrom->Handle(), &box);
  GetClientRect(form_->Handle(), &client);
  MapWindowPoints(HWND_DESKTOP, form_->Handle(), reinterpret_cast<POINT*>(&list), 2);
  MapWindowPoints(HWND_DESKTOP, form_->Handle(), reinterpret_cast<POINT*>(&box), 2);
  EXPECT_TRUE(list.bottom <= box.top || list.top >= box.bottom) << "the list leaves the box visible";
  EXPECT_GE(list.top, 0);
  EXPECT_LE(list.bottom, client.bottom);
  EXPECT_EQ(list.left, box.left);
  const POINT middle = form_->ClientToScreen({(list.left + list.right) / 2, (list.top + list.bottom) / 2});
  EXPECT_EQ(WindowFromPoint(middle), List().Handle());

  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_EQ(List().ItemIndex(), 1);
  Press(VK_UP);
  Press(VK_UP);
  EXPECT_EQ(List().ItemIndex(), -1);
  EXPECT_TRUE(FocusIn(form_->edtFrom)) << "Up in the open list moves in it, not to the stop box";
  Press(VK_ESCAPE);
  EXPECT_FALSE(Open());
  EXPECT_EQ(form_->edtFrom->Text(), "xiaozhai");

  // closed: Up and Down move between the boxes as they always did
  Press(VK_UP);
  EXPECT_TRUE(FocusIn(form_->Edit3));
  Press(VK_DOWN);
  EXPECT_TRUE(FocusIn(form_->edtFrom));
  EXPECT_FALSE(Open());

  // the text emptied closes the list and an empty box never opens it
  form_->Edit3->SetFocus();
  Type("zl");
  ASSERT_TRUE(Open());
  Press(VK_BACK);
  EXPECT_TRUE(Open());
  Press(VK_BACK);
  EXPECT_FALSE(Open());
  EXPECT_EQ(form_->Edit3->Text(), "");
  // leaving the box closes it
  Type("zl");
  ASSERT_TRUE(Open());
  form_->edtTo->SetFocus();
  test::Settle();
  EXPECT_FALSE(Open());
}

TEST_F(StopSuggestionsWindow, AClickTakesTheLineAndTheFocusStaysInTheBox) {
  form_->edtTo->SetFocus();
  Type("dyt");
  ASSERT_TRUE(Open());
  ASSERT_GE(List().Items().Count(), 2);
  const std::string second = Line(1);
  const int lineHeight = int(SendMessageW(List().Handle(), LB_GETITEMHEIGHT, 0, 0));
  test::Click(List(), {10, lineHeight + lineHeight / 2});
  EXPECT_FALSE(Open());
  EXPECT_EQ(form_->edtTo->Text(), second);
  EXPECT_TRUE(FocusIn(form_->edtTo));
  EXPECT_EQ(form_->StatusText(), "") << "a click searches nothing";

  // a list that opens under the resting mouse chooses nothing: Enter then searches
  form_->Edit3->SetFocus();
  Type("zl");
  ASSERT_TRUE(Open());
  RECT shown{};
  GetWindowRect(List().Handle(), &shown);
  Press(VK_ESCAPE);
  test::MoveCursor({shown.left + 10, shown.top + lineHeight / 2});
  Type("x");  // "zlx": the list opens again, under the mouse
  ASSERT_TRUE(Open());
  const POINT resting = List().ScreenToClient({shown.left + 10, shown.top + lineHeight / 2});
  PostMessageW(List().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(resting.x, resting.y));
  test::Settle();
  EXPECT_EQ(List().ItemIndex(), -1);
  // the mouse moving over a line chooses it
  PostMessageW(List().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(resting.x, resting.y + 1));
  test::Settle();
  EXPECT_EQ(List().ItemIndex(), 0);
  Press(VK_ESCAPE);
  Press(VK_RETURN);
  EXPECT_EQ(form_->StatusText().rfind("查询结果：经过 zlx ", 0), 0u) << form_->StatusText();
}

TEST_F(StopSuggestionsWindow, TheListIsSkinnedLikeTheOtherLists) {
  TSkinForm* object = nullptr;
  ASSERT_TRUE(test::PumpUntil(
      [&] { return (object = SkinManager->FindSkinForm(form_->Handle())) && object->ChildrenSkinned(); },
      test::kDesktopWait));
  form_->Edit3->SetFocus();
  Type("zl");
  ASSERT_TRUE(Open());
  const auto wrapperOf = [](TComponent* c) -> std::string {
    for (int i = 0; i < c->ComponentCount(); ++i)
      if (auto* w = dynamic_cast<TSkinControl*>(c->Components(i))) return w->ClassName();
    return "";
  };
  EXPECT_EQ(wrapperOf(&List()), wrapperOf(form_->Memo1));
  EXPECT_NE(wrapperOf(&List()), "");

  // what the eye sees: the selected line in the highlight colour, the others on the list's colour,
  // a one-pixel border around them
  Press(VK_DOWN);
  test::PumpPending();
  const int lineHeight = int(SendMessageW(List().Handle(), LB_GETITEMHEIGHT, 0, 0));
  const int right = List().ClientWidth() - 3;
  EXPECT_EQ(test::PixelAt(List(), {right, lineHeight / 2}), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(test::PixelAt(List(), {right, lineHeight + lineHeight / 2}), ColorToRGB(List().Color()));
  RECT frame{}, client{};
  GetWindowRect(List().Handle(), &frame);
  GetClientRect(List().Handle(), &client);
  EXPECT_EQ((frame.right - frame.left) - client.right, 2);
}

TEST_F(StopSuggestionsWindow, AStopDeletedFromTheDatabaseIsNoLongerSuggested) {
  form_->Edit3->SetFocus();
  Type("dyt");
  ASSERT_TRUE(Open());
  const std::string gone = Line(0);
  Press(VK_ESCAPE);
  {
    // another program (the updater, say) removes every record through that stop
    db::Connection other;
    other.Open(test::ConnectionStringFor(dir_.Path() / "xaway.db"));
    db::Query q(other);
    std::string sql = "select * from way where no in (select no from way where ";
    for (int f = 0; f < 49; ++f) sql += (f ? " or w" : "w") + std::to_string(f) + " = ?";
    sql += ")";
    q.SetStatement(sql, std::vector<std::string>(49, gone));
    q.Open();
    ASSERT_GT(q.RecordCount(), 0);
    while (!q.IsEmpty()) q.Delete();
  }
  form_->Edit3->SelectAll();
  Press(VK_DELETE);
  Type("dyt");
  for (int i = 0; Open() && i < List().Items().Count(); ++i) EXPECT_NE(Line(i), gone);
}

TEST_F(StopSuggestionsWindow, SearchedTextsComeFirstAfterARestartAndADamagedFileIsReplaced) {
  form_->Edit3->SetFocus();
  Type("小寨东");
  Press(VK_RETURN);  // nothing selected in the list: the search runs
  ASSERT_EQ(form_->StatusText().rfind("查询结果：经过 小寨东 ", 0), 0u) << form_->StatusText();
  form_->Edit4->SetFocus();
  Type("K5");
  Press(VK_RETURN);
  form_->edtFrom->SetFocus();
  Type("钟楼");
  Press(VK_RETURN);
  Type("小寨");
  Press(VK_RETURN);
  ASSERT_EQ(form_->StatusText().rfind("查询结果：从 钟楼 到 小寨 ", 0), 0u) << form_->StatusText();

  Restart();
  form_->Edit3->SetFocus();
  Type("小");
  ASSERT_TRUE(Open());
  EXPECT_EQ(Line(0), "小寨东") << "searched before, it comes before the index's 小寨";
  EXPECT_EQ(std::count(List().Items().Lines().begin(), List().Items().Lines().end(), "小寨东"), 1);
  Press(VK_ESCAPE);
  form_->Edit4->SetFocus();
  Type("k");
  ASSERT_TRUE(Open());
  EXPECT_EQ(Line(0), "K5");
  Press(VK_ESCAPE);
  form_->edtFrom->SetFocus();
  Type("钟");
  ASSERT_TRUE(Open());
  EXPECT_EQ(Line(0), "钟楼") << "no stop is called just that, but it was searched from";
  Press(VK_ESCAPE);

  // a damaged file: no history, no message, and a good file in its place
  form_->Free();
  form_ = nullptr;
  test::PumpPending();
  std::ofstream(RecentFile(), std::ios::binary | std::ios::trunc) << "\x01\x02garbage";
  Create();
  EXPECT_TRUE(form_->Recent().Lists().stops.empty());
  EXPECT_EQ(test::ReadFile(RecentFile()), std::string(app::RecentQueries::kHeader) + "\n");
  form_->Edit3->SetFocus();
  Type("小");
  ASSERT_TRUE(Open());
  EXPECT_NE(Line(0), "小寨东");
}

TEST_F(StopSuggestionsWindow, SwapExchangesTheStopsAndWithBothFilledSearches) {
  // the button lies between the two boxes, over none of the group's controls
  ASSERT_NE(form_->SwapButton, nullptr);
  EXPECT_EQ(form_->SwapButton->Parent(), form_->GroupBox3);
  const RECT swap = form_->SwapButton->BoundsRect();
  EXPECT_GE(swap.left, form_->edtFrom->Left() + form_->edtFrom->Width());
  EXPECT_LE(swap.right, form_->edtTo->Left());
  EXPECT_LE(swap.bottom, form_->edtFrom->Top());

  // one stop only: swapped, no search
  form_->edtFrom->SetFocus();
  Type("小寨");
  Press(VK_ESCAPE);
  test::Click(*form_->SwapButton, {8, 8});
  EXPECT_EQ(form_->edtFrom->Text(), "");
  EXPECT_EQ(form_->edtTo->Text(), "小寨");
  EXPECT_EQ(form_->StatusText(), "");
  EXPECT_FALSE(Open()) << "swapped texts open no list";

  // both: swapped and searched, from the keyboard too
  form_->edtFrom->SetFocus();
  Type("钟楼");
  Press(VK_ESCAPE);
  test::Click(*form_->SwapButton, {8, 8});
  EXPECT_EQ(form_->edtFrom->Text(), "小寨");
  EXPECT_EQ(form_->edtTo->Text(), "钟楼");
  EXPECT_EQ(form_->StatusText().rfind("查询结果：从 小寨 到 钟楼 的公交车有：", 0), 0u) << form_->StatusText();
  EXPECT_FALSE(Open());
  form_->Edit3->SetFocus();
  {
    test::HeldKey ctrl(VK_CONTROL);
    Press('R');
  }
  EXPECT_EQ(form_->edtFrom->Text(), "钟楼");
  EXPECT_EQ(form_->edtTo->Text(), "小寨");
  EXPECT_EQ(form_->StatusText().rfind("查询结果：从 钟楼 到 小寨 的公交车有：", 0), 0u) << form_->StatusText();
  EXPECT_EQ(form_->Edit3->Text(), "") << "the shortcut types nothing";
}

}  // namespace
}  // namespace bus
