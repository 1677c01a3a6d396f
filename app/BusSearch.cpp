// Program entry: one instance per user (a second start brings the running one's window forward and
// ends), the application (with the common controls), its title, the main window from its
// description, and the message loop until the tray menu's "退出".
#include <windows.h>

#include <memory>

#include "app/BusMain.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "framework/controls/Application.h"

namespace {

// How long a second start waits for the first one to have its window.
constexpr DWORD kFirstInstanceWait = 15000;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace bus;
  std::unique_ptr<app::TSingleInstance> instance;
  try {
    instance = std::make_unique<app::TSingleInstance>();
  } catch (...) {
    // cannot tell: run, as the program did before it knew about other instances
  }
  if (instance && !instance->First()) return instance->ActivateFirst(kFirstInstanceWait) ? 0 : 1;

  TApplication application;
  try {
    application.Initialize();
    application.SetTitle(std::string(app::kApplicationTitle));
    RegisterBusMainClasses();
    TfrmBusMain* form = application.CreateForm<TfrmBusMain>(BusMainDescription());
    if (instance) instance->Publish(form->Handle());
  } catch (...) {
    // nothing to run without the window: say why and end
    application.HandleException(&application);
    return 1;
  }
  application.Run();
  return 0;
}
