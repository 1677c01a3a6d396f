// The skin manager under Wine: registration and the main skin, which component skins which window,
// which windows may be skinned at all, the hook's run counter and window-created notification,
// and the delayed commands.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/controls/Application.h"
#include "framework/controls/Timer.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinManager.h"
#include "tests/support/SkinWindowsSupport.h"

namespace bus {
namespace {

// A top-level window of its own class; windows of class kSkinnedClass answer "skinned already".
constexpr wchar_t kPlainClass[] = L"SkinManagerTestWindow";
constexpr wchar_t kSkinnedClass[] = L"SkinManagerTestSkinned";

LRESULT CALLBACK TestWindowProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  wchar_t cls[64] = {};
  GetClassNameW(h, cls, 64);
  if (msg == kSkinMsgIsSkinned && std::wstring_view(cls) == kSkinnedClass) return 1;
  return DefWindowProcW(h, msg, w, l);
}

void RegisterWindowClass(const wchar_t* name) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = TestWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = name;
  RegisterClassW(&wc);
}

// Owns a window for the length of a test.
class Window {
public:
  Window(const wchar_t* cls, int w, int h, DWORD style = WS_POPUP, HWND parent = nullptr, void* param = nullptr)
      : handle_(CreateWindowExW(0, cls, L"", style, 10, 10, w, h, parent, nullptr, GetModuleHandleW(nullptr), param)) {}
  ~Window() {
    if (IsWindow(handle_)) DestroyWindow(handle_);
  }
  HWND Get() const { return handle_; }

private:
  HWND handle_;  // owned
};

// A dialog box (class "#32770") made from a template in memory.
HWND CreateTestDialog() {
  struct {
    DLGTEMPLATE t;
    WORD menu, cls, title;
  } dlg{};
  dlg.t.style = WS_POPUP | WS_CAPTION;
  dlg.t.cx = 80;
  dlg.t.cy = 40;
  return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &dlg.t, nullptr,
                                    [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
}

// A component that holds a skin (a descriptor without images is enough).
void GiveSkin(TSkinData& skin) { test::GiveTestSkin(skin); }

class SkinManagerTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    test::StartSkinTestApplication();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterWindowClass(kPlainClass);
    RegisterWindowClass(kSkinnedClass);
    RegisterWindowClass(L"TQRStandardPreview");
    RegisterWindowClass(L"TMessageForm");
  }
  void SetUp() override { manager_ = &CreateSkinManager(); }
  void TearDown() override {
    if (form_) form_->Free();
    FreeSkinManager();
    test::PumpPending();
  }

  TSkinManage* manager_ = nullptr;
  test::TfrmSkinHost* form_ = nullptr;
};

TEST_F(SkinManagerTest, TheFirstMainComponentIsTheMainSkinUntilItGoes) {
  TSkinData dialog(nullptr), main1(nullptr), main2(nullptr);
  dialog.SetSkinFormtype(TSkinFormType::sfDialog);
  manager_->RegisterSkinData(&dialog);
  EXPECT_EQ(manager_->MainSkin(), nullptr);
  manager_->RegisterSkinData(&main1);
  manager_->RegisterSkinData(&main2);
  manager_->RegisterSkinData(&main1);
  EXPECT_EQ(manager_->SkinDatas(), (std::vector<TSkinData*>{&dialog, &main1, &main2}));
  EXPECT_EQ(manager_->MainSkin(), &main1);

  // a pending request of a component that goes is dropped with it
  manager_->SetRunCount(1);
  manager_->SetCurrentSkin(&main1);
  manager_->RequestCommand(kSkinApply, 250);
  EXPECT_TRUE(manager_->Timer().Enabled());
  manager_->UnregisterSkinData(&main1);
  EXPECT_EQ(manager_->MainSkin(), &main2);
  EXPECT_EQ(manager_->CurrentSkin(), nullptr);
  EXPECT_FALSE(manager_->Timer().Enabled());
  manager_->UnregisterSkinData(&main2);
  EXPECT_EQ(manager_->MainSkin(), nullptr);
  EXPECT_EQ(manager_->SkinDatas(), (std::vector<TSkinData*>{&dialog}));
}

TEST_F(SkinManagerTest, EachWindowGetsItsOwnFormsDialogOrMainComponent) {
  form_ = Application->CreateForm<test::TfrmSkinHost>(test::HostDescription("SkinFormtype = sfOnlyThisForm"));
  TSkinData* only = form_->SkinData1;
  TSkinData main1(nullptr), dialog1(nullptr), main2(nullptr), dialog2(nullptr);
  dialog1.SetSkinFormtype(TSkinFormType::sfDialog);
  dialog2.SetSkinFormtype(TSkinFormType::sfDialog);
  // the form's component registered itself when it was loaded
  for (TSkinData* s : {&main1, &dialog1, &main2, &dialog2}) manager_->RegisterSkinData(s);
  Window plain(kPlainClass, 100, 50), messageForm(L"TMessageForm", 100, 50);
  const HWND dialog = CreateTestDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(manager_->SelectSkinData(form_->Handle()), only);
  EXPECT_EQ(manager_->SelectSkinData(dialog), &dialog2);
  EXPECT_EQ(manager_->SelectSkinData(messageForm.Get()), &dialog2);
  EXPECT_EQ(manager_->SelectSkinData(plain.Get()), &main2);
  // without main components a window takes the first registered one
  manager_->UnregisterSkinData(&main1);
  manager_->UnregisterSkinData(&main2);
  EXPECT_EQ(manager_->SelectSkinData(plain.Get()), only);
  for (TSkinData* s : {only, &dialog1, &dialog2}) manager_->UnregisterSkinData(s);
  EXPECT_EQ(manager_->SelectSkinData(plain.Get()), nullptr);
  DestroyWindow(dialog);
}

TEST_F(SkinManagerTest, OnlyWindowsThatMayBeSkinnedFindASkin) {
  TSkinData skin(nullptr);
  manager_->RegisterSkinData(&skin);
  Window plain(kPlainClass, 100, 50);
  EXPECT_EQ(manager_->AdoptionSkin(plain.Get()), nullptr) << "the skin is still empty";
  GiveSkin(skin);
  EXPECT_EQ(manager_->AdoptionSkin(plain.Get()), &skin);

  Window flat(kPlainClass, 100, 0), skinned(kSkinnedClass, 100, 50), preview(L"TQRStandardPreview", 100, 50);
  Window calendar(L"SysMonthCal32", 200, 200);
  EXPECT_EQ(manager_->AdoptionSkin(flat.Get()), nullptr) << "no area";
  EXPECT_EQ(manager_->AdoptionSkin(skinned.Get()), nullptr) << "answers that it is skinned";
  EXPECT_EQ(manager_->AdoptionSkin(preview.Get()), nullptr);
  EXPECT_EQ(manager_->AdoptionSkin(Application->Handle()), nullptr);
  ASSERT_NE(calendar.Get(), nullptr);
  EXPECT_EQ(manager_->AdoptionSkin(calendar.Get()), nullptr) << "refused by the main skin";

  // a form tagged 99 is never skinned, whatever DisableTag says
  skin.SetDisableTag(5);
  auto* tagged = new TForm(Application);
  tagged->SetBounds(0, 0, 100, 50);
  EXPECT_EQ(manager_->AdoptionSkin(tagged->Handle()), &skin);
  tagged->SetTag(99);
  EXPECT_EQ(manager_->AdoptionSkin(tagged->Handle()), nullptr);
  tagged->Free();
  // a form whose own component (not a main one) loads is skinned at once, and only once
  form_ = Application->CreateForm<test::TfrmSkinHost>(test::HostDescription("SkinFormtype = sfDialog"));
  EXPECT_NE(manager_->FindSkinForm(form_->Handle()), nullptr);
  EXPECT_EQ(manager_->AdoptionSkin(form_->Handle()), nullptr);

  // a window inside an MDI client
  Window frame(kPlainClass, 300, 200, WS_OVERLAPPEDWINDOW);
  CLIENTCREATESTRUCT ccs{};
  Window client(L"MDICLIENT", 200, 100, WS_CHILD | WS_VISIBLE, frame.Get(), &ccs);
  ASSERT_NE(client.Get(), nullptr);
  Window child(kPlainClass, 50, 50, WS_CHILD | WS_VISIBLE, client.Get());
  EXPECT_EQ(manager_->AdoptionSkin(child.Get()), nullptr);

  // while skinning is off no window is taken, however well it would take a skin
  manager_->SetActive(false);
  ASSERT_EQ(manager_->AdoptionSkin(plain.Get()), &skin);
  EXPECT_FALSE(manager_->SkinWindow(plain.Get()));
}

TEST_F(SkinManagerTest, TheFirstActivationStartsTheRunCounterWhetherOrNotSkinningIsOn) {
  manager_->InstallHook();
  ASSERT_NE(manager_->HookHandle(), nullptr);
  const HHOOK hook = manager_->HookHandle();
  manager_->InstallHook();
  EXPECT_EQ(manager_->HookHandle(), hook) << "one hook per manager";
  EXPECT_EQ(manager_->RunCount(), 0);
  EXPECT_FALSE(manager_->Active());
  Window window(kPlainClass, 120, 60, WS_POPUP | WS_VISIBLE);
  SetActiveWindow(window.Get());
  EXPECT_TRUE(test::PumpUntil([&] { return manager_->RunCount() == 1; }, test::kSkinWait));
  // afterwards a request waits for the timer
  TSkinData skin(nullptr);
  manager_->SetCurrentSkin(&skin);
  manager_->RequestCommand(kSkinApply, 250);
  EXPECT_FALSE(manager_->Active());
  EXPECT_TRUE(manager_->Timer().Enabled());
  manager_->SetCurrentSkin(nullptr);
}

TEST_F(SkinManagerTest, TopLevelWindowsAreAnnouncedToTheMainSkinAndItsErrorsAreSwallowed) {
  TSkinData skin(nullptr);
  manager_->RegisterSkinData(&skin);
  manager_->InstallHook();
  std::vector<std::string> seen;
  skin.OnWindowCreated = TEvent<TSkinData*, HWND, const std::string&>([&](TSkinData* s, HWND, const std::string& cls) {
    EXPECT_EQ(s, &skin);
    seen.push_back(cls);
    throw std::runtime_error("the handler fails");
  });
  {
    Window before(kPlainClass, 10, 10);
    EXPECT_TRUE(seen.empty()) << "nothing is announced while skinning is off";
  }
  manager_->SetActive(true);
  Window top(kPlainClass, 10, 10);
  EXPECT_NE(top.Get(), nullptr) << "a failing handler never stops a window";
  Window child(kPlainClass, 5, 5, WS_CHILD, top.Get());
  EXPECT_NE(child.Get(), nullptr);
  EXPECT_EQ(seen, (std::vector<std::string>{"SkinManagerTestWindow"}));
}

TEST_F(SkinManagerTest, CommandsRunForTheCurrentComponentAndFireItsEvent) {
  TSkinData skin(nullptr);
  GiveSkin(skin);
  manager_->RegisterSkinData(&skin);
  manager_->SetRunCount(1);
  manager_->RequestCommand(kSkinApply, 100);
  EXPECT_EQ(manager_->Timer().Interval(), 100u);
  // without a current component the tick does nothing and the timer goes on
  manager_->ExecuteCommand();
  EXPECT_TRUE(manager_->Timer().Enabled());
  EXPECT_FALSE(manager_->Active());

  // a request made by the event's handler is kept
  int fired = 0;
  skin.OnSkinChanged = TNotifyEvent([&](TObject*) {
    if (++fired == 1) {
      manager_->SetCurrentSkin(&skin);
      manager_->RequestCommand(kSkinRemove, 100);
    }
  });
  manager_->SetCurrentSkin(&skin);
  ASSERT_TRUE(test::PumpUntil([&] { return fired == 1; }, test::kSkinWait));
  EXPECT_TRUE(manager_->Active());
  EXPECT_FALSE(manager_->AdoptAll());
  EXPECT_EQ(manager_->CurrentSkin(), &skin);
  EXPECT_EQ(manager_->PendingCommand(), kSkinRemove);
  ASSERT_TRUE(test::PumpUntil([&] { return fired == 2; }, test::kSkinWait));
  EXPECT_FALSE(manager_->Active());
  EXPECT_EQ(manager_->CurrentSkin(), nullptr);
  EXPECT_FALSE(manager_->Timer().Enabled());
}

}  // namespace
}  // namespace bus
