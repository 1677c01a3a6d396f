#include "bench/windows/MainWindowHarness.h"

#include <algorithm>
#include <string>

#include "app/BusMain.h"
#include "app/Startup.h"
#include "core/AppDirectory.h"
#include "framework/controls/Application.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"

namespace bus::bench {

TfrmBusMain* OpenMainWindow(TApplication& app) {
  app.Initialize();
  app.SetTitle(std::string(app::kApplicationTitle));
  RegisterBusMainClasses();
  TfrmBusMain::SetStartupOverrides(ExecutableDirectory(), "http://127.0.0.1:1/softdownload/update/qbn");
  auto* form = app.CreateForm<TfrmBusMain>(BusMainDescription());
  Settle(app);
  return form;
}

void Settle(TApplication& app) {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE)) app.ProcessMessages();
}

void GiveBack(HWND window) {
  if (TSkinForm* object = SkinManager->FindSkinForm(window)) {
    SkinManager->RemoveSkinForm(object);
    object->Unhook();
    object->Dispose();
  }
}

void Adopt(HWND window) {
  SkinManager->SkinWindow(window);
  SendMessageW(window, kSkinMsgSkinControls, 0, 1000);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace bus::bench
