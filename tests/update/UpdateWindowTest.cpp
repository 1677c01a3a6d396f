// The updater's window under Wine against a loopback web server: a newer route file goes into the
// database (checked through busquery too); every failure and the cancel leave the database byte
// for byte as it was and say why; the window stays responsive while a server says nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "db/RouteTable.h"
#include "framework/controls/Application.h"
#include "framework/controls/ProgressBar.h"
#include "framework/controls/StdCtrls.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/RouteUpdateFiles.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"
#include "update/UpdateForm.h"
#include "update/UpdateMessages.h"

namespace bus {
namespace {

namespace fs = std::filesystem;
using test::LoopbackServer;
using test::PumpUntil;
using namespace update;

constexpr DWORD kFinishWait = 20000;
const std::string kManifestPath = "/update/xaway.txt";
const std::string kRoutePath = std::string("/update/") + test::kRouteFileName;

class UpdateWindow : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    test::EnsureApplication();
    RegisterUpdateClasses();
  }
  static void TearDownTestSuite() { TfrmUpdate::SetOverrides("", 0); }

  void SetUp() override {
    fs::copy_file(test::BinaryDir() / "xaway.db", database_);
    before_ = test::ReadFile(database_);
  }
  void TearDown() override {
    if (form_) form_->Free();
    test::PumpFor(30);
  }

  // config.ini naming the Xi'an database and the manifest at url.
  void Config(const std::string& url) {
    std::ofstream(dir_.Path() / "config.ini", std::ios::binary)
        << "[config]\r\ndbName=xaway.db\r\nupdateUrl=" << url << "\r\n";
  }
  // A server offering update's manifest (as given) and route file (as given).
  void Offer(LoopbackServer& server, const std::string& manifest, const std::string& routes) {
    server.Serve(kManifestPath, manifest);
    server.Serve(kRoutePath, routes);
    Config(server.Url(kManifestPath));
  }
  // Opens the window; with wait, until the update has ended.
  void Run(bool wait = true, unsigned deadlineMs = 10000) {
    TfrmUpdate::SetOverrides(test::Utf8(dir_.Path()) + "\\", deadlineMs);
    form_ = Application->CreateForm<TfrmUpdate>(UpdateFormDescription());
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }));
    if (wait) {
      ASSERT_TRUE(PumpUntil([&] { return form_->State() != TUpdateState::usWorking; }, kFinishWait));
    }
  }
  // The update failed with reason, and left the database as it was.
  void ExpectFailed(const std::string& reason) {
    EXPECT_EQ(form_->State(), TUpdateState::usFailed);
    EXPECT_EQ(form_->StatusText(), reason);
    EXPECT_EQ(form_->ExitCode(), 1);
    EXPECT_EQ(form_->Button1->Caption(), kCloseButton);
    EXPECT_TRUE(test::ReadFile(database_) == before_) << "the database changed";
  }
  // busquery's answer about the window's database.
  std::string BusQuery(const std::vector<std::string>& args) {
    std::vector<std::string> all{"--db", test::Utf8(database_)};
    all.insert(all.end(), args.begin(), args.end());
    const test::ChildResult r = test::RunChild(test::BinaryDir() / "busquery.exe", all);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.out;
  }

  test::TempDir dir_;
  fs::path database_ = dir_.Path() / "xaway.db";
  std::string before_;  // the database's bytes before the update
  TfrmUpdate* form_ = nullptr;
  const test::RouteUpdateFiles update_ = test::NewerXianRoutes();
};

TEST_F(UpdateWindow, ANewerRouteFileGoesIntoTheDatabase) {
  LoopbackServer server(LoopbackServer::Mode::Answer);
  Offer(server, update_.manifest, update_.routes);
  const std::string lineBefore = BusQuery({"line", update_.changedLine});
  EXPECT_EQ(lineBefore.find(update_.newStop), std::string::npos);
  Run();
  EXPECT_EQ(form_->State(), TUpdateState::usUpdated);
  EXPECT_EQ(form_->StatusText(), UpdatedText(update_.version, update_.records));
  EXPECT_EQ(form_->ExitCode(), 0);
  EXPECT_EQ(form_->ProgressBar1->Position(), form_->ProgressBar1->Max());
  EXPECT_EQ(server.Requests(), (std::vector<std::string>{kManifestPath, kRoutePath}));

  const db::RouteFile now = db::ReadRouteFile(database_);
  EXPECT_EQ(now.records.size(), update_.records);
  EXPECT_EQ(now.info.version, update_.version);
  EXPECT_NE(BusQuery({"line", update_.changedLine}).find(update_.newStop), std::string::npos);
  EXPECT_NE(BusQuery({"line", update_.addedLine}).find("测试终点站"), std::string::npos);

  // started again, it finds nothing newer and fetches only the manifest
  form_->Free();
  form_ = nullptr;
  const std::string updated = test::ReadFile(database_);
  Run();
  EXPECT_EQ(form_->State(), TUpdateState::usUpToDate);
  EXPECT_EQ(form_->StatusText(), UpToDateText(update_.version));
  EXPECT_EQ(form_->ExitCode(), 0);
  EXPECT_EQ(server.Requests().size(), 3u);
  EXPECT_TRUE(test::ReadFile(database_) == updated);
}

TEST_F(UpdateWindow, AWrongDigestATruncatedFileOrAnotherCityChangeNothing) {
  {
    LoopbackServer server(LoopbackServer::Mode::Answer);
    Offer(server, test::WithManifestValue(update_.manifest, "sha256", std::string(64, 'a')), update_.routes);
    Run();
    ExpectFailed(Unchanged(kBadChecksum));
    form_->Free();
    form_ = nullptr;
  }
  {
    LoopbackServer server(LoopbackServer::Mode::Answer);
    Offer(server, update_.manifest, update_.routes.substr(0, update_.routes.size() - 4096));
    Run();
    ExpectFailed(Unchanged(kIncomplete));
    form_->Free();
    form_ = nullptr;
  }
  {
    LoopbackServer server(LoopbackServer::Mode::Answer);
    const test::RouteUpdateFiles beijing = test::NewerXianRoutes("北京");
    Offer(server, beijing.manifest, beijing.routes);
    Run();
    ExpectFailed(Unchanged(WrongCityText("北京", "西安")));
    EXPECT_EQ(server.Requests(), std::vector<std::string>{kManifestPath});  // the routes were not fetched
  }
}

TEST_F(UpdateWindow, NoServerAnErrorPageOrOneThatNeverAnswersChangeNothing) {
  Config("http://127.0.0.1:1/update/xaway.txt");  // nobody listens there
  Run();
  ExpectFailed(Unchanged(kNoConnection));
  form_->Free();
  form_ = nullptr;
  {
    LoopbackServer server(LoopbackServer::Mode::Answer);
    Config(server.Url("/nothing/here.txt"));  // the server answers with its 404 page
    Run();
    ExpectFailed(Unchanged(kBadManifest));
    form_->Free();
    form_ = nullptr;
  }
  LoopbackServer hung(LoopbackServer::Mode::NeverAnswer);
  Config(hung.Url(kManifestPath));
  Run(false, 1500);
  // the window keeps handling its messages while the server says nothing
  ASSERT_TRUE(PumpUntil([&] { return hung.Connections() == 1; }));
  EXPECT_EQ(form_->State(), TUpdateState::usWorking);
  EXPECT_EQ(form_->StatusText(), kFetchingManifest);
  SetWindowTextW(form_->Handle(), L"still here");
  EXPECT_TRUE(PumpUntil([&] { return form_->State() != TUpdateState::usWorking; }, kFinishWait));
  ExpectFailed(Unchanged(kNoAnswer));
}

TEST_F(UpdateWindow, AReadOnlyDatabaseIsNamedBeforeAnythingIsFetched) {
  LoopbackServer server(LoopbackServer::Mode::Answer);
  Offer(server, update_.manifest, update_.routes);
  SetFileAttributesW(database_.wstring().c_str(), FILE_ATTRIBUTE_READONLY);
  Run();
  ExpectFailed(Unchanged(ReadOnlyText(test::Utf8(dir_.Path()) + "\\xaway.db")));
  EXPECT_TRUE(server.Requests().empty());
}

TEST_F(UpdateWindow, CancelWhileTheRoutesArriveChangesNothing) {
  LoopbackServer server(LoopbackServer::Mode::Answer);
  server.Serve(kManifestPath, update_.manifest);
  server.Serve(kRoutePath, update_.routes, update_.routes.size() / 2);  // half, then the transfer stalls
  Config(server.Url(kManifestPath));
  Run(false);
  ASSERT_TRUE(PumpUntil([&] { return server.Requests().size() == 2; }, kFinishWait));
  EXPECT_EQ(form_->StatusText(), kFetchingRoutes);
  // the bar shows what has arrived
  EXPECT_TRUE(PumpUntil([&] { return form_->ProgressBar1->Position() > 0; }, 5000));
  EXPECT_LT(form_->ProgressBar1->Position(), form_->ProgressBar1->Max());
  EXPECT_EQ(form_->Button1->Caption(), kCancelButton);
  SendMessageW(form_->Button1->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form_->State(), TUpdateState::usCancelled);
  EXPECT_EQ(form_->StatusText(), Unchanged(kCancelled));
  EXPECT_EQ(form_->ExitCode(), 2);
  EXPECT_EQ(form_->Button1->Caption(), kCloseButton);
  test::PumpFor(300);
  EXPECT_TRUE(test::ReadFile(database_) == before_);
}

}  // namespace
}  // namespace bus
