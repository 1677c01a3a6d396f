// Remembered queries: the latest first, at most twenty of each box, kept across runs; a file that
// is not ours or is damaged is no history and is replaced, never an error.
#include "app/RecentQueries.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/TestSupport.h"

namespace {

using bus::app::QueryLists;
using bus::app::RecentQueries;

TEST(RecentQueries, LatestFirstOnceEachAtMostTwentyAndBackAfterARestart) {
  bus::test::TempDir dir;
  const auto file = dir.Path() / "folder" / "recent.txt";  // the folder is made when saving
  {
    RecentQueries recent(file);
    recent.Load();
    EXPECT_EQ(recent.Lists(), QueryLists{});
    for (int i = 0; i < 25; ++i) recent.AddStop("站" + std::to_string(i));
    recent.AddStop("站20");  // again: moves to the front, kept once
    recent.AddLine("K5");
    recent.AddPair("钟楼", "小寨");
    recent.AddPair("小寨", "钟楼");
    recent.AddStop("");            // nothing to keep
    recent.AddLine("5\t6");        // a text the file could not hold back
    recent.AddPair("钟楼", "");
    ASSERT_EQ(recent.Lists().stops.size(), RecentQueries::kKept);
    EXPECT_EQ(recent.Lists().stops.front(), "站20");
    EXPECT_EQ(recent.Lists().stops[1], "站24");
    EXPECT_EQ(recent.Lists().stops.back(), "站5");
  }
  RecentQueries again(file);
  again.Load();
  EXPECT_EQ(again.Lists().stops.front(), "站20");
  EXPECT_EQ(again.Lists().stops.size(), RecentQueries::kKept);
  EXPECT_EQ(again.Lists().lines, std::vector<std::string>{"K5"});
  using Pair = std::pair<std::string, std::string>;
  EXPECT_EQ(again.Lists().pairs.front(), Pair("小寨", "钟楼"));
  EXPECT_EQ(again.Lists().pairs.size(), 2u);
  EXPECT_EQ(bus::app::StartingWith(again.Lists().stops, "站2"),
            (std::vector<std::string>{"站20", "站24", "站23", "站22", "站21"}));
  EXPECT_EQ(bus::app::StartingWith({"Xi'an", "xiaozhai", "钟楼"}, "XI"), (std::vector<std::string>{"Xi'an", "xiaozhai"}));
}

TEST(RecentQueries, AFileThatIsNotOursIsIgnoredAndReplaced) {
  const std::string header = std::string(RecentQueries::kHeader) + "\n";
  const std::string damaged[] = {
      "",                                            // empty
      "stop\t钟楼\n",                                // no header
      header + "stop\t钟楼",                         // cut short
      header + "stop\t钟楼\nwhat\tever\n",           // an unknown kind
      header + "pair\t钟楼\n",                       // a pair without its second stop
      header + "stop\t\n",                           // an empty text
      header + "stop\t\xE9\x92\n",                   // not UTF-8
      std::string(RecentQueries::kLargestFile + 1, 'x'),  // far too long
  };
  for (const std::string& text : damaged) {
    SCOPED_TRACE(text.substr(0, 40));
    bus::test::TempDir dir;
    const auto file = dir.Path() / "recent.txt";
    std::ofstream(file, std::ios::binary) << text;
    RecentQueries recent(file);
    recent.Load();
    EXPECT_EQ(recent.Lists(), QueryLists{});
    EXPECT_EQ(bus::test::ReadFile(file), header) << "replaced by an empty history";
    recent.AddStop("钟楼");
    RecentQueries again(file);
    again.Load();
    EXPECT_EQ(again.Lists().stops, std::vector<std::string>{"钟楼"});
  }
  // a folder where the file should be: nothing read, nothing thrown, nothing saved
  bus::test::TempDir dir;
  std::filesystem::create_directory(dir.Path() / "recent.txt");
  RecentQueries blocked(dir.Path() / "recent.txt");
  blocked.Load();
  blocked.AddStop("钟楼");
  EXPECT_EQ(blocked.Lists().stops, std::vector<std::string>{"钟楼"}) << "remembered for this run";
  EXPECT_FALSE(blocked.Save());
  // a file written by Windows tools with CRLF line ends reads the same
  const auto crlf = dir.Path() / "crlf.txt";
  std::ofstream(crlf, std::ios::binary) << RecentQueries::kHeader << "\r\nline\t5\r\n";
  RecentQueries windows(crlf);
  windows.Load();
  EXPECT_EQ(windows.Lists().lines, std::vector<std::string>{"5"});
}

}  // namespace
