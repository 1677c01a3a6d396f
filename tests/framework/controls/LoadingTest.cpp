// Building a form from its description under Wine: a component that hooks the form's window while
// the description is still being read (the window is created then, and stays hidden until the
// form is shown), a timer that runs from the moment it is read, and errors in OnCreate and OnShow
// that are reported while creation and showing go on.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ClassRegistry.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/ObjectInstance.h"
#include "framework/controls/Panel.h"
#include "framework/controls/Timer.h"
#include "tests/support/WindowTestSupport.h"

namespace bus {
namespace {

std::vector<std::string> gEvents;  // what the components and handlers saw, in order

// Hooks its owner's window procedure when it is constructed, as the tray icon does: that creates
// the form's window in the middle of reading. It never touches the window again once it is gone.
class TOwnerHook : public TComponent {
  BUS_CLASS(TOwnerHook)
public:
  explicit TOwnerHook(TComponent* owner) : TComponent(owner), instance_([this](TMessage& m) { Hooked(m); }) {
    window_ = dynamic_cast<TWinControl&>(*owner).Handle();
    gEvents.push_back(std::string("hooked, visible=") + (IsWindowVisible(window_) ? "1" : "0"));
    saved_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window_, GWLP_WNDPROC, LONG_PTR(instance_.Proc())));
  }
  ~TOwnerHook() override {
    if (IsWindow(window_)) SetWindowLongPtrW(window_, GWLP_WNDPROC, LONG_PTR(saved_));
  }

private:
  void Hooked(TMessage& m) {
    if (m.Msg == WM_SHOWWINDOW)
      gEvents.push_back("WM_SHOWWINDOW " + std::to_string(m.WParam) + " " + std::to_string(m.LParam));
    m.Result = CallWindowProcW(saved_, window_, m.Msg, m.WParam, m.LParam);
  }

  TObjectInstance instance_;  // the hook procedure
  HWND window_ = nullptr;     // the owner's window
  WNDPROC saved_ = nullptr;   // what the hook replaced
};

const TClassInfo& TOwnerHook::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TOwnerHook>("TOwnerHook", TComponent::StaticClassInfo()).Creatable().Build();
  return info;
}

// Stored before the timer: its Loaded runs before the timer's, and waits for a tick.
class TTickProbe : public TComponent {
  BUS_CLASS(TTickProbe)
public:
  using TComponent::TComponent;
  static inline int ticks = 0;  // ticks of the form's timer so far

protected:
  void Loaded() override {
    TComponent::Loaded();
    test::PumpUntil([] { return ticks > 0; }, 2000);
    gEvents.push_back("probe loaded, ticks=" + std::to_string(ticks));
  }
};

const TClassInfo& TTickProbe::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTickProbe>("TTickProbe", TComponent::StaticClassInfo()).Creatable().Build();
  return info;
}

class TfrmLoading : public TForm {
  BUS_CLASS(TfrmLoading)
public:
  explicit TfrmLoading(TComponent* owner) : TForm(owner) {
    PublishMethod("FormCreate", &TfrmLoading::FormCreate);
    PublishMethod("FormShow", &TfrmLoading::FormShow);
    PublishMethod("TimerTick", &TfrmLoading::TimerTick);
    PublishField("Edit1", &Edit1);
    PublishField("Panel1", &Panel1);
    PublishField("EditRight", &EditRight);
  }
  void FormCreate(TObject*) {
    gEvents.push_back("FormCreate");
    if (failCreate) throw Exception("create failed");
  }
  void FormShow(TObject*) {
    gEvents.push_back(std::string("FormShow visible=") + (IsWindowVisible(Handle()) ? "1" : "0"));
    if (failShow) throw Exception("show failed");
  }
  void TimerTick(TObject* sender) {
    ++TTickProbe::ticks;
    static_cast<TTimer*>(sender)->SetEnabled(false);
  }

  static inline bool failCreate = false;  // FormCreate throws
  static inline bool failShow = false;    // FormShow throws
  TEdit* Edit1 = nullptr;
  TPanel* Panel1 = nullptr;
  TEdit* EditRight = nullptr;
};

const TClassInfo& TfrmLoading::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TfrmLoading>("TfrmLoading", TForm::StaticClassInfo()).Build();
  return info;
}

const char* const kDescription = R"(
object frmLoading: TfrmLoading
  Left = 40
  Top = 40
  ClientWidth = 300
  ClientHeight = 120
  BorderStyle = bsSingle
  Caption = 'loading'
  Visible = True
  OnCreate = FormCreate
  OnShow = FormShow
  object Hook1: TOwnerHook
  end
  object Panel1: TPanel
    Align = alClient
    object Edit1: TEdit
      Left = 10
      Top = 10
      TabOrder = 0
    end
    object EditRight: TEdit
      Left = 200
      Top = 10
      Width = 90
      Anchors = [akTop, akRight]
      TabOrder = 1
    end
  end
  object Probe1: TTickProbe
  end
  object Timer1: TTimer
    Interval = 20
    OnTimer = TimerTick
  end
end
)";

class Loading : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    test::EnsureApplication();
    RegisterClasses({&TOwnerHook::StaticClassInfo(), &TTickProbe::StaticClassInfo()});
  }
  void SetUp() override {
    gEvents.clear();
    TTickProbe::ticks = 0;
    TfrmLoading::failCreate = TfrmLoading::failShow = false;
    Application->OnException = decltype(Application->OnException)([this](TObject*, const std::string& text) { reports_.push_back(text); });
  }
  void TearDown() override {
    Application->OnException = {};
    if (form_) form_->Free();
    test::PumpPending();
  }

  TfrmLoading* form_ = nullptr;
  std::vector<std::string> reports_;  // texts the error report was given
};

TEST_F(Loading, AWindowHookedDuringReadingStaysHiddenUntilShownAndTheTimerRunsFromReading) {
  form_ = Application->CreateForm<TfrmLoading>(kDescription);
  ASSERT_TRUE(test::PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }));
  // the hook made the window while reading, hidden; the timer ticked before its own Loaded; OnShow
  // ran before the window appeared, which the hook saw as a direct show
  EXPECT_EQ(gEvents, (std::vector<std::string>{"hooked, visible=0", "probe loaded, ticks=1", "FormCreate",
                                               "FormShow visible=0", "WM_SHOWWINDOW 1 0"}));
  // the form and the controls read after the window existed are whole
  EXPECT_EQ(form_->ClientWidth(), 300);
  EXPECT_TRUE(IsWindowVisible(form_->Edit1->Handle()));
  EXPECT_EQ(GetParent(form_->Edit1->Handle()), form_->Panel1->Handle());
  EXPECT_TRUE(test::PumpUntil([&] { return form_->Edit1->Focused(); }));
  EXPECT_TRUE(reports_.empty());
}

TEST_F(Loading, StoredPositionsAreTheDesignOfTheParentAsAlignedNotAsFirstCreated) {
  // Panel1 stores no size: it is 185 wide when its children are read, 300 once aligned
  form_ = Application->CreateForm<TfrmLoading>(kDescription);
  EXPECT_EQ(form_->Panel1->Width(), 300);
  EXPECT_EQ(form_->EditRight->Left(), 200);
  form_->SetClientWidth(340);
  EXPECT_EQ(form_->EditRight->Left(), 240);
}

TEST_F(Loading, AFormWithoutAnIconOfItsOwnCarriesTheProgramIcon) {
  // the program's icon as the application window has it from the resources
  HICON program = LoadIconW(nullptr, IDI_INFORMATION);
  SendMessageW(Application->Handle(), WM_SETICON, ICON_BIG, LPARAM(program));
  form_ = Application->CreateForm<TfrmLoading>(kDescription);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(form_->Handle(), WM_GETICON, ICON_SMALL, 0)), program);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(form_->Handle(), WM_GETICON, ICON_BIG, 0)), program);
}

TEST_F(Loading, ErrorsInOnCreateAndOnShowAreReportedAndTheFormStillShows) {
  TfrmLoading::failCreate = TfrmLoading::failShow = true;
  form_ = Application->CreateForm<TfrmLoading>(kDescription);
  EXPECT_TRUE(test::PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }));
  EXPECT_EQ(reports_, (std::vector<std::string>{"create failed", "show failed"}));
  EXPECT_TRUE(form_->Visible());
}

}  // namespace
}  // namespace bus
