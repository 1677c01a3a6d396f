// Adoption under Wine: a form of ours, message boxes (the application's and a plain MessageBoxW)
// and a popup menu's "#32768" window each get their object from the skin manager; every object
// goes with its window (watched until freed); and switching the skin off (command 2) leaves every
// window as it was: window procedures, styles, the controls' handler chains, colours.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/WideText.h"
#include "framework/controls/Application.h"
#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/WindowSubclass.h"
#include "skin/control/SkinControl.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"
#include "skin/form/SkinPopupMenu.h"
#include "tests/support/MenuAnswerer.h"
#include "tests/support/FreeWatcher.h"
#include "tests/support/SkinWindowsSupport.h"
#include "tests/support/WindowStates.h"

namespace bus {
namespace {

constexpr UINT kProbe = WM_APP + 51;

using test::ControlState;
using test::TFreeWatcher;
using test::WindowState;

std::vector<std::string> WrapperClasses(const TSkinForm& form) {
  std::vector<std::string> names;
  for (const TSkinControl* w : form.Wrappers()) names.push_back(w->ClassName());
  return names;
}

class SkinFormTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { test::StartSkinTestApplication(); }
  void SetUp() override {
    manager_ = &CreateSkinManager();
    test::GiveTestSkin(skin_);
    manager_->RegisterSkinData(&skin_);
    manager_->InstallHook();
    manager_->SetActive(true);
    manager_->SetRunCount(1);
  }
  void TearDown() override {
    if (form_) form_->Free();
    FreeSkinManager();
    test::PumpPending();
  }

  // A form with a panel holding a button, an edit, a check box, a memo and a speed button.
  void MakeForm() {
    form_ = new TForm(Application);
    form_->SetBounds(80, 80, 360, 240);
    form_->SetCaption("adopted");
    panel_ = Place(new TPanel(form_), form_, 0, 0, 340, 200);
    button_ = Place(new TButton(form_), panel_, 10, 10, 90, 26);
    edit_ = Place(new TEdit(form_), panel_, 110, 10, 120, 22);
    Place(new TCheckBox(form_), panel_, 10, 50, 120, 20);
    Place(new TMemo(form_), panel_, 10, 80, 200, 60);
    Place(new TSpeedButton(form_), panel_, 240, 10, 30, 26);
  }
  template <class C>
  static C* Place(C* control, TWinControl* parent, int x, int y, int w, int h) {
    control->SetParent(parent);
    control->SetBounds(x, y, w, h);
    return control;
  }
  // Shows and activates the form and waits until its controls are skinned.
  TSkinForm* Adopt() {
    form_->Show();
    SetForegroundWindow(form_->Handle());
    manager_->SkinWindow(form_->Handle());  // when it was active already
    TSkinForm* object = nullptr;
    EXPECT_TRUE(test::PumpUntil(
        [&] { return (object = manager_->FindSkinForm(form_->Handle())) && object->ChildrenSkinned(); },
        test::kSkinWait));
    return object;
  }
  void Watch(TSkinForm& object) {
    watcher_.Watch(&object);
    for (TSkinControl* w : object.Wrappers()) watcher_.Watch(w);
  }
  // Switches skinning off through the manager's timer, as the skin data component does.
  void SwitchOff() {
    manager_->SetCurrentSkin(&skin_);
    manager_->RequestCommand(kSkinRemove, 10);
    EXPECT_TRUE(test::PumpUntil([&] { return !manager_->Active() && manager_->SkinForms().empty(); }, test::kSkinWait));
  }

  TSkinManage* manager_ = nullptr;
  TSkinData skin_{nullptr};
  TFreeWatcher watcher_;
  TForm* form_ = nullptr;
  TPanel* panel_ = nullptr;
  TButton* button_ = nullptr;
  TEdit* edit_ = nullptr;
};

TEST_F(SkinFormTest, AnActivatedFormIsAdoptedAndSwitchingOffLeavesEveryWindowAsItWas) {
  MakeForm();
  manager_->SetActive(false);
  form_->Show();
  const std::vector<WindowState> windows = test::WindowStates(form_->Handle());
  const std::vector<ControlState> controls = test::ControlStates(*form_);
  manager_->SetActive(true);

  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->OwnerForm(), form_);
  EXPECT_EQ(object->Owner(), form_) << "the form's object belongs to the form";
  EXPECT_EQ(SendMessageW(form_->Handle(), kSkinMsgIsSkinned, 0, 0), 1);
  EXPECT_EQ(WrapperClasses(*object), (std::vector<std::string>{"TSkinBox", "TSkinButton", "TSkinEdit", "TSkinCheckBox",
                                                               "TSkinScrollbar", "TSkinSpeedButton"}));
  EXPECT_EQ(form_->Color(), RGBColor(10, 20, 30));
  EXPECT_EQ(panel_->Color(), RGBColor(10, 20, 30));
  const auto procOf = [&](HWND h) {
    return std::find_if(windows.begin(), windows.end(), [h](const WindowState& s) { return s.window == h; })->proc;
  };
  EXPECT_NE(GetWindowLongPtrW(form_->Handle(), GWLP_WNDPROC), procOf(form_->Handle()));
  EXPECT_NE(GetWindowLongPtrW(edit_->Handle(), GWLP_WNDPROC), procOf(edit_->Handle())) << "edits are subclassed";
  EXPECT_EQ(GetWindowLongPtrW(button_->Handle(), GWLP_WNDPROC), procOf(button_->Handle()))
      << "a button's handler is hooked, not its window";
  EXPECT_FALSE(manager_->SkinWindow(form_->Handle())) << "adopted once";
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0));
  EXPECT_EQ(Widen(object->CaptionFont().Name()), metrics.lfCaptionFont.lfFaceName);
  EXPECT_EQ(object->CaptionFont().Height(), metrics.lfCaptionFont.lfHeight);
  Watch(*object);
  EXPECT_EQ(watcher_.Alive(), 7);

  // other code hooks the edit's window and the button's handler on top of the skin
  auto onEdit = std::make_unique<TWindowSubclass>(edit_->Handle(), [](TMessage&) { return false; });
  auto onButton = std::make_unique<test::TMessageRecorder>(*button_, std::vector<UINT>{kProbe});

  SwitchOff();
  EXPECT_EQ(watcher_.Alive(), 0) << "the form object and every wrapper are freed";
  EXPECT_EQ(SendMessageW(form_->Handle(), kSkinMsgIsSkinned, 0, 0), 0);
  // what the skin left under the other code's hooks goes at their next message, once they are off
  button_->Perform(kProbe);
  EXPECT_EQ(onButton->Count(kProbe), 1);
  onButton.reset();
  onEdit.reset();
  button_->Perform(kProbe);
  SendMessageW(edit_->Handle(), kProbe, 0, 0);
  EXPECT_EQ(test::WindowStates(form_->Handle()), windows);
  EXPECT_EQ(test::ControlStates(*form_), controls);

  // skinning on again: adopted anew
  manager_->SetActive(true);
  EXPECT_TRUE(manager_->SkinWindow(form_->Handle()));
}

TEST_F(SkinFormTest, ANewSkinReachesTheFormAndItsRecolouredControls) {
  MakeForm();
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  edit_->SetFocus();
  const auto giveFace = [&](const char* face) {
    test::StoreArchive(skin_.StoredSkin(), std::string("[TitlebarSkin]\r\nSkinName=B\r\n[Colours]\r\nButtonFace=") + face, {});
    ASSERT_TRUE(skin_.LoadSkin());
  };
  giveFace("40 50 60");
  // the refresh command, as the skin data component asks for it after reading a skin file
  manager_->SetCurrentSkin(&skin_);
  manager_->RequestCommand(kSkinRefresh, 10);
  ASSERT_TRUE(test::PumpUntil([&] { return manager_->CurrentSkin() == nullptr; }, test::kSkinWait));
  EXPECT_EQ(form_->Color(), RGBColor(40, 50, 60));
  EXPECT_EQ(panel_->Color(), RGBColor(40, 50, 60));
  EXPECT_EQ(object->Life(), kLifeReady);
  EXPECT_TRUE(edit_->Focused()) << "the focus stays where it was";
  // and the form's own message does the same
  giveFace("70 80 90");
  SendMessageW(form_->Handle(), kSkinMsgReskin, 0, 0);
  EXPECT_EQ(panel_->Color(), RGBColor(70, 80, 90));
}

TEST_F(SkinFormTest, AFormThatGoesTakesItsObjectAndWrappersWithIt) {
  MakeForm();
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  Watch(*object);
  form_->Free();
  form_ = nullptr;
  EXPECT_EQ(watcher_.Alive(), 0);
  EXPECT_TRUE(manager_->SkinForms().empty());
}

TEST_F(SkinFormTest, AControlWhoseWindowWentIsFreedAtTheNextScanAndNotDetachedAgain) {
  MakeForm();
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  TSkinControl* wrapper = object->FindWrapper(panel_->Handle());
  ASSERT_NE(wrapper, nullptr);
  watcher_.Watch(wrapper);
  panel_->DestroyHandle();  // its children's windows go too
  EXPECT_EQ(wrapper->Status(), kWrapperGone);
  EXPECT_TRUE(panel_->ParentColor()) << "its colour given back: the form's";
  EXPECT_EQ(watcher_.Alive(), 1);
  // the next scan frees what is gone and skins the new windows
  SendMessageW(form_->Handle(), kSkinMsgSkinControls, 0, 1000);
  EXPECT_EQ(watcher_.Alive(), 0);
  EXPECT_NE(object->FindWrapper(panel_->Handle()), nullptr);
  EXPECT_EQ(object->Wrappers().size(), 6u);
}

TEST_F(SkinFormTest, AWrapperThatGoesIsNoLongerTheHotButton) {
  MakeForm();
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  // freed with its control
  object->SetHotButton(object->FindWrapper(button_->Handle()));
  ASSERT_NE(object->HotButton(), nullptr);
  button_->Free();
  button_ = nullptr;
  EXPECT_EQ(object->HotButton(), nullptr);
  // gone with its window, freed at the next scan
  object->SetHotButton(object->FindWrapper(edit_->Handle()));
  edit_->DestroyHandle();
  SendMessageW(form_->Handle(), kSkinMsgSkinControls, 0, 0);
  EXPECT_EQ(object->HotButton(), nullptr);
  // released with the others
  object->SetHotButton(object->FindWrapper(panel_->Handle()));
  object->ReleaseWrappers();
  EXPECT_EQ(object->HotButton(), nullptr);
}

// Looks for a message box of this thread from a timer, checks it and closes it.
class BoxInspector {
public:
  explicit BoxInspector(std::function<void(HWND box)> inspect)
      : inspect_(std::move(inspect)), timer_(20, [this] { Tick(); }) {}
  bool Inspected() const noexcept { return inspected_; }

private:
  void Tick() {
    if (inspected_ || !SkinManager) return;
    const HWND box = FindBox();
    if (!box) return;
    TSkinForm* object = SkinManager->FindSkinForm(box);
    if ((!object || !object->ChildrenSkinned()) && ++waits_ < 100) return;  // adoption comes with activation
    inspected_ = true;
    inspect_(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  static HWND FindBox() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM out) {
          wchar_t cls[16] = {};
          GetClassNameW(h, cls, 16);
          if (std::wstring_view(cls) != L"#32770" || !IsWindowVisible(h)) return TRUE;
          *reinterpret_cast<HWND*>(out) = h;
          return FALSE;
        },
        LPARAM(&found));
    return found;
  }

  std::function<void(HWND)> inspect_;  // the checks
  bool inspected_ = false;             // done
  int waits_ = 0;                      // ticks waited for the adoption
  test::ThreadTimer timer_;            // made last, gone first
};

TEST_F(SkinFormTest, MessageBoxesAreAdoptedAsBareWindowsAndGoWithTheirWindows) {
  MakeForm();
  form_->Show();
  for (const bool application : {true, false}) {
    SCOPED_TRACE(application ? "Application->MessageBox" : "MessageBoxW");
    std::vector<std::string> wrappers;
    COLORREF face = 0;
    TSkinForm* seen = nullptr;
    HWND shown = nullptr;
    {
      BoxInspector inspector([&](HWND box) {
        shown = box;
        seen = manager_->FindSkinForm(box);
        ASSERT_NE(seen, nullptr);
        EXPECT_EQ(seen->OwnerForm(), nullptr);
        EXPECT_EQ(seen->Owner(), nullptr);
        EXPECT_TRUE(seen->IsDialog());
        Watch(*seen);
        for (const TSkinControl* w : seen->Wrappers())
          if (IsWindowVisible(w->Handle())) wrappers.push_back(w->ClassName());
        // the bare window's background is the skin's face
        const WindowDC dc(box);
        RECT client{};
        GetClientRect(box, &client);
        SendMessageW(box, WM_ERASEBKGND, WPARAM(dc.Get()), 0);
        face = GetPixel(dc.Get(), 2, client.bottom - 2);
      });
      if (application) Application->MessageBox("盒子", "提示", MB_OKCANCEL);
      else MessageBoxW(form_->Handle(), L"盒子", L"提示", MB_OKCANCEL);
      EXPECT_TRUE(inspector.Inspected());
    }
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(wrappers, (std::vector<std::string>{"TSkinButton", "TSkinButton"})) << "OK and Cancel";
    EXPECT_EQ(face, test::kTestFace);
    EXPECT_EQ(watcher_.Alive(), 0) << "no object outlives its box";
    EXPECT_EQ(manager_->FindSkinForm(shown), nullptr);
    EXPECT_EQ(manager_->SkinForms().size(), 1u) << "the form's own";
  }
}

TEST_F(SkinFormTest, AMenuWindowHasItsObjectWhileItIsOpen) {
  MakeForm();
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  auto* menu = new TPopupMenu(form_);
  auto* item = new TMenuItem(form_);
  item->SetCaption("一");
  menu->Items()->Add(item);

  for (const bool switchOffWhileOpen : {false, true}) {
    SCOPED_TRACE(switchOffWhileOpen ? "skinning switched off while the menu is open" : "skinning on");
    manager_->SetActive(true);
    int checks = 0;
    test::ThreadTimer inspector(15, [&] {
      const HWND window = FindWindowW(L"#32768", nullptr);
      if (!window || checks > 0 || !IsWindowVisible(window)) return;
      ++checks;
      ASSERT_EQ(manager_->PopupMenus().size(), 1u);
      TSkinPopupMenu& popup = *manager_->PopupMenus().front();
      EXPECT_EQ(popup.Handle(), window);
      EXPECT_TRUE(manager_->IsPopupMenuSkinned(window));
      EXPECT_EQ(SendMessageW(window, kSkinMsgIsSkinned, 0, 0), 1);
      TSkinPopupMenu::SetPendingPopup(&popup);  // as the first border paint leaves it
      if (switchOffWhileOpen) manager_->SetActive(false);
    });
    {
      test::MenuAnswerer escape(-1);
      menu->Popup(150, 150);
    }
    EXPECT_EQ(checks, 1);
    EXPECT_TRUE(manager_->PopupMenus().empty()) << "released when the menu closes";
    EXPECT_EQ(TSkinPopupMenu::PendingPopup(), nullptr) << "never left pointing at a freed object";
    EXPECT_EQ(manager_->MenuMode(), kMenuModePopup);
  }
}

}  // namespace
}  // namespace bus
