#include "db/Query.h"

#include <gtest/gtest.h>

#include "db/Connection.h"
#include "db/DatabaseError.h"
#include "db/RouteTable.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using bus::db::Connection;
using bus::db::DatabaseError;
using bus::db::Query;

class QueryTest : public ::testing::Test {
protected:
  bus::test::TempDir dir;
  fs::path file = dir.path() / "routes.db";
  Connection connection;

  void SetUp() override {
    bus::test::writeRoutes(file, {{"5", {"钟楼", "小寨", "O'Hare"}},
                                  {"10", {"50%折扣", "a_b", "c\\d"}},
                                  {"5", {"小寨", "钟楼"}},
                                  {"K2", {"钟楼东"}}});
    connection.open(bus::test::connectionStringFor(file));
  }

  // Line numbers of the result, in result order.
  static std::vector<std::string> lineNumbers(Query& q) {
    std::vector<std::string> out;
    for (q.first(); !q.eof(); q.next()) {
      out.emplace_back(q.value(1));
      if (q.recNo() == q.recordCount() - 1) break;
    }
    return out;
  }

  Query run(const std::string& sql, std::vector<std::string> params = {}) {
    Query q(connection);
    q.setStatement(sql, std::move(params));
    q.open();
    return q;
  }
};

TEST_F(QueryTest, WholeResultWithFieldsInTableOrder) {
  Query q(connection);
  q.setStatement("select * from way ");
  q.open();
  ASSERT_TRUE(q.active());
  ASSERT_EQ(q.fieldCount(), bus::db::kRouteFields);
  EXPECT_EQ(q.fieldName(0), "id");
  EXPECT_EQ(q.fieldName(1), "no");
  EXPECT_EQ(q.fieldName(2), "w0");
  EXPECT_EQ(q.fieldName(50), "w48");
  EXPECT_EQ(q.findField("W48"), 50);
  EXPECT_EQ(q.findField("nothing"), -1);
  EXPECT_EQ(q.recordCount(), 4);
  EXPECT_EQ(q.value(0), "1");
  EXPECT_EQ(q.value(2), "钟楼");
  EXPECT_EQ(q.value(5), "");  // past the last stop
  EXPECT_FALSE(q.isNull(5));
  q.close();
  EXPECT_FALSE(q.active());
  EXPECT_EQ(q.recordCount(), 0);
}

TEST_F(QueryTest, CursorStopsAtBothEnds) {
  Query q = run("select * from way");
  EXPECT_TRUE(q.bof());
  EXPECT_FALSE(q.eof());
  EXPECT_EQ(q.recNo(), 0);
  q.prior();
  EXPECT_TRUE(q.bof());
  EXPECT_EQ(q.recNo(), 0);
  q.next();
  EXPECT_FALSE(q.bof());
  EXPECT_EQ(q.moveBy(10), 2);
  EXPECT_TRUE(q.eof());
  EXPECT_EQ(q.recNo(), 3);
  q.next();  // stays on the last record
  EXPECT_EQ(q.recNo(), 3);
  EXPECT_EQ(q.value(1), "K2");
  EXPECT_EQ(q.moveBy(-2), -2);
  EXPECT_FALSE(q.eof());
  EXPECT_FALSE(q.bof());
  EXPECT_EQ(q.moveBy(-5), -1);
  EXPECT_TRUE(q.bof());
  q.last();
  EXPECT_TRUE(q.eof());
  EXPECT_EQ(q.recNo(), 3);
  EXPECT_EQ(q.moveBy(0), 0);
}

TEST_F(QueryTest, EmptyResultHasNoCurrentRecord) {
  Query q = run("select * from way where no = ?", {"404"});
  EXPECT_EQ(q.recordCount(), 0);
  EXPECT_TRUE(q.bof());
  EXPECT_TRUE(q.eof());
  EXPECT_EQ(q.recNo(), -1);
  EXPECT_EQ(q.value(1), "");
  EXPECT_EQ(q.bookmark(), 0u);
  q.next();
  q.last();
  EXPECT_EQ(q.recNo(), -1);
  EXPECT_THROW(q.deleteRecord(), DatabaseError);
  EXPECT_THROW(q.edit(), DatabaseError);
}

TEST_F(QueryTest, BoundTextIsNeverSql) {
  // apostrophes, LIKE wildcards and backslashes are matched as the characters they are
  EXPECT_EQ(run("select * from way where w2 = ?", {"O'Hare"}).recordCount(), 1);
  EXPECT_EQ(run("select * from way where w0 like ? escape '\\'", {"%50\\%%"}).recordCount(), 1);
  EXPECT_EQ(run("select * from way where w1 like ? escape '\\'", {"%a\\_b%"}).recordCount(), 1);
  EXPECT_EQ(run("select * from way where w1 like ? escape '\\'", {"%ab%"}).recordCount(), 0);
  EXPECT_EQ(run("select * from way where w2 = ?", {"c\\d"}).recordCount(), 1);
  EXPECT_EQ(run("select * from way where w0 = ?", {"'; drop table way; --"}).recordCount(), 0);
  EXPECT_EQ(run("select * from way").recordCount(), 4);
  // Chinese text, substring match
  EXPECT_EQ(run("select * from way where w0 like ? or w1 like ?", {"%钟楼%", "%钟楼%"}).recordCount(), 3);
}

TEST_F(QueryTest, VeryLongTextsAreSafe) {
  const std::string longText(200000, 'x');
  EXPECT_EQ(run("select * from way where w0 = ?", {longText}).recordCount(), 0);
  // a LIKE pattern beyond the engine's limit is an error, not a crash or a wrong answer
  Query q(connection);
  q.setStatement("select * from way where w0 like ?", {"%" + longText + "%"});
  try {
    q.open();
    EXPECT_EQ(q.recordCount(), 0);
  } catch (const DatabaseError&) {
    EXPECT_FALSE(q.active());
  }
  EXPECT_EQ(run("select * from way where w0 like ?", {"%" + std::string(1000, 'y') + "%"}).recordCount(), 0);
}

TEST_F(QueryTest, RejectedStatementsThrowAndLeaveTheQueryClosed) {
  Query q(connection);
  q.setStatement("select * from way where w0 = 'O'Hare'");
  EXPECT_THROW(q.open(), DatabaseError);
  EXPECT_FALSE(q.active());
  q.setStatement("select * from nowhere");
  EXPECT_THROW(q.open(), DatabaseError);
  Connection closed;
  Query onClosed(closed);
  onClosed.setStatement("select * from way");
  EXPECT_THROW(onClosed.open(), DatabaseError);
}

TEST_F(QueryTest, DeleteRemovesExactlyTheCurrentRecordAndPersists) {
  Query q = run("select * from way");
  q.moveBy(2);  // the second "5" record
  ASSERT_EQ(q.value(2), "小寨");
  q.deleteRecord();
  EXPECT_EQ(q.recordCount(), 3);
  EXPECT_EQ(q.value(1), "K2");  // the next record became current
  q.deleteRecord();             // the last one: the new last becomes current
  EXPECT_EQ(q.recordCount(), 2);
  EXPECT_EQ(q.value(1), "10");
  q.close();
  connection.close();
  connection.open(bus::test::connectionStringFor(file));
  Query again = run("select * from way");
  EXPECT_EQ(lineNumbers(again), (std::vector<std::string>{"5", "10"}));
  again.first();
  EXPECT_EQ(again.value(2), "钟楼");
}

TEST_F(QueryTest, DeleteWithoutTheKeyInTheResultRemovesOneOfEqualRecords) {
  connection.close();
  bus::test::writeRoutes(file, {{"7", {"甲"}}, {"7", {"甲"}}, {"8", {"乙"}}});
  connection.open(bus::test::connectionStringFor(file));
  Query q = run("select no, w0 from way where no = ?", {"7"});
  ASSERT_EQ(q.recordCount(), 2);
  ASSERT_TRUE(q.canModify());
  q.deleteRecord();
  EXPECT_EQ(run("select * from way").recordCount(), 2);
  EXPECT_EQ(run("select * from way where no = '7'").recordCount(), 1);
}

TEST_F(QueryTest, ResultsNotFromOneTableCannotBeChanged) {
  Query q = run("select count(*) from way");
  EXPECT_FALSE(q.canModify());
  EXPECT_THROW(q.deleteRecord(), DatabaseError);
  EXPECT_EQ(q.value(0), "4");
}

TEST_F(QueryTest, EditPostWritesChangedFieldsOnly) {
  Query q = run("select * from way where no = ?", {"K2"});
  q.edit();
  q.post();  // an edit without changes is a no-op
  q.edit();
  q.setValue(3, "钟楼西");
  EXPECT_EQ(q.value(3), "钟楼西");
  q.post();
  EXPECT_EQ(q.state(), Query::State::Browse);
  EXPECT_EQ(q.value(3), "钟楼西");
  EXPECT_EQ(run("select * from way where w1 = ?", {"钟楼西"}).recordCount(), 1);
  q.edit();
  q.setNull(3);
  q.cancel();
  EXPECT_EQ(q.value(3), "钟楼西");
  EXPECT_THROW(q.setValue(3, "x"), DatabaseError);
}

TEST_F(QueryTest, PostFailsWhenTheRecordIsGone) {
  Query q = run("select * from way where no = ?", {"K2"});
  Query other = run("select * from way where no = ?", {"K2"});
  other.deleteRecord();
  q.edit();
  q.setValue(2, "x");
  EXPECT_THROW(q.post(), DatabaseError);
  EXPECT_THROW(q.deleteRecord(), DatabaseError);
}

TEST_F(QueryTest, NullsReadAsEmptyButAreTold) {
  Query q = run("select null as a, '' as b");
  EXPECT_EQ(q.value(0), "");
  EXPECT_TRUE(q.isNull(0));
  EXPECT_FALSE(q.isNull(1));
}

TEST_F(QueryTest, BookmarksFollowRecordsAndDieWithThem) {
  Query q = run("select * from way");
  q.moveBy(2);
  const Query::Bookmark third = q.bookmark();
  q.first();
  const Query::Bookmark first = q.bookmark();
  q.gotoBookmark(third);
  EXPECT_EQ(q.recNo(), 2);
  q.gotoBookmark(first);
  q.deleteRecord();
  EXPECT_FALSE(q.bookmarkValid(first));
  EXPECT_TRUE(q.bookmarkValid(third));
  q.gotoBookmark(third);
  EXPECT_EQ(q.recNo(), 1);
  EXPECT_THROW(q.gotoBookmark(first), DatabaseError);
  EXPECT_FALSE(q.bookmarkValid(0));
}

}  // namespace
