// The updater's steps without a window: what it refuses before fetching anything, how it judges a
// manifest and a fetched route file, and that only a whole, matching file changes the database.
#include "update/RouteUpdater.h"

#include <gtest/gtest.h>

#include <fstream>

#include "db/RouteTable.h"
#include "tests/support/RouteUpdateFiles.h"
#include "tests/support/TestSupport.h"
#include "update/UpdateMessages.h"

namespace bus::update {
namespace {

namespace fs = std::filesystem;

class RouteUpdaterTest : public ::testing::Test {
protected:
  void SetUp() override {
    appDir_ = test::Utf8(dir_.Path()) + "/";
    fs::copy_file(test::BinaryDir() / "xaway.db", database_);
    Config("[config]\r\ndbName=xaway.db\r\n");
  }
  void Config(const std::string& text) { std::ofstream(dir_.Path() / "config.ini", std::ios::binary) << text; }
  // The message the updater fails with in the directory as it stands; empty when it starts.
  std::string StartFailure() {
    try {
      RouteUpdater updater(appDir_);
    } catch (const UpdateFailure& e) {
      return e.Message();
    }
    return {};
  }
  fs::path Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_.Path() / name, std::ios::binary) << bytes;
    return dir_.Path() / name;
  }

  test::TempDir dir_;
  std::string appDir_;
  fs::path database_ = dir_.Path() / "xaway.db";
};

TEST_F(RouteUpdaterTest, KnowsItsDatabaseCityVersionAndWhereUpdatesAreAnnounced) {
  RouteUpdater updater(appDir_);
  EXPECT_EQ(updater.City(), "西安");
  EXPECT_EQ(updater.Version(), 20240711);  // as the build records it
  EXPECT_EQ(updater.ManifestUrl(), "http://www.zelvo.example/softdownload/update/xaway.txt");
  Config("[config]\r\ndbName=xaway.db\r\nupdateUrl=http://127.0.0.1:9/routes/xian.txt\r\n");
  EXPECT_EQ(RouteUpdater(appDir_).ManifestUrl(), "http://127.0.0.1:9/routes/xian.txt");
}

// Said before anything is fetched, and the file stays as it was.
TEST_F(RouteUpdaterTest, NoDatabaseAnUnreadableOneAReadOnlyOneOrAnUnknownCityStopItAtOnce) {
  Config("[config]\r\n");
  EXPECT_EQ(StartFailure(), Unchanged(kNoDatabaseName));
  Config("[config]\r\ndbName=missing.db\r\n");
  EXPECT_EQ(StartFailure(), Unchanged(CannotOpenText(appDir_ + "missing.db")));
  EXPECT_FALSE(fs::exists(dir_.Path() / "missing.db"));

  // a database of routes the build did not make, under another name: no city to match
  test::WriteRoutes(dir_.Path() / "mine.db", {{"1", {"甲", "乙"}}});
  Config("[config]\r\ndbName=mine.db\r\n");
  EXPECT_EQ(StartFailure(), Unchanged(kUnknownCity));
  // under a bundled name the name tells the city
  fs::remove(database_);
  fs::copy_file(dir_.Path() / "mine.db", database_);
  Config("[config]\r\ndbName=xaway.db\r\n");
  EXPECT_EQ(RouteUpdater(appDir_).City(), "西安");
  EXPECT_EQ(RouteUpdater(appDir_).Version(), 0);

  fs::permissions(database_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const std::string before = test::ReadFile(database_);
  EXPECT_EQ(StartFailure(), Unchanged(ReadOnlyText(appDir_ + "xaway.db")));
  EXPECT_EQ(test::ReadFile(database_), before);
}

TEST_F(RouteUpdaterTest, AManifestIsJudgedByItsCityAndVersion) {
  const test::RouteUpdateFiles update = test::NewerXianRoutes();
  RouteUpdater updater(appDir_);
  EXPECT_EQ(updater.TakeManifest(update.manifest), TManifestVerdict::mvApply);
  EXPECT_EQ(updater.RouteFileUrl(), std::string("http://www.zelvo.example/softdownload/update/") + test::kRouteFileName);
  EXPECT_EQ(updater.TakeManifest(test::WithManifestValue(update.manifest, "version", "20240711")),
            TManifestVerdict::mvUpToDate);
  EXPECT_EQ(updater.TakeManifest(test::WithManifestValue(update.manifest, "version", "20200101")),
            TManifestVerdict::mvUpToDate);
  const auto failure = [&](const std::string& text) {
    try {
      updater.TakeManifest(text);
    } catch (const UpdateFailure& e) {
      return e.Message();
    }
    return std::string("taken");
  };
  EXPECT_EQ(failure(test::WithManifestValue(update.manifest, "city", "北京")),
            Unchanged(WrongCityText("北京", "西安")));
  EXPECT_EQ(failure("<html><body><h1>404 Not Found</h1></body></html>"), Unchanged(kBadManifest));
}

TEST_F(RouteUpdaterTest, TheFetchedFileMustBeWholeAndMatchItsDigest) {
  const test::RouteUpdateFiles update = test::NewerXianRoutes();
  RouteUpdater updater(appDir_);
  updater.TakeManifest(update.manifest);
  const auto failure = [&](const std::string& bytes) {
    try {
      RouteUpdater::CheckRouteFile(Write("fetched.db", bytes), updater.Manifest());
    } catch (const UpdateFailure& e) {
      return e.Message();
    }
    return std::string("accepted");
  };
  EXPECT_EQ(failure(update.routes), "accepted");
  EXPECT_EQ(failure(update.routes.substr(0, update.routes.size() - 1)), Unchanged(kIncomplete));
  std::string flipped = update.routes;
  flipped[flipped.size() / 2] ^= 1;
  EXPECT_EQ(failure(flipped), Unchanged(kBadChecksum));
}

TEST_F(RouteUpdaterTest, ApplyingPutsTheNewRoutesInAndAMismatchedFileChangesNothing) {
  const test::RouteUpdateFiles update = test::NewerXianRoutes();
  const std::string before = test::ReadFile(database_);
  {
    // a route file for another city, even under a manifest that claims ours, is refused
    const test::RouteUpdateFiles beijing = test::NewerXianRoutes("北京");
    RouteUpdater updater(appDir_);
    updater.TakeManifest(update.manifest);
    EXPECT_THROW(updater.Apply(Write("beijing.db", beijing.routes)), UpdateFailure);
    EXPECT_THROW(updater.Apply(Write("page.db", "<html>404</html>")), UpdateFailure);
  }
  EXPECT_EQ(test::ReadFile(database_), before);

  RouteUpdater updater(appDir_);
  updater.TakeManifest(update.manifest);
  EXPECT_EQ(updater.Apply(Write("fetched.db", update.routes)), update.records);
  EXPECT_EQ(updater.Version(), update.version);
  const db::RouteFile now = db::ReadRouteFile(database_);
  EXPECT_EQ(now.records.size(), update.records);
  EXPECT_EQ(now.info.version, update.version);
  EXPECT_EQ(now.records.front().stops.at(1), update.newStop);
  // the next run finds nothing newer
  EXPECT_EQ(RouteUpdater(appDir_).TakeManifest(update.manifest), TManifestVerdict::mvUpToDate);
}

}  // namespace
}  // namespace bus::update
