#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/TextUtil.h"
#include "skin/data/LZH.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinWriter.h"

namespace bus {
namespace {

std::span<const std::uint8_t> AsBytes(std::string_view s) { return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()}; }

std::string Text(TMemoryStream& s) { return std::string(reinterpret_cast<const char*>(s.Memory()), std::size_t(s.Size())); }

void PutInt32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

// An expanded archive laid out by hand, so that malformed ones can be made too.
std::vector<std::uint8_t> RawArchive(std::int32_t version, std::string_view names, const std::vector<std::int32_t>& sizes,
                                     std::string_view data, std::uint32_t reserved = 0) {
  std::vector<std::uint8_t> out;
  PutInt32(out, std::uint32_t(version));
  PutInt32(out, std::uint32_t(names.size()));
  PutInt32(out, reserved);
  PutInt32(out, ~reserved);
  out.insert(out.end(), names.begin(), names.end());
  for (const std::int32_t s : sizes) PutInt32(out, std::uint32_t(s));
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

// The stored form of an expanded archive, with its declared size (the real one unless given).
TMemoryStream Stored(const std::vector<std::uint8_t>& expanded, std::int64_t declared = -1) {
  TMemoryStream stored;
  std::vector<std::uint8_t> head;
  PutInt32(head, std::uint32_t(declared < 0 ? std::int64_t(expanded.size()) : declared));
  stored.WriteBuffer(head.data(), head.size());
  const auto packed = LzhCompress(expanded);
  stored.WriteBuffer(packed.data(), packed.size());
  return stored;
}

class SkinArchive : public ::testing::Test {
protected:
  std::vector<std::string> messages_;
  TSkinReader reader_{[this](std::string_view m) { messages_.emplace_back(m); }};
};

TEST_F(SkinArchive, FindsMembersByNameAndPartWithTheirCaseRules) {
  auto stored = Stored(RawArchive(20000, "Skin.INI\r\nLeft.BMP\nEMPTY.bmp\rleft.bmp\r\n", {4, 3, 0, 2}, "[a]\nLLLXX", 0xDEADBEEF));
  stored.SetPosition(3);  // Load reads from the start whatever the position
  ASSERT_TRUE(reader_.Load(stored));
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(reader_.Count(), 4);
  EXPECT_EQ(reader_.Names(), (TStringList{"skin.ini", "left.bmp", "empty.bmp", "left.bmp"}));

  TMemoryStream out;
  // any letter case of the name finds it; of two equal names the first wins
  EXPECT_TRUE(reader_.ExtractByName("LEFT.bmp", out));
  EXPECT_EQ(Text(out), "LLL");
  EXPECT_EQ(out.Position(), 0);
  EXPECT_TRUE(reader_.ExtractByName("empty.BMP", out));
  EXPECT_EQ(out.Size(), 0);
  out.WriteBuffer("junk", 4);
  EXPECT_FALSE(reader_.ExtractByName("right.bmp", out));
  EXPECT_EQ(out.Size(), 0);

  // the part is compared as given, against lower-case names
  std::string name = "before";
  EXPECT_TRUE(reader_.ExtractByPart(".ini", out, name));
  EXPECT_EQ(name, "skin.ini");
  EXPECT_EQ(Text(out), "[a]\n");
  name = "before";
  EXPECT_FALSE(reader_.ExtractByPart(".INI", out, name));
  EXPECT_EQ(name, "before");
  EXPECT_EQ(out.Size(), 0);
}

TEST_F(SkinArchive, NamesBlockRules) {
  // an empty line in the middle is a member with an empty name; a final line end adds none
  auto stored = Stored(RawArchive(20000, "a\r\n\r\nb\r\n", {1, 1, 1}, "xyz"));
  ASSERT_TRUE(reader_.Load(stored));
  EXPECT_EQ(reader_.Names(), (TStringList{"a", "", "b"}));
  TMemoryStream out;
  EXPECT_TRUE(reader_.ExtractByName("b", out));
  EXPECT_EQ(Text(out), "z");
  // non-ASCII bytes are kept as they are
  auto gbk = Stored(RawArchive(20000, "\xC6\xA4\xB7\xF4.BMP", {2}, "ok"));
  ASSERT_TRUE(reader_.Load(gbk));
  EXPECT_EQ(reader_.Names()[0], "\xC6\xA4\xB7\xF4.bmp");
  // an archive without members
  auto none = Stored(RawArchive(20000, "", {}, ""));
  ASSERT_TRUE(reader_.Load(none));
  EXPECT_EQ(reader_.Count(), 0);
}

TEST_F(SkinArchive, RefusesArchivesItCannotUseWithTheOlderSkinMessage) {
  std::string many;
  for (int i = 0; i < 1002; ++i) many += "m\n";
  std::vector<TMemoryStream> bad;
  bad.push_back(Stored(RawArchive(19999, "a", {1}, "x")));                   // another version
  bad.push_back(Stored(RawArchive(20000, "a\nb", {2, 2}, "xyz")));           // sizes beyond the data
  bad.push_back(Stored(RawArchive(20000, "a", {-1}, "x")));                  // negative size
  bad.push_back(Stored(RawArchive(20000, "a", {0x7FFFFFFF}, "x")));          // would overflow an offset
  bad.push_back(Stored(RawArchive(20000, many, std::vector<std::int32_t>(1002, 0), "")));  // too many members
  bad.push_back(Stored(RawArchive(20000, "a\nb\nc", {1}, "")));              // size table past the end
  bad.push_back(Stored(RawArchive(20000, "a", {1}, "x"), 12));               // shorter than a header
  bad.push_back(Stored({}, std::int64_t(kSkinArchiveMaxSize) + 1));          // beyond the size limit
  bad.push_back(TMemoryStream());                                            // not even a length
  {
    auto header = RawArchive(20000, "", {}, "");
    header[4] = 0xFF;  // names block longer than everything
    bad.push_back(Stored(header));
  }
  for (std::size_t i = 0; i < bad.size(); ++i) {
    messages_.clear();
    EXPECT_FALSE(reader_.Load(bad[i])) << "case " << i;
    EXPECT_FALSE(reader_.RejectReason().empty()) << "case " << i;
    ASSERT_EQ(messages_.size(), 1u) << "case " << i;
    EXPECT_EQ(messages_[0], "This is Older Skin File\rPlease update to new version !");
    EXPECT_EQ(reader_.Count(), 0);
  }
  // exactly the most members an archive may list is fine
  std::string most;
  for (int i = 0; i < 1001; ++i) most += "m" + std::to_string(i) + "\n";
  auto ok = Stored(RawArchive(20000, most, std::vector<std::int32_t>(1001, 0), ""));
  EXPECT_TRUE(reader_.Load(ok));
  EXPECT_EQ(reader_.Count(), 1001);
}

TEST_F(SkinArchive, WriterAndReaderRoundTripRandomArchives) {
  std::mt19937 rng(11);
  for (int round = 0; round < 40; ++round) {
    TSkinWriter writer;
    std::vector<std::pair<std::string, std::string>> members;
    const int count = int(rng() % 12);
    for (int i = 0; i < count; ++i) {
      std::string name = "Member" + std::to_string(i) + (i % 2 ? ".BMP" : ".ini");
      std::string bytes(rng() % (round % 5 == 0 ? 70000 : 300), '\0');
      const int alphabet = 1 + int(rng() % 255);
      for (char& c : bytes) c = char(rng() % unsigned(alphabet));
      writer.AddMember(name, AsBytes(bytes));
      members.emplace_back(name, bytes);
    }
    TMemoryStream stored;
    writer.Save(stored);
    ASSERT_TRUE(reader_.Load(stored)) << reader_.RejectReason();
    ASSERT_EQ(reader_.Count(), count);
    TMemoryStream out;
    for (int i = 0; i < count; ++i) {
      EXPECT_EQ(reader_.Names()[i], AsciiLower(members[std::size_t(i)].first));
      ASSERT_TRUE(reader_.ExtractByName(members[std::size_t(i)].first, out));
      EXPECT_EQ(Text(out), members[std::size_t(i)].second);
    }
  }
}

TEST(SkinWriter, RefusesWhatTheReaderCouldNotGiveBack) {
  TSkinWriter writer;
  writer.AddMember("skin.ini", AsBytes("x"));
  EXPECT_THROW(writer.AddMember("SKIN.INI", AsBytes("y")), ESkinArchiveError);
  EXPECT_THROW(writer.AddMember("", AsBytes("y")), ESkinArchiveError);
  EXPECT_THROW(writer.AddMember("a\nb.bmp", AsBytes("y")), ESkinArchiveError);
  EXPECT_EQ(writer.Count(), 1);
  for (int i = 1; i < kSkinArchiveMaxMembers; ++i) writer.AddMember("m" + std::to_string(i), {});
  EXPECT_THROW(writer.AddMember("one.more", {}), ESkinArchiveError);
}

}  // namespace
}  // namespace bus
