// skin_showcase: the widget layer's showcase forms with the skin, for looking at what the skin
// paints. A skin data component carrying our default skin (or, with --night, the night skin) is
// switched on and the skin manager adopts the form as the program's windows are adopted.
//   skin_showcase.exe [--night] [--kinds | --states | --box] [FILE.bmp]
//     (no page)  the main window's kinds laid out like the bottom of the main window
//     --kinds    the further control kinds of the widget layer
//     --states   buttons, check boxes and radio buttons in every state the skin draws, the focused,
//                pressed and hot ones posed with the messages focus, keys and mouse would bring
//     --box      a message box of the application (its bare buttons)
//   Without FILE the form stays until it is closed; with FILE its screen area is saved as a BMP
//   once it is skinned and painted, and the program ends.
// scripts/skin-showcase-screenshot.sh runs it under Wine and converts the pictures to PNG.
#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "framework/controls/Application.h"
#include "framework/controls/Button.h"
#include "framework/controls/Form.h"
#include "framework/controls/FrameworkClasses.h"
#include "framework/controls/SpeedButton.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"
#include "tests/framework/controls/KindsForm.h"
#include "tests/framework/controls/ShowcaseForm.h"
#include "tests/skin/control/ButtonStatesForm.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowPicture.h"
#include "tests/support/WindowTestSupport.h"

namespace bus {
namespace {

constexpr DWORD kWait = 10000;

bool Skinned(HWND window) {
  const TSkinForm* object = SkinManager ? SkinManager->FindSkinForm(window) : nullptr;
  return object && object->ChildrenSkinned();
}

// The focused, pressed and hot looks. One button per form is drawn hot: the flat speed button.
void Pose(test::TfrmButtonStates& form) {
  form.Get<TButton>("btnFocused").SetFocus();
  SendMessageW(form.Get<TButton>("btnPressed").Handle(), BM_SETSTATE, TRUE, 0);  // as Space holds it
  form.Get<TSpeedButton>("sbFlatHot").Perform(CM_MOUSEENTER);
}

// Shows a message box, saves its picture once it is skinned and painted, and closes it.
int ShootBox(const char* picture) {
  bool saved = false;
  test::ThreadTimer shooter(50, [&] {
    if (saved) return;
    const HWND box = FindWindowW(L"#32770", nullptr);
    if (!box || !IsWindowVisible(box) || !Skinned(box)) return;
    saved = true;
    test::PumpPending();
    test::SaveWindowPicture(box, picture);
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
  });
  Application->MessageBox("没有直达的线路，要查换乘方案吗？", "提示", MB_OKCANCEL | MB_ICONQUESTION);
  return saved ? 0 : 1;
}

}  // namespace
}  // namespace bus

int main(int argc, char** argv) {
  using namespace bus;
  bool night = false;
  std::string page;
  const char* picture = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--night") night = true;
    else if (arg == "--kinds" || arg == "--states" || arg == "--box") page = arg;
    else picture = argv[i];
  }
  TApplication app;
  try {
    app.Initialize();
    app.SetTitle("skin_showcase");
    RegisterFrameworkClasses();
    RegisterSkinClasses();
    test::RegisterKindsClasses();
    test::RegisterButtonStatesClasses();
    auto* skin = new TSkinData(&app);
    skin->SetSkinFile(test::Utf8(test::BinaryDir() / (night ? "night.skn" : "bussearch.skn")));
    if (skin->SkinEmpty()) throw Exception("the skin could not be read");
    skin->SetActive(true);

    TForm* form = nullptr;
    if (page == "--box") {
      if (!picture) {
        Application->MessageBox("没有直达的线路，要查换乘方案吗？", "提示", MB_OKCANCEL | MB_ICONQUESTION);
        return 0;
      }
      const int result = ShootBox(picture);
      std::printf(result == 0 ? "saved %s\n" : "no skinned box to save as %s\n", picture);
      return result;
    }
    if (page == "--kinds") {
      form = app.CreateForm<test::TfrmKinds>(test::kKindsDescription);
    } else if (page == "--states") {
      form = app.CreateForm<test::TfrmButtonStates>(test::kButtonStatesDescription);
    } else {
      form = test::CreateShowcase(app);
    }
    if (!picture) {
      app.Run();
      return 0;
    }
    if (!test::PumpUntil([&] { return Skinned(form->Handle()); }, kWait))
      throw Exception("the form was not skinned");
    if (auto* states = dynamic_cast<test::TfrmButtonStates*>(form)) Pose(*states);
    test::PumpPending();
    test::SaveWindowPicture(form->Handle(), picture);
    std::printf("saved %s\n", picture);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skin_showcase: %s\n", e.what());
    return 1;
  }
}
