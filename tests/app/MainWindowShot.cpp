// main_window_shot: a picture of the main window after a stop search, for looking at what it shows.
//   main_window_shot.exe FILE.bmp [STOP [suggest]]
// Builds the window from the program's description over the database beside this program, types
// STOP (default 钟楼) into the stop box, presses Enter, and saves the window's screen area as
// FILE.bmp. With "suggest" it presses Down instead of Enter: the picture shows the open suggestion
// list with its first line selected. scripts/main-window-screenshot.sh runs it under Wine and
// converts the picture to PNG.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/BusMain.h"
#include "app/Startup.h"
#include "core/WideText.h"
#include "framework/controls/Application.h"
#include "banner/BannerPlayer.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/Timer.h"
#include "tests/support/DesktopTestSupport.h"
#include "tests/support/WindowPicture.h"
#include "tests/app/MainWindowDriver.h"

int wmain(int argc, wchar_t** argv) {
  using namespace bus;
  if (argc < 2) {
    std::fprintf(stderr, "usage: main_window_shot FILE.bmp [STOP]\n");
    return 2;
  }
  const std::string out = Narrow(argv[1]);
  const std::string stop = argc > 2 ? Narrow(argv[2]) : "钟楼";
  const bool suggest = argc > 3 && std::wstring(argv[3]) == L"suggest";
  TApplication app;
  try {
    app.Initialize();
    app.SetTitle(std::string(app::kApplicationTitle));
    RegisterBusMainClasses();
    // nothing listens there: the banner box shows, empty, without waiting for the network
    TfrmBusMain::SetStartupOverrides("", "http://127.0.0.1:1/softdownload/update/qbn");
    auto* form = app.CreateForm<TfrmBusMain>(BusMainDescription());
    test::PumpUntil([&] { return IsWindowVisible(form->Handle()) != 0; }, test::kDesktopWait);
    form->Timer1->SetInterval(40);  // the banner box shown (empty) at once rather than in 3 s
    form->Edit3->SetFocus();
    test::Type(stop);
    test::Press(suggest ? VK_DOWN : VK_RETURN);
    test::PumpUntil([&] { return form->BannerPlayer1->Visible(); }, test::kDesktopWait);
    test::PumpPending();
    test::SaveWindowPicture(form->Handle(), out);
    std::printf("%s\nsaved %s\n", form->StatusText().c_str(), out.c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "main_window_shot: %s\n", e.what());
    return 1;
  }
}
