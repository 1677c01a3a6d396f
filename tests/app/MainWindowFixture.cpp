#include "tests/app/MainWindowFixture.h"

#include <windows.h>

#include <fstream>

#include "db/Connection.h"
#include "db/Query.h"
#include "framework/controls/Application.h"
#include "tests/app/MainWindowDriver.h"
#include "tests/support/DesktopTestSupport.h"
#include "tests/support/ShellCallRecorder.h"

namespace bus::test {

namespace fs = std::filesystem;

std::vector<Record> ReadAllRecords(const fs::path& database) {
  db::Connection connection;
  connection.Open(ConnectionStringFor(database));
  db::Query q(connection);
  q.SetStatement("select * from way");
  q.Open();
  std::vector<Record> records;
  for (q.First(); !q.IsEmpty() && int(records.size()) < q.RecordCount(); q.Next()) {
    Record r;
    for (int f = 0; f < q.FieldCount(); ++f) r.emplace_back(q.Value(f));
    records.push_back(std::move(r));
  }
  return records;
}

void MainWindowFixture::SetUpTestSuite() {
  EnsureApplication().SetTitle("Zelvo公交车查询");
  RegisterBusMainClasses();
  RecordShellCalls();
}

void MainWindowFixture::TearDownTestSuite() { TfrmBusMain::SetStartupOverrides("", ""); }

void MainWindowFixture::PrepareDirectory(const std::string& config, const std::string& dbName) {
  if (!config.empty()) std::ofstream(dir_.Path() / "config.ini", std::ios::binary) << config;
  if (!dbName.empty()) fs::copy_file(BinaryDir() / "xaway.db", dir_.Path() / dbName);
}

void MainWindowFixture::Create(const std::string& bannerUrl) {
  TfrmBusMain::SetStartupOverrides(Utf8(dir_.Path()) + "\\", bannerUrl);
  ShellCalls().clear();
  form_ = Application->CreateForm<TfrmBusMain>(BusMainDescription());
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }, kDesktopWait));
  SetForegroundWindow(form_->Handle());
  Settle();
}

void MainWindowFixture::CreateXian() {
  PrepareDirectory("[config]\r\ndbName=xaway.db\r\n");
  Create();
  all_ = ReadAllRecords(dir_.Path() / "xaway.db");
}

void MainWindowFixture::TearDown() {
  // no test expects a box it did not answer itself (an error report, for instance)
  for (const SeenBox& box : unexpected_.Seen()) ADD_FAILURE() << "message box " << box.caption << ": " << box.text;
  if (form_) form_->Free();
  form_ = nullptr;
  PumpPending();
}

void MainWindowFixture::Search(TEdit* edit, const std::string& text) {
  edit->SetFocus();
  edit->SelectAll();
  Press(VK_DELETE);
  Type(text);
  Press(VK_RETURN);
}

}  // namespace bus::test
