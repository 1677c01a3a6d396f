#include "tests/skin/form/SkinFormFixture.h"

#include <string_view>

#include "framework/controls/Application.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Memo.h"
#include "framework/controls/SpeedButton.h"
#include "skin/control/SkinControl.h"
#include "skin/form/SkinForm.h"
#include "tests/support/BoxAnswerer.h"

namespace bus::test {

void SkinFormFixture::SetUp() {
  manager_ = &CreateSkinManager();
  GiveSkin(skin_);
  manager_->RegisterSkinData(&skin_);
  manager_->InstallHook();
  manager_->SetActive(true);
  manager_->SetRunCount(1);
}

void SkinFormFixture::TearDown() {
  if (form_) form_->Free();
  FreeSkinManager();
  PumpPending();
}

void SkinFormFixture::GiveSkin(TSkinData& skin) { GiveTestSkin(skin); }

void SkinFormFixture::LoadSkinFile(TSkinData& skin, const std::filesystem::path& file) {
  skin.StoredSkin().LoadFromFile(file);
  ASSERT_TRUE(skin.LoadSkin()) << file;
}

void SkinFormFixture::MakeForm() {
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

TSkinForm* SkinFormFixture::Adopt() {
  form_->Show();
  SetForegroundWindow(form_->Handle());
  manager_->SkinWindow(form_->Handle());  // when it was active already
  TSkinForm* object = nullptr;
  EXPECT_TRUE(
      PumpUntil([&] { return (object = manager_->FindSkinForm(form_->Handle())) && object->ChildrenSkinned(); }, kSkinWait));
  return object;
}

void SkinFormFixture::Watch(TSkinForm& object) {
  watcher_.Watch(&object);
  for (TSkinControl* w : object.Wrappers()) watcher_.Watch(w);
}

void SkinFormFixture::RunCommand(int command) {
  manager_->SetCurrentSkin(&skin_);
  manager_->RequestCommand(command, 10);
  EXPECT_TRUE(PumpUntil([&] { return manager_->CurrentSkin() == nullptr; }, kSkinWait));
}

void SkinFormFixture::SwitchOff() {
  RunCommand(kSkinRemove);
  EXPECT_TRUE(PumpUntil([&] { return !manager_->Active() && manager_->SkinForms().empty(); }, kSkinWait));
}

BoxInspector::BoxInspector(std::function<void(HWND box)> inspect)
    : inspect_(std::move(inspect)), timer_(20, [this] { Tick(); }) {}

void BoxInspector::Tick() {
  if (inspected_ || !SkinManager) return;
  const HWND box = FirstVisibleDialog();
  if (!box) return;
  TSkinForm* object = SkinManager->FindSkinForm(box);
  if ((!object || !object->ChildrenSkinned()) && ++waits_ < 100) return;  // adoption comes with activation
  inspected_ = true;
  inspect_(box);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

}  // namespace bus::test
