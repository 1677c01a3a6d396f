// The stop index: keys of names with several-reading characters, letters and digits; ranking; the
// bundled databases; the index after a record is deleted, against a plain scan of the table.
#include "search/StopIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <set>

#include "core/TextEncoding.h"
#include "db/Query.h"
#include "search/PinyinReadings.h"
#include "tests/search/SearchTestSupport.h"

namespace {

using bus::search::IndexedStop;
using bus::search::StopIndex;
using bus::search::StopKeyKind;
using bus::search::StopSuggestion;

bool Has(const std::vector<std::string>& keys, const std::string& key) {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

std::vector<std::string> Names(const std::vector<StopSuggestion>& suggestions) {
  std::vector<std::string> names;
  for (const StopSuggestion& s : suggestions) names.emplace_back(s.name);
  return names;
}

TEST(PinyinReadings, TheGeneratedTableKnowsEveryBlock) {
  // the whole Unihan file went into the table, not a part of it
  EXPECT_GT(bus::search::ReadingsTableSize(), 40000);
  const auto zhong = bus::search::ReadingsOf(U'中');
  ASSERT_EQ(zhong.count, 1) << "zhōng and zhòng are one reading without tones";
  EXPECT_EQ(zhong.items[0], "zhong");
  const auto he = bus::search::ReadingsOf(U'\U00020000');  // beyond the common blocks
  ASSERT_EQ(he.count, 1);
  EXPECT_EQ(he.items[0], "he");
  EXPECT_EQ(bus::search::ReadingsOf(U'\uF900').count, 0) << "a compatibility ideograph without a reading";
  EXPECT_EQ(bus::search::ReadingsOf(U'A').count, 0);
  EXPECT_EQ(bus::search::ReadingsOf(U'\U0010FFFF').count, 0);
}

TEST(PinyinKeys, EveryReadingOfACharacterWithSeveral) {
  const auto changAn = bus::search::PinyinKeys("长安街");
  EXPECT_TRUE(Has(changAn.pinyin, "changanjie")) << changAn.pinyin.front();
  EXPECT_TRUE(Has(changAn.pinyin, "zhanganjie"));
  EXPECT_TRUE(Has(changAn.initials, "caj"));
  EXPECT_TRUE(Has(changAn.initials, "zaj"));
  const auto yinHang = bus::search::PinyinKeys("银行");
  EXPECT_TRUE(Has(yinHang.pinyin, "yinhang"));
  EXPECT_TRUE(Has(yinHang.pinyin, "yinxing"));
  EXPECT_EQ(changAn.unreadable, 0);
  // ü is typed as v, tones are gone
  EXPECT_TRUE(Has(bus::search::PinyinKeys("绿地").pinyin, "lvdi"));
}

TEST(PinyinKeys, LettersAndDigitsKeepThemselvesAndPunctuationIsLeftOut) {
  const auto t3 = bus::search::PinyinKeys("T3航站楼");
  EXPECT_EQ(t3.pinyin.front(), "t3hangzhanlou");
  EXPECT_TRUE(Has(t3.initials, "t3hzl"));
  // full-width letters and digits are the same letters; brackets and dashes carry no key
  EXPECT_EQ(bus::search::PinyinKeys("Ｔ３航站楼").initials, t3.initials);
  EXPECT_TRUE(Has(bus::search::PinyinKeys("钟楼(北)-1").initials, "zlb1"));
  // a name without any letter, digit or readable character has no pinyin keys, only its name
  EXPECT_TRUE(bus::search::PinyinKeys("（）·").pinyin.empty());
}

TEST(PinyinKeys, ManyAmbiguousCharactersStayWithinTheCap) {
  const auto keys = bus::search::PinyinKeys("长长长长长长长行行行");
  EXPECT_EQ(keys.pinyin.size(), size_t(StopIndex::kMostKeysPerKind));
  EXPECT_LE(keys.initials.size(), size_t(StopIndex::kMostKeysPerKind));
  // the customary reading of every character comes first (长 zhang, 行 xing)
  EXPECT_EQ(keys.pinyin.front(), "zhangzhangzhangzhangzhangzhangzhangxingxingxing");
}

TEST(StopIndexSuggest, StartsWithBeforeContainsThenMoreLinesThenName) {
  const StopIndex index({{"南门外", 3}, {"钟楼", 12}, {"钟楼南", 4}, {"西钟楼", 30}, {"钟鼓楼", 4}, {"中楼", 4}});
  // zl: 钟楼 (12 lines) before 钟楼南 and 中楼 (4 each, by name), then 西钟楼 which only contains it
  const auto zl = index.Suggest("zl");
  EXPECT_EQ(Names(zl), (std::vector<std::string>{"钟楼", "中楼", "钟楼南", "西钟楼"}));
  EXPECT_EQ(zl[0].key, "zl");
  EXPECT_EQ(zl[0].kind, StopKeyKind::Initials);
  EXPECT_TRUE(zl[0].startsWith);
  EXPECT_FALSE(zl[3].startsWith);
  EXPECT_EQ(zl[0].lines, 12);

  // full pinyin, upper case, blanks and apostrophes; the name itself
  EXPECT_EQ(Names(index.Suggest("ZhongLou")).front(), "钟楼");
  EXPECT_EQ(Names(index.Suggest("zhong'lou")).front(), "钟楼");
  const auto byName = index.Suggest("楼南");
  ASSERT_EQ(byName.size(), 1u);
  EXPECT_EQ(byName[0].kind, StopKeyKind::Name);
  EXPECT_FALSE(byName[0].startsWith);

  // a stop whose name only contains the text but whose pinyin starts with it counts as starting
  const auto nan = index.Suggest("nan");
  ASSERT_FALSE(nan.empty());
  EXPECT_EQ(nan[0].name, "南门外");
  EXPECT_TRUE(nan[0].startsWith);

  // a match that needs one of several readings (长 as zhang) comes after one that does not
  const StopIndex readings({{"长乐路", 22}, {"钟楼西", 17}, {"春临路", 1}});
  EXPECT_EQ(Names(readings.Suggest("zl")), (std::vector<std::string>{"钟楼西", "长乐路"}));
  EXPECT_EQ(Names(readings.Suggest("cl")), (std::vector<std::string>{"春临路", "长乐路"}));
  EXPECT_EQ(Names(readings.Suggest("changle")), (std::vector<std::string>{"长乐路"}));

  EXPECT_EQ(index.Suggest("z", 2).size(), 2u);
  EXPECT_TRUE(index.Suggest("").empty());
  EXPECT_TRUE(index.Suggest(" ' ").empty());
  EXPECT_TRUE(index.Suggest("xyz").empty());
  EXPECT_TRUE(index.Suggest("zl\nzl").empty()) << "a line break never matches across keys";
}

TEST(StopIndexSuggest, AtMostTenAndEveryNameOnce) {
  std::vector<IndexedStop> stops;
  for (int i = 0; i < 25; ++i) stops.push_back({"钟楼" + std::to_string(i), i});
  stops.push_back({"钟楼3", 99});  // a repeated name is taken once
  const StopIndex index(std::move(stops));
  EXPECT_EQ(index.StopCount(), 25u);
  const auto found = index.Suggest("zl");
  ASSERT_EQ(found.size(), StopIndex::kDefaultLimit);
  EXPECT_EQ(found[0].name, "钟楼24");
  EXPECT_EQ(found[9].name, "钟楼15");
}

// Every stop of a bundled database has pinyin and initials keys; prints the Han characters the
// readings table lacks.
void ExpectEveryStopKeyed(const char* file, const char* text, const char* first) {
  bus::db::Connection connection;
  connection.Open(bus::test::ConnectionStringFor(bus::test::BinaryDir() / file));
  const StopIndex index = StopIndex::FromDatabase(connection);
  ASSERT_GT(index.StopCount(), 1000u);
  std::map<std::string, int> unreadable;  // character -> stops naming it
  for (size_t i = 0; i < index.StopCount(); ++i) {
    const std::string& name = index.Stop(i).name;
    const auto keys = index.Keys(i);
    const auto kinds = [&](StopKeyKind kind) {
      return std::count_if(keys.begin(), keys.end(), [&](const auto& k) { return k.first == kind; });
    };
    EXPECT_EQ(kinds(StopKeyKind::Name), 1) << name;
    EXPECT_GE(kinds(StopKeyKind::Pinyin) + kinds(StopKeyKind::Initials), 1) << name;
    EXPECT_GE(index.Stop(i).lines, 1) << name;
    for (size_t at = 0; at < name.size();) {
      const size_t start = at;
      char32_t c = 0;
      if (bus::DecodeUtf8(name, at, c) && bus::search::IsHanCharacter(c) && bus::search::ReadingsOf(c).count == 0)
        ++unreadable[name.substr(start, at - start)];
    }
  }
  std::cout << file << ": " << index.StopCount() << " stops, " << unreadable.size()
            << " characters without a reading";
  for (const auto& [c, stops] : unreadable) std::cout << ' ' << c << '(' << stops << ')';
  std::cout << '\n';
  EXPECT_TRUE(unreadable.empty());
  const auto found = index.Suggest(text);
  ASSERT_FALSE(found.empty()) << text;
  EXPECT_TRUE(found.front().name.starts_with(first)) << text << ": " << found.front().name;
}

TEST(StopIndexBundled, EveryXianStopHasKeys) { ExpectEveryStopKeyed("xaway.db", "zl", "钟楼"); }
TEST(StopIndexBundled, EveryBeijingStopHasKeys) { ExpectEveryStopKeyed("bjway.db", "tam", "天安门"); }

class StopIndexDatabase : public bus::test::RouteDatabaseTest {};

// The stops and their line counts as a plain scan of every cell of the table finds them.
std::map<std::string, int> ScannedStops(bus::db::Connection& connection) {
  std::map<std::string, std::set<std::string>> lines;
  for (const auto& row : bus::test::ReadAllRoutes(connection))
    for (size_t f = 2; f < row.size(); ++f)
      if (!row[f].empty()) lines[row[f]].insert(row[1]);
  std::map<std::string, int> stops;
  for (const auto& [name, serving] : lines) stops[name] = int(serving.size());
  return stops;
}

std::map<std::string, int> IndexedStops(const StopIndex& index) {
  std::map<std::string, int> stops;
  for (size_t i = 0; i < index.StopCount(); ++i) stops[index.Stop(i).name] = index.Stop(i).lines;
  return stops;
}

TEST_F(StopIndexDatabase, EqualsAPlainScanAfterADelete) {
  Open({{"1", {"钟楼", "南门", "小寨"}},
        {"1", {"小寨", "南门", "钟楼"}},
        {"2", {"钟楼", "北大街"}},
        {"3", {"大雁塔", "小寨", "长安街"}}});
  StopIndex index = StopIndex::FromDatabase(connection);
  EXPECT_EQ(IndexedStops(index), ScannedStops(connection));
  EXPECT_EQ(IndexedStops(index).at("钟楼"), 2) << "both directions of line 1 count once";

  bus::db::Query query(connection);
  query.SetStatement("select * from way where no = ?", {"3"});
  query.Open();
  query.Delete();
  index = StopIndex::FromDatabase(connection);
  EXPECT_EQ(IndexedStops(index), ScannedStops(connection));
  EXPECT_TRUE(index.Suggest("caj").empty()) << "长安街 was only on the deleted record";
  EXPECT_EQ(IndexedStops(index).at("小寨"), 1);
}

}  // namespace
