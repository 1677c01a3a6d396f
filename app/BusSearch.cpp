// Program entry: start-up, configuration and the route database connection.
//
// The route database named in config.ini beside the executable is opened once and stays open for
// the whole run. A failed connection is reported as "数据库错误！" and the program carries on; the
// first statement on the closed connection then fails and goes to the general error report.
#include <objbase.h>
#include <windows.h>

#include <string>

#include "app/AppDirectory.h"
#include "app/RouteSummaryWindow.h"
#include "app/Startup.h"
#include "core/WideText.h"
#include "db/Connection.h"
#include "db/Query.h"

namespace {

using namespace bus;

// The general error report: the error's own text in a message box; the program goes on.
void reportError(HWND owner, const std::exception& error) {
  MessageBoxW(owner, Widen(error.what()).c_str(), Widen(app::kApplicationTitle).c_str(), MB_OK | MB_ICONERROR);
}

struct ComInit {
  const bool ok = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  ~ComInit() {
    if (ok) CoUninitialize();
  }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ComInit com;
  app::RouteSummaryWindow window;

  // configuration and connection
  const std::string appDirectory = app::ExecutableDirectory();
  const std::string dbName = app::ReadDbName(appDirectory);
  const std::string windowTitle = app::WindowTitleFor(dbName);
  db::Connection connection;
  try {
    connection.Open(app::RouteConnectionString(appDirectory, dbName));
  } catch (const std::exception&) {
    MessageBoxW(nullptr, L"数据库错误！", L"提示", MB_OK);
  }

  // every route, then the title
  try {
    db::Query qry(connection);
    qry.SetStatement("select * from way ");
    qry.Open();
    window.SetMessage("数据库共有 " + std::to_string(qry.RecordCount()) + " 条线路记录");
    window.SetCaption(windowTitle);
  } catch (const std::exception& e) {
    reportError(nullptr, e);
  }
  window.Show();

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
