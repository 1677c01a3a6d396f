// The wrapper base under Wine, tested the way Wine tests its controls: the messages a control
// receives at its window procedure (and what reaches its own processing under the wrapper) while a
// wrapper attaches, while 0x3506 switches it off and on, and while it detaches, compared with
// expected tables; then what attaching changes and gives back, a destroyed window, a raw window,
// a wrapper released while it handles a message, and paints composed off screen one after another
// and one inside another.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/Application.h"
#include "framework/controls/Button.h"
#include "framework/controls/Form.h"
#include "framework/controls/Panel.h"
#include "framework/controls/WindowSubclass.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/SkinControl.h"
#include "skin/control/SkinWrapperHost.h"
#include "skin/data/SkinData.h"
#include "tests/support/SkinWindowsSupport.h"
#include "tests/support/MessageSequence.h"

namespace bus {
namespace {

using test::Expected;
using test::MessageLog;

// A wrapper that counts what the base asks of a kind.
class TCountingWrapper : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  void PaintTo(HDC, const RECT&) override { ++paints; }
  void Detach() override {
    ++detaches;
    TSkinControl::Detach();
  }
  bool BeforeDefault(TMessage& m) override {
    if (m.Msg == kReleaseMe && release) release();
    return TSkinControl::BeforeDefault(m);
  }
  static constexpr UINT kReleaseMe = WM_APP + 40;
  int paints = 0;                   // PaintTo calls
  int detaches = 0;                 // Detach calls
  std::function<void()> release;    // run on kReleaseMe
};

// The messages of these tables.
const std::vector<UINT> kWatched = {WM_GETTEXTLENGTH, WM_GETTEXT, WM_SETTEXT, WM_PAINT, WM_ERASEBKGND, WM_NCPAINT,
                                    kSkinMsgSwitch};

class SkinControlTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { test::StartSkinTestApplication(); }
  void SetUp() override {
    test::GiveTestSkin(skin_);
    form_ = new TForm(Application);
    form_->SetBounds(60, 60, 320, 200);
    button_ = new TButton(form_);
    button_->SetParent(form_);
    button_->SetBounds(10, 10, 100, 30);
    button_->SetCaption("按钮");
    panel_ = new TPanel(form_);
    panel_->SetParent(form_);
    panel_->SetBounds(10, 60, 200, 100);
    form_->Show();
    test::PumpPending();
  }
  void TearDown() override {
    form_->Free();
    test::PumpPending();
  }

  TSkinData skin_{nullptr};
  test::TWrapperList host_;
  TCanvas canvas_;
  TForm* form_ = nullptr;
  TButton* button_ = nullptr;
  TPanel* panel_ = nullptr;
};

TEST_F(SkinControlTest, MessagesWhileAWrapperAttachesIsSwitchedOffAndOnAndDetaches) {
  MessageLog window(button_->Handle(), kWatched);   // at the window procedure
  test::TMessageRecorder control(*button_, kWatched);  // what reaches the control under the wrapper
  auto* wrapper = new TCountingWrapper(button_);
  wrapper->AttachControl(&host_, &skin_, false, &canvas_);
  test::PumpPending();
  const std::vector<Expected> attach = {
      {WM_GETTEXTLENGTH}, {WM_GETTEXT}, {WM_PAINT}, {WM_ERASEBKGND, test::kOptional}};
  test::ExpectSequence(window.Take(), attach, "attach, window");
  test::ExpectSequence(control.Messages(), attach, "attach, control");
  control.Clear();
  EXPECT_EQ(wrapper->paints, 1) << "the skin is drawn over the control's own painting";

  // off: the switch reaches the control too, and painting is the control's own
  SendMessageW(button_->Handle(), kSkinMsgSwitch, 0, 0);
  EXPECT_FALSE(wrapper->Active());
  InvalidateRect(button_->Handle(), nullptr, TRUE);
  test::PumpPending();
  const std::vector<Expected> off = {{kSkinMsgSwitch}, {WM_PAINT}, {WM_ERASEBKGND, test::kOptional}};
  test::ExpectSequence(window.Take(), off, "off, window");
  test::ExpectSequence(control.Messages(), off, "off, control");
  control.Clear();
  EXPECT_EQ(wrapper->paints, 1);

  // on: the wrapper takes the switch and repaints
  SendMessageW(button_->Handle(), kSkinMsgSwitch, 1, 0);
  EXPECT_TRUE(wrapper->Active());
  test::PumpPending();
  test::ExpectSequence(window.Take(), {{kSkinMsgSwitch}, {WM_PAINT}, {WM_ERASEBKGND, test::kOptional}}, "on, window");
  test::ExpectSequence(control.Messages(), {{WM_PAINT}, {WM_ERASEBKGND, test::kOptional}}, "on, control");
  control.Clear();
  EXPECT_EQ(wrapper->paints, 2);

  // detaching a wrapper that did not recolour sends nothing; once freed, it sees nothing more
  wrapper->Detach();
  wrapper->Free();
  test::PumpPending();
  test::ExpectSequence(window.Take(), {}, "detach, window");
  InvalidateRect(button_->Handle(), nullptr, TRUE);
  test::PumpPending();
  test::ExpectSequence(control.Messages(), {{WM_PAINT}, {WM_ERASEBKGND, test::kOptional}}, "after");
  EXPECT_TRUE(host_.list.empty()) << "a freed wrapper leaves its form object's list";
}

TEST_F(SkinControlTest, AttachingRecoloursAndBuffersTheControlAndDetachingGivesBothBack) {
  panel_->SetParentColor(true);
  const TColor before = panel_->Color();
  auto* wrapper = new TCountingWrapper(panel_);
  wrapper->AttachControl(&host_, &skin_, true, &canvas_);
  wrapper->AttachControl(&host_, &skin_, true, &canvas_);  // a second time: nothing
  EXPECT_EQ(host_.list, (std::vector<TSkinControl*>{wrapper}));
  EXPECT_EQ(wrapper->Status(), kWrapperAttached);
  EXPECT_EQ(wrapper->Handle(), panel_->Handle());
  EXPECT_EQ(panel_->Color(), RGBColor(10, 20, 30));
  EXPECT_TRUE(panel_->DoubleBuffered());
  test::PumpPending();
  EXPECT_EQ(wrapper->paints, 1) << "hooked once";

  wrapper->Detach();
  EXPECT_EQ(panel_->Color(), before);
  EXPECT_TRUE(panel_->ParentColor());
  EXPECT_FALSE(panel_->DoubleBuffered());
  wrapper->Free();
}

TEST_F(SkinControlTest, ADestroyedWindowDetachesItsWrapperOnceAndLeavesStatus6) {
  auto* wrapper = new TCountingWrapper(panel_);
  wrapper->AttachControl(&host_, &skin_, true, &canvas_);
  panel_->DestroyHandle();
  EXPECT_EQ(wrapper->Status(), kWrapperGone);
  EXPECT_EQ(wrapper->detaches, 1);
  EXPECT_EQ(panel_->Color(), clBtnFace) << "the colour is given back";
  // a new window of the control is not this wrapper's: the control's handler runs on unhindered
  const HWND again = panel_->Handle();
  EXPECT_NE(again, wrapper->Handle());
  wrapper->Free();
  EXPECT_EQ(wrapper->detaches, 1);
}

TEST_F(SkinControlTest, ARawWindowIsSubclassedReadAndGivenBack) {
  const HWND raw = CreateWindowExW(0, L"BUTTON", L"确定", WS_CHILD | WS_VISIBLE, 120, 10, 80, 24,
                                   form_->Handle(), nullptr, nullptr, nullptr);
  MessageLog window(raw, kWatched);
  const auto original = GetWindowLongPtrW(raw, GWLP_WNDPROC);
  auto* wrapper = new TCountingWrapper(nullptr);
  wrapper->AttachWindow(raw, &skin_, &host_, &canvas_);
  EXPECT_NE(GetWindowLongPtrW(raw, GWLP_WNDPROC), original);
  EXPECT_EQ(wrapper->Caption(), L"确定");
  EXPECT_EQ(wrapper->Status(), kWrapperAttached);
  EXPECT_EQ(wrapper->Control(), nullptr);
  test::PumpPending();
  test::ExpectSequence(window.Take(), {{WM_GETTEXTLENGTH}, {WM_GETTEXT}, {WM_PAINT}, {WM_ERASEBKGND, test::kOptional}},
                       "attach a raw window");
  EXPECT_GE(wrapper->paints, 1);

  // its text follows WM_SETTEXT
  SetWindowTextW(raw, L"取消");
  EXPECT_EQ(wrapper->Caption(), L"取消");

  wrapper->Free();
  EXPECT_EQ(GetWindowLongPtrW(raw, GWLP_WNDPROC), original);
  DestroyWindow(raw);
}

TEST_F(SkinControlTest, AWrapperReleasedWhileItHandlesAMessageGoesWhenTheMessageIsDone) {
  auto* wrapper = new TCountingWrapper(button_);
  wrapper->AttachControl(&host_, &skin_, false, &canvas_);
  bool disposed = false;
  wrapper->release = [&] {
    host_.UnregisterWrapper(wrapper);
    wrapper->Dispose();
    disposed = true;
    // still whole: the rest of this message's handling may use it
    EXPECT_EQ(wrapper->Handle(), button_->Handle());
  };
  EXPECT_EQ(button_->ComponentCount(), 1);
  SendMessageW(button_->Handle(), TCountingWrapper::kReleaseMe, 0, 0);
  EXPECT_TRUE(disposed);
  EXPECT_EQ(button_->ComponentCount(), 0) << "freed once the message was done";
  InvalidateRect(button_->Handle(), nullptr, TRUE);
  test::PumpPending();  // the control paints without it
}

// A wrapper that composes its control's paint off screen and looks at the picture it is given.
class TComposingWrapper : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  bool BeforeDefault(TMessage& m) override {
    if (AnswerPaint(m, true)) return false;
    return TSkinControl::BeforeDefault(m);
  }
  void PaintTo(HDC dc, const RECT& rect) override {
    corner = GetPixel(dc, 0, 0);
    textColour = GetTextColor(dc);
    // the whole picture in its colour and the DC's text colour changed, neither put back
    const GdiObject<HBRUSH> brush(CreateSolidBrush(fill));
    FillRect(dc, &rect, brush.Get());
    SetTextColor(dc, RGB(255, 0, 0));
    if (inside) RedrawWindow(inside, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    afterInside = GetPixel(dc, 5, 5);
  }
  static constexpr COLORREF kMagenta = RGB(255, 0, 255);
  COLORREF fill = kMagenta;            // what it paints
  COLORREF corner = CLR_INVALID;       // the picture's top-left pixel (in the frame) before painting
  COLORREF textColour = CLR_INVALID;   // the DC's text colour then
  COLORREF afterInside = CLR_INVALID;  // a pixel of the picture after the nested paint
  HWND inside = nullptr;               // a window painted at once in the middle of this paint
};

// Gives a panel a one-pixel frame outside its client area, which its own painting never touches.
void GiveBorder(TPanel& panel) {
  const HWND h = panel.Handle();
  SetWindowLongPtrW(h, GWL_STYLE, GetWindowLongPtrW(h, GWL_STYLE) | WS_BORDER);
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

TEST_F(SkinControlTest, ComposedPaintsStartBlackInAFreshDeviceContextOneAfterAnotherAndOneInsideAnother) {
  auto* small = new TPanel(form_);
  small->SetParent(form_);
  small->SetBounds(230, 60, 60, 40);
  GiveBorder(*panel_);
  GiveBorder(*small);
  auto* large = new TComposingWrapper(panel_);
  auto* little = new TComposingWrapper(small);
  little->fill = RGB(0, 128, 0);
  large->AttachControl(&host_, &skin_, false, &canvas_);
  little->AttachControl(&host_, &skin_, false, &canvas_);
  test::PumpPending();

  // the larger control first, then the smaller one: nothing of the first paint reaches the second
  RedrawWindow(panel_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RedrawWindow(small->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(little->corner, RGB(0, 0, 0));
  EXPECT_EQ(little->textColour, RGB(0, 0, 0));

  // the smaller control painted in the middle of the larger one's paint leaves its picture whole
  large->inside = small->Handle();
  little->corner = CLR_INVALID;
  RedrawWindow(panel_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(little->corner, RGB(0, 0, 0));
  EXPECT_EQ(large->afterInside, TComposingWrapper::kMagenta);
  {
    const WindowDC screen = WindowDC::Whole(panel_->Handle());
    EXPECT_EQ(GetPixel(screen.Get(), 5, 5), TComposingWrapper::kMagenta);
  }
  large->Free();
  little->Free();
}

TEST(SkinControlText, WideTextIsReadAndMeasured) {
  test::StartSkinTestApplication();
  const HWND window = CreateWindowExW(0, L"STATIC", L"西安公交", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(GetWindowTextWide(window), L"西安公交");
  {
    const WindowDC dc(window);
    RECT r{0, 0, 0, 0};
    DrawTextWide(dc.Get(), L"西安公交", r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(r.right, 0);
    EXPECT_GT(r.bottom, 0);
  }
  DestroyWindow(window);
  EXPECT_EQ(GetWindowTextWide(nullptr), L"");
}

}  // namespace
}  // namespace bus
