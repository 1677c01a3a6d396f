#include "db/ConnectionString.h"

#include <gtest/gtest.h>

namespace {

using bus::db::ConnectionString;

TEST(ConnectionString, ParsesTheStartUpStringAndIgnoresUnknownKeys) {
  const auto cs = ConnectionString::Parse(
      "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\程序\\xaway.db;Persist Security Info=False;"
      "Jet OLEDB:Database Password=mbtrwqazpl;Mode=Share Deny None;Extended Properties=\"a;b\"");
  EXPECT_EQ(cs.provider, "Microsoft.Jet.OLEDB.4.0");
  EXPECT_EQ(cs.dataSource, "C:\\程序\\xaway.db");
  EXPECT_EQ(cs.persistSecurityInfo, "False");
  EXPECT_EQ(cs.password, "mbtrwqazpl");
}

TEST(ConnectionString, KeysIgnoreCaseAndBlanksValuesMayBeQuoted) {
  const auto cs = ConnectionString::Parse(" provider = x ; DATA SOURCE = 'a;b''c.db' trailing ; ;noequals;=v");
  EXPECT_EQ(cs.provider, "x");
  EXPECT_EQ(cs.dataSource, "a;b'c.db");
  const auto dq = ConnectionString::Parse("Data Source=\"C:\\a \"\"b\"\".db\"");
  EXPECT_EQ(dq.dataSource, "C:\\a \"b\".db");
}

TEST(ConnectionString, EmptyAndMalformedInputGiveEmptyFields) {
  for (const char* text : {"", ";;;", "Provider", "Data Source='unterminated", "=;=;"}) {
    const auto cs = ConnectionString::Parse(text);
    EXPECT_TRUE(cs.provider.empty()) << text;
  }
  EXPECT_EQ(ConnectionString::Parse("Data Source='unterminated").dataSource, "unterminated");
  // an empty Data Source (empty dbName and an empty directory) stays empty
  EXPECT_EQ(ConnectionString::Parse("Data Source=;Provider=p").dataSource, "");
}

TEST(ConnectionString, QuotedValuesReadBackUnchanged) {
  for (const char* value : {"", "C:\\程序\\a;b.db", "x\"y\"\"z", " lead and trail ", "'q'", "a=b"}) {
    const auto cs = ConnectionString::Parse("Provider=p;Data Source=" + bus::db::QuoteConnectionValue(value) + ";Persist Security Info=False");
    EXPECT_EQ(cs.dataSource, value);
    EXPECT_EQ(cs.persistSecurityInfo, "False");
  }
}

}  // namespace
