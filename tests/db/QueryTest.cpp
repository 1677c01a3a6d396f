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
  fs::path file = dir.Path() / "routes.db";
  Connection connection;

  void SetUp() override {
    bus::test::WriteRoutes(file, {{"5", {"钟楼", "小寨", "O'Hare"}},
                                  {"10", {"50%折扣", "a_b", "c\\d"}},
                                  {"5", {"小寨", "钟楼"}},
                                  {"K2", {"钟楼东"}}});
    connection.Open(bus::test::ConnectionStringFor(file));
  }

  // Line numbers of the result, in result order.
  static std::vector<std::string> LineNumbers(Query& q) {
    std::vector<std::string> out;
    for (q.First(); !q.Eof(); q.Next()) {
      out.emplace_back(q.Value(1));
      if (q.RecNo() == q.RecordCount() - 1) break;
    }
    return out;
  }

  Query Run(const std::string& sql, std::vector<std::string> params = {}) {
    Query q(connection);
    q.SetStatement(sql, std::move(params));
    q.Open();
    return q;
  }
};

TEST_F(QueryTest, WholeResultWithFieldsInTableOrder) {
  Query q(connection);
  q.SetStatement("select * from way ");
  q.Open();
  ASSERT_TRUE(q.Active());
  ASSERT_EQ(q.FieldCount(), bus::db::kRouteFields);
  EXPECT_EQ(q.FieldName(0), "id");
  EXPECT_EQ(q.FieldName(1), "no");
  EXPECT_EQ(q.FieldName(2), "w0");
  EXPECT_EQ(q.FieldName(50), "w48");
  EXPECT_EQ(q.FindField("W48"), 50);
  EXPECT_EQ(q.FindField("nothing"), -1);
  EXPECT_EQ(q.RecordCount(), 4);
  EXPECT_EQ(q.Value(0), "1");
  EXPECT_EQ(q.Value(2), "钟楼");
  EXPECT_EQ(q.Value(5), "");  // past the last stop
  EXPECT_FALSE(q.IsNull(5));
  q.Close();
  EXPECT_FALSE(q.Active());
  EXPECT_EQ(q.RecordCount(), 0);
}

TEST_F(QueryTest, CursorStopsAtBothEnds) {
  Query q = Run("select * from way");
  EXPECT_TRUE(q.Bof());
  EXPECT_FALSE(q.Eof());
  EXPECT_EQ(q.RecNo(), 0);
  q.Prior();
  EXPECT_TRUE(q.Bof());
  EXPECT_EQ(q.RecNo(), 0);
  q.Next();
  EXPECT_FALSE(q.Bof());
  EXPECT_EQ(q.MoveBy(10), 2);
  EXPECT_TRUE(q.Eof());
  EXPECT_EQ(q.RecNo(), 3);
  q.Next();  // stays on the last record
  EXPECT_EQ(q.RecNo(), 3);
  EXPECT_EQ(q.Value(1), "K2");
  EXPECT_EQ(q.MoveBy(-2), -2);
  EXPECT_FALSE(q.Eof());
  EXPECT_FALSE(q.Bof());
  EXPECT_EQ(q.MoveBy(-5), -1);
  EXPECT_TRUE(q.Bof());
  q.Last();
  EXPECT_TRUE(q.Eof());
  EXPECT_EQ(q.RecNo(), 3);
  EXPECT_EQ(q.MoveBy(0), 0);
}

TEST_F(QueryTest, EmptyResultHasNoCurrentRecord) {
  Query q = Run("select * from way where no = ?", {"404"});
  EXPECT_EQ(q.RecordCount(), 0);
  EXPECT_TRUE(q.Bof());
  EXPECT_TRUE(q.Eof());
  EXPECT_EQ(q.RecNo(), -1);
  EXPECT_EQ(q.Value(1), "");
  EXPECT_EQ(q.GetBookmark(), 0u);
  q.Next();
  q.Last();
  EXPECT_EQ(q.RecNo(), -1);
  EXPECT_THROW(q.Delete(), DatabaseError);
  EXPECT_THROW(q.Edit(), DatabaseError);
}

TEST_F(QueryTest, BoundTextIsNeverSql) {
  // apostrophes, LIKE wildcards and backslashes are matched as the characters they are
  EXPECT_EQ(Run("select * from way where w2 = ?", {"O'Hare"}).RecordCount(), 1);
  EXPECT_EQ(Run("select * from way where w0 like ? escape '\\'", {"%50\\%%"}).RecordCount(), 1);
  EXPECT_EQ(Run("select * from way where w1 like ? escape '\\'", {"%a\\_b%"}).RecordCount(), 1);
  EXPECT_EQ(Run("select * from way where w1 like ? escape '\\'", {"%ab%"}).RecordCount(), 0);
  EXPECT_EQ(Run("select * from way where w2 = ?", {"c\\d"}).RecordCount(), 1);
  EXPECT_EQ(Run("select * from way where w0 = ?", {"'; drop table way; --"}).RecordCount(), 0);
  EXPECT_EQ(Run("select * from way").RecordCount(), 4);
  // Chinese text, substring match
  EXPECT_EQ(Run("select * from way where w0 like ? or w1 like ?", {"%钟楼%", "%钟楼%"}).RecordCount(), 3);
}

TEST_F(QueryTest, VeryLongTextsAreSafe) {
  const std::string longText(200000, 'x');
  EXPECT_EQ(Run("select * from way where w0 = ?", {longText}).RecordCount(), 0);
  // a LIKE pattern beyond the engine's limit is an error, not a crash or a wrong answer
  Query q(connection);
  q.SetStatement("select * from way where w0 like ?", {"%" + longText + "%"});
  try {
    q.Open();
    EXPECT_EQ(q.RecordCount(), 0);
  } catch (const DatabaseError&) {
    EXPECT_FALSE(q.Active());
  }
  EXPECT_EQ(Run("select * from way where w0 like ?", {"%" + std::string(1000, 'y') + "%"}).RecordCount(), 0);
}

TEST_F(QueryTest, RejectedStatementsThrowAndLeaveTheQueryClosed) {
  Query q(connection);
  q.SetStatement("select * from way where w0 = 'O'Hare'");
  EXPECT_THROW(q.Open(), DatabaseError);
  EXPECT_FALSE(q.Active());
  q.SetStatement("select * from nowhere");
  EXPECT_THROW(q.Open(), DatabaseError);
  Connection closed;
  Query onClosed(closed);
  onClosed.SetStatement("select * from way");
  EXPECT_THROW(onClosed.Open(), DatabaseError);
}

TEST_F(QueryTest, DeleteRemovesExactlyTheCurrentRecordAndPersists) {
  Query q = Run("select * from way");
  q.MoveBy(2);  // the second "5" record
  ASSERT_EQ(q.Value(2), "小寨");
  q.Delete();
  EXPECT_EQ(q.RecordCount(), 3);
  EXPECT_EQ(q.Value(1), "K2");  // the next record became current
  q.Delete();             // the last one: the new last becomes current
  EXPECT_EQ(q.RecordCount(), 2);
  EXPECT_EQ(q.Value(1), "10");
  q.Close();
  connection.Close();
  connection.Open(bus::test::ConnectionStringFor(file));
  Query again = Run("select * from way");
  EXPECT_EQ(LineNumbers(again), (std::vector<std::string>{"5", "10"}));
  again.First();
  EXPECT_EQ(again.Value(2), "钟楼");
}

TEST_F(QueryTest, DeleteWithoutTheKeyInTheResultRemovesOneOfEqualRecords) {
  connection.Close();
  bus::test::WriteRoutes(file, {{"7", {"甲"}}, {"7", {"甲"}}, {"8", {"乙"}}});
  connection.Open(bus::test::ConnectionStringFor(file));
  Query q = Run("select no, w0 from way where no = ?", {"7"});
  ASSERT_EQ(q.RecordCount(), 2);
  ASSERT_TRUE(q.CanModify());
  q.Delete();
  EXPECT_EQ(Run("select * from way").RecordCount(), 2);
  EXPECT_EQ(Run("select * from way where no = '7'").RecordCount(), 1);
}

TEST_F(QueryTest, ResultsNotFromOneTableCannotBeChanged) {
  Query q = Run("select count(*) from way");
  EXPECT_FALSE(q.CanModify());
  EXPECT_THROW(q.Delete(), DatabaseError);
  EXPECT_EQ(q.Value(0), "4");
}

TEST_F(QueryTest, EditPostWritesChangedFieldsOnly) {
  Query q = Run("select * from way where no = ?", {"K2"});
  q.Edit();
  q.Post();  // an edit without changes is a no-op
  q.Edit();
  q.SetValue(3, "钟楼西");
  EXPECT_EQ(q.Value(3), "钟楼西");
  q.Post();
  EXPECT_EQ(q.State(), bus::db::QueryState::Browse);
  EXPECT_EQ(q.Value(3), "钟楼西");
  EXPECT_EQ(Run("select * from way where w1 = ?", {"钟楼西"}).RecordCount(), 1);
  q.Edit();
  q.SetNull(3);
  q.Cancel();
  EXPECT_EQ(q.Value(3), "钟楼西");
  EXPECT_THROW(q.SetValue(3, "x"), DatabaseError);
}

TEST_F(QueryTest, PostFailsWhenTheRecordIsGone) {
  Query q = Run("select * from way where no = ?", {"K2"});
  Query other = Run("select * from way where no = ?", {"K2"});
  other.Delete();
  q.Edit();
  q.SetValue(2, "x");
  EXPECT_THROW(q.Post(), DatabaseError);
  EXPECT_THROW(q.Delete(), DatabaseError);
}

TEST_F(QueryTest, NullsReadAsEmptyButAreTold) {
  Query q = Run("select null as a, '' as b");
  EXPECT_EQ(q.Value(0), "");
  EXPECT_TRUE(q.IsNull(0));
  EXPECT_FALSE(q.IsNull(1));
}

TEST_F(QueryTest, BookmarksFollowRecordsAndDieWithThem) {
  Query q = Run("select * from way");
  q.MoveBy(2);
  const Query::Bookmark third = q.GetBookmark();
  q.First();
  const Query::Bookmark first = q.GetBookmark();
  q.GotoBookmark(third);
  EXPECT_EQ(q.RecNo(), 2);
  q.GotoBookmark(first);
  q.Delete();
  EXPECT_FALSE(q.BookmarkValid(first));
  EXPECT_TRUE(q.BookmarkValid(third));
  q.GotoBookmark(third);
  EXPECT_EQ(q.RecNo(), 1);
  EXPECT_THROW(q.GotoBookmark(first), DatabaseError);
  EXPECT_FALSE(q.BookmarkValid(0));
}

}  // namespace
