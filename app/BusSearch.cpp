// Program entry: the application (with the common controls), its title,
// the main window from its description, and the message loop until the tray menu's "退出".
#include <windows.h>

#include "app/BusMain.h"
#include "app/Startup.h"
#include "framework/controls/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace bus;
  TApplication application;
  try {
    application.Initialize();
    application.SetTitle(std::string(app::kApplicationTitle));
    RegisterBusMainClasses();
    application.CreateForm<TfrmBusMain>(BusMainDescription());
  } catch (...) {
    // nothing to run without the window: say why and end
    application.HandleException(&application);
    return 1;
  }
  application.Run();
  return 0;
}
