#include <gtest/gtest.h>

#include <sstream>

#include "core/BmpFile.h"
#include "core/TextUtil.h"
#include "skin/data/SkinWriter.h"
#include "tests/support/TestSupport.h"
#include "tools/skinpack/SkinPackCommands.h"

namespace bus::tools {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const std::string& bytes) {
  TMemoryStream s;
  s.WriteBuffer(bytes.data(), bytes.size());
  s.SaveToFile(path);
}

std::string Bmp(std::uint32_t argb) {
  BmpImage image(3, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) image.SetPixel(x, y, argb);
  }
  const auto bytes = EncodeBmp(image, 24);
  return std::string(bytes.begin(), bytes.end());
}

TEST(SkinPack, PackListExtractRoundTrip) {
  test::TempDir dir;
  const fs::path src = dir.Path() / "src";
  fs::create_directories(src);
  Write(src / "Skin.ini", "[Personality]\r\nLeft=Left.bmp\r\nTop=skins\\top.bmp\r\nRight=missing.bmp\r\n");
  Write(src / "Left.bmp", Bmp(0xFF112233));
  Write(src / "top.bmp", Bmp(0xFFFF00FF));
  Write(src / "notes.txt", "any member");

  const auto files = SkinDirectoryFiles(src);
  ASSERT_EQ(files.size(), 4u);
  EXPECT_EQ(files[0].filename(), "Skin.ini");  // the descriptor first
  std::ostringstream warnings;
  const fs::path archive = dir.Path() / "out.skn";
  PackArchive(archive, files, warnings);
  EXPECT_NE(warnings.str().find("missing.bmp"), std::string::npos);  // named but absent
  EXPECT_EQ(warnings.str().find("top.bmp"), std::string::npos);

  std::ostringstream listing;
  ListArchive(archive, listing);
  for (const char* name : {"skin.ini", "left.bmp", "top.bmp", "notes.txt", "4 members"}) {
    EXPECT_NE(listing.str().find(name), std::string::npos) << name << "\n" << listing.str();
  }

  const fs::path out = dir.Path() / "out";
  EXPECT_EQ(ExtractArchive(archive, out, {}, warnings), 4);
  for (const char* name : {"Skin.ini", "Left.bmp", "top.bmp", "notes.txt"}) {
    EXPECT_EQ(test::ReadFile(out / AsciiLower(name)), test::ReadFile(src / name)) << name;
  }
  const fs::path one = dir.Path() / "one";
  EXPECT_EQ(ExtractArchive(archive, one, {"LEFT.BMP"}, warnings), 1);
  EXPECT_TRUE(fs::exists(one / "left.bmp"));
  EXPECT_FALSE(fs::exists(one / "skin.ini"));
  EXPECT_THROW(ExtractArchive(archive, one, {"absent.bmp"}, warnings), SkinPackError);
}

TEST(SkinPack, ClearErrorsForBadInput) {
  test::TempDir dir;
  Write(dir.Path() / "a.bmp", Bmp(0xFF000000));
  Write(dir.Path() / "fake.bmp", "not a bitmap");
  Write(dir.Path() / "skin.ini", "[x]\n");
  Write(dir.Path() / "A.BMP.ini", "[y]\n");
  std::ostringstream warnings;
  const fs::path archive = dir.Path() / "x.skn";
  const auto fails = [&](const std::vector<fs::path>& files, const std::string& says) {
    try {
      PackArchive(archive, files, warnings);
      ADD_FAILURE() << "packed; expected an error saying " << says;
    } catch (const SkinPackError& e) {
      EXPECT_NE(e.Message().find(says), std::string::npos) << e.Message();
    }
  };
  fails({dir.Path() / "a.bmp"}, "no descriptor");
  fails({dir.Path() / "skin.ini", dir.Path() / "fake.bmp"}, "not a BMP file");
  fails({dir.Path() / "skin.ini", dir.Path() / "gone.bmp"}, "cannot read");
  fs::create_directories(dir.Path() / "sub");
  Write(dir.Path() / "sub" / "A.bmp", Bmp(0xFFFFFFFF));
  fails({dir.Path() / "skin.ini", dir.Path() / "a.bmp", dir.Path() / "sub" / "A.bmp"}, "already in the archive");
  fails({}, "nothing to pack");
  EXPECT_THROW(SkinDirectoryFiles(dir.Path()), SkinPackError);  // two descriptors
  EXPECT_THROW(SkinDirectoryFiles(dir.Path() / "nowhere"), SkinPackError);
  EXPECT_THROW(ListArchive(dir.Path() / "a.bmp", warnings), SkinPackError);  // not an archive
  EXPECT_FALSE(fs::exists(archive));
}

TEST(SkinPack, ExtractKeepsMembersInsideTheDirectory) {
  test::TempDir dir;
  TSkinWriter writer;
  const std::string data = "x";
  const std::span<const std::uint8_t> bytes{reinterpret_cast<const std::uint8_t*>(data.data()), data.size()};
  writer.AddMember("skin.ini", bytes);
  writer.AddMember("../escape.bmp", bytes);
  writer.AddMember("c:\\evil.bmp", bytes);
  writer.AddMember("..", bytes);
  TMemoryStream stored;
  writer.Save(stored);
  stored.SaveToFile(dir.Path() / "bad.skn");
  std::ostringstream warnings;
  EXPECT_EQ(ExtractArchive(dir.Path() / "bad.skn", dir.Path() / "out", {}, warnings), 1);
  EXPECT_FALSE(fs::exists(dir.Path() / "escape.bmp"));
  EXPECT_NE(warnings.str().find("escape.bmp"), std::string::npos);
}

}  // namespace
}  // namespace bus::tools
