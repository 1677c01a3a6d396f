// form_showcase: the widget layer's controls, for looking at what the layer paints: the main
// window's kinds laid out like the bottom of the main window, or (--kinds) the form of the further
// kinds that the control kind tests use.
//   form_showcase.exe [--kinds]              shows the form until it is closed
//   form_showcase.exe [--kinds] FILE.bmp     shows it, saves the form's screen area as FILE.bmp, and ends
// scripts/form-screenshot.sh runs it under Wine and converts the pictures to PNG.
#include <windows.h>

#include <cstdio>
#include <string>

#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/FrameworkClasses.h"
#include "tests/framework/controls/KindsForm.h"
#include "tests/framework/controls/ShowcaseForm.h"
#include "tests/support/WindowPicture.h"
#include "tests/support/WindowTestSupport.h"

int main(int argc, char** argv) {
  using namespace bus;
  TApplication app;
  app.Initialize();
  app.SetTitle("form_showcase");
  RegisterFrameworkClasses();
  test::RegisterKindsClasses();
  const bool kinds = argc > 1 && std::string(argv[1]) == "--kinds";
  const char* picture = argc > (kinds ? 2 : 1) ? argv[kinds ? 2 : 1] : nullptr;
  try {
    TForm* form = nullptr;
    if (kinds) {
      form = app.CreateForm<test::TfrmKinds>(test::kKindsDescription);
    } else {
      form = test::CreateShowcase(app);
    }
    if (!picture) {
      app.Run();
      return 0;
    }
    test::PumpUntil([&] { return IsWindowVisible(form->Handle()) != 0; });
    test::PumpPending();
    test::SaveWindowPicture(form->Handle(), picture);
    std::printf("saved %s\n", picture);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "form_showcase: %s\n", e.what());
    return 1;
  }
}
