// The widget layer under Wine: a form built from a description with every control kind, its
// creation and show order, closing, the message sequences of mouse enter/leave, focus and
// enabled changes, outside subclassing, the error report, painting and resource release.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

#include "core/WideText.h"
#include "framework/ClassRegistry.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/FrameworkClasses.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/Menus.h"
#include "framework/controls/ObjectInstance.h"
#include "framework/controls/Screen.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/Timer.h"
#include "framework/graphics/GdiHandles.h"
#include "tests/support/BoxAnswerer.h"
#include "tests/support/MenuAnswerer.h"
#include "tests/support/GdiObjectCount.h"
#include "tests/support/WindowTestSupport.h"

namespace bus {
namespace {

std::vector<std::string> gLog;  // what the form's handlers saw, in order

class TTestLabel : public TLabel {
  BUS_CLASS(TTestLabel)
public:
  using TLabel::TLabel;

protected:
  void Loaded() override {
    TLabel::Loaded();
    gLog.push_back("Loaded " + Name());
  }
};

const TClassInfo& TTestLabel::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTestLabel>("TTestLabel", TLabel::StaticClassInfo()).Creatable().Build();
  return info;
}

class TfrmTest : public TForm {
  BUS_CLASS(TfrmTest)
public:
  explicit TfrmTest(TComponent* owner) : TForm(owner) {
    PublishMethod("FormCreate", &TfrmTest::FormCreate);
    PublishMethod("FormShow", &TfrmTest::FormShow);
    PublishMethod("FormClose", &TfrmTest::FormClose);
    PublishMethod("Button1Click", &TfrmTest::Button1Click);
    PublishMethod("LabelEnter", &TfrmTest::LabelEnter);
    PublishMethod("LabelLeave", &TfrmTest::LabelLeave);
    PublishMethod("EditKeyDown", &TfrmTest::EditKeyDown);
    PublishMethod("N1Click", &TfrmTest::N1Click);
    PublishField("Edit1", &Edit1);
    PublishField("Edit2", &Edit2);
    PublishField("Label1", &Label1);
    PublishField("Button1", &Button1);
    PublishField("CheckBox1", &CheckBox1);
    PublishField("Panel1", &Panel1);
    PublishField("StatusBar1", &StatusBar1);
    PublishField("Memo1", &Memo1);
  }
  void FormCreate(TObject*) { gLog.push_back(std::string("FormCreate visible=") + (IsWindowVisible(HandleIfAllocated()) ? "1" : "0")); }
  void FormShow(TObject*) {
    gLog.push_back(std::string("FormShow visible=") + (HandleAllocated() && IsWindowVisible(Handle()) ? "1" : "0"));
  }
  void FormClose(TObject*, TCloseAction& action) {
    gLog.push_back("FormClose");
    action = closeAction;
  }
  void Button1Click(TObject*) {
    gLog.push_back("Button1Click");
    if (throwOnClick) throw Exception("the handler failed");
  }
  void LabelEnter(TObject* s) { gLog.push_back("enter " + static_cast<TComponent*>(s)->Name()); }
  void LabelLeave(TObject* s) { gLog.push_back("leave " + static_cast<TComponent*>(s)->Name()); }
  void EditKeyDown(TObject* s, unsigned short& key, TShiftState) {
    gLog.push_back("keydown " + static_cast<TComponent*>(s)->Name() + " " + std::to_string(key));
  }
  void N1Click(TObject*) { gLog.push_back("N1Click"); }

  TCloseAction closeAction = TCloseAction::caNone;
  bool throwOnClick = false;
  TEdit* Edit1 = nullptr;
  TEdit* Edit2 = nullptr;
  TLabel* Label1 = nullptr;
  TSpeedButton* Button1 = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TPanel* Panel1 = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TMemo* Memo1 = nullptr;
};

const TClassInfo& TfrmTest::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TfrmTest>("TfrmTest", TForm::StaticClassInfo()).Build();
  return info;
}

const char* const kDescription = R"(
object frmTest: TfrmTest
  Left = 100
  Top = 80
  ClientWidth = 400
  ClientHeight = 300
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu, biMinimize, biMaximize]
  FormStyle = fsStayOnTop
  Position = poDesktopCenter
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Caption = '测试窗口'
  Visible = True
  OnCreate = FormCreate
  OnShow = FormShow
  OnClose = FormClose
  object Panel1: TPanel
    Align = alBottom
    Height = 120
    Width = 400
    BevelOuter = bvNone
    Ctl3D = False
    Color = $00FF8000
    object GroupBox1: TGroupBox
      Left = 8
      Top = 4
      Width = 200
      Height = 60
      Caption = '输入站点'
      object Edit1: TEdit
        Left = 10
        Top = 20
        Width = 120
        Height = 19
        TabOrder = 0
        OnKeyDown = EditKeyDown
      end
      object Label1: TTestLabel
        Left = 140
        Top = 22
        Width = 50
        Height = 13
        AutoSize = False
        Caption = '网址'
        Cursor = crHandPoint
        Font.Color = clBlue
        OnMouseEnter = LabelEnter
        OnMouseLeave = LabelLeave
      end
    end
    object Edit2: TEdit
      Left = 220
      Top = 24
      Width = 100
      Height = 19
      TabOrder = 1
      OnKeyDown = EditKeyDown
    end
    object CheckBox1: TCheckBox
      Left = 220
      Top = 50
      Width = 97
      Height = 17
      Caption = '模糊查询'
      Checked = True
      TabOrder = 2
    end
    object Button1: TSpeedButton
      Left = 330
      Top = 20
      Width = 60
      Height = 23
      Caption = '查询'
      OnClick = Button1Click
    end
    object StatusBar1: TStatusBar
      SizeGrip = False
      Panels = <
        item Width = 100 end
        item Width = 200 Text = 'ready' end
        item Width = 50 end
      >
    end
  end
  object Memo1: TMemo
    Left = 8
    Top = 8
    Width = 384
    Height = 160
    Anchors = [akLeft, akTop, akRight, akBottom]
    ScrollBars = ssVertical
    Lines = ('line one' 'line two')
  end
  object Timer1: TTimer
    Interval = 60000
  end
  object ImageList1: TImageList
  end
  object PopupMenu1: TPopupMenu
    object N1: TMenuItem
      Caption = '显示'
      OnClick = N1Click
    end
    object N2: TMenuItem
      Caption = '-'
    end
  end
end
)";

using test::MoveCursor;
using test::PumpFor;
using test::PumpPending;
using test::PumpUntil;

const POINT kNowhere{1000, 740};  // a point of the bare desktop

class FormWindow : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    test::EnsureApplication();
    RegisterClasses({&TTestLabel::StaticClassInfo()});
  }
  void SetUp() override {
    MoveCursor(kNowhere);  // where no test form lies
    gLog.clear();
    form_ = Application->CreateForm<TfrmTest>(kDescription);
    PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; });
    PumpPending();
  }
  void TearDown() override {
    if (form_) form_->Free();
    PumpPending();
  }

  TfrmTest* form_ = nullptr;
};

TEST_F(FormWindow, LoadedBeforeOnCreateAndOnShowBeforeTheWindowAppears) {
  EXPECT_EQ(gLog, (std::vector<std::string>{"Loaded Label1", "FormCreate visible=0", "FormShow visible=0"}));
  EXPECT_EQ(Application->MainForm(), form_);
  wchar_t cls[64] = {};
  GetClassNameW(form_->Handle(), cls, 64);
  EXPECT_STREQ(cls, L"TfrmTest");
  EXPECT_EQ(GetWindow(form_->Handle(), GW_OWNER), Application->Handle());
  GetClassNameW(Application->Handle(), cls, 64);
  EXPECT_STREQ(cls, L"TApplication");
  const LONG style = GetWindowLongW(form_->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(GetWindowLongW(form_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(form_->ClientWidth(), 400);
  EXPECT_EQ(form_->ClientHeight(), 300);
  // centred in the work area when first shown
  RECT work{}, window{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(form_->Handle(), &window);
  EXPECT_LE(std::abs((window.left + window.right) - (work.left + work.right)), 2);
  EXPECT_LE(std::abs((window.top + window.bottom) - (work.top + work.bottom)), 2);
  wchar_t text[64] = {};
  GetWindowTextW(form_->Handle(), text, 64);
  EXPECT_EQ(Narrow(text), "测试窗口");
  // children: alignment, anchors, values
  EXPECT_EQ(form_->Panel1->Top(), 180);
  EXPECT_EQ(form_->Panel1->Width(), 400);
  EXPECT_EQ(form_->StatusBar1->Top(), 120 - form_->StatusBar1->Height());
  EXPECT_EQ(form_->Memo1->Lines().Count(), 2);
  EXPECT_TRUE(form_->CheckBox1->Checked());
  EXPECT_EQ(SendMessageW(form_->CheckBox1->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_FALSE(GetWindowLongW(form_->Edit2->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);  // flat panel
  EXPECT_EQ(form_->Label1->Font()->Color(), clBlue);
  EXPECT_EQ(form_->Edit1->Font()->Name(), "MS Sans Serif");
  // first activation focuses the first tab stop
  EXPECT_TRUE(PumpUntil([&] { return form_->Edit1->Focused(); }));
}

TEST_F(FormWindow, ControlsListedLaterLieAboveEarlierOnes) {
  // the memo, listed after the panel, is the top child; a window made again keeps its place
  HWND top = GetWindow(form_->Handle(), GW_CHILD);
  EXPECT_EQ(top, form_->Memo1->Handle());
  EXPECT_EQ(GetWindow(top, GW_HWNDNEXT), form_->Panel1->Handle());
  // inside the panel: the status bar (last) on top, the group box (first) at the bottom
  EXPECT_EQ(GetWindow(form_->Panel1->Handle(), GW_CHILD), form_->StatusBar1->Handle());
  EXPECT_EQ(GetWindow(form_->StatusBar1->Handle(), GW_HWNDLAST), form_->Edit1->Parent()->Handle());
  // where they overlap, the later one is what the pointer finds
  form_->Memo1->SetBounds(8, 150, 384, 100);
  const POINT overlap = form_->ClientToScreen({100, 220});
  EXPECT_EQ(WindowFromPoint(overlap), form_->Memo1->Handle());
}

TEST_F(FormWindow, AnchorsFollowTheParentFromTheDesignPosition) {
  form_->SetClientSize(500, 360);
  PumpPending();
  EXPECT_EQ(form_->Memo1->Width(), 484);
  EXPECT_EQ(form_->Memo1->Height(), 220);
  // a temporary change leaves no drift
  form_->SetClientSize(300, 250);
  form_->SetClientSize(400, 300);
  PumpPending();
  EXPECT_EQ(form_->Memo1->Width(), 384);
  EXPECT_EQ(form_->Memo1->Height(), 160);
}

TEST_F(FormWindow, CloseWithActionNoneKeepsTheProgramAndTheForm) {
  SendMessageW(form_->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(gLog.back(), "FormClose");
  EXPECT_TRUE(IsWindowVisible(form_->Handle()));
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  // hiding and showing again runs OnShow each time the form becomes visible, and only then
  gLog.clear();
  form_->Hide();
  form_->Show();
  form_->Show();
  EXPECT_EQ(gLog, (std::vector<std::string>{"FormShow visible=0"}));
}

TEST_F(FormWindow, CloseActionsOfAFormThatIsNotTheMainForm) {
  TForm* other = new TForm(Application);
  other->SetBounds(10, 10, 200, 100);
  TCloseAction action = TCloseAction::caHide;
  int hides = 0;
  other->OnClose = TCloseEvent([&](TObject*, TCloseAction& a) { a = action; });
  other->OnHide = TNotifyEvent([&](TObject*) { ++hides; });
  other->Show();
  HWND h = other->Handle();
  other->Close();  // hide (the default)
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_FALSE(other->Visible());
  EXPECT_EQ(hides, 1);
  other->Show();
  action = TCloseAction::caMinimize;
  other->Close();
  EXPECT_TRUE(IsIconic(h));
  action = TCloseAction::caFree;
  const int forms = Screen().FormCount();
  SendMessageW(h, WM_CLOSE, 0, 0);  // freed once the messages being handled are done
  EXPECT_TRUE(IsWindow(h));
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(h); }));
  EXPECT_EQ(Screen().FormCount(), forms - 1);
  // none of it ended the program
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

// The exact sequence, checked at given points (the pointer itself stays away, so nothing else
// interleaves).
TEST_F(FormWindow, MouseEnterAndLeaveOverAWindowlessControl) {
  std::vector<std::string> seen;
  TWndMethod saved = form_->Label1->WindowProc();
  form_->Label1->SetWindowProc([&](TMessage& m) {
    if (m.Msg == CM_MOUSEENTER) seen.push_back("0xB013");
    if (m.Msg == CM_MOUSELEAVE) seen.push_back("0xB014");
    saved(m);
  });
  const POINT inLabel = form_->Label1->ClientToScreen({5, 5});
  const POINT inEdit = form_->Edit1->ClientToScreen({5, 5});
  Application->CheckMouseControl(inEdit);
  gLog.clear();
  Application->CheckMouseControl(inLabel);
  Application->CheckMouseControl(inLabel);
  Application->CheckMouseControl(inEdit);
  EXPECT_EQ(seen, (std::vector<std::string>{"0xB013", "0xB014"}));
  EXPECT_EQ(gLog, (std::vector<std::string>{"enter Label1", "leave Label1"}));
  EXPECT_EQ(Application->MouseControl(), form_->Edit1);
  form_->Label1->SetWindowProc(saved);
}

// Driven by the message loop and the platform's leave tracking alone. (Wine may put the pointer
// back for a moment after a move, which shows as an extra leave and enter: the test asks for the
// pairs, not their count.)
TEST_F(FormWindow, MouseLeavesWhenThePointerLeavesTheProgramAndWindowedControlsHearItToo) {
  std::vector<std::string> seen;
  auto record = [&](TControl& c) {
    return std::make_unique<test::TMessageRecorder>(c, std::vector<UINT>{CM_MOUSEENTER, CM_MOUSELEAVE});
  };
  auto edit = record(*form_->Edit1), label = record(*form_->Label1);
  MoveCursor(form_->Edit1->ClientToScreen({5, 5}));
  EXPECT_TRUE(PumpUntil([&] { return edit->Count(CM_MOUSEENTER) > 0; }));
  MoveCursor(form_->Label1->ClientToScreen({5, 5}));
  EXPECT_TRUE(PumpUntil([&] { return label->Count(CM_MOUSEENTER) > 0; }));
  MoveCursor(kNowhere);
  EXPECT_TRUE(PumpUntil([&] { return Application->MouseControl() == nullptr; }));
  // each control heard enter and leave in turn, ending with a leave
  for (const auto* r : {edit.get(), label.get()}) {
    ASSERT_FALSE(r->Seen().empty());
    for (size_t i = 0; i < r->Seen().size(); ++i)
      EXPECT_EQ(r->Seen()[i].Msg, i % 2 == 0 ? CM_MOUSEENTER : CM_MOUSELEAVE);
    EXPECT_EQ(r->Seen().back().Msg, CM_MOUSELEAVE);
  }
}

// The pointer resting on a control's frame (here the memo's scroll bar) is watched there: the
// leave tracking settles instead of being asked for again after every leave. Messages are handled
// one at a time, so the test ends even when the tracking never settles.
TEST_F(FormWindow, ThePointerRestingOnAScrollBarIsTrackedThereAndSettles) {
  RECT client{};
  GetClientRect(form_->Memo1->Handle(), &client);
  const POINT onScrollBar = form_->Memo1->ClientToScreen({client.right + 4, 20});
  SetCursorPos(onScrollBar.x, onScrollBar.y);
  int leaves = 0, handled = 0;
  const DWORD end = GetTickCount() + 400;
  while (GetTickCount() < end && handled < 5000) {
    MSG m;
    if (!PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE)) {
      SetCursorPos(onScrollBar.x, onScrollBar.y);
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      continue;
    }
    if (m.message == WM_MOUSELEAVE || m.message == WM_NCMOUSELEAVE) ++leaves;
    Application->HandleMessage();
    ++handled;
  }
  EXPECT_LT(leaves, 5);
  EXPECT_EQ(Application->MouseControl(), form_->Memo1);
  // and from the frame into the client area the tracking follows
  MoveCursor(form_->Memo1->ClientToScreen({20, 20}));
  MoveCursor(kNowhere);
  EXPECT_TRUE(PumpUntil([&] { return Application->MouseControl() == nullptr; }));
}

TEST_F(FormWindow, APressedSpeedButtonKeepsTheMouseAndClicksOnlyWhenReleasedOverIt) {
  test::TMessageRecorder button(*form_->Button1, {WM_LBUTTONUP});
  HWND panel = form_->Panel1->Handle();
  const POINT in{form_->Button1->Left() + 5, form_->Button1->Top() + 5};
  gLog.clear();
  SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(in.x, in.y));
  EXPECT_TRUE(form_->Button1->Pressed());
  EXPECT_EQ(GetCapture(), panel);
  SendMessageW(panel, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));  // dragged off: drawn up
  EXPECT_FALSE(form_->Button1->Pressed());
  SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(button.Messages(), std::vector<UINT>{WM_LBUTTONUP});  // the release outside still went to the button
  EXPECT_LT(short(LOWORD(button.Seen()[0].LParam)), 0);
  EXPECT_TRUE(gLog.empty());
  EXPECT_NE(GetCapture(), panel);
  SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(in.x, in.y));
  SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(in.x, in.y));
  EXPECT_EQ(gLog, (std::vector<std::string>{"Button1Click"}));
}

TEST_F(FormWindow, ACheckBoxClickComesBackReflectedAndKeepsTheNativeStateInStep) {
  int clicks = 0;
  form_->CheckBox1->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
  test::TMessageRecorder box(*form_->CheckBox1, {BM_SETCHECK, CN_COMMAND});
  HWND h = form_->CheckBox1->Handle();
  SendMessageW(h, BM_CLICK, 0, 0);  // the native click: BN_CLICKED to the parent, reflected back
  EXPECT_FALSE(form_->CheckBox1->Checked());
  EXPECT_EQ(SendMessageW(h, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // the reflected notification, then the state put back into the window
  EXPECT_EQ(box.Messages(), (std::vector<UINT>{CN_COMMAND, BM_SETCHECK}));
  EXPECT_EQ(box.Seen()[1].WParam, WPARAM(BST_UNCHECKED));
  EXPECT_EQ(clicks, 1);
  form_->CheckBox1->SetState(TCheckBoxState::cbGrayed);  // from code: through the window as well
  EXPECT_EQ(SendMessageW(h, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  EXPECT_EQ(GetEnumPropertyName(form_->CheckBox1, "state"), "cbGrayed");
  EXPECT_EQ(GetEnumPropertyName(form_->CheckBox1, "Checked"), "False");
  EXPECT_EQ(box.Messages(), (std::vector<UINT>{CN_COMMAND, BM_SETCHECK, BM_SETCHECK}));
  EXPECT_EQ(box.Seen()[2].WParam, WPARAM(BST_INDETERMINATE));
  EXPECT_EQ(clicks, 2);
}

TEST_F(FormWindow, MinimisingGoesThroughTheApplicationWindow) {
  gLog.clear();
  HWND app = Application->Handle();
  // a hook on the application window, as the tray has, hears the program being minimised
  WNDPROC saved = nullptr;
  bool minimised = false;
  TObjectInstance hook([&](TMessage& m) {
    if (m.Msg == WM_SIZE && m.WParam == SIZE_MINIMIZED) minimised = true;
    m.Result = CallWindowProcW(saved, app, m.Msg, m.WParam, m.LParam);
  });
  saved = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(app, GWLP_WNDPROC, LONG_PTR(hook.Proc())));
  SendMessageW(form_->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(app) != 0; }));
  SetWindowLongPtrW(app, GWLP_WNDPROC, LONG_PTR(saved));
  EXPECT_TRUE(minimised);
  EXPECT_FALSE(IsWindowVisible(form_->Handle()));
  SendMessageW(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }));
  EXPECT_FALSE(IsIconic(app));
  EXPECT_TRUE(gLog.empty());  // never hidden through Visible: no OnShow
  // a close from the taskbar closes the main form (FormClose keeps it)
  SendMessageW(app, WM_CLOSE, 0, 0);
  EXPECT_EQ(gLog, (std::vector<std::string>{"FormClose"}));
}

TEST_F(FormWindow, NothingRecreatesAWindowDestroyedBehindTheLayersBack) {
  HWND h = form_->Handle();
  DestroyWindow(h);
  EXPECT_FALSE(form_->HandleAllocated());
  EXPECT_FALSE(form_->Panel1->HandleAllocated());
  // what a wrapper's clean-up does after WM_NCDESTROY
  form_->Panel1->SetColor(clRed);
  form_->Edit1->SetText("kept");
  form_->Label1->Invalidate();
  form_->Edit2->SetEnabled(false);
  form_->Memo1->Repaint();
  EXPECT_FALSE(form_->HandleAllocated());
  EXPECT_FALSE(form_->Panel1->HandleAllocated());
  EXPECT_FALSE(form_->Edit1->HandleAllocated());
  EXPECT_EQ(form_->Edit1->Text(), "kept");
  EXPECT_EQ(form_->Memo1->Lines().Count(), 2);  // the text read from the window before it went
}

TEST_F(FormWindow, FocusChangesSendExitBeforeEnter) {
  ASSERT_TRUE(PumpUntil([&] { return form_->Edit1->Focused(); }));
  std::vector<std::string> seen;
  auto record = [&](TWinControl* c) {
    TWndMethod saved = c->WindowProc();
    c->SetWindowProc([&seen, saved, c](TMessage& m) {
      if (m.Msg == CM_EXIT) seen.push_back(c->Name() + " 0xB01B");
      if (m.Msg == CM_ENTER) seen.push_back(c->Name() + " enter");
      saved(m);
    });
    return saved;
  };
  const TWndMethod s1 = record(form_->Edit1), s2 = record(form_->Edit2), s3 = record(form_->CheckBox1);
  form_->Edit2->SetFocus();
  // Tab goes on in tab order (the edit does not want it): Edit2 -> CheckBox1
  PostMessageW(form_->Edit2->Handle(), WM_KEYDOWN, VK_TAB, 0);
  PumpUntil([&] { return form_->CheckBox1->Focused(); });
  EXPECT_EQ(seen, (std::vector<std::string>{"Edit1 0xB01B", "Edit2 enter", "Edit2 0xB01B", "CheckBox1 enter"}));
  EXPECT_EQ(form_->ActiveControl(), form_->CheckBox1);
  EXPECT_EQ(Screen().ActiveControl(), form_->CheckBox1);
  // focus set with the raw platform call is followed too
  ::SetFocus(form_->Edit1->Handle());
  EXPECT_EQ(form_->ActiveControl(), form_->Edit1);
  form_->Edit1->SetWindowProc(s1);
  form_->Edit2->SetWindowProc(s2);
  form_->CheckBox1->SetWindowProc(s3);
}

TEST_F(FormWindow, KeyEventsNeverSwallowTheKey) {
  form_->Edit1->SetFocus();
  form_->Edit1->SetText("");
  gLog.clear();
  PostMessageW(form_->Edit1->Handle(), WM_KEYDOWN, 'A', 0);
  PostMessageW(form_->Edit1->Handle(), WM_CHAR, L'字', 0);
  PumpUntil([&] { return form_->Edit1->Text().size() > 3; });
  EXPECT_EQ(gLog, (std::vector<std::string>{"keydown Edit1 65"}));
  // the key went on to its normal processing: translated, it typed its own character
  EXPECT_EQ(form_->Edit1->Text(), "字a");
  // only a handler that clears the key stops it
  form_->Edit1->OnKeyPress = TKeyPressEvent([](TObject*, wchar_t& key) {
    if (key == L'z') key = 0;
  });
  PostMessageW(form_->Edit1->Handle(), WM_CHAR, L'z', 0);
  PostMessageW(form_->Edit1->Handle(), WM_CHAR, L'b', 0);
  PumpUntil([&] { return form_->Edit1->Text().size() > 4; });
  EXPECT_EQ(form_->Edit1->Text(), "字ab");
}

TEST_F(FormWindow, EnabledAndVisibleChangesAreNotified) {
  std::vector<std::string> seen;
  TWndMethod saved = form_->Edit2->WindowProc();
  form_->Edit2->SetWindowProc([&](TMessage& m) {
    if (m.Msg == CM_ENABLEDCHANGED) seen.push_back("0xB00C");
    if (m.Msg == CM_VISIBLECHANGED) seen.push_back("0xB00B " + std::to_string(m.WParam));
    if (m.Msg == WM_ENABLE) seen.push_back("WM_ENABLE " + std::to_string(m.WParam));
    saved(m);
  });
  form_->Edit2->SetEnabled(false);
  form_->Edit2->SetEnabled(false);  // no change: nothing
  form_->Edit2->Hide();
  EXPECT_EQ(seen, (std::vector<std::string>{"0xB00C", "WM_ENABLE 0", "0xB00B 0"}));
  EXPECT_TRUE(GetWindowLongW(form_->Edit2->Handle(), GWL_STYLE) & WS_DISABLED);
  EXPECT_FALSE(IsWindowVisible(form_->Edit2->Handle()));
  form_->Edit2->SetWindowProc(saved);
}

// Two outside subclasses of the edit's window: each sees messages before the layer, and removing
// them in either order keeps the chain whole.
WNDPROC gOld1 = nullptr, gOld2 = nullptr;
std::vector<std::string> gSub;
LRESULT CALLBACK Sub1(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_SETTEXT) gSub.push_back("sub1");
  return CallWindowProcW(gOld1, h, m, w, l);
}
LRESULT CALLBACK Sub2(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_SETTEXT) gSub.push_back("sub2");
  return CallWindowProcW(gOld2, h, m, w, l);
}

TEST_F(FormWindow, OutsideSubclassesSeeMessagesFirstAndComeOffInAnyOrder) {
  HWND h = form_->Edit1->Handle();
  TWndMethod saved = form_->Edit1->WindowProc();
  form_->Edit1->SetWindowProc([&](TMessage& m) {
    if (m.Msg == WM_SETTEXT) gSub.push_back("layer");
    saved(m);
  });
  gOld1 = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(h, GWLP_WNDPROC, LONG_PTR(&Sub1)));
  gOld2 = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(h, GWLP_WNDPROC, LONG_PTR(&Sub2)));
  gSub.clear();
  form_->Edit1->SetText("one");
  EXPECT_EQ(gSub, (std::vector<std::string>{"sub2", "sub1", "layer"}));
  // the first one installed goes first: it hands the chain on to what it replaced
  gOld2 = gOld1;
  SetWindowLongPtrW(h, GWLP_WNDPROC, LONG_PTR(&Sub2));
  gSub.clear();
  form_->Edit1->SetText("two");
  EXPECT_EQ(gSub, (std::vector<std::string>{"sub2", "layer"}));
  SetWindowLongPtrW(h, GWLP_WNDPROC, LONG_PTR(gOld2));
  gSub.clear();
  form_->Edit1->SetText("three");
  EXPECT_EQ(gSub, (std::vector<std::string>{"layer"}));
  EXPECT_EQ(form_->Edit1->Text(), "three");
  form_->Edit1->SetWindowProc(saved);
}

TEST_F(FormWindow, AnExceptionInAHandlerReachesTheErrorReportAndTheLoopGoesOn) {
  form_->throwOnClick = true;
  // the report's message box is answered from a timer, which also records its text
  test::BoxAnswerer boxes;
  // a click on the speed button, delivered by its parent
  const POINT p{form_->Button1->Left() + 5, form_->Button1->Top() + 5};
  HWND panel = form_->Panel1->Handle();
  PostMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  PostMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  ASSERT_TRUE(PumpUntil([&] { return !boxes.Seen().empty(); }, 10000));
  EXPECT_EQ(boxes.Seen()[0].text, "the handler failed");
  EXPECT_EQ(gLog.back(), "Button1Click");
  // the program goes on: the next click is handled as well
  form_->throwOnClick = false;
  form_->Button1->Click();
  EXPECT_EQ(gLog.back(), "Button1Click");
}

TEST_F(FormWindow, PaintsItsColoursAndLabel) {
  RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpPending();
  WindowDC screenDC;
  HDC screen = screenDC.Get();
  const POINT panelPoint = form_->Panel1->ClientToScreen({300, 100});
  EXPECT_EQ(GetPixel(screen, panelPoint.x, panelPoint.y), RGB(0x00, 0x80, 0xFF));  // $00FF8000
  // the label inside the group box takes the group box's (the panel's) colour
  const POINT labelPoint = form_->Label1->ClientToScreen({form_->Label1->Width() - 1, form_->Label1->Height() - 1});
  EXPECT_EQ(GetPixel(screen, labelPoint.x, labelPoint.y), RGB(0x00, 0x80, 0xFF));
  // somewhere in the label's caption the text is blue
  bool blue = false;
  for (int x = 0; x < form_->Label1->Width() && !blue; ++x)
    for (int y = 0; y < form_->Label1->Height() && !blue; ++y) {
      const POINT q = form_->Label1->ClientToScreen({x, y});
      const COLORREF c = GetPixel(screen, q.x, q.y);  // text may be smoothed: mostly blue
      blue = GetBValue(c) > 160 && GetRValue(c) < 100 && GetGValue(c) < 100;
    }
  EXPECT_TRUE(blue);
}

TEST_F(FormWindow, PopupMenuItemsDispatchTheirHandlers) {
  auto* menu = dynamic_cast<TPopupMenu*>(form_->FindComponent("PopupMenu1"));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->Items()->Count(), 2);
  // choose the first item from inside the menu loop
  gLog.clear();
  {
    test::MenuAnswerer answer(1);
    menu->Popup(200, 200);
    EXPECT_EQ(answer.MenusSeen(), 1);
  }
  EXPECT_EQ(gLog, (std::vector<std::string>{"N1Click"}));
}

TEST_F(FormWindow, OwnerDrawnItemsAreMeasuredByTheLayerFirstAndKnowTheirMenu) {
  auto* menu = dynamic_cast<TPopupMenu*>(form_->FindComponent("PopupMenu1"));
  auto* n1 = dynamic_cast<TMenuItem*>(form_->FindComponent("N1"));
  ASSERT_TRUE(menu && n1);
  menu->SetOwnerDraw(true);
  // the top-level items' parent answers the menu's own handle
  EXPECT_EQ(n1->Parent()->Handle(), menu->Handle());
  EXPECT_EQ(n1->GetParentMenu(), menu);
  int measuredWidth = 0, measuredHeight = 0;
  n1->OnMeasureItem = TMenuMeasureItemEvent([&](TObject*, TCanvas*, int& width, int& height) {
    measuredWidth = width;
    measuredHeight = height;
    width += 35;
  });
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemID = n1->Command();
  mis.itemData = ULONG_PTR(n1);
  EXPECT_TRUE(SendMessageW(TPopupMenu::PopupListWindow(), WM_MEASUREITEM, 0, LPARAM(&mis)));
  EXPECT_GT(measuredWidth, 16);  // room for the caption and the image at least
  EXPECT_GT(measuredHeight, 0);
  EXPECT_EQ(int(mis.itemWidth), measuredWidth + 35);
  EXPECT_EQ(int(mis.itemHeight), measuredHeight);
}

TEST_F(FormWindow, DestroyingTheFormReleasesEveryWindowAndGdiObject) {
  HWND h = form_->Handle();
  form_->Free();
  form_ = nullptr;
  PumpPending();
  EXPECT_FALSE(IsWindow(h));
  // the menu font, message windows and window classes made on first use stay; a second form
  // built and freed must leave the counts where the first one left them
  const int windows = test::ThreadWindowCount(), gdi = test::GdiObjectCount();
  auto* again = Application->CreateForm<TfrmTest>(kDescription);
  PumpUntil([&] { return IsWindowVisible(again->Handle()) != 0; });
  EXPECT_GT(test::ThreadWindowCount(), windows + 5);  // the form and its windowed controls
  again->Edit1->SetText("x");
  again->Free();
  PumpPending();
  EXPECT_EQ(test::ThreadWindowCount(), windows);
  if (gdi >= 0) {
    EXPECT_LE(test::GdiObjectCount(), gdi);  // counted on Windows only
  }
}

}  // namespace
}  // namespace bus
