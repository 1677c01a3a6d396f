// The stop, line and two-stop searches: what they find, the status texts, and that no typed text
// is ever SQL.
#include "search/RouteSearch.h"

#include <gtest/gtest.h>

#include "db/Connection.h"
#include "db/DatabaseError.h"
#include "db/Query.h"
#include "db/RouteTable.h"
#include "tests/search/SearchTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using bus::search::MatchMode;
using bus::db::Query;
using bus::test::LineNumbers;
constexpr MatchMode kFuzzy = MatchMode::Fuzzy;
constexpr MatchMode kExact = MatchMode::Exact;

class RouteSearchTest : public bus::test::RouteDatabaseTest {
protected:
  Query qry{connection};

  void SetUp() override {
    // ids 1..7; only record 3 has a "3" anywhere, and only in its key
    Open({{"5", {"钟楼", "小寨", "O'Hare"}},
          {"10", {"50%折扣", "a_b", "c\\d"}},
          {"K2", {"钟楼东", "大差市"}},
          {"15", {"小寨", "钟楼"}},
          {"k2", {"Xi'an North", "小寨东"}},
          {"路", {"钟", "楼"}},
          {"9", {"Äpfel", "ab"}}});
  }
};

TEST_F(RouteSearchTest, ConditionHasOneBoundTermPerFieldAndNoUserText) {
  const std::vector<std::string> fields = bus::search::RouteFieldNames(connection);
  ASSERT_EQ(fields.size(), size_t(bus::db::kRouteFields));
  for (MatchMode mode : {kFuzzy, kExact}) {
    const auto c = bus::search::AllFieldCondition(fields, "x'%_\\", mode);
    ASSERT_EQ(c.parameters.size(), fields.size());
    EXPECT_EQ(c.text.find("x'"), std::string::npos);
    EXPECT_EQ(c.text.rfind("id ", 0), 0u) << c.text.substr(0, 40);
    EXPECT_EQ(c.parameters[0], mode == kFuzzy ? "%x'\\%\\_\\\\%" : "x'%_\\");
  }
}

TEST_F(RouteSearchTest, StopSearchStatusAndResultOrder) {
  EXPECT_EQ(bus::search::StopSearch(qry, "钟楼", kFuzzy), "查询结果：经过 钟楼 的公交车有：3辆");
  EXPECT_TRUE(qry.Active());
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"5", "K2", "15"}));
  EXPECT_EQ(qry.FieldCount(), bus::db::kRouteFields);

  // exact: whole values only ("钟楼东" is not "钟楼")
  EXPECT_EQ(bus::search::StopSearch(qry, "钟楼", kExact), "查询结果：经过 钟楼 的公交车有：2辆");
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"5", "15"}));

  // no match: an open, empty result and a count of 0
  EXPECT_EQ(bus::search::StopSearch(qry, "没有这站", kFuzzy), "查询结果：经过 没有这站 的公交车有：0辆");
  EXPECT_TRUE(qry.Active());
  EXPECT_EQ(qry.RecordCount(), 0);

  // the text is used as typed: a blank is part of it
  EXPECT_EQ(bus::search::StopSearch(qry, " 钟楼", kFuzzy), "查询结果：经过  钟楼 的公交车有：0辆");
}

TEST_F(RouteSearchTest, KeyAndLineNumberFieldsMatchToo) {
  // "3" appears only in record 3's key
  bus::search::StopSearch(qry, "3", kFuzzy);
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"K2"}));
  // "1": keys 1 and... line numbers "10", "15"
  EXPECT_EQ(bus::search::StopSearch(qry, "1", kFuzzy), "查询结果：经过 1 的公交车有：3辆");
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"5", "10", "15"}));
  // exact on a key value
  bus::search::StopSearch(qry, "6", kExact);
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"路"}));
}

TEST_F(RouteSearchTest, EmptyTextFuzzySelectsEveryRecord) {
  EXPECT_EQ(bus::search::StopSearch(qry, "", kFuzzy), "查询结果：经过  的公交车有：7辆");
  EXPECT_EQ(qry.RecordCount(), 7);
}

TEST_F(RouteSearchTest, AsciiLetterCaseIsIgnoredInBothModesAndNothingElse) {
  bus::search::StopSearch(qry, "XI'AN NORTH", kExact);
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"k2"}));
  bus::search::StopSearch(qry, "o'hare", kFuzzy);
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"5"}));
  bus::search::LineSearch(qry, "K2", kExact);
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"K2", "k2"}));
  bus::search::LineSearch(qry, "k", kFuzzy);
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"K2", "k2"}));
  // letters beyond ASCII compare exactly
  bus::search::StopSearch(qry, "äpfel", kExact);
  EXPECT_EQ(qry.RecordCount(), 0);
  bus::search::StopSearch(qry, "äp", kFuzzy);
  EXPECT_EQ(qry.RecordCount(), 0);
  bus::search::StopSearch(qry, "Äp", kFuzzy);
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"9"}));
}

TEST_F(RouteSearchTest, PatternCharactersAndApostrophesMatchThemselves) {
  bus::search::StopSearch(qry, "O'Hare", kExact);
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"5"}));
  bus::search::StopSearch(qry, "'", kFuzzy);
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"5", "k2"}));
  bus::search::StopSearch(qry, "%", kFuzzy);
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"10"}));
  bus::search::StopSearch(qry, "50%", kFuzzy);
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"10"}));
  bus::search::StopSearch(qry, "_", kFuzzy);  // "ab" of line 9 must not match
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"10"}));
  bus::search::StopSearch(qry, "a_b", kExact);
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"10"}));
  bus::search::StopSearch(qry, "c\\d", kFuzzy);
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"10"}));
  bus::search::StopSearch(qry, "\\", kFuzzy);
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"10"}));
  bus::search::StopSearch(qry, "%%", kExact);
  EXPECT_EQ(qry.RecordCount(), 0);
  bus::search::StopSearch(qry, "'; drop table way; --", kFuzzy);
  EXPECT_EQ(qry.RecordCount(), 0);
  bus::search::StopSearch(qry, "", kFuzzy);
  EXPECT_EQ(qry.RecordCount(), 7);
  bus::search::LineSearch(qry, "'", kFuzzy);
  EXPECT_EQ(qry.RecordCount(), 0);
  bus::search::LineSearch(qry, "_", kFuzzy);
  EXPECT_EQ(qry.RecordCount(), 0);
}

TEST_F(RouteSearchTest, LineSearchMatchesOnlyTheLineNumberAndLeavesNoStatus) {
  EXPECT_EQ(bus::search::LineSearch(qry, "5", kFuzzy), "");
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"5", "15"}));  // not "50%折扣", not key 5
  EXPECT_EQ(bus::search::LineSearch(qry, "5", kExact), "");
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"5"}));
  EXPECT_EQ(bus::search::LineSearch(qry, "404", kFuzzy), "");
  EXPECT_TRUE(qry.Active());
  EXPECT_EQ(qry.RecordCount(), 0);
  EXPECT_EQ(qry.Statement().find("[no]"), 24u);
}

TEST_F(RouteSearchTest, TwoStopSearchNeedsBothTextsInOneRecordInAnyOrder) {
  bus::search::DirectLines d = bus::search::TwoStopSearch(qry, "钟楼", "小寨", kFuzzy);
  EXPECT_EQ(d.count, 2);
  EXPECT_EQ(d.statusText, "查询结果：从 钟楼 到 小寨 的公交车有：2辆");
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"5", "15"}));
  d = bus::search::TwoStopSearch(qry, "小寨", "钟楼", kExact);
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"5", "15"}));
  d = bus::search::TwoStopSearch(qry, "钟楼东", "小寨", kFuzzy);
  EXPECT_EQ(d.count, 0);
  EXPECT_EQ(d.statusText, "查询结果：从 钟楼东 到 小寨 的公交车有：0辆");
  EXPECT_TRUE(qry.Active());
  // a record matching one text through its key and the other through a stop
  d = bus::search::TwoStopSearch(qry, "3", "大差市", kExact);
  EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"K2"}));
  d = bus::search::TwoStopSearch(qry, "'", "%", kFuzzy);
  EXPECT_EQ(d.count, 0);
}

TEST_F(RouteSearchTest, VeryLongTextsNeverFail) {
  const std::string longName = std::string(60000, 'x') + "Stop";
  Open({{"1", {"甲", longName}}, {"2", {"乙"}}});
  for (MatchMode mode : {kFuzzy, kExact}) {
    EXPECT_EQ(bus::search::StopSearch(qry, std::string(70000, 'y'), mode).size(), 70000 + 45u);
    EXPECT_EQ(qry.RecordCount(), 0);
    bus::search::StopSearch(qry, std::string(60000, 'X') + "STOP", mode);
    EXPECT_EQ(LineNumbers(qry), (std::vector<std::string>{"1"}));
  }
  bus::search::StopSearch(qry, std::string(59990, 'x') + "%", kFuzzy);
  EXPECT_EQ(qry.RecordCount(), 0);
  bus::search::TwoStopSearch(qry, longName, "甲", kFuzzy);
  EXPECT_EQ(qry.RecordCount(), 1);
}

TEST_F(RouteSearchTest, DatabaseErrorsLeaveTheQueryClosed) {
  bus::search::StopSearch(qry, "钟楼", kFuzzy);
  connection.Close();
  EXPECT_THROW(bus::search::StopSearch(qry, "钟楼", kFuzzy), bus::db::DatabaseError);
  EXPECT_THROW(bus::search::LineSearch(qry, "5", kFuzzy), bus::db::DatabaseError);
  EXPECT_THROW(bus::search::TwoStopSearch(qry, "a", "b", kFuzzy), bus::db::DatabaseError);
  EXPECT_FALSE(qry.Active());
}

// On the whole Xi'an database every search finds exactly the records a plain scan finds, in
// table order.
TEST(XianSearch, SearchesAgreeWithAScanOfEveryRecord) {
  bus::db::Connection connection;
  connection.Open(bus::test::ConnectionStringFor(bus::test::BinaryDir() / "xaway.db"));
  const bus::test::RouteRows rows = bus::test::ReadAllRoutes(connection);
  ASSERT_GT(rows.size(), 1000u);
  Query qry(connection);
  for (const char* text : {"钟楼", "小寨", "5", "路", "K", "k", "西门里(市儿童医院)", "", "火车站"}) {
    for (MatchMode mode : {kFuzzy, kExact}) {
      const std::vector<int> expected = bus::test::MatchingRecords(rows, text, mode);
      const std::string status = bus::search::StopSearch(qry, text, mode);
      EXPECT_EQ(bus::test::Ids(qry), expected) << text;
      EXPECT_EQ(status, "查询结果：经过 " + std::string(text) + " 的公交车有：" + std::to_string(expected.size()) + "辆");
    }
  }
  const std::vector<int> both = bus::test::MatchingRecords(rows, "钟楼", kFuzzy, "小寨");
  EXPECT_EQ(bus::search::TwoStopSearch(qry, "钟楼", "小寨", kFuzzy).count, int(both.size()));
  EXPECT_EQ(bus::test::Ids(qry), both);
  EXPECT_GT(both.size(), 0u);
}

}  // namespace
