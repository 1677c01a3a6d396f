#include "tools/routeimport/RouteCsv.h"

#include <gtest/gtest.h>

#include "core/Exception.h"
#include "db/RouteTable.h"

namespace {

using bus::tools::ParseRouteCsv;

TEST(RouteCsv, ParsesLinesStopsQuotesAndLineEnds) {
  const auto lines = ParseRouteCsv(
      "\xEF\xBB\xBFno,stops\r\n"
      "10,长乐公园西门|东二环金康路口\r\n"
      "\n"
      "\"游5(306路),夜\",\"a|\"\"b\"\"||c\"\n"
      "K2,\n");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].no, "10");
  EXPECT_EQ(lines[0].stops, (std::vector<std::string>{"长乐公园西门", "东二环金康路口"}));
  EXPECT_EQ(lines[1].no, "游5(306路),夜");
  EXPECT_EQ(lines[1].stops, (std::vector<std::string>{"a", "\"b\"", "c"}));  // empty names dropped
  EXPECT_TRUE(lines[2].stops.empty());
}

TEST(RouteCsv, MalformedFilesNameTheLine) {
  const auto message = [](const char* text) {
    try {
      ParseRouteCsv(text);
    } catch (const bus::Exception& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_NE(message("name,stops\n1,a\n").find("line 1"), std::string::npos);
  EXPECT_NE(message("").find("line 1"), std::string::npos);
  EXPECT_NE(message("no,stops\n1,a\n2,b,c\n").find("line 3"), std::string::npos);
  EXPECT_NE(message("no,stops\n1,a\n,b\n").find("line 3"), std::string::npos);
  EXPECT_NE(message("no,stops\n1,\"a|b\n").find("line 2"), std::string::npos);
}

TEST(RouteTable, LongLinesContinueFromTheLastStop) {
  std::vector<std::string> stops;
  for (int i = 0; i < 103; ++i) stops.push_back("s" + std::to_string(i));
  const auto records = bus::db::SplitRoute("1", stops);
  ASSERT_EQ(records.size(), 3u);  // 49, then 48 new + 1 repeated, then the rest
  EXPECT_EQ(records[0].stops.size(), 49u);
  EXPECT_EQ(records[1].stops.front(), "s48");
  EXPECT_EQ(records[1].stops.back(), "s96");
  EXPECT_EQ(records[2].stops.front(), "s96");
  EXPECT_EQ(records[2].stops.back(), "s102");
  for (const auto& r : records) EXPECT_EQ(r.no, "1");

  EXPECT_EQ(bus::db::SplitRoute("2", std::vector<std::string>(49, "x")).size(), 1u);
  EXPECT_EQ(bus::db::SplitRoute("2", std::vector<std::string>(50, "x")).size(), 2u);
  EXPECT_EQ(bus::db::SplitRoute("3", {}).size(), 1u);  // a line without stops still has its record
}

}  // namespace
