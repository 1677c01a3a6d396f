// The main window under Wine, created in this process from the description compiled into the
// program, over a copy of the bundled Xi'an database in a scratch directory, and driven through
// posted keystrokes, clicks, the tray menu and answered message boxes. What is checked is what a
// person would see: the title, the rows of the grid, the status text, the plan panel, the focus,
// the window coming and going.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "banner/BannerPlayer.h"
#include "app/BusMain.h"
#include "app/SingleInstance.h"
#include "core/MakerSite.h"
#include "core/WideText.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/RouteTable.h"
#include "framework/controls/Application.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/Menus.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/Timer.h"
#include "framework/data/DbQuery.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/GdiHandles.h"
#include "grid/DBGrid.h"
#include "grid/DBGridColumn.h"
#include "grid/DBGridNode.h"
#include "skin/control/SkinControl.h"
#include "skin/control/SkinScrollbar.h"
#include "skin/control/WScrollbar.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"
#include "tests/skin/form/FrameProbes.h"
#include "tests/support/DesktopTestSupport.h"
#include "tests/support/MessageSequence.h"
#include "tests/support/WindowPicture.h"
#include "tests/support/FreeWatcher.h"
#include "tests/support/WindowStates.h"
#include "tests/support/GifWriter.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/RouteUpdateFiles.h"
#include "tests/support/ShellCallRecorder.h"
#include "tests/support/BoxAnswerer.h"
#include "tests/support/ChildProcess.h"
#include "tests/app/MainWindowDriver.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/TestSupport.h"
#include "tray/TrayIcon.h"

namespace bus {
namespace {

namespace fs = std::filesystem;
using test::BoxAnswerer;
using test::kDesktopWait;
using test::kOptional;
using test::Press;
using test::PumpFor;
using test::PumpPending;
using test::PumpUntil;
using test::Settle;
using test::Type;

using test::ReadAllRecords;
using test::Record;
using MainWindow = test::MainWindowFixture;

bool AnyFieldContains(const Record& r, const std::string& text) {
  return std::any_of(r.begin(), r.end(), [&](const std::string& v) { return v.find(text) != std::string::npos; });
}

std::string Cell(TrgTreeListNode* node, int column) {
  auto* n = dynamic_cast<TrgDBGridNode*>(node);
  return n ? std::string(n->Strings(column)) : std::string();
}

// The line numbers in the grid's rows, each with the texts of all its cells.
std::vector<Record> GridRows(TrgDBGrid* grid) {
  std::vector<Record> rows;
  for (int i = 0; i < grid->Count(); ++i) {
    Record r;
    for (int c = 0; c < grid->ColumnCount(); ++c) r.push_back(Cell(grid->Items(i), c));
    rows.push_back(std::move(r));
  }
  return rows;
}

HWND Focused() { return GetFocus(); }

// --- start ---------------------------------------------------------------------------------------

TEST_F(MainWindow, StartsWithEveryRouteTheCityInTheTitleAndTheFocusInTheStopBox) {
  CreateXian();
  EXPECT_EQ(Caption(), "Zelvo公交车查询V2.2.8--西安");
  ASSERT_GT(all_.size(), 1000u);
  EXPECT_EQ(Rows(), int(all_.size()));
  // the columns as the header shows them: line number, first stop, then the field names
  TrgDBGrid* grid = form_->DBGrid1;
  ASSERT_EQ(grid->ColumnCount(), 50);
  EXPECT_EQ(grid->Columns(0)->Caption(), "路");
  EXPECT_EQ(grid->Columns(1)->Caption(), "首站");
  EXPECT_EQ(grid->Columns(2)->Caption(), "w1");
  EXPECT_EQ(grid->Columns(49)->Caption(), "w48");
  EXPECT_EQ(grid->Columns(0)->Width(), 50);
  for (int i = 1; i < 50; ++i) EXPECT_EQ(grid->Columns(i)->Width(), 90) << "column " << i;
  // rows by line number, each showing a record of the table
  std::map<std::string, int> lines;
  for (const Record& r : all_) ++lines[r[1]];
  std::map<std::string, int> shown;
  for (const Record& row : GridRows(grid)) ++shown[row[0]];
  EXPECT_EQ(shown, lines);
  EXPECT_LE(Cell(grid->Items(0), 0), Cell(grid->Items(1), 0));

  EXPECT_EQ(Focused(), form_->Edit3->Handle());
  EXPECT_FALSE(form_->Panel4->Visible());
  EXPECT_FALSE(form_->Button3->Visible());
  EXPECT_FALSE(form_->BannerPlayer1->Visible());
  EXPECT_TRUE(form_->CheckBox1->Checked());
  EXPECT_EQ(form_->StatusText(), "");
  EXPECT_EQ(form_->StatusBar1->Panels()->Items(2)->Text(), kMakerNotice);
  // the skin came with the description and was read
  EXPECT_TRUE(form_->SkinData1->Active());
  EXPECT_FALSE(form_->SkinData1->SkinEmpty());
  EXPECT_GT(form_->SkinData1->StoredSkin().Size(), 1000);

  // the tray icon: image 0 of the image list (the bus's blue body at its centre) and the tip
  ASSERT_FALSE(test::ShellCalls().empty());
  const test::ShellCall& add = test::ShellCalls().back();
  EXPECT_EQ(add.message, DWORD(NIM_ADD));
  EXPECT_EQ(Narrow(add.data.szTip), "西安公交查询");
  EXPECT_EQ(add.iconCentre, RGB(20, 110, 200));
}

TEST_F(MainWindow, WindowAndControlsSitWhereTheyBelong) {
  CreateXian();
  HWND window = form_->Handle();
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 789);
  EXPECT_EQ(client.bottom, 376);
  const LONG style = GetWindowLongW(window, GWL_STYLE), ex = GetWindowLongW(window, GWL_EXSTYLE);
  EXPECT_FALSE(style & WS_THICKFRAME);  // fixed size
  // the skin's frame: the window is owned by the application window, so it keeps the caption style
  // the platform wants of it; its system menu and boxes are the skin's caption buttons now, and the
  // skin gives the styles back (with the platform's frame) when skinning is switched off
  const TSkinForm* skinned = SkinManager ? SkinManager->FindSkinForm(window) : nullptr;
  ASSERT_NE(skinned, nullptr);
  ASSERT_TRUE(skinned->FrameSkinning());
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_EQ(skinned->SavedStyle() & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            DWORD(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  // centred on the desktop's work area as the platform framed it; the skin then fitted its own
  // frame around the same client area without moving the window's top-left corner
  RECT frame{}, work{};
  GetWindowRect(window, &frame);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int centredHeight = client.bottom + skinned->NativeFrame().bottom;
  EXPECT_EQ(frame.bottom - frame.top, client.bottom + skinned->FrameTop() + skinned->FrameBottom());
  EXPECT_LE(std::abs((frame.left + frame.right) - (work.left + work.right)), 2);
  EXPECT_LE(std::abs((2 * frame.top + centredHeight) - (work.top + work.bottom)), 2);
  EXPECT_EQ(form_->Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(form_->Font()->Height(), -11);

  struct Place {
    TControl* control;
    TControl* parent;
    RECT bounds;  // left, top, width, height
  };
  const Place places[] = {
      {form_->Panel1, form_, {0, 244, 789, 132}},       {form_->CheckBox1, form_->Panel1, {24, 8, 97, 17}},
      {form_->GroupBox1, form_->Panel1, {16, 27, 204, 38}}, {form_->Edit3, form_->GroupBox1, {57, 15, 121, 19}},
      {form_->GroupBox2, form_->Panel1, {232, 27, 186, 38}}, {form_->Edit4, form_->GroupBox2, {46, 15, 121, 19}},
      {form_->GroupBox3, form_->Panel1, {16, 66, 404, 45}}, {form_->Label1, form_->GroupBox3, {7, 23, 25, 13}},
      {form_->edtFrom, form_->GroupBox3, {27, 20, 121, 19}}, {form_->Label2, form_->GroupBox3, {152, 23, 48, 13}},
      {form_->edtTo, form_->GroupBox3, {193, 20, 121, 19}},  {form_->Label3, form_->GroupBox3, {341, 20, 12, 13}},
      {form_->Button1, form_->GroupBox3, {321, 18, 76, 23}}, {form_->GroupBox4, form_->Panel1, {424, 0, 358, 111}},
      {form_->BannerPlayer1, form_->GroupBox4, {3, 13, 351, 73}}, {form_->Label6, form_->GroupBox4, {9, 89, 40, 13}},
      {form_->Label5, form_->GroupBox4, {49, 89, 141, 13}}, {form_->SpeedButton2, form_->GroupBox4, {200, 87, 89, 22}},
      {form_->StatusBar1, form_->Panel1, {0, 113, 789, 19}}, {form_->Panel2, form_, {0, 0, 5, 244}},
      {form_->DBGrid1, form_, {4, 0, 779, 244}},           {form_->Panel4, form_, {517, 0, 778, 243}},
      {form_->Label8, form_->Panel4, {4, 2, 102, 13}},      {form_->Memo1, form_->Panel4, {0, 16, 778, 206}},
      {form_->Button2, form_->Panel4, {678, 221, 75, 22}},  {form_->Button3, form_, {184, 178, 75, 25}},
  };
  for (const Place& p : places) {
    SCOPED_TRACE(p.control->Name());
    EXPECT_EQ(p.control->Parent(), p.parent);
    EXPECT_EQ(p.control->Left(), p.bounds.left);
    EXPECT_EQ(p.control->Top(), p.bounds.top);
    EXPECT_EQ(p.control->Width(), p.bounds.right);
    EXPECT_EQ(p.control->Height(), p.bounds.bottom);
  }
  const std::pair<TControl*, std::string> captions[] = {
      {form_->CheckBox1, "模糊查询"}, {form_->GroupBox1, "输入站点按回车查询"}, {form_->GroupBox2, "输入车次按回车查询"},
      {form_->GroupBox3, "两站点查询"}, {form_->Label1, "从"}, {form_->Label2, "站  到"}, {form_->Label3, "站"},
      {form_->Button1, "查询"}, {form_->GroupBox4, std::string(kMakerNotice)}, {form_->Label6, "网址："},
      {form_->Label5, WebSiteText()}, {form_->SpeedButton2, "升级数据库"}, {form_->Label8, "乘车方案如下："},
      {form_->Button2, "关闭"}, {form_->Button3, "save"}};
  for (const auto& [control, caption] : captions) EXPECT_EQ(control->Caption(), caption) << control->Name();

  // the boxes of the lower panel have the flat one-pixel border (which the edit control draws
  // itself), not the sunken one; the memo scrolls vertically
  EXPECT_FALSE(form_->Edit3->Ctl3D());
  EXPECT_TRUE(form_->Memo1->Ctl3D());
  EXPECT_FALSE(GetWindowLongW(form_->Edit3->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(GetWindowLongW(form_->Memo1->Handle(), GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(form_->StatusBar1->Panels()->Count(), 3);
  EXPECT_EQ(form_->StatusBar1->Panels()->Items(0)->Width(), 100);
  EXPECT_EQ(form_->StatusBar1->Panels()->Items(1)->Width(), 300);
  EXPECT_EQ(form_->Label5->Font()->Color(), clBlue);
  EXPECT_FALSE(form_->Button1->Flat());
  EXPECT_TRUE(form_->SpeedButton2->Flat());

  // the link underlines under the mouse and loses it when the mouse leaves
  form_->Label5->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_TRUE(form_->Label5->Font()->Style().Contains(TFontStyle::fsUnderline));
  form_->Label5->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(form_->Label5->Font()->Style().Contains(TFontStyle::fsUnderline));

  // the panels cover the grid in this order: the plan panel lies over it
  form_->Panel4->SetLeft(5);
  form_->Panel4->Show();
  const POINT middle = form_->ClientToScreen({390, 120});
  HWND under = WindowFromPoint(middle);
  EXPECT_TRUE(under == form_->Memo1->Handle() || under == form_->Panel4->Handle())
      << (FindControl(under) ? FindControl(under)->Name() : "?");
}

// --- the searches ----------------------------------------------------------------------------------

TEST_F(MainWindow, StopSearchByEnterShowsTheLinesThroughTheStopAndCountsThem) {
  CreateXian();
  // typing alone runs nothing
  form_->Edit3->SetFocus();
  Type("钟楼");
  EXPECT_EQ(Rows(), int(all_.size()));
  EXPECT_EQ(form_->StatusText(), "");

  Press(VK_RETURN);
  const size_t expected = std::count_if(all_.begin(), all_.end(), [](const Record& r) { return AnyFieldContains(r, "钟楼"); });
  ASSERT_GT(expected, 1u);
  EXPECT_EQ(form_->StatusText(), "查询结果：经过 钟楼 的公交车有：" + std::to_string(expected) + "辆");
  ASSERT_EQ(Rows(), int(expected));
  for (const Record& row : GridRows(form_->DBGrid1)) EXPECT_TRUE(AnyFieldContains(row, "钟楼")) << row[0];
  // the box's text is selected, so typing replaces it
  EXPECT_EQ(form_->Edit3->SelStart(), 0);
  EXPECT_EQ(form_->Edit3->SelLength(), 2);
  EXPECT_EQ(Focused(), form_->Edit3->Handle());

  // exact: only whole stop names
  test::Click(*form_->CheckBox1, {5, 8});
  ASSERT_FALSE(form_->CheckBox1->Checked());
  Search(form_->Edit3, "钟楼北");
  const size_t exact = std::count_if(all_.begin(), all_.end(),
                                     [](const Record& r) { return std::find(r.begin(), r.end(), "钟楼北") != r.end(); });
  ASSERT_GT(exact, 0u);
  EXPECT_EQ(Rows(), int(exact));
  EXPECT_EQ(form_->StatusText(), "查询结果：经过 钟楼北 的公交车有：" + std::to_string(exact) + "辆");
  Search(form_->Edit3, "钟");
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(form_->StatusText(), "查询结果：经过 钟 的公交车有：0辆");

  // an apostrophe is searched for like any character
  test::Click(*form_->CheckBox1, {5, 8});
  Search(form_->Edit3, "钟楼'");
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(form_->StatusText(), "查询结果：经过 钟楼' 的公交车有：0辆");
}

TEST_F(MainWindow, LineSearchShowsTheLineAndLeavesTheStatusEmpty) {
  CreateXian();
  Search(form_->Edit3, "钟楼");
  ASSERT_NE(form_->StatusText(), "");
  Search(form_->Edit4, "600");
  EXPECT_EQ(form_->StatusText(), "");
  const size_t expected =
      std::count_if(all_.begin(), all_.end(), [](const Record& r) { return r[1].find("600") != std::string::npos; });
  ASSERT_GT(expected, 0u);
  ASSERT_EQ(Rows(), int(expected));
  for (const Record& row : GridRows(form_->DBGrid1)) EXPECT_NE(row[0].find("600"), std::string::npos);
  EXPECT_EQ(form_->Edit4->SelLength(), 3);

  // the hidden "save" button writes the grid's current record back as it is
  form_->Button3->Click();
  EXPECT_EQ(form_->qry->State(), TDataSetState::dsBrowse);
  EXPECT_EQ(ReadAllRecords(dir_.Path() / "xaway.db"), all_);
  EXPECT_EQ(Rows(), int(expected));
}

TEST_F(MainWindow, TwoStopSearchWithADirectLineShowsTheLines) {
  CreateXian();
  form_->edtFrom->SetFocus();
  Type("钟楼");
  // Enter in the start box only moves on to the destination box
  Press(VK_RETURN);
  EXPECT_EQ(Focused(), form_->edtTo->Handle());
  EXPECT_EQ(Rows(), int(all_.size()));
  EXPECT_EQ(form_->StatusText(), "");
  Type("小寨");
  BoxAnswerer boxes;
  Press(VK_RETURN);
  EXPECT_TRUE(boxes.Seen().empty());
  const size_t expected = std::count_if(all_.begin(), all_.end(), [](const Record& r) {
    return AnyFieldContains(r, "钟楼") && AnyFieldContains(r, "小寨");
  });
  ASSERT_GT(expected, 0u);
  EXPECT_EQ(Rows(), int(expected));
  EXPECT_EQ(form_->StatusText(), "查询结果：从 钟楼 到 小寨 的公交车有：" + std::to_string(expected) + "辆");
  EXPECT_EQ(form_->edtTo->SelLength(), 2);
  EXPECT_FALSE(form_->Panel4->Visible());
}

TEST_F(MainWindow, WithoutADirectLineOkShowsThePlansAndCancelLeavesThePanelHidden) {
  CreateXian();
  Search(form_->Edit4, "600");
  form_->edtFrom->SetFocus();
  Type("兵马俑");
  Press(VK_RETURN);
  Type("小寨");
  {
    BoxAnswerer boxes({IDCANCEL});
    Press(VK_RETURN);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    const test::SeenBox& question = boxes.Seen()[0];
    EXPECT_EQ(question.caption, "Zelvo软件提示");
    EXPECT_EQ(question.text, "没有直达公交车，是否查询换乘公交车?");
    EXPECT_TRUE(question.ok);
    EXPECT_TRUE(question.cancel);
    EXPECT_EQ(question.buttons, 2);
  }
  EXPECT_FALSE(form_->Panel4->Visible());
  EXPECT_EQ(Rows(), 0);                   // the direct result, empty
  EXPECT_EQ(form_->StatusText(), "");     // the line search's, kept
  EXPECT_EQ(form_->Memo1->Text(), "");

  // "查询" asks again; OK lists the plans over the grid
  {
    BoxAnswerer boxes({IDOK});
    test::Click(*form_->Button1, {38, 11});
    ASSERT_EQ(boxes.Seen().size(), 1u);
  }
  ASSERT_TRUE(form_->Panel4->Visible());
  EXPECT_EQ(form_->Panel4->Left(), 5);
  EXPECT_EQ(form_->Panel4->Top(), 0);
  const int plans = form_->Memo1->Lines().Count();
  ASSERT_GT(plans, 0);
  for (int i = 0; i < plans; ++i) {
    const std::string line = form_->Memo1->Lines().Strings(i);
    const std::string head = "方案" + std::to_string(i + 1) + " 出发站点 兵马俑 乘坐 ";
    EXPECT_EQ(line.substr(0, head.size()), head);
    EXPECT_NE(line.find(" 站下车，再乘坐 "), std::string::npos) << line;
    EXPECT_EQ(line.substr(line.size() - std::string(" 路到小寨 站点下车 ").size()), " 路到小寨 站点下车 ");
  }
  EXPECT_EQ(form_->StatusText(), "查询结果：从 兵马俑 到 小寨 站点的方案，有：" + std::to_string(plans) + "种");
  EXPECT_EQ(Rows(), 0);

  // "关闭" hides the panel; so does the next search
  form_->Button2->SetFocus();
  test::Click(*form_->Button2, {30, 10});
  EXPECT_FALSE(form_->Panel4->Visible());
  form_->Panel4->Show();
  Search(form_->Edit3, "钟楼");
  EXPECT_FALSE(form_->Panel4->Visible());
}

TEST_F(MainWindow, UpDownAndEnterMoveTheFocusBetweenTheBoxes) {
  CreateXian();
  auto focusIs = [&](TWinControl* c) { return Focused() == c->Handle(); };
  form_->Edit3->SetFocus();
  Press(VK_DOWN);
  EXPECT_TRUE(focusIs(form_->edtFrom));
  Press(VK_DOWN);  // nothing below
  EXPECT_TRUE(focusIs(form_->edtFrom));
  Press(VK_UP);
  EXPECT_TRUE(focusIs(form_->Edit3));
  Press(VK_UP);
  EXPECT_TRUE(focusIs(form_->DBGrid1));
  // the grid keeps its own Up and Down
  Press(VK_DOWN);
  EXPECT_TRUE(focusIs(form_->DBGrid1));
  form_->Edit4->SetFocus();
  Press(VK_DOWN);
  EXPECT_TRUE(focusIs(form_->edtTo));
  Press(VK_DOWN);
  EXPECT_TRUE(focusIs(form_->edtTo));
  Press(VK_UP);
  EXPECT_TRUE(focusIs(form_->Edit4));
  Press(VK_UP);
  EXPECT_TRUE(focusIs(form_->DBGrid1));

  // Tab follows the tab order: the boxes, the check box, then the grid (hidden controls skipped)
  form_->Edit3->SetFocus();
  const std::vector<TWinControl*> order{form_->Edit4, form_->edtFrom, form_->edtTo, form_->CheckBox1, form_->DBGrid1,
                                        form_->Edit3};
  for (TWinControl* next : order) {
    Press(VK_TAB);
    EXPECT_TRUE(focusIs(next)) << next->Name();
  }
}

// --- the tray, closing and coming back ---------------------------------------------------------

TEST_F(MainWindow, ClosingHidesToTheTrayAndShowBringsBackEveryRoute) {
  CreateXian();
  Search(form_->Edit3, "钟楼");
  const std::string status = form_->StatusText();
  ASSERT_LT(Rows(), int(all_.size()));
  form_->Panel4->Show();  // as a plan search leaves it
  test::ShellCalls().clear();

  PostMessageW(form_->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(form_->Handle()); }, kDesktopWait));
  EXPECT_FALSE(IsWindowVisible(Application->Handle()));  // no taskbar button
  test::PumpPending();  // whatever the close posted has been handled
  EXPECT_FALSE(Application->Terminated());
  EXPECT_TRUE(test::ShellCalls().empty());  // the icon stays

  ASSERT_EQ(test::ChooseFromTrayMenu(*form_->TrayIcon1, 1), 1);  // "显示"
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }, kDesktopWait));
  EXPECT_TRUE(IsWindowVisible(Application->Handle()));
  EXPECT_EQ(Rows(), int(all_.size()));  // shown again: every route
  EXPECT_EQ(Caption(), "Zelvo公交车查询V2.2.8--西安");
  EXPECT_EQ(form_->StatusText(), status);  // the status stays
  EXPECT_TRUE(form_->Panel4->Visible());   // and so does the plan panel

  ASSERT_EQ(test::ChooseFromTrayMenu(*form_->TrayIcon1, 2), 1);  // "隐藏"
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(form_->Handle()); }, kDesktopWait));
  ASSERT_EQ(test::ChooseFromTrayMenu(*form_->TrayIcon1, 1), 1);
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }, kDesktopWait));

  // "升级数据库" hides to the tray as well (there is no updater here: nothing else happens)
  test::Click(*form_->SpeedButton2, {40, 10});
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(form_->Handle()); }, kDesktopWait));
  EXPECT_FALSE(Application->Terminated());
}

// This process plays the running program; BusSearch.exe started again for the same user finds it,
// asks it to show itself and ends at once: no second window, no second tray icon.
TEST_F(MainWindow, ASecondStartBringsBackTheWindowHiddenInTheTrayAndEnds) {
  CreateXian();
  app::TSingleInstance instance;
  ASSERT_TRUE(instance.First()) << "BusSearch already runs for this user";
  instance.Publish(form_->Handle());
  Search(form_->Edit3, "钟楼");
  ASSERT_LT(Rows(), int(all_.size()));
  PostMessageW(form_->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(form_->Handle()); }, kDesktopWait));
  // the icons in the tray, as the shell was told since the window was made
  const auto icons = [] {
    int n = 0;
    for (const test::ShellCall& call : test::ShellCalls())
      n += call.message == NIM_ADD ? 1 : call.message == NIM_DELETE ? -1 : 0;
    return n;
  };
  ASSERT_EQ(icons(), 1);
  const size_t calls = test::ShellCalls().size();

  const test::ChildResult second = test::RunChild(test::BinaryDir() / "BusSearch.exe", {}, 30);
  EXPECT_EQ(second.exitCode, 0);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }, kDesktopWait));
  EXPECT_TRUE(IsWindowVisible(Application->Handle()));  // the taskbar button is back too
  EXPECT_EQ(Rows(), int(all_.size()));                 // as "显示" shows it: every route
  EXPECT_EQ(GetForegroundWindow(), form_->Handle());
  EXPECT_EQ(test::ShellCalls().size(), calls);  // the one icon stays as it was
  EXPECT_EQ(icons(), 1);

  // a second start while the window is up changes nothing but the foreground
  const test::ChildResult third = test::RunChild(test::BinaryDir() / "BusSearch.exe", {}, 30);
  EXPECT_EQ(third.exitCode, 0);
  PumpFor(100);
  EXPECT_TRUE(IsWindowVisible(form_->Handle()));
  EXPECT_EQ(icons(), 1);
}

// "升级数据库" starts the real updater beside the program; it writes the newer routes into the
// database while the window keeps its connection open, and "显示" then shows them.
TEST_F(MainWindow, AfterTheUpdaterRanShowBringsTheNewRoutes) {
  const test::RouteUpdateFiles update = test::NewerXianRoutes();
  test::LoopbackServer server(test::LoopbackServer::Mode::Answer);
  server.Serve("/update/xaway.txt", update.manifest);
  server.Serve(std::string("/update/") + test::kRouteFileName, update.routes);
  PrepareDirectory("[config]\r\ndbName=xaway.db\r\nupdateUrl=" + server.Url("/update/xaway.txt") + "\r\n");
  fs::copy_file(test::BinaryDir() / "update.exe", dir_.Path() / "update.exe");
  Create();
  ASSERT_LT(Rows(), int(update.records));

  test::Click(*form_->SpeedButton2, {40, 10});
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(form_->Handle()); }, kDesktopWait));
  db::Connection reader;
  reader.Open(test::ConnectionStringFor(dir_.Path() / "xaway.db"));
  ASSERT_TRUE(PumpUntil([&] { return db::ReadRouteDataInfo(reader).version == update.version; }, 30000));
  HWND updater = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (updater = FindWindowW(nullptr, L"升级线路数据库")) != nullptr; }, kDesktopWait));
  PostMessageW(updater, WM_CLOSE, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(updater); }, kDesktopWait));
  EXPECT_FALSE(IsWindowVisible(form_->Handle()));  // the updater does not show the window

  ASSERT_EQ(test::ChooseFromTrayMenu(*form_->TrayIcon1, 1), 1);  // "显示"
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }, kDesktopWait));
  EXPECT_EQ(Rows(), int(update.records));
  const std::vector<Record> rows = GridRows(form_->DBGrid1);
  EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [&](const Record& r) {
    return !r.empty() && r[0] == update.addedLine && AnyFieldContains(r, update.newStop);
  }));
  Search(form_->Edit3, update.newStop);
  EXPECT_GE(Rows(), 2);  // the changed line and the new one
}

TEST_F(MainWindow, BannerIsHiddenUntilTheFirstTickThenPlaysWhatTheServerSent) {
  const std::vector<std::uint32_t> palette{0x0000FF, 0x00FF00};
  const std::vector<std::uint8_t> gif = test::WriteGif(100, 20, palette, {test::SolidFrame(0, 0, 100, 20, 0)});
  test::LoopbackServer server(test::LoopbackServer::Mode::Answer, std::string(kBannerPath),
                              std::string(gif.begin(), gif.end()));
  PrepareDirectory("[config]\r\ndbName=xaway.db\r\n");
  Create(server.Url(std::string(kBannerPath)));
  // the banner timer as stored: once, 3 s after the start; the test makes it tick sooner
  EXPECT_EQ(form_->Timer1->Interval(), 3000u);
  EXPECT_TRUE(form_->Timer1->Enabled());
  EXPECT_FALSE(form_->BannerPlayer1->Visible());
  constexpr unsigned kShortTick = 40;
  form_->Timer1->SetInterval(kShortTick);
  ASSERT_TRUE(PumpUntil([&] { return form_->BannerPlayer1->Visible(); }, kDesktopWait));
  ASSERT_TRUE(PumpUntil([&] { return form_->BannerPlayer1->CurrentFrame() == 0; }, 20000));
  TBannerPlayer* box = form_->BannerPlayer1;
  EXPECT_TRUE(PumpUntil(
      [&] { return test::PixelAt(*box, {box->ClientWidth() / 2, box->ClientHeight() / 2}) == RGB(0, 0, 255); },
      kDesktopWait));
  EXPECT_TRUE(fs::exists(dir_.Path() / "qbn"));
  EXPECT_FALSE(form_->Timer1->Enabled());  // once per run
  PumpFor(10 * kShortTick);  // ten intervals: a fixed time, since the check is that no tick comes
  EXPECT_EQ(server.Requests(), std::vector<std::string>{std::string(kBannerPath)});
}

TEST_F(MainWindow, WithoutItsDatabaseTheWindowSaysSoOnceThenReportsEachFailingSearch) {
  PrepareDirectory("", "");  // no config.ini: no database name
  std::unique_ptr<BoxAnswerer> boxes = std::make_unique<BoxAnswerer>();
  Create();
  ASSERT_EQ(boxes->Seen().size(), 2u);
  EXPECT_EQ(boxes->Seen()[0].caption, "提示");
  EXPECT_EQ(boxes->Seen()[0].text, "数据库错误！");
  EXPECT_EQ(boxes->Seen()[0].buttons, 1);
  EXPECT_EQ(boxes->Seen()[1].caption, "Zelvo公交车查询");  // the general error report
  EXPECT_FALSE(boxes->Seen()[1].text.empty());
  // the window as stored: its caption, an empty grid, the stored column widths
  EXPECT_EQ(Caption(), "Zelvo公交车查询--西安");
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(form_->DBGrid1->Columns(0)->Width(), 100);
  EXPECT_EQ(form_->DBGrid1->Columns(1)->Width(), 124);
  EXPECT_EQ(form_->WindowTitle(), "Zelvo公交车查询V2.2.8");
  // a usable window: each search fails with one report, the status stays
  Search(form_->Edit3, "钟楼");
  ASSERT_EQ(boxes->Seen().size(), 3u);
  EXPECT_EQ(boxes->Seen()[2].caption, "Zelvo公交车查询");
  EXPECT_EQ(form_->StatusText(), "");
  boxes.reset();
  // the tray icon is there and its menu works
  EXPECT_EQ(test::ChooseFromTrayMenu(*form_->TrayIcon1, 2), 1);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(form_->Handle()); }, kDesktopWait));
}

// A database the program may read but not write (read-only media, a file without write
// permission): the window starts as usual and every search works; Ctrl+Delete says clearly why the
// record stays.
TEST_F(MainWindow, AReadOnlyDatabaseAnswersSearchesAndCtrlDeleteSaysWhyNothingIsDeleted) {
  PrepareDirectory("[config]\r\ndbName=xaway.db\r\n");
  const fs::path database = dir_.Path() / "xaway.db";
  fs::permissions(database, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::string before = test::ReadFile(database);
  Create();
  all_ = ReadAllRecords(database);
  EXPECT_EQ(Caption(), "Zelvo公交车查询V2.2.8--西安");
  EXPECT_EQ(Rows(), int(all_.size()));
  Search(form_->Edit3, "钟楼");
  EXPECT_TRUE(form_->StatusText().starts_with("查询结果：经过 钟楼 的公交车有：")) << form_->StatusText();
  const int found = Rows();
  EXPECT_GT(found, 0);
  form_->edtFrom->SetFocus();
  Type("钟楼");
  form_->edtTo->SetFocus();
  Type("小寨");
  Press(VK_RETURN);
  EXPECT_TRUE(form_->StatusText().starts_with("查询结果：从 钟楼 到 小寨 的公交车有：")) << form_->StatusText();

  const int rows = Rows();
  BoxAnswerer boxes({IDOK});  // "Delete record?" OK, then the report
  form_->DBGrid1->SetFocus();
  {
    test::HeldKey ctrl(VK_CONTROL);
    Press(VK_DELETE);
  }
  ASSERT_TRUE(PumpUntil([&] { return boxes.Seen().size() == 2; }, kDesktopWait));
  EXPECT_EQ(boxes.Seen()[0].text, "Delete record?");
  EXPECT_EQ(boxes.Seen()[1].caption, "Zelvo公交车查询");  // the general error report
  EXPECT_NE(boxes.Seen()[1].text.find("cannot delete the record: the route database is read-only ("),
            std::string::npos)
      << boxes.Seen()[1].text;
  EXPECT_EQ(Rows(), rows);
  EXPECT_EQ(test::ReadFile(database), before);
}

TEST_F(MainWindow, DatabaseUnderAnotherCaseConnectsWithoutACity) {
  PrepareDirectory("[config]\r\ndbName=XAway.db\r\n", "XAway.db");
  Create();
  all_ = ReadAllRecords(dir_.Path() / "XAway.db");
  EXPECT_EQ(Caption(), "Zelvo公交车查询V2.2.8");
  EXPECT_EQ(Rows(), int(all_.size()));
}

// --- the skin engine -----------------------------------------------------------------------------

// The wrapper class the skin gave a component ("" none): the wrappers it owns.
std::string WrapperOf(TComponent* c) {
  for (int i = 0; i < c->ComponentCount(); ++i)
    if (auto* w = dynamic_cast<TSkinControl*>(c->Components(i))) return w->ClassName();
  return "";
}

TEST_F(MainWindow, TheSkinAdoptsTheWindowGivesItsControlsWrappersAndSkinsTheTrayMenuWhileItIsOpen) {
  // the frame messages the window's own procedure sees from its creation on
  test::WindowLog inner(
      HCBT_CREATEWND,
      [](HWND w) {
        wchar_t name[32] = {};
        GetClassNameW(w, name, 32);
        return std::wstring_view(name) == L"TfrmBusMain";
      },
      {WM_STYLECHANGING, WM_STYLECHANGED, WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO, WM_NCCALCSIZE, WM_NCPAINT,
       WM_NCACTIVATE, WM_ACTIVATE, WM_SIZE, WM_WINDOWPOSCHANGED});
  CreateXian();
  ASSERT_NE(SkinManager, nullptr);
  TSkinForm* object = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (object = SkinManager->FindSkinForm(form_->Handle())) && object->ChildrenSkinned(); },
                        kDesktopWait));
  test::PumpPending();
  ASSERT_EQ(inner.Window(), form_->Handle());
  // made and placed with the platform's frame; adopted at its first activation, where the styles the
  // skin replaces come off while the frame is still the platform's (activation and showing paint
  // it); fitted to the skin's frame around the same client area and given its region, from where on
  // no frame painting reaches the window's own procedure
  test::ExpectSequence(inner.Take(),
                       {{WM_GETMINMAXINFO},
                        {WM_NCCALCSIZE},
                        {WM_WINDOWPOSCHANGING},
                        {WM_GETMINMAXINFO, kOptional},
                        {WM_WINDOWPOSCHANGED},
                        // adopted
                        {WM_STYLECHANGING},
                        {WM_STYLECHANGED},
                        {WM_NCACTIVATE},
                        {WM_ACTIVATE},
                        {WM_WINDOWPOSCHANGING},
                        {WM_NCPAINT, kOptional},
                        {WM_WINDOWPOSCHANGED},
                        {WM_SIZE},
                        // fitted
                        {WM_WINDOWPOSCHANGING},
                        {WM_GETMINMAXINFO, kOptional},
                        {WM_NCCALCSIZE},
                        {WM_WINDOWPOSCHANGED},
                        // the region
                        {WM_WINDOWPOSCHANGING},
                        {WM_NCCALCSIZE},
                        {WM_WINDOWPOSCHANGED}},
                       "main window made and adopted, passed on");
  EXPECT_EQ(object->SkinData(), form_->SkinData1);
  EXPECT_EQ(object->Life(), kLifeReady);
  const std::map<std::string, std::string> expected{
      {"Panel1", "TSkinBox"},         {"CheckBox1", "TSkinCheckBox"},   {"GroupBox1", "TSkinGroupBox"},
      {"Edit3", "TSkinEdit"},         {"Button1", "TSkinSpeedButton"},  {"SpeedButton2", "TSkinSpeedButton"},
      {"StatusBar1", "TSkinStatusBar"}, {"DBGrid1", "TSkinScrollbar"}, {"Memo1", "TSkinScrollbar"},
      {"Button2", "TSkinButton"},     {"Label5", ""},                   {"BannerPlayer1", ""}};
  for (const auto& [name, wrapper] : expected) EXPECT_EQ(WrapperOf(form_->FindComponent(name)), wrapper) << name;
  // the panels take the skin's face colour
  test::PumpPending();
  EXPECT_EQ(test::PixelAt(*form_->Panel1, {4, 4}), ColorToRGB(form_->SkinData1->ButtonFace()));

  // the tray menu's window has its object while it is open, and loses it when it closes
  int checks = 0;
  {
    test::ThreadTimer inspector(15, [&] {
      const HWND menu = FindWindowW(L"#32768", nullptr);
      if (!menu || checks > 0 || !IsWindowVisible(menu)) return;
      ++checks;
      EXPECT_TRUE(SkinManager->IsPopupMenuSkinned(menu));
      EXPECT_EQ(SendMessageW(menu, 0x3504, 0, 0), 1);
    });
    EXPECT_EQ(test::ChooseFromTrayMenu(*form_->TrayIcon1, -1), 1);
  }
  EXPECT_EQ(checks, 1);
  EXPECT_TRUE(SkinManager->PopupMenus().empty());
}

TEST_F(MainWindow, TheSkinsCaptionButtonsMinimiseAndCloseToTheTrayAndTheFrameComesBackWhole) {
  CreateXian();
  const HWND window = form_->Handle();
  TSkinForm* object = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (object = SkinManager->FindSkinForm(window)) && object->ChildrenSkinned(); },
                        kDesktopWait));
  ASSERT_TRUE(object->FrameSkinning());
  test::PumpPending();
  RECT before{};
  GetWindowRect(window, &before);
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  // the window where it was, the styles stripped, the skin's caption painted and the shape cut
  const auto frameIsWhole = [&](const char* when) {
    SCOPED_TRACE(when);
    test::PumpPending();
    RECT now{};
    GetWindowRect(window, &now);
    EXPECT_TRUE(EqualRect(&now, &before));
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE), style);
    EXPECT_EQ(object->WindowState(), kStateNormal);
    const BmpImage picture = test::WindowImage(window);
    EXPECT_GT(test::CountColour(picture, object->TextRect(), 0xFFFFFF), 20) << "the skin's caption text";
    EXPECT_EQ(test::CountColour(picture, {0, 0, picture.width, picture.height}, 0xFF00FF), 0);
    const GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(window, region.Get()), COMPLEXREGION);
  };
  // minimised through the application object: the window hides, the taskbar button brings it back
  ASSERT_TRUE(test::ClickCaptionButton(*object, kActionMinimize));
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(window); }, kDesktopWait));
  EXPECT_TRUE(IsIconic(Application->Handle()));
  PostMessageW(Application->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(window) != 0; }, kDesktopWait));
  frameIsWhole("restored from the taskbar");
  // and again, brought back by the tray menu's "显示"
  ASSERT_TRUE(test::ClickCaptionButton(*object, kActionMinimize));
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(window); }, kDesktopWait));
  ASSERT_EQ(test::ChooseFromTrayMenu(*form_->TrayIcon1, 1), 1);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(window) != 0; }, kDesktopWait));
  frameIsWhole("restored from the tray");
  // the close button hides the window to the tray; the program and its icon stay
  test::ShellCalls().clear();
  ASSERT_TRUE(test::ClickCaptionButton(*object, kActionClose));
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(window); }, kDesktopWait));
  test::PumpPending();
  EXPECT_FALSE(Application->Terminated());
  EXPECT_TRUE(test::ShellCalls().empty());
  ASSERT_EQ(test::ChooseFromTrayMenu(*form_->TrayIcon1, 1), 1);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(window) != 0; }, kDesktopWait));
  frameIsWhole("shown again from the tray");
}

// The skinned scroll bar wrapper of a control, or null.
TSkinScrollbar* ScrollWrapperOf(TComponent* c) {
  for (int i = 0; i < c->ComponentCount(); ++i)
    if (auto* w = dynamic_cast<TSkinScrollbar*>(c->Components(i))) return w;
  return nullptr;
}

// A pixel as the screen shows it.
COLORREF ScreenPixel(POINT p) { return GetPixel(WindowDC().Get(), p.x, p.y); }

TEST_F(MainWindow, TheGridsSkinnedScrollBarsLieUnderThePlanPanelWhichHasItsOwnForTheMemo) {
  CreateXian();
  ASSERT_TRUE(PumpUntil([&] {
    TSkinForm* object = SkinManager->FindSkinForm(form_->Handle());
    return object && object->ChildrenSkinned();
  }, kDesktopWait));
  TSkinScrollbar* grid = ScrollWrapperOf(form_->DBGrid1);
  ASSERT_TRUE(grid && grid->HorzBar() && grid->VertBar());
  const HWND horz = grid->HorzBar()->Handle();
  ASSERT_TRUE(IsWindowVisible(horz)) << "every route: 50 columns do not fit";
  RECT bar{};
  GetWindowRect(horz, &bar);
  const POINT probe{bar.left + 300, (bar.top + bar.bottom) / 2};  // under the plan panel's face
  Settle();
  EXPECT_EQ(WindowFromPoint(probe), horz);
  const COLORREF track = ScreenPixel(probe);

  // the plan panel, made after the grid, covers its bars as it covers the grid
  form_->Panel4->SetLeft(5);
  form_->Panel4->Show();
  Settle();
  EXPECT_EQ(WindowFromPoint(probe), form_->Panel4->Handle());
  EXPECT_NE(ScreenPixel(probe), track);
  // the grid scrolled meanwhile keeps its overlays under the panel
  form_->DBGrid1->SetTopIndex(50);
  Settle();
  EXPECT_EQ(WindowFromPoint(probe), form_->Panel4->Handle());

  // the memo on the panel has overlays of its own, children of the panel
  form_->Memo1->Lines().Assign([] {
    TStringList lines;
    for (int i = 0; i < 60; ++i) lines.Add("方案 " + std::to_string(i));
    return lines;
  }());
  Settle();
  TSkinScrollbar* memo = ScrollWrapperOf(form_->Memo1);
  ASSERT_TRUE(memo && memo->VertBar());
  EXPECT_TRUE(IsWindowVisible(memo->VertBar()->Handle()));
  EXPECT_EQ(GetParent(memo->VertBar()->Handle()), form_->Panel4->Handle());

  form_->Panel4->Hide();
  Settle();
  EXPECT_EQ(WindowFromPoint(probe), horz);
  EXPECT_EQ(ScreenPixel(probe), track);
}

// Last: the quit command ends the message loop for the whole test program.
TEST_F(MainWindow, QuitFromTheTrayMenuEndsTheLoopAndTheIconGoesWithTheWindow) {
  CreateXian();
  ASSERT_EQ(test::ChooseFromTrayMenu(*form_->TrayIcon1, 3), 1);  // "退出"
  EXPECT_TRUE(PumpUntil([] { return Application->Terminated(); }, kDesktopWait));
  test::ShellCalls().clear();
  form_->Free();
  form_ = nullptr;
  ASSERT_FALSE(test::ShellCalls().empty());
  EXPECT_EQ(test::ShellCalls().back().message, DWORD(NIM_DELETE));
}

}  // namespace
}  // namespace bus
