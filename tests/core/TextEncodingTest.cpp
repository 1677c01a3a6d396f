// Text files in the encodings a Chinese Windows user's editor writes, and config.ini read from them.
#include "core/TextEncoding.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/IniFile.h"
#include "tests/support/TestSupport.h"

namespace bus {
namespace {

// "西安" and "北京线路" in GBK, code page 936.
const std::string kXianGbk = "\xCE\xF7\xB0\xB2";
const std::string kBeijingLinesGbk = "\xB1\xB1\xBE\xA9\xCF\xDF\xC2\xB7";

// text (ASCII) as UTF-16 bytes with a byte-order mark.
std::string Utf16(std::u16string_view text, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t u : text) {
    const char hi = char(u >> 8), lo = char(u & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  }
  return out;
}

TEST(TextEncoding, Utf16WithAMarkUtf8AndGbkAllBecomeUtf8) {
  EXPECT_EQ(TextFileToUtf8(Utf16(u"dbName=西安.db\r\n", false)), "dbName=西安.db\r\n");
  EXPECT_EQ(TextFileToUtf8(Utf16(u"dbName=西安.db", true)), "dbName=西安.db");
  EXPECT_EQ(TextFileToUtf8(Utf16(u"\U0001F68C", false)), "\U0001F68C");  // a surrogate pair
  EXPECT_EQ(TextFileToUtf8(Utf16(u"\xD800x", false)), "\uFFFDx");      // an unpaired one
  EXPECT_EQ(TextFileToUtf8(std::string_view("\xFF\xFE" "a\0b", 5)), "a\uFFFD");  // an odd last byte
  EXPECT_EQ(TextFileToUtf8("\xEF\xBB\xBF西安"), "西安");
  EXPECT_EQ(TextFileToUtf8("西安 plain"), "西安 plain");
  EXPECT_EQ(TextFileToUtf8("dbName=" + kXianGbk + ".db"), "dbName=西安.db");
  EXPECT_EQ(TextFileToUtf8(kBeijingLinesGbk), "北京线路");
  EXPECT_EQ(TextFileToUtf8(""), "");
  EXPECT_TRUE(IsValidUtf8(TextFileToUtf8("\xCE")));  // a cut character decodes to something valid
}

TEST(TextEncoding, OnlyWellFormedUtf8CountsAsUtf8) {
  EXPECT_TRUE(IsValidUtf8("ascii 西安 \U0001F68C"));
  for (const char* bad : {"\xC0\x80", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE8\xA5", "\x80", "\xFF"})
    EXPECT_FALSE(IsValidUtf8(bad)) << bad;
  EXPECT_FALSE(IsValidUtf8(kXianGbk));
  std::string s;
  AppendUtf8(s, U'路');
  AppendUtf8(s, 0x10FFFF);
  EXPECT_EQ(s, "路\U0010FFFF");
}

// config.ini as Notepad saves it: ANSI (GBK on a Chinese system), "Unicode" (UTF-16 LE) or UTF-8.
TEST(TextEncoding, ConfigIniInGbkOrUtf16IsReadLikeUtf8) {
  test::TempDir dir;
  const auto write = [&](const std::string& bytes) {
    std::ofstream(dir.Path() / "config.ini", std::ios::binary) << bytes;
    return IniFileValue(dir.Path() / "config.ini", "config", "dbName");
  };
  EXPECT_EQ(write("[config]\r\ndbName=" + kXianGbk + ".db\r\n"), "西安.db");
  EXPECT_EQ(write(Utf16(u"[config]\r\ndbName=xaway.db\r\n", false)), "xaway.db");
  EXPECT_EQ(write(Utf16(u"[config]\r\ndbName=北京.db\r\n", false)), "北京.db");
  EXPECT_EQ(write(Utf16(u"[Config]\r\nDBNAME = bjway.db\r\n", true)), "bjway.db");
  EXPECT_EQ(write("\xEF\xBB\xBF[config]\r\ndbName=西安.db\r\n"), "西安.db");
}

}  // namespace
}  // namespace bus
