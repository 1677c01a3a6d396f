// The tray icon on a form built from a description, as the program uses it: what the shell is
// told (through a recorder that also passes every call on to the real shell), the mouse actions
// on the icon, the menu with its show, hide and quit items, closing to the tray, minimising to the
// tray, the shell restarting, cycling, and what destruction leaves behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/BmpFile.h"
#include "core/WideText.h"
#include "framework/ClassRegistry.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/Menus.h"
#include "framework/graphics/Icon.h"
#include "tests/support/DesktopTestSupport.h"
#include "tests/support/ShellCallRecorder.h"
#include "tests/support/TrayMenuDriver.h"
#include "tray/TrayIcon.h"

namespace bus {
namespace {

using test::kDesktopWait;
using test::PumpFor;
using test::PumpPending;
using test::PumpUntil;
using test::SendTrayIconMessage;
using test::ShellCall;
using test::ShellCalls;

// --- the shell, recorded ------------------------------------------------------------------

std::vector<DWORD> Messages(size_t from = 0) {
  std::vector<DWORD> m;
  for (size_t i = from; i < ShellCalls().size(); ++i) m.push_back(ShellCalls()[i].message);
  return m;
}

// --- the form -----------------------------------------------------------------------------

class TfrmTray : public TForm {
  BUS_CLASS(TfrmTray)
public:
  explicit TfrmTray(TComponent* owner) : TForm(owner) {
    PublishMethod("FormShow", &TfrmTray::FormShow);
    PublishMethod("FormClose", &TfrmTray::FormClose);
    PublishMethod("N1Click", &TfrmTray::N1Click);
    PublishMethod("N2Click", &TfrmTray::N2Click);
    PublishMethod("N4Click", &TfrmTray::N4Click);
    PublishField("TrayIcon1", &TrayIcon1);
    PublishField("PopupMenu1", &PopupMenu1);
    PublishField("ImageList1", &ImageList1);
  }
  void FormShow(TObject*) { ++shows; }
  void FormClose(TObject*, TCloseAction& action) {
    action = TCloseAction::caNone;
    TrayIcon1->HideMainWindow();
  }
  void N1Click(TObject*) { TrayIcon1->RestoreMainWindow(); }
  void N2Click(TObject*) { TrayIcon1->HideMainWindow(); }
  void N4Click(TObject*) { Application->Terminate(); }

  int shows = 0;
  TTrayIcon* TrayIcon1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TImageList* ImageList1 = nullptr;
};

const TClassInfo& TfrmTray::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TfrmTray>("TfrmTray", TForm::StaticClassInfo()).Build();
  return info;
}

// Two 16 × 16 images: red, then green.
std::string ImageStripHex() {
  BmpImage strip(32, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) {
      std::uint8_t* p = strip.Row(y) + 4 * x;
      p[0] = 0;
      p[1] = x < 16 ? 0 : 255;
      p[2] = x < 16 ? 255 : 0;
      p[3] = 255;
    }
  std::string hex;
  char byte[3];
  for (std::uint8_t b : EncodeBmp(strip, 24)) {
    std::snprintf(byte, sizeof byte, "%02X", b);
    hex += byte;
  }
  return hex;
}

std::string Description(const std::string& trayExtras = "") {
  return R"(
object frmTray: TfrmTray
  Left = 200
  Top = 150
  ClientWidth = 320
  ClientHeight = 200
  BorderStyle = bsSingle
  Caption = 'tray'
  Visible = True
  OnShow = FormShow
  OnClose = FormClose
  object TrayIcon1: TTrayIcon
    IconList = ImageList1
    Hint = '西安公交查询'
    ShowHint = True
    IconIndex = 0
    PopupMenu = PopupMenu1
)" + trayExtras + R"(
  end
  object PopupMenu1: TPopupMenu
    object N1: TMenuItem
      Caption = '显示'
      OnClick = N1Click
    end
    object N2: TMenuItem
      Caption = '隐藏'
      OnClick = N2Click
    end
    object N3: TMenuItem
      Caption = '-'
    end
    object N4: TMenuItem
      Caption = '退出'
      OnClick = N4Click
    end
  end
  object ImageList1: TImageList
    Bitmap = {)" + ImageStripHex() + R"(}
  end
end
)";
}

class TrayIcon : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    test::EnsureApplication().SetTitle("托盘测试");
    RegisterTrayClasses();
    test::RecordShellCalls();
  }
  void SetUp() override {
    appProc_ = GetWindowLongPtrW(Application->Handle(), GWLP_WNDPROC);
    ShellCalls().clear();
  }
  void Create(const std::string& trayExtras = "") {
    form_ = Application->CreateForm<TfrmTray>(Description(trayExtras));
    tray_ = form_->TrayIcon1;
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }, kDesktopWait));
  }
  void TearDown() override {
    if (form_) form_->Free();
    form_ = nullptr;
    test::PumpPending();
  }

  LONG_PTR appProc_ = 0;
  TfrmTray* form_ = nullptr;
  TTrayIcon* tray_ = nullptr;
};

TEST_F(TrayIcon, AddsItsIconAtStartWithImageZeroAndTheTipAndRemovesItAtTheEnd) {
  Create();
  // nothing reached the shell while the description was read; Loaded refreshes, then adds
  ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_MODIFY, NIM_ADD}));
  const ShellCall& add = ShellCalls()[1];
  EXPECT_EQ(add.data.cbSize, DWORD(NOTIFYICONDATAW_V1_SIZE));
  EXPECT_EQ(add.data.hWnd, tray_->Handle());
  EXPECT_EQ(add.data.uID, 1u);
  EXPECT_EQ(add.data.uFlags, 7u);
  EXPECT_EQ(add.data.uCallbackMessage, 0x800u);
  EXPECT_EQ(Narrow(add.data.szTip), "西安公交查询");
  EXPECT_EQ(add.iconCentre, RGB(255, 0, 0));  // image 0 of the list
  EXPECT_TRUE(add.answer);                    // the real shell took it
  EXPECT_TRUE(tray_->IconVisible());

  // the hidden window is a real window; the owner's and the application's procedures are hooked
  HWND hidden = tray_->Handle();
  EXPECT_TRUE(IsWindow(hidden));
  EXPECT_NE(GetWindowLongPtrW(Application->Handle(), GWLP_WNDPROC), appProc_);

  ShellCalls().clear();
  form_->Free();
  form_ = nullptr;
  // (the image list goes first and the icon drops it), then the icon is deleted, last
  ASSERT_FALSE(ShellCalls().empty());
  const ShellCall& last = ShellCalls().back();
  EXPECT_EQ(last.message, DWORD(NIM_DELETE));
  EXPECT_EQ(last.data.hWnd, hidden);
  EXPECT_EQ(last.data.uID, 1u);
  EXPECT_TRUE(last.answer);
  const std::vector<DWORD> calls = Messages();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), DWORD(NIM_ADD)), 0);
  EXPECT_FALSE(IsWindow(hidden));
  EXPECT_EQ(GetWindowLongPtrW(Application->Handle(), GWLP_WNDPROC), appProc_);
}

TEST_F(TrayIcon, OnlyTheRightButtonPressOpensTheMenu) {
  Create();
  // left click and double click do nothing in this program: no handlers, no default item
  EXPECT_EQ(SendTrayIconMessage(*tray_, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(SendTrayIconMessage(*tray_, WM_LBUTTONUP), 0);
  EXPECT_EQ(SendTrayIconMessage(*tray_, WM_LBUTTONDBLCLK), 0);
  EXPECT_EQ(SendTrayIconMessage(*tray_, WM_RBUTTONUP), 0);
  EXPECT_EQ(SendTrayIconMessage(*tray_, WM_RBUTTONDBLCLK), 0);
  EXPECT_TRUE(IsWindowVisible(form_->Handle()));
  EXPECT_EQ(form_->shows, 1);
  // the press of the right button opens it, and the menu knows who asked
  EXPECT_EQ(SendTrayIconMessage(*tray_, WM_RBUTTONDOWN), 1);
  EXPECT_EQ(form_->PopupMenu1->PopupComponent(), tray_);
  // a disabled icon ignores the mouse
  tray_->SetEnabled(false);
  EXPECT_EQ(SendTrayIconMessage(*tray_, WM_RBUTTONDOWN), 0);
}

TEST_F(TrayIcon, MouseEventsClickOnReleaseAndTheDoubleClickChoosesTheDefaultItem) {
  Create();
  std::vector<std::string> seen;
  tray_->OnClick = TNotifyEvent([&](TObject*) { seen.push_back("click"); });
  tray_->OnDblClick = TNotifyEvent([&](TObject*) { seen.push_back("dblclick"); });
  tray_->OnMouseDown = TMouseEvent([&](TObject*, TMouseButton b, TShiftState s, int, int) {
    seen.push_back(std::string("down ") + (b == TMouseButton::mbLeft ? "left" : b == TMouseButton::mbRight ? "right" : "middle") +
                   (s.Contains(TShiftStateFlag::ssLeft) ? " +L" : "") + (s.Contains(TShiftStateFlag::ssMiddle) ? " +M" : ""));
  });
  tray_->OnMouseUp = TMouseEvent([&](TObject*, TMouseButton, TShiftState, int, int) { seen.push_back("up"); });
  SendTrayIconMessage(*tray_, WM_LBUTTONUP);  // a release without a press: no click
  SendTrayIconMessage(*tray_, WM_LBUTTONDOWN);
  SendTrayIconMessage(*tray_, WM_LBUTTONUP);
  SendTrayIconMessage(*tray_, WM_MBUTTONDOWN);
  EXPECT_EQ(seen, (std::vector<std::string>{"up", "down left +L", "click", "up", "down middle +M"}));

  // with a default item a double click chooses it: "隐藏" hides the window
  form_->PopupMenu1->Items()->Items(1)->SetDefault(true);
  form_->PopupMenu1->Items()->Items(3)->SetDefault(false);
  seen.clear();
  EXPECT_EQ(SendTrayIconMessage(*tray_, WM_LBUTTONDBLCLK), 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"dblclick"}));
  EXPECT_FALSE(IsWindowVisible(form_->Handle()));
  // of two default items the first wins: "显示" brings it back
  form_->PopupMenu1->Items()->Items(0)->SetDefault(true);
  SendTrayIconMessage(*tray_, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(IsWindowVisible(form_->Handle()));
  // unless the left button pops up the menu itself
  tray_->SetLeftPopup(true);
  seen.clear();
  EXPECT_EQ(SendTrayIconMessage(*tray_, WM_LBUTTONDOWN), 1);
  EXPECT_EQ(seen, (std::vector<std::string>{"down left +L"}));
}

TEST_F(TrayIcon, MenuHidesAndShowsTheWindowWithItsTaskbarButton) {
  Create();
  auto* items = form_->PopupMenu1->Items();
  ASSERT_EQ(items->Count(), 4);
  EXPECT_EQ(items->Items(0)->Caption(), "显示");
  EXPECT_EQ(items->Items(1)->Caption(), "隐藏");
  EXPECT_TRUE(items->Items(2)->IsLine());
  EXPECT_EQ(items->Items(3)->Caption(), "退出");
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(items->Items(i)->Default());
  HWND app = Application->Handle();

  // "隐藏": the window and the application window (the taskbar button) go; the icon stays
  ShellCalls().clear();
  ASSERT_EQ(SendTrayIconMessage(*tray_, WM_RBUTTONDOWN, 2), 1);
  EXPECT_FALSE(IsWindowVisible(form_->Handle()));
  EXPECT_FALSE(IsWindowVisible(app));
  EXPECT_EQ(Messages(), std::vector<DWORD>{});

  // "显示": both come back and the form's OnShow runs again
  ASSERT_EQ(SendTrayIconMessage(*tray_, WM_RBUTTONDOWN, 1), 1);
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }, kDesktopWait));
  EXPECT_TRUE(IsWindowVisible(app));
  EXPECT_EQ(form_->shows, 2);
  // "显示" on a visible window behind another only brings it forward (through the item's handler:
  // opening the menu brings the window forward by itself)
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(other);
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other; }, kDesktopWait));
  form_->N1Click(nullptr);
  EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == form_->Handle(); }, kDesktopWait));
  EXPECT_EQ(form_->shows, 2);
  EXPECT_TRUE(IsWindowVisible(form_->Handle()));
  DestroyWindow(other);

  // the close button hides to the tray as well; the program goes on
  SendMessageW(form_->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(form_->Handle()));
  EXPECT_FALSE(IsWindowVisible(app));
  EXPECT_FALSE(Application->Terminated());
  EXPECT_EQ(Messages(), std::vector<DWORD>{});
  tray_->RestoreMainWindow();
  EXPECT_TRUE(IsWindowVisible(form_->Handle()));
  EXPECT_TRUE(IsWindowVisible(app));
  EXPECT_EQ(form_->shows, 3);
}

TEST_F(TrayIcon, MinimisingHidesToTheTrayWhenAsked) {
  Create("    MinimizeToTray = True\n");
  ShellCalls().clear();
  SendMessageW(Application->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(Application->Handle()); }, kDesktopWait));
  EXPECT_FALSE(IsWindowVisible(form_->Handle()));
  EXPECT_FALSE(form_->Visible());
  // the icon is made sure of
  EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD}));
  tray_->RestoreMainWindow();
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }, kDesktopWait));
}

TEST_F(TrayIcon, PutsItsIconBackWhenTheShellRestarts) {
  Create();
  const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  ShellCalls().clear();
  SendMessageW(tray_->Handle(), taskbarCreated, 0, 0);
  ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD}));
  EXPECT_EQ(Narrow(ShellCalls()[0].data.szTip), "西安公交查询");
  // a hidden icon stays hidden
  tray_->SetIconVisible(false);
  ShellCalls().clear();
  SendMessageW(tray_->Handle(), taskbarCreated, 0, 0);
  EXPECT_EQ(Messages(), std::vector<DWORD>{});
  // and the shell may close the session whenever it likes
  EXPECT_EQ(SendMessageW(tray_->Handle(), WM_QUERYENDSESSION, 0, 0), 1);
}

TEST_F(TrayIcon, TipFollowsHintAndShowHintAndIsCutToTheRecord) {
  Create();
  ShellCalls().clear();
  tray_->SetShowHint(false);
  tray_->SetHint("北京公交查询");
  tray_->SetShowHint(true);
  ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_MODIFY, NIM_MODIFY, NIM_MODIFY}));
  EXPECT_EQ(Narrow(ShellCalls()[0].data.szTip), "");
  EXPECT_EQ(Narrow(ShellCalls()[1].data.szTip), "");
  EXPECT_EQ(Narrow(ShellCalls()[2].data.szTip), "北京公交查询");
  // 63 units at most; a character outside the basic plane is never cut in half
  std::string longHint(62, 'x');
  longHint += "😀tail";
  tray_->SetHint(longHint);
  EXPECT_EQ(Narrow(ShellCalls().back().data.szTip), std::string(62, 'x'));
  tray_->SetHint(std::string(70, 'y'));
  EXPECT_EQ(Narrow(ShellCalls().back().data.szTip), std::string(63, 'y'));
}

TEST_F(TrayIcon, CyclesThroughTheImagesAndDropsAFreedImageList) {
  Create();
  // image 1 is green; an index past the end takes the last image
  tray_->SetIconIndex(5);
  EXPECT_EQ(tray_->IconIndex(), 1);
  EXPECT_EQ(ShellCalls().back().iconCentre, RGB(0, 255, 0));
  std::vector<int> cycled;
  tray_->OnCycle = TTrayCycleEvent([&](TObject*, int index) { cycled.push_back(index); });
  tray_->SetCycleInterval(30);
  tray_->SetCycleIcons(true);
  EXPECT_EQ(tray_->IconIndex(), 0);
  EXPECT_TRUE(PumpUntil([&] { return cycled.size() >= 3; }, kDesktopWait));
  tray_->SetCycleIcons(false);
  EXPECT_EQ(std::vector<int>(cycled.begin(), cycled.begin() + 3), (std::vector<int>{0, 1, 0}));
  const size_t after = cycled.size();
  PumpFor(150);  // five times the interval: a fixed time, since the check is that no step comes
  EXPECT_EQ(cycled.size(), after);  // stopped
  // the image list goes: the reference is dropped and the index falls back to 0
  form_->ImageList1->Free();
  EXPECT_EQ(tray_->IconList(), nullptr);
  EXPECT_EQ(tray_->IconIndex(), 0);
  form_->PopupMenu1->Free();
  EXPECT_EQ(tray_->PopupMenu(), nullptr);
  EXPECT_EQ(SendTrayIconMessage(*tray_, WM_RBUTTONDOWN), 0);
}

TEST_F(TrayIcon, QuitEndsTheMessageLoopAndDestructionRemovesTheIcon) {
  Create();
  ASSERT_EQ(SendTrayIconMessage(*tray_, WM_RBUTTONDOWN, 3), 1);
  EXPECT_TRUE(PumpUntil([] { return Application->Terminated(); }, kDesktopWait));
  ShellCalls().clear();
  form_->Free();
  form_ = nullptr;
  ASSERT_FALSE(ShellCalls().empty());
  EXPECT_EQ(ShellCalls().back().message, DWORD(NIM_DELETE));
}

}  // namespace
}  // namespace bus
