// popup_shot: pictures of the skinned popup menus over the main window, for looking at what they show.
//   popup_shot.exe PREFIX
// Builds the main window from the program's description over the database beside this program and
// saves PREFIX-tray.bmp (the tray icon's menu open over the window, its second item selected) and
// PREFIX-system.bmp (the skin's system popup opened from the caption, its second item selected) and
// PREFIX-night.bmp (the tray menu again, given the night skin while it is open).
// scripts/popup-screenshot.sh runs it under Wine and converts the pictures to PNG.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

#include "app/BusMain.h"
#include "core/WideText.h"
#include "framework/controls/Application.h"
#include "skin/form/SkinForm.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinManager.h"
#include "tests/app/ShotWindow.h"
#include "tests/support/DesktopTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowPicture.h"
#include "tests/support/WindowTestSupport.h"
#include "tray/TrayIcon.h"

namespace {

// Runs open (which shows a menu and returns when it closes); once the menu is shown, selects its
// second item, runs meanwhile (when given) and waits until it answers true, saves the picture of
// window (the menu lies over it) to path and closes the menu.
bool ShootMenu(HWND window, const std::string& path, const std::function<void()>& open,
               const std::function<bool()>& meanwhile = {}) {
  bool saved = false, waited = !meanwhile;
  int ticks = 0;  // ticks since the menu was seen
  bus::test::ThreadTimer shooter(40, [&] {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (saved || !menu || !IsWindowVisible(menu)) return;
    if (++ticks == 1) {
      PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
      return;
    }
    if (ticks < 4) return;  // the selection is drawn by then
    if (!waited) {
      waited = meanwhile();
      ticks = 2;  // and what it changed is drawn two ticks later
      return;
    }
    bus::test::SaveWindowPicture(window, path);
    saved = true;
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  open();
  return saved;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace bus;
  if (argc < 2) {
    std::fprintf(stderr, "usage: popup_shot PREFIX\n");
    return 2;
  }
  const std::string prefix = Narrow(argv[1]);
  TApplication app;
  try {
    auto* form = test::OpenSkinnedMainWindow(app);
    const HWND window = form->Handle();
    RECT r{};
    GetWindowRect(window, &r);

    // the tray menu, opened as a right press on the icon does, with the cursor over the window
    SetCursorPos(r.left + 200, r.top + 120);
    const bool tray = ShootMenu(window, prefix + "-tray.bmp", [&] {
      SendMessageW(form->TrayIcon1->Handle(), TTrayIcon::kCallbackMessage, TTrayIcon::kIconId, WM_RBUTTONDOWN);
    });
    test::PumpPending();

    // the system popup, opened by a right press on the caption
    const TSkinForm* object = SkinManager->FindSkinForm(window);
    const POINT caption{r.left + 120, r.top + (object ? object->FrameTop() / 2 : 10)};
    const bool system = ShootMenu(window, prefix + "-system.bmp", [&] {
      PostMessageW(window, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(caption.x, caption.y));
      test::PumpUntil([] { return FindWindowW(L"#32768", nullptr) != nullptr; }, test::kDesktopWait);
      test::PumpUntil([] { return FindWindowW(L"#32768", nullptr) == nullptr; }, test::kDesktopWait);
    });
    test::PumpPending();

    // the tray menu again, given the night skin while it is open
    bool asked = false;
    const bool night = ShootMenu(
        window, prefix + "-night.bmp",
        [&] { SendMessageW(form->TrayIcon1->Handle(), TTrayIcon::kCallbackMessage, TTrayIcon::kIconId, WM_RBUTTONDOWN); },
        [&] {
          if (!asked) form->SkinData1->SetSkinFile(Narrow((test::BinaryDir() / "night.skn").wstring()));
          asked = true;
          return SkinManager->CurrentSkin() == nullptr;
        });
    std::printf("popup_shot: tray %s, system %s, night %s\n", tray ? "saved" : "missing", system ? "saved" : "missing",
                night ? "saved" : "missing");
    return tray && system && night ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "popup_shot: %s\n", e.what());
    return 1;
  }
}
