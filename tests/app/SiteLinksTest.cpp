// The link label and the update button of the banner group under Wine: the underline under the
// mouse, the web site opened through the shell (the test prefix logs every address its browser is
// asked to open), and the updater started beside the program while the window hides to the tray.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "core/MakerSite.h"
#include "core/WideText.h"
#include "framework/controls/Application.h"
#include "tests/support/BoxAnswerer.h"
#include "tests/support/DeskForm.h"
#include "tests/support/DesktopTestSupport.h"
#include "tests/support/ShellCallRecorder.h"
#include "tests/support/TestSupport.h"

namespace bus {
namespace {

namespace fs = std::filesystem;
using test::kDesktopWait;
using test::PumpFor;
using test::PumpPending;
using test::PumpUntil;

// Where the prefix logs opened addresses; empty outside the project's Wine prefix.
fs::path OpenedUrlsLog() {
  wchar_t prefix[1024] = {};
  if (!GetEnvironmentVariableW(L"WINEPREFIX", prefix, 1024)) return {};
  return fs::path(L"Z:" + std::wstring(prefix)) / "opened-urls.log";
}

// A left click on a window-less control, delivered by its parent as the mouse would.
void ClickOn(TControl* control) {
  HWND parent = control->Parent()->Handle();
  const LPARAM at = MAKELPARAM(control->Left() + 5, control->Top() + 5);
  PostMessageW(parent, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(parent, WM_LBUTTONUP, 0, at);
}

class SiteLinks : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    test::EnsureApplication();
    test::PrepareDesktopClasses();
  }
  void SetUp() override {
    form_ = Application->CreateForm<test::TfrmDesk>(test::kDeskDescription);
    form_->Timer1->SetEnabled(false);
    form_->appDirectory = test::Utf8(dir_.Path()) + "\\";
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }, kDesktopWait));
    test::ShellCalls().clear();
  }
  void TearDown() override {
    if (form_) form_->Free();
    test::PumpPending();
  }

  test::TempDir dir_;
  test::TfrmDesk* form_ = nullptr;
};

TEST_F(SiteLinks, LinkUnderlinesUnderTheMouseAndOpensTheSite) {
  TLabel* link = form_->Label5;
  EXPECT_EQ(link->Caption(), WebSiteText());
  link->Font()->SetStyle(TFontStyles{fsBold});
  link->Perform(CM_MOUSEENTER);
  EXPECT_EQ(link->Font()->Style(), TFontStyles{fsUnderline});  // underlined only
  link->Font()->SetStyle(TFontStyles{fsUnderline, fsItalic});
  link->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(link->Font()->Style(), TFontStyles{fsItalic});  // the other styles stay
  // the same through the real mouse
  link->Font()->SetStyle(TFontStyles{});
  test::MoveCursor(link->ClientToScreen({link->Width() / 2, link->Height() / 2}), kDesktopWait);
  Application->CheckMouseControl();
  EXPECT_EQ(link->Font()->Style(), TFontStyles{fsUnderline});
  test::MoveCursor(form_->ClientToScreen({5, form_->ClientHeight() - 5}), kDesktopWait);
  Application->CheckMouseControl();
  EXPECT_EQ(link->Font()->Style(), TFontStyles{});

  const fs::path log = OpenedUrlsLog();
  if (log.empty()) GTEST_SKIP() << "not run in the project's Wine prefix";
  std::error_code ec;
  const auto before = fs::exists(log, ec) ? fs::file_size(log, ec) : 0;
  ClickOn(link);
  ASSERT_TRUE(PumpUntil([&] { return fs::exists(log, ec) && fs::file_size(log, ec) > before; }, 15000));
  PumpUntil([&] { return test::ReadFile(log).back() == '\n'; }, 2000);
  const std::string added = test::ReadFile(log).substr(size_t(before));
  EXPECT_EQ(added, WebSiteUrl() + "\n");
  EXPECT_EQ(WebSiteUrl(), "http://www.zelvo.example/");
  EXPECT_TRUE(IsWindowVisible(form_->Handle()));
}

TEST_F(SiteLinks, UpdateButtonHidesToTheTrayAndStartsTheUpdaterBesideTheProgram) {
  fs::copy_file(test::BinaryDir() / "fake_updater.exe", dir_.Path() / "update.exe");
  const fs::path marker = dir_.Path() / "updater-ran.txt";
  ClickOn(form_->SpeedButton2);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(form_->Handle()); }, kDesktopWait));
  EXPECT_FALSE(IsWindowVisible(Application->Handle()));  // no taskbar button either
  EXPECT_FALSE(Application->Terminated());
  EXPECT_TRUE(test::ShellCalls().empty());  // the icon stays
  ASSERT_TRUE(PumpUntil([&] { return fs::exists(marker) && !test::ReadFile(marker).empty(); }, 15000));
  EXPECT_EQ(test::ReadFile(marker), "arguments=0\n");
  // "显示" brings the window back
  form_->TrayIcon1->RestoreMainWindow();
  EXPECT_TRUE(IsWindowVisible(form_->Handle()));
}

// The shell is asked for the updater, answers that there is none, and nobody is told: no box of
// the shell's or the program's (a box would run its own loop inside the click and be answered and
// recorded there).
TEST_F(SiteLinks, AMissingUpdaterIsPassedOverInSilence) {
  test::BoxAnswerer boxes;
  form_->SpeedButton2->Click();
  EXPECT_EQ(form_->updaterAnswer, INT_PTR(SE_ERR_FNF));
  EXPECT_TRUE(boxes.Seen().empty()) << boxes.Seen().front().caption << ": " << boxes.Seen().front().text;
  EXPECT_FALSE(IsWindowVisible(form_->Handle()));
  EXPECT_FALSE(Application->Terminated());
}

}  // namespace
}  // namespace bus
