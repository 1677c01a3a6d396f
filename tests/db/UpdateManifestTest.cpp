#include "db/UpdateManifest.h"

#include <gtest/gtest.h>

#include "core/Exception.h"

namespace {

using namespace bus::db;

const std::string kHash = "9C1E000000000000000000000000000000000000000000000000000000ABCDEF";

std::string Manifest(const std::string& extra = "", const std::string& size = "647168") {
  return "; made by the build\r\n[routes]\r\ncity=西安\r\nversion=20240711\r\nfile=xaway.db\r\nsize=" + size +
         "\r\nsha256=" + kHash + "\r\n" + extra;
}

TEST(UpdateManifest, ReadsWhatTheBuildWritesAndIgnoresWhatItDoesNotKnow) {
  const UpdateManifest m = ParseUpdateManifest(Manifest("notes=新线路\r\n[later]\r\nx=1\r\n"));
  EXPECT_EQ(m.city, "西安");
  EXPECT_EQ(m.version, 20240711);
  EXPECT_EQ(m.file, "xaway.db");
  EXPECT_EQ(m.size, 647168u);
  EXPECT_EQ(m.sha256, "9c1e000000000000000000000000000000000000000000000000000000abcdef");
  const UpdateManifest again = ParseUpdateManifest(FormatUpdateManifest(m));
  EXPECT_EQ(again.city, m.city);
  EXPECT_EQ(again.version, m.version);
  EXPECT_EQ(again.file, m.file);
  EXPECT_EQ(again.size, m.size);
  EXPECT_EQ(again.sha256, m.sha256);
}

// An error page saved in its place, a cut-off manifest, and values no route file can have.
TEST(UpdateManifest, AnythingElseIsRefusedWithTheReason) {
  const auto reason = [](const std::string& text) {
    try {
      ParseUpdateManifest(text);
    } catch (const bus::Exception& e) {
      return e.Message();
    }
    return std::string("accepted");
  };
  EXPECT_EQ(reason("<html><body><h1>404 Not Found</h1></body></html>"), "the update manifest has no city");
  EXPECT_EQ(reason(Manifest().substr(0, Manifest().find("size="))), "the update manifest has no size");
  EXPECT_NE(reason(Manifest("", "0")).find("size"), std::string::npos);
  EXPECT_NE(reason(Manifest("", "12k")).find("size"), std::string::npos);
  EXPECT_NE(reason(Manifest("", std::to_string(kMaxRouteFileSize + 1))).find("size"), std::string::npos);
  EXPECT_EQ(reason(Manifest("", std::to_string(kMaxRouteFileSize))), "accepted");
  std::string text = Manifest();
  text.replace(text.find("20240711"), 8, "-3");
  EXPECT_NE(reason(text).find("version"), std::string::npos);
  text = Manifest();
  text.replace(text.find(kHash), 1, "g");
  EXPECT_NE(reason(text).find("sha256"), std::string::npos);
  text = Manifest();
  text.replace(text.find(kHash), kHash.size(), kHash.substr(1));
  EXPECT_NE(reason(text).find("sha256"), std::string::npos);
}

TEST(UpdateManifest, TheRouteFileIsFoundBesideTheManifestUnlessItsAddressIsFull) {
  const std::string base = "http://www.zelvo.example/softdownload/update/xaway.txt";
  EXPECT_EQ(ResolveUrl(base, "xaway.db"), "http://www.zelvo.example/softdownload/update/xaway.db");
  EXPECT_EQ(ResolveUrl(base, "2024/xaway.db"), "http://www.zelvo.example/softdownload/update/2024/xaway.db");
  EXPECT_EQ(ResolveUrl(base, "/files/xaway.db"), "http://www.zelvo.example/files/xaway.db");
  EXPECT_EQ(ResolveUrl(base, "HTTPS://cdn.zelvo.example/x.db"), "HTTPS://cdn.zelvo.example/x.db");
  EXPECT_EQ(ResolveUrl("http://127.0.0.1:8080/m.txt?city=1", "r.db"), "http://127.0.0.1:8080/r.db");
  EXPECT_EQ(ResolveUrl("http://127.0.0.1:8080", "r.db"), "http://127.0.0.1:8080/r.db");
}

}  // namespace
