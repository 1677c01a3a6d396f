// The fixture of the form skinning tests under Wine: a skin manager with its hook, one skin data
// component registered with it (the image-less test skin, or a skin file), and a form holding a
// panel with a button, an edit, a check box, a memo and a speed button, adopted as its activation
// adopts it; and a timer that inspects the next message box of the thread and closes it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/Panel.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinManager.h"
#include "tests/support/FreeWatcher.h"
#include "tests/support/SkinWindowsSupport.h"

namespace bus {

class TSkinForm;

namespace test {

class SkinFormFixture : public ::testing::Test {
protected:
  static void SetUpTestSuite() { StartSkinTestApplication(); }
  void SetUp() override;
  void TearDown() override;

  // The skin the fixture registers: the test skin of no images unless a test overrides it.
  virtual void GiveSkin(TSkinData& skin);
  // Reads a skin archive file of the build (bussearch.skn, night.skn) into skin.
  static void LoadSkinFile(TSkinData& skin, const std::filesystem::path& file);

  // A form with a panel holding a button, an edit, a check box, a memo and a speed button.
  void MakeForm();
  template <class C>
  static C* Place(C* control, TWinControl* parent, int x, int y, int w, int h) {
    control->SetParent(parent);
    control->SetBounds(x, y, w, h);
    return control;
  }
  // Shows and activates the form and waits until its controls are skinned.
  TSkinForm* Adopt();
  // Watches the object and its wrappers until they are freed.
  void Watch(TSkinForm& object);
  // Runs a command of the skin manager through its timer, as the skin data component asks for it.
  void RunCommand(int command);
  // Switches skinning off (command 2) and waits until every form object is gone.
  void SwitchOff();

  TSkinManage* manager_ = nullptr;
  TSkinData skin_{nullptr};
  TFreeWatcher watcher_;
  TForm* form_ = nullptr;
  TPanel* panel_ = nullptr;
  TButton* button_ = nullptr;
  TEdit* edit_ = nullptr;
};

// Looks for a message box of this thread from a timer; once the skin has adopted it (or after two
// seconds), runs the checks on it and closes it with IDOK.
class BoxInspector {
public:
  explicit BoxInspector(std::function<void(HWND box)> inspect);
  bool Inspected() const noexcept { return inspected_; }

private:
  void Tick();

  std::function<void(HWND)> inspect_;  // the checks
  bool inspected_ = false;             // done
  int waits_ = 0;                      // ticks waited for the adoption
  ThreadTimer timer_;                  // made last, gone first
};

}  // namespace test
}  // namespace bus
