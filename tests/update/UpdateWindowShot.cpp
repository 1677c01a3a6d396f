// update_window_shot: pictures of the updater's window, for looking at what it shows.
//   update_window_shot.exe PREFIX
// Runs the window against a loopback server over a copy of the Xi'an database and saves its screen
// area three times: PREFIX-progress.bmp while half of a newer route file has arrived,
// PREFIX-done.bmp after it went in, PREFIX-failed.bmp after a file whose digest is wrong.
// scripts/update-window-screenshot.sh runs it under Wine and converts the pictures to PNG.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "core/WideText.h"
#include "framework/controls/Application.h"
#include "framework/controls/ProgressBar.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/RouteUpdateFiles.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowPicture.h"
#include "tests/support/WindowTestSupport.h"
#include "update/UpdateForm.h"
#include "update/UpdateMessages.h"

namespace {

using namespace bus;
namespace fs = std::filesystem;

// One window over a fresh copy of the database, the server offering manifest and routes (the
// routes held after holdAfter bytes); its picture once done() holds.
void Shoot(const std::string& picture, const std::string& manifest, const std::string& routes, size_t holdAfter,
           const std::function<bool(TfrmUpdate&)>& done) {
  test::TempDir dir;
  fs::copy_file(test::BinaryDir() / "xaway.db", dir.Path() / "xaway.db");
  test::LoopbackServer server(test::LoopbackServer::Mode::Answer);
  server.Serve("/xaway.txt", manifest);
  server.Serve(std::string("/") + test::kRouteFileName, routes, holdAfter);
  std::ofstream(dir.Path() / "config.ini", std::ios::binary)
      << "[config]\r\ndbName=xaway.db\r\nupdateUrl=" << server.Url("/xaway.txt") << "\r\n";
  TfrmUpdate::SetOverrides(test::Utf8(dir.Path()) + "\\", 10000);
  auto* form = Application->CreateForm<TfrmUpdate>(UpdateFormDescription());
  if (!test::PumpUntil([&] { return done(*form); }, 20000)) std::fprintf(stderr, "update_window_shot: waited in vain\n");
  test::PumpFor(300);
  test::SaveWindowPicture(form->Handle(), picture);
  std::printf("%s: %s (bar at %d of %d)\n", picture.c_str(), form->StatusText().c_str(),
              form->ProgressBar1->Position(), form->ProgressBar1->Max());
  form->Free();
  test::PumpFor(50);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: update_window_shot PREFIX\n");
    return 2;
  }
  const std::string prefix = Narrow(argv[1]);
  try {
    test::EnsureApplication().SetTitle(std::string(update::kUpdateCaption));
    RegisterUpdateClasses();
    const test::RouteUpdateFiles update = test::NewerXianRoutes();
    Shoot(prefix + "-progress.bmp", update.manifest, update.routes, update.routes.size() / 2,
          [](TfrmUpdate& f) { return f.ProgressBar1->Position() > 0; });
    Shoot(prefix + "-done.bmp", update.manifest, update.routes, std::string::npos,
          [](TfrmUpdate& f) { return f.State() != TUpdateState::usWorking; });
    Shoot(prefix + "-failed.bmp", test::WithManifestValue(update.manifest, "sha256", std::string(64, 'a')),
          update.routes, std::string::npos, [](TfrmUpdate& f) { return f.State() != TUpdateState::usWorking; });
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "update_window_shot: %s\n", e.what());
    return 1;
  }
}
