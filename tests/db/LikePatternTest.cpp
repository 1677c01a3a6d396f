// Our "like" matcher against the engine's own, on every pairing of tricky patterns and texts.
#include "db/LikePattern.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// The engine's built-in like, on a connection where nothing of ours is installed.
class EngineLike {
public:
  EngineLike() {
    sqlite3_open(":memory:", &db_);
    sqlite3_prepare_v2(db_, "select ?2 like ?1 escape ?3", -1, &stmt_, nullptr);
  }
  ~EngineLike() {
    sqlite3_finalize(stmt_);
    sqlite3_close(db_);
  }
  bool operator()(const std::string& pattern, const std::string& text, const std::string& escape) {
    sqlite3_reset(stmt_);
    sqlite3_bind_text(stmt_, 1, pattern.data(), int(pattern.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(stmt_, 2, text.data(), int(text.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(stmt_, 3, escape.data(), int(escape.size()), SQLITE_TRANSIENT);
    EXPECT_EQ(sqlite3_step(stmt_), SQLITE_ROW) << sqlite3_errmsg(db_);
    return sqlite3_column_int(stmt_, 0) != 0;
  }

private:
  sqlite3* db_ = nullptr;
  sqlite3_stmt* stmt_ = nullptr;
};

TEST(LikePattern, AgreesWithTheEngine) {
  const std::vector<std::string> patterns = {
      "", "%", "%%", "_", "__", "%_", "_%", "%_%", "a", "A", "%a%", "%A%", "a%", "%a", "a_c", "%b_d%",
      "\\%", "%\\%%", "%\\_%", "\\\\", "%\\", "\\", "a\\", "钟%", "%钟楼%", "_楼", "%楼_", "钟_",
      "%a%b%c%", "a%a", "%aa%a", "ab%ba", "%ÄB%", "%äb%", "x\\y", "___", "%%a%%", "a%%b", "%ab%ab%",
      "_%_", "%楼", "%50\\%%", "%_b", "楼%楼", "%b%", "aB_", "\\a%", "%\\楼%", "%a_", "_a%"};
  const std::vector<std::string> texts = {
      "", "a", "A", "ab", "abc", "ABC", "aXc", "b_d", "bxd", "%", "_", "\\", "钟楼", "钟楼东", "小钟楼", "Äb",
      "äb", "aba", "abba", "aaa", "a%b", "xyz", "50%折扣", "楼", "楼楼", "x\\y", "xy", "abab", "aab", "ba",
      "楼b", "钟", "aB", "楼楼楼", "a楼", "acb"};
  EngineLike engine;
  for (const std::string escape : {"\\", "%", "_", "a", "楼"}) {
    for (const std::string& p : patterns) {
      const bus::db::LikePattern compiled(p, escape);
      for (const std::string& t : texts)
        EXPECT_EQ(compiled.Matches(t), engine(p, t, escape)) << "'" << t << "' like '" << p << "' escape '" << escape << "'";
    }
  }
}

TEST(LikePattern, NoEscapeAndNoBacktracking) {
  EXPECT_FALSE(bus::db::LikePattern("a\\%", "").Matches("a%"));
  EXPECT_TRUE(bus::db::LikePattern("a\\%", "").Matches("a\\bc"));
  EXPECT_TRUE(bus::db::LikePattern(std::string("ab\0zz", 5), "").Matches("ab"));  // the pattern ends at NUL
  // long texts and patterns, no backtracking blow-up
  const std::string text(100000, 'a');
  EXPECT_FALSE(bus::db::LikePattern("%a%a%a%a%a%a%a%a%b", "\\").Matches(text));
  EXPECT_TRUE(bus::db::LikePattern("%" + std::string(50000, 'A') + "%", "\\").Matches(text));
  EXPECT_TRUE(bus::db::LikePattern("%" + std::string(300, 'A') + "b" + std::string(300, 'a') + "%", "\\")
                  .Matches(std::string(1000, 'a') + "b" + std::string(1000, 'a')));
}

}  // namespace
