// The readings table generator: pinyin without tones, the fields it reads and their order, and the
// table it writes.
#include "tools/readingsgen/UnihanReadings.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/Exception.h"

namespace {

using bus::tools::ReadUnihanReadings;
using bus::tools::TonelessPinyin;

TEST(UnihanReadings, TonesDroppedAndUmlautTypedAsV) {
  EXPECT_EQ(TonelessPinyin("zhōng"), "zhong");
  EXPECT_EQ(TonelessPinyin("lǜ"), "lv");
  EXPECT_EQ(TonelessPinyin("nǚ"), "nv");
  EXPECT_EQ(TonelessPinyin("ê̄"), "e") << "a tone written as a combining mark";
  EXPECT_EQ(TonelessPinyin("ḿ"), "m");
  EXPECT_EQ(TonelessPinyin("Xī"), "xi");
  EXPECT_EQ(TonelessPinyin("lóu(179)"), std::nullopt);
  EXPECT_EQ(TonelessPinyin(""), std::nullopt);
  EXPECT_EQ(TonelessPinyin("\xE0\x80"), std::nullopt) << "malformed UTF-8";
}

TEST(UnihanReadings, CustomaryReadingFirstThenTheDictionariesEachOnce) {
  // fields come sorted by name in the file: kHanyuPinyin before kMandarin
  std::istringstream in(
      "# comment\n"
      "\n"
      "U+884C\tkDefinition\tgo; walk\n"
      "U+884C\tkHanyuPinyin\t20811.060:háng,xìng,xíng\n"
      "U+884C\tkMandarin\txíng\n"
      "U+957F\tkMandarin\tzhǎng\n"
      "U+957F\tkTGHZ2013\t038.110:cháng 466.110:zhǎng\r\n"
      "U+957F\tkXHC1983\t0121.040:cháng* 1456.020:zhǎng\n"
      "U+20000\tkHanyuPinyin\t10001.010:hē,kē\n"
      "U+3400\tkCantonese\tjau1\n");
  const bus::tools::ReadingMap map = ReadUnihanReadings(in);
  EXPECT_EQ(map.at(0x884C), (std::vector<std::string>{"xing", "hang"}));
  EXPECT_EQ(map.at(0x957F), (std::vector<std::string>{"zhang", "chang"}));
  EXPECT_EQ(map.at(0x20000), (std::vector<std::string>{"he", "ke"}));
  EXPECT_EQ(map.count(0x3400), 0u) << "a character without a Mandarin reading is left out";

  std::istringstream bad("V+884C\tkMandarin\txíng\n");
  EXPECT_THROW(ReadUnihanReadings(bad), bus::Exception);
}

TEST(UnihanReadings, TableInternsSyllablesAndSortsByCodePoint) {
  const bus::tools::ReadingMap map = {{0x957F, {"zhang", "chang"}}, {0x884C, {"xing", "hang"}}, {0x4E2D, {"zhong"}}};
  std::ostringstream out;
  bus::tools::WriteReadingsTable(map, "test", out);
  const std::string table = out.str();
  EXPECT_NE(table.find("kMostReadings = 2;"), std::string::npos);
  // syllables sorted, once each: chang 0, hang 1, xing 2, zhang 3, zhong 4
  EXPECT_NE(table.find("\"chang\", \"hang\", \"xing\", \"zhang\", \"zhong\","), std::string::npos) << table;
  // first readings: 中 zhong, 行 xing, 长 zhang; further: 行 hang, 长 chang
  const auto word = [](unsigned c, unsigned s) {
    std::ostringstream w;
    w << "0x" << std::hex << (c << bus::tools::kSyllableBits | s) << 'u';
    return w.str();
  };
  const size_t first = table.find("kFirstReadings");
  const size_t further = table.find("kFurtherReadings");
  ASSERT_LT(first, further);
  EXPECT_LT(table.find(word(0x4E2D, 4), first), table.find(word(0x884C, 2), first));
  EXPECT_LT(table.find(word(0x884C, 2), first), table.find(word(0x957F, 3), first));
  EXPECT_LT(table.find(word(0x957F, 3), first), further);
  EXPECT_LT(table.find(word(0x884C, 1), further), table.find(word(0x957F, 0), further));
}

}  // namespace
