#include "tests/app/ShotWindow.h"

#include <string>

#include "app/BusMain.h"
#include "app/Startup.h"
#include "framework/controls/Application.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"
#include "tests/support/DesktopTestSupport.h"
#include "tests/support/WindowTestSupport.h"

namespace bus::test {

bool Skinned(HWND window) {
  const TSkinForm* object = SkinManager ? SkinManager->FindSkinForm(window) : nullptr;
  return object && object->ChildrenSkinned();
}

TfrmBusMain* OpenSkinnedMainWindow(TApplication& app) {
  app.Initialize();
  app.SetTitle(std::string(app::kApplicationTitle));
  RegisterBusMainClasses();
  TfrmBusMain::SetStartupOverrides("", "http://127.0.0.1:1/softdownload/update/qbn");
  auto* form = app.CreateForm<TfrmBusMain>(BusMainDescription());
  const HWND window = form->Handle();
  PumpUntil([&] { return IsWindowVisible(window) && Skinned(window); }, kDesktopWait);
  SetForegroundWindow(window);
  PumpPending();
  return form;
}

}  // namespace bus::test
