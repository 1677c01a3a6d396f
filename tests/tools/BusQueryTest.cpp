// busquery: its command line, its output format and exit status, in-process and as the program
// itself on the bundled Xi'an database.
#include "tools/busquery/BusQueryCommand.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/support/ChildProcess.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status;
  std::string out, err;
};

Outcome BusQuery(const std::vector<std::string>& args, const std::string& programDirectory = "") {
  std::ostringstream out, err;
  const int status = bus::tools::RunBusQuery(args, programDirectory, out, err);
  return {status, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t nl = text.find('\n'); nl != std::string::npos; nl = text.find('\n', start)) {
    lines.push_back(text.substr(start, nl - start));
    start = nl + 1;
  }
  EXPECT_EQ(start, text.size()) << "the output ends with a line break";
  return lines;
}

class BusQueryTest : public ::testing::Test {
protected:
  bus::test::TempDir dir;
  std::string db = dir.File("routes.db");
  void SetUp() override {
    bus::test::WriteRoutes(bus::test::FromUtf8(db), {{"5", {"钟楼", "小寨"}},
                                                     {"15", {"钟楼", "", "小寨东"}},
                                                     {"K5", {}},
                                                     {"8", {"小寨", "大雁塔"}}});
  }
};

TEST_F(BusQueryTest, BadArgumentsGiveUsageAndStatusTwo) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {},
           {"stop"},
           {"stop", "a", "b"},
           {"line"},
           {"between", "a"},
           {"plans", "a", "b", "c"},
           {"find", "a"},
           {"--db"},
           {"--db", "x.db"},
           {"--db", "", "stop", "a"},
           {"--db", "a.db", "--db", "b.db", "stop", "a"},
           {"--fuzzy", "stop", "a"},
           {"--exact"}}) {
    const Outcome o = BusQuery(args);
    EXPECT_EQ(o.status, bus::tools::kExitUsage) << ::testing::PrintToString(args);
    EXPECT_EQ(o.err.rfind("usage: busquery", 0), 0u) << o.err;
    EXPECT_EQ(o.out, "");
  }
  const Outcome help = BusQuery({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: busquery", 0), 0u);
}

TEST_F(BusQueryTest, RecordsAsTabSeparatedFieldsAfterTheStatus) {
  Outcome o = BusQuery({"--db", db, "stop", "钟楼"});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "查询结果：经过 钟楼 的公交车有：2辆\n5\t钟楼\t小寨\n15\t钟楼\t\t小寨东\n");
  EXPECT_EQ(o.err, "");

  o = BusQuery({"--db", db, "--exact", "stop", "小寨"});
  EXPECT_EQ(o.out, "查询结果：经过 小寨 的公交车有：2辆\n5\t钟楼\t小寨\n8\t小寨\t大雁塔\n");

  o = BusQuery({"--exact", "--db", db, "line", "K5"});  // options in either order; a record without stops
  EXPECT_EQ(o.out, "\nK5\n");
  o = BusQuery({"--db", db, "line", "5"});
  EXPECT_EQ(o.out, "\n5\t钟楼\t小寨\n15\t钟楼\t\t小寨东\nK5\n");

  // a text after the command word is a text even when it looks like an option
  o = BusQuery({"--db", db, "stop", "--exact"});
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, "查询结果：经过 --exact 的公交车有：0辆\n");
}

TEST_F(BusQueryTest, BetweenPrintsTheDirectResultOnlyAndPlansTheSentences) {
  Outcome o = BusQuery({"--db", db, "between", "钟楼", "小寨"});
  EXPECT_EQ(o.out, "查询结果：从 钟楼 到 小寨 的公交车有：2辆\n5\t钟楼\t小寨\n15\t钟楼\t\t小寨东\n");
  o = BusQuery({"--db", db, "between", "钟楼", "大雁塔"});
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, "查询结果：从 钟楼 到 大雁塔 的公交车有：0辆\n");
  o = BusQuery({"--db", db, "--exact", "plans", "钟楼", "大雁塔"});
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out,
            "查询结果：从 钟楼 到 大雁塔 站点的方案，有：1种\n"
            "方案1 出发站点 钟楼 乘坐 5 路到 小寨 站下车，再乘坐 8 路到大雁塔 站点下车 \n");
}

TEST_F(BusQueryTest, SuggestPrintsTheRankedNamesWithTheKeysThatMatched) {
  Outcome o = BusQuery({"--db", db, "suggest", "xz"});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "小寨\txz\tinitials\tstarts\t2\n小寨东\txzd\tinitials\tstarts\t1\n");
  o = BusQuery({"--db", db, "suggest", "Zhong Lou"});
  EXPECT_EQ(o.out, "钟楼\tzhonglou\tpinyin\tstarts\t2\n");
  o = BusQuery({"--db", db, "suggest", "寨东"});
  EXPECT_EQ(o.out, "小寨东\t小寨东\tname\tcontains\t1\n");
  o = BusQuery({"--db", db, "suggest", "nothing"});
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(BusQuery({"--db", db, "suggest"}).status, bus::tools::kExitUsage);
}

TEST_F(BusQueryTest, DatabaseFromConfigIniOrErrorsWithStatusOne) {
  const std::string programDir = bus::test::Utf8(dir.Path()) + "/";
  {
    std::ofstream ini(dir.Path() / "config.ini");
    ini << "[config]\ndbName=routes.db\n";
  }
  Outcome o = BusQuery({"line", "8"}, programDir);
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "\n8\t小寨\t大雁塔\n");

  fs::remove(dir.Path() / "config.ini");
  o = BusQuery({"line", "8"}, programDir);
  EXPECT_EQ(o.status, bus::tools::kExitDatabaseError);
  EXPECT_EQ(o.out, "");
  EXPECT_NE(o.err.find("busquery: "), std::string::npos);

  o = BusQuery({"--db", dir.File("missing.db"), "stop", "a"});
  EXPECT_EQ(o.status, bus::tools::kExitDatabaseError);
  EXPECT_NE(o.err.find("not found"), std::string::npos) << o.err;

  // a file name holding the connection string's separators
  const std::string odd = dir.File("a;b='c'.db");  // no '"': Windows forbids it in names
  fs::copy_file(bus::test::FromUtf8(db), bus::test::FromUtf8(odd));
  o = BusQuery({"--db", odd, "line", "8"});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "\n8\t小寨\t大雁塔\n");
}

// The program itself, beside the build's config.ini and xaway.db.
class BusQueryProgramTest : public ::testing::Test {
protected:
#ifdef _WIN32
  fs::path program = bus::test::BinaryDir() / "busquery.exe";
#else
  fs::path program = bus::test::BinaryDir() / "busquery";
#endif
  std::string programDir = bus::test::Utf8(bus::test::BinaryDir()) + "/";

  // Runs the program and, in-process, the same command; both must say the same, byte for byte.
  std::vector<std::string> RunBoth(const std::vector<std::string>& args) {
    const bus::test::ChildResult child = bus::test::RunChild(program, args);
    const Outcome inProcess = BusQuery(args, programDir);
    EXPECT_EQ(child.exitCode, 0) << child.err;
    EXPECT_EQ(child.err, "");
    EXPECT_EQ(child.out, inProcess.out);
    return Lines(child.out);
  }
};

// The count at the end of a status text such as "...：94辆".
int CountIn(const std::string& status, const std::string& unit) {
  EXPECT_TRUE(status.ends_with(unit)) << status;
  const std::string digits = status.substr(0, status.size() - unit.size());
  const size_t start = digits.find_last_not_of("0123456789") + 1;
  return std::stoi(digits.substr(start));
}

TEST_F(BusQueryProgramTest, AnswersOnTheBundledXianDatabase) {
  std::vector<std::string> lines = RunBoth({"stop", "钟楼"});
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0].rfind("查询结果：经过 钟楼 的公交车有：", 0), 0u) << lines[0];
  EXPECT_EQ(CountIn(lines[0], "辆"), int(lines.size()) - 1);
  EXPECT_GT(lines.size(), 10u);
  for (size_t i = 1; i < lines.size(); ++i) EXPECT_NE(lines[i].find("钟楼"), std::string::npos) << lines[i];

  lines = RunBoth({"line", "5"});
  ASSERT_GT(lines.size(), 2u);
  EXPECT_EQ(lines[0], "");
  for (size_t i = 1; i < lines.size(); ++i)
    EXPECT_NE(lines[i].substr(0, lines[i].find('\t')).find('5'), std::string::npos) << lines[i];

  lines = RunBoth({"between", "钟楼", "小寨"});
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0].rfind("查询结果：从 钟楼 到 小寨 的公交车有：", 0), 0u) << lines[0];
  EXPECT_EQ(CountIn(lines[0], "辆"), int(lines.size()) - 1);
  EXPECT_GT(lines.size(), 1u);

  // no line serves both: the plans
  lines = RunBoth({"between", "兵马俑", "小寨"});
  EXPECT_EQ(lines, std::vector<std::string>{"查询结果：从 兵马俑 到 小寨 的公交车有：0辆"});
  lines = RunBoth({"plans", "兵马俑", "小寨"});
  ASSERT_GT(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("查询结果：从 兵马俑 到 小寨 站点的方案，有：", 0), 0u) << lines[0];
  EXPECT_EQ(CountIn(lines[0], "种"), int(lines.size()) - 1);
  EXPECT_EQ(lines[1].rfind("方案1 出发站点 兵马俑 乘坐 ", 0), 0u) << lines[1];
  for (size_t i = 1; i < lines.size(); ++i) EXPECT_TRUE(lines[i].ends_with("路到小寨 站点下车 ")) << lines[i];
}

// A copy of the Xi'an database that nobody may write (read-only media, a file without write
// permission) answers every search as the bundled one does.
TEST_F(BusQueryProgramTest, AReadOnlyCopyAnswersEverySearch) {
  bus::test::TempDir dir;
  const fs::path copy = dir.Path() / "xaway.db";
  fs::copy_file(bus::test::BinaryDir() / "xaway.db", copy);
  fs::permissions(copy, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::vector<std::vector<std::string>> searches{
      {"stop", "钟楼"}, {"line", "5"}, {"between", "钟楼", "小寨"}, {"plans", "兵马俑", "小寨"}};
  for (const std::vector<std::string>& search : searches) {
    std::vector<std::string> args{"--db", bus::test::Utf8(copy)};
    args.insert(args.end(), search.begin(), search.end());
    const bus::test::ChildResult readOnly = bus::test::RunChild(program, args);
    EXPECT_EQ(readOnly.exitCode, 0) << search[0] << ": " << readOnly.err;
    EXPECT_EQ(readOnly.err, "");
    EXPECT_EQ(Lines(readOnly.out), RunBoth(search)) << search[0];
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);  // no journal left
}

TEST_F(BusQueryProgramTest, ExitStatusOfTheProgram) {
  bus::test::ChildResult r = bus::test::RunChild(program, {});
  EXPECT_EQ(r.exitCode, bus::tools::kExitUsage);
  EXPECT_EQ(r.err.rfind("usage: busquery", 0), 0u) << r.err;
  bus::test::TempDir dir;
  r = bus::test::RunChild(program, {"--db", dir.File("无.db"), "stop", "钟楼"});
  EXPECT_EQ(r.exitCode, bus::tools::kExitDatabaseError);
  EXPECT_NE(r.err.find("无.db"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
}

}  // namespace
