// frame_shot: pictures of the main window's skinned frame, for looking at what it shows.
//   frame_shot.exe PREFIX
// Builds the main window from the program's description over the database beside this program and
// saves PREFIX-active.bmp (the window active), PREFIX-inactive.bmp (another window active) and
// PREFIX-messagebox.bmp (a message box of the window, with its own skinned frame, over it).
// scripts/frame-screenshot.sh runs it under Wine and converts the pictures to PNG.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/BusMain.h"
#include "app/Startup.h"
#include "core/WideText.h"
#include "framework/controls/Application.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"
#include "tests/app/ShotWindow.h"
#include "tests/support/DesktopTestSupport.h"
#include "tests/support/BoxAnswerer.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/support/WindowPicture.h"

int wmain(int argc, wchar_t** argv) {
  using namespace bus;
  if (argc < 2) {
    std::fprintf(stderr, "usage: frame_shot PREFIX\n");
    return 2;
  }
  const std::string prefix = Narrow(argv[1]);
  TApplication app;
  try {
    const HWND window = test::OpenSkinnedMainWindow(app)->Handle();
    test::SaveWindowPicture(window, prefix + "-active.bmp");

    const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                                       nullptr, nullptr);
    SetForegroundWindow(other);
    test::PumpUntil([&] { return GetForegroundWindow() == other; }, test::kDesktopWait);
    test::PumpPending();
    test::SaveWindowPicture(window, prefix + "-inactive.bmp");
    DestroyWindow(other);
    SetForegroundWindow(window);
    test::PumpPending();

    // the box is saved from a timer its own message loop runs, once the skin has adopted it
    bool saved = false;
    int skinnedTicks = 0;  // ticks since the box was adopted: its frame is painted by the next ones
    {
      test::ThreadTimer shooter(30, [&] {
        const HWND box = test::FirstVisibleDialog();
        if (saved || !box || !test::Skinned(box) || ++skinnedTicks < 4) return;
        test::SaveWindowPicture(box, prefix + "-messagebox.bmp");
        saved = true;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      });
      MessageBoxW(window, L"没有找到经过这个站点的公交车。", L"西安公交查询", MB_OK | MB_ICONINFORMATION);
    }
    std::printf("saved %s-active.bmp, %s-inactive.bmp%s\n", prefix.c_str(), prefix.c_str(),
                saved ? (", " + prefix + "-messagebox.bmp").c_str() : " (no message box picture)");
    return saved ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "frame_shot: %s\n", e.what());
    return 1;
  }
}
