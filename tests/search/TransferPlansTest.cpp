// Transfer plans: which pairings become plans, their numbering and sentences, and the status text.
#include "search/TransferPlans.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "db/Connection.h"
#include "db/DatabaseError.h"
#include "db/Query.h"
#include "tests/search/SearchTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using bus::search::FindTransferPlans;
using bus::search::MatchMode;
using bus::search::TransferPlans;
using bus::test::Routes;
constexpr MatchMode kFuzzy = MatchMode::Fuzzy;
constexpr MatchMode kExact = MatchMode::Exact;

class TransferPlansTest : public bus::test::RouteDatabaseTest {
protected:
  bus::db::Query qrytmp{connection};

  TransferPlans Find(std::string_view from, std::string_view to, MatchMode mode = kFuzzy) {
    return FindTransferPlans(qrytmp, from, to, mode);
  }
};

TEST_F(TransferPlansTest, SentencesAndStatusText) {
  Open({{"5", {"甲", "换乘站", "丙"}}, {"12", {"丁", "换乘站", "乙"}}});
  const TransferPlans plans = Find("甲", "乙");
  EXPECT_EQ(plans.count, 1);
  ASSERT_EQ(plans.sentences.size(), 1u);
  EXPECT_EQ(plans.sentences[0], "方案1 出发站点 甲 乘坐 5 路到 换乘站 站下车，再乘坐 12 路到乙 站点下车 ");
  EXPECT_EQ(plans.statusText, "查询结果：从 甲 到 乙 站点的方案，有：1种");
  // the destination's records stay in the scratch query
  EXPECT_EQ(bus::test::LineNumbers(qrytmp), (std::vector<std::string>{"12"}));
}

TEST_F(TransferPlansTest, NoSharedStopGivesNoPlans) {
  Open({{"5", {"甲", "丙"}}, {"12", {"丁", "乙"}}});
  const TransferPlans plans = Find("甲", "乙");
  EXPECT_EQ(plans.count, 0);
  EXPECT_TRUE(plans.sentences.empty());
  EXPECT_EQ(plans.statusText, "查询结果：从 甲 到 乙 站点的方案，有：0种");
  EXPECT_EQ(Find("没有", "乙").count, 0);
}

TEST_F(TransferPlansTest, OnlyWholeStopNamesAreChangePoints) {
  // Both directions of line 7: same line number, keys 1 and 2. Neither the line number nor a key
  // is a place to change buses; names that agree in their first 20 bytes are different stops.
  const std::string longA = "长安大学渭水校区南门东站", longB = "长安大学渭水校区南门西站";
  ASSERT_EQ(longA.substr(0, 20), longB.substr(0, 20));
  Open({{"7", {"甲", longA}}, {"7", {"乙", longB}}, {"1", {"乙"}}});
  EXPECT_EQ(Find("甲", "乙").count, 0);
  // a real shared stop with a long name is shown whole
  Open({{"7", {"甲", longA}}, {"8", {longA, "乙"}}});
  const TransferPlans plans = Find("甲", "乙");
  ASSERT_EQ(plans.sentences.size(), 1u);
  EXPECT_EQ(plans.sentences[0], "方案1 出发站点 甲 乘坐 7 路到 " + longA + " 站下车，再乘坐 8 路到乙 站点下车 ");
}

TEST_F(TransferPlansTest, CircularLinesGiveEachPlanOnce) {
  // line 3 names 环 twice, line 4 too; one plan for the pair of records
  Open({{"3", {"环", "甲", "东", "环"}}, {"4", {"环", "乙", "环", "东"}}});
  const TransferPlans plans = Find("甲", "乙");
  EXPECT_EQ(plans.count, 2);
  ASSERT_EQ(plans.sentences.size(), 2u);
  EXPECT_NE(plans.sentences[0].find("路到 环 站下车"), std::string::npos) << plans.sentences[0];
  EXPECT_NE(plans.sentences[1].find("方案2 出发站点 甲 乘坐 3 路到 东 站下车"), std::string::npos) << plans.sentences[1];
}

TEST_F(TransferPlansTest, NumberedByStartRecordStartStopThenDestinationRecord) {
  Open({{"A1", {"起", "S1", "S2"}},
        {"B1", {"S2", "止"}},
        {"A2", {"S1", "起点"}},
        {"B2", {"止", "S1", "S2"}}});
  const TransferPlans plans = Find("起", "止", kFuzzy);
  // start records: A1, A2 (fuzzy "起" also matches "起点"); destinations: B1, B2
  const std::vector<std::string> expected = {
      "方案1 出发站点 起 乘坐 A1 路到 S1 站下车，再乘坐 B2 路到止 站点下车 ",
      "方案2 出发站点 起 乘坐 A1 路到 S2 站下车，再乘坐 B1 路到止 站点下车 ",
      "方案3 出发站点 起 乘坐 A1 路到 S2 站下车，再乘坐 B2 路到止 站点下车 ",
      "方案4 出发站点 起 乘坐 A2 路到 S1 站下车，再乘坐 B2 路到止 站点下车 ",
  };
  EXPECT_EQ(plans.sentences, expected);
  EXPECT_EQ(plans.count, 4);
  // exact: only A1 starts at "起"
  EXPECT_EQ(Find("起", "止", kExact).count, 3);
}

TEST_F(TransferPlansTest, EveryMatchingRecordTakesPartAndTheListStopsAtItsLimit) {
  // 120 start records and 100 destination records share one stop: 12,000 plans
  Routes routes;
  for (int i = 0; i < 120; ++i) routes.push_back({"F" + std::to_string(i), {"起", "共"}});
  for (int i = 0; i < 100; ++i) routes.push_back({"T" + std::to_string(i), {"共", "止"}});
  Open(routes);
  const TransferPlans plans = Find("起", "止");
  EXPECT_EQ(plans.count, 12000);
  ASSERT_EQ(plans.sentences.size(), size_t(bus::search::kMaxListedPlans));
  EXPECT_EQ(plans.statusText, "查询结果：从 起 到 止 站点的方案，有：12000种");
  EXPECT_EQ(plans.sentences[99], "方案100 出发站点 起 乘坐 F0 路到 共 站下车，再乘坐 T99 路到止 站点下车 ");
  EXPECT_EQ(plans.sentences.back(), "方案10000 出发站点 起 乘坐 F99 路到 共 站下车，再乘坐 T99 路到止 站点下车 ");
  // a start record past the 61st still pairs
  const TransferPlans late = Find("起", "T7", kExact);
  EXPECT_EQ(late.count, 120);
  EXPECT_NE(late.sentences.back().find("乘坐 F119 路到 共"), std::string::npos);
}

TEST_F(TransferPlansTest, TypedTextIsShownAsTypedAndErrorsPass) {
  Open({{"5", {"O'Hare", "50%"}}, {"6", {"50%", "a_b"}}});
  const TransferPlans plans = Find("O'Hare", "a_b");
  ASSERT_EQ(plans.count, 1);
  EXPECT_EQ(plans.sentences[0], "方案1 出发站点 O'Hare 乘坐 5 路到 50% 站下车，再乘坐 6 路到a_b 站点下车 ");
  connection.Close();
  EXPECT_THROW(Find("甲", "乙"), bus::db::DatabaseError);
}

// On the Xi'an data the plans are those of a plain enumeration of every start stop against every
// destination stop, duplicates dropped, in the same order.
TEST(XianPlans, AgreeWithAPlainEnumeration) {
  bus::db::Connection connection;
  connection.Open(bus::test::ConnectionStringFor(bus::test::BinaryDir() / "xaway.db"));
  const bus::test::RouteRows rows = bus::test::ReadAllRoutes(connection);
  bus::db::Query qrytmp(connection);
  const auto recordsOf = [&](const std::vector<int>& ids) {
    std::vector<const std::vector<std::string>*> out;
    for (int id : ids)
      for (const auto& row : rows)
        if (std::stoi(row[0]) == id) out.push_back(&row);
    return out;
  };
  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {"兵马俑", "小寨"}, {"钟楼", "大雁塔"}, {"火车站", "西安北站"}}) {
    const auto starts = recordsOf(bus::test::MatchingRecords(rows, from, kFuzzy));
    const auto ends = recordsOf(bus::test::MatchingRecords(rows, to, kFuzzy));
    std::vector<std::string> expected;
    std::set<std::tuple<size_t, std::string, size_t>> seen;
    for (size_t fr = 0; fr < starts.size(); ++fr)
      for (size_t fc = 2; fc < starts[fr]->size(); ++fc)
        for (size_t tr = 0; tr < ends.size(); ++tr)
          for (size_t tc = 2; tc < ends[tr]->size(); ++tc) {
            const std::string& stop = (*starts[fr])[fc];
            if (stop.empty() || stop != (*ends[tr])[tc] || !seen.insert({fr, stop, tr}).second) continue;
            expected.push_back(bus::search::PlanSentence(long(expected.size() + 1), from, (*starts[fr])[1], stop,
                                                      (*ends[tr])[1], to));
          }
    const TransferPlans plans = FindTransferPlans(qrytmp, from, to, kFuzzy);
    EXPECT_EQ(plans.count, (long long)expected.size()) << from << " " << to;
    if (expected.size() > size_t(bus::search::kMaxListedPlans)) expected.resize(size_t(bus::search::kMaxListedPlans));
    EXPECT_EQ(plans.sentences, expected) << from << " " << to;
    EXPECT_GT(plans.count, 0);
  }
}

}  // namespace
