#include "core/IniFile.h"

#include <gtest/gtest.h>

namespace {

using bus::IniValue;

TEST(IniFile, FindsKeyInItsSectionIgnoringCaseAndBlanks) {
  const char* text =
      "; a comment\r\n"
      "[other]\r\n"
      "dbName=wrong.db\r\n"
      "  [ Config ]  \r\n"
      "# another comment\r\n"
      "  DBNAME  =  bjway.db  \r\n";
  EXPECT_EQ(IniValue(text, "config", "dbName"), "bjway.db");
  EXPECT_EQ(IniValue(text, "other", "dbname"), "wrong.db");
}

TEST(IniFile, FallbackForMissingSectionKeyOrMalformedLines) {
  const char* text = "[config]\nnoequals\nother=1\n[broken\n";
  EXPECT_EQ(IniValue(text, "config", "dbName"), "");
  EXPECT_EQ(IniValue(text, "config", "dbName", "x"), "x");
  EXPECT_EQ(IniValue(text, "missing", "other", "y"), "y");
  EXPECT_EQ(IniValue("", "config", "dbName", "z"), "z");
}

TEST(IniFile, FirstOccurrenceWinsAndLaterSectionsOfSameNameAreIgnored) {
  const char* text = "[config]\ndbName=a.db\ndbName=b.db\n[x]\n[config]\ndbName=c.db\n";
  EXPECT_EQ(IniValue(text, "config", "dbName"), "a.db");
}

TEST(IniFile, QuotesAndByteOrderMarkAndUtf8Values) {
  EXPECT_EQ(IniValue("\xEF\xBB\xBF[config]\ndbName=\"有 空格.db\"\n", "config", "dbName"), "有 空格.db");
  EXPECT_EQ(IniValue("[config]\ndbName='x.db'\n", "config", "dbName"), "x.db");
  // an unmatched quote is part of the value
  EXPECT_EQ(IniValue("[config]\ndbName=\"x.db\n", "config", "dbName"), "\"x.db");
  // a value may be empty, and '=' after the first belongs to the value
  EXPECT_EQ(IniValue("[config]\ndbName=\n", "config", "dbName", "d"), "");
  EXPECT_EQ(IniValue("[config]\ndbName=a=b\n", "config", "dbName"), "a=b");
}

TEST(IniFile, MissingFileGivesFallback) {
  EXPECT_EQ(bus::IniFileValue("/no/such/dir/config.ini", "config", "dbName", "f"), "f");
}

}  // namespace
