// update.exe, the route database updater that the main window's "升级数据库" starts: one window
// that fetches newer routes for the database config.ini beside it names and puts them in. Its exit
// status: 0 updated or already up to date, 1 failed, 2 cancelled.
#include <windows.h>

#include "framework/controls/Application.h"
#include "update/UpdateForm.h"
#include "update/UpdateMessages.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace bus;
  TApplication application;
  TfrmUpdate* form = nullptr;
  try {
    application.Initialize();
    application.SetTitle(std::string(update::kUpdateCaption));
    RegisterUpdateClasses();
    form = application.CreateForm<TfrmUpdate>(UpdateFormDescription());
  } catch (...) {
    application.HandleException(&application);
    return 1;
  }
  application.Run();
  return form->ExitCode();
}
