#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "skin/data/LZH.h"
#include "tests/skin/data/LzhReference.h"

namespace bus {
namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<std::uint8_t> out;
  for (int v : values) out.push_back(std::uint8_t(v));
  return out;
}

std::string Expand(const std::vector<std::uint8_t>& packed, std::size_t size, std::size_t* used = nullptr) {
  const auto out = LzhExpand(packed, size, used);
  return std::string(out.begin(), out.end());
}

// Streams worked out by hand from the initial tree (leaf s hangs at node s, node j >= 314 has the
// children 2(j - 314) and 2(j - 314) + 1) and the first updates.
TEST(LzhExpand, DecodesStreamsWorkedOutByHand) {
  // 'A' starts as the 9-bit code 111001101; after its update it moves to node 313, code 11000101.
  EXPECT_EQ(Expand(Bytes({0xE6, 0x80}), 1), "A");
  EXPECT_EQ(Expand(Bytes({0xE6, 0xE2, 0x80}), 2), "AA");
  // Symbol 256 (a 3-byte match) is 10001100; position 0 is the prefix 000 and six zero bits: the
  // match reaches before the first byte, into the blanks the ring starts with.
  EXPECT_EQ(Expand(Bytes({0x8C, 0x00, 0x00}), 3), "   ");
  // Past the end every bit is 0: the all-zero path leads to 't' (116), and after the update that
  // moves 't' away, to the longest match (313) at distance 1, which is cut at the requested size.
  EXPECT_EQ(Expand(Bytes({0xE6, 0x80}), 2), "At");
  EXPECT_EQ(Expand({}, 3), "ttt");
}

TEST(LzhExpand, SizeIsTheOutputCapacity) {
  std::size_t used = 99;
  EXPECT_EQ(Expand(Bytes({0xE6, 0x80}), 0, &used), "");
  EXPECT_EQ(used, 0u);
  // a source that ends early still gives the requested number of bytes, and never reports more
  // consumed than it had
  EXPECT_EQ(Expand({}, 1000, &used).size(), 1000u);
  EXPECT_EQ(used, 0u);
  const std::string text(5000, 'x');
  const auto packed = LzhCompress({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  EXPECT_EQ(Expand(packed, 4321), text.substr(0, 4321));
}

// Words with up to three stray bytes after each: its literals and matches are many times the
// 32,768 symbols after which the tree is first rebuilt.
std::vector<std::uint8_t> ManyRebuildsText() {
  std::mt19937 rng(11);
  std::vector<std::uint8_t> text;
  const std::string words[] = {"bus ", "stop ", "line 7 ", "transfer ", "\r\n", "Xi'an "};
  while (text.size() < 600000) {
    const std::string& w = words[rng() % 6];
    text.insert(text.end(), w.begin(), w.end());
    for (unsigned k = rng() % 4; k > 0; --k) text.push_back(std::uint8_t(rng() % 96 + 32));
  }
  return text;
}

std::vector<std::uint8_t> RoundTrip(const std::vector<std::uint8_t>& data, std::size_t* packedSize = nullptr) {
  const auto packed = LzhCompress(data);
  if (packedSize) *packedSize = packed.size();
  std::size_t used = 0;
  auto out = LzhExpand(packed, data.size(), &used);
  EXPECT_LE(used, packed.size());
  EXPECT_GE(used + 1, packed.size());  // the expansion uses the whole stream but its padding
  return out;
}

TEST(LzhCompress, RoundTripsDataOfManyShapes) {
  std::mt19937 rng(7);
  std::vector<std::vector<std::uint8_t>> cases;
  cases.push_back({});
  cases.push_back({0});
  cases.push_back(std::vector<std::uint8_t>(100000, 0xAB));  // overlapping matches
  std::vector<std::uint8_t> noise(70000);
  for (auto& b : noise) b = std::uint8_t(rng());
  cases.push_back(noise);
  // a period of exactly the dictionary size: matches at the longest distance
  std::vector<std::uint8_t> period(4096 * 3);
  for (std::size_t i = 0; i < period.size(); ++i) period[i] = std::uint8_t(i < 4096 ? rng() : period[i - 4096]);
  cases.push_back(period);
  // skewed text with enough literals between its words to rebuild the tree many times
  cases.push_back(ManyRebuildsText());
  // pixels with runs, like a skin bitmap
  std::vector<std::uint8_t> pixels;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 300; ++x) {
      const int v = (x / 17 + y / 9) % 5 * 40;
      pixels.insert(pixels.end(), {std::uint8_t(v), std::uint8_t(v / 2), 0xFF});
    }
  }
  cases.push_back(pixels);
  // phases that favour other symbols each, so that nodes near the root change places often
  std::vector<std::uint8_t> phases;
  for (int phase = 0; phase < 40; ++phase) {
    const int base = (phase * 37) % 200, spread = 2 + phase % 9;
    for (int i = 0; i < 6000; ++i) phases.push_back(std::uint8_t(base + int(rng() % unsigned(spread))));
  }
  cases.push_back(phases);

  for (const auto& data : cases) {
    std::size_t packed = 0;
    EXPECT_EQ(RoundTrip(data, &packed), data) << "size " << data.size();
    if (data.size() == 100000) {
      EXPECT_LT(packed, 3000u);  // runs compress to almost nothing
    }
  }
}

TEST(TLZH, StreamsKeepTheirPositions) {
  const std::string text = "The 7 runs from the bell tower to the north station; the 7 returns.";
  const auto packed = LzhCompress({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  TMemoryStream source;
  source.WriteBuffer("head", 4);
  source.WriteBuffer(packed.data(), packed.size());
  source.WriteBuffer("tail", 4);
  source.SetPosition(4);
  TMemoryStream dest;
  dest.WriteBuffer(">", 1);
  TLZH(source, dest).Decode(std::int64_t(text.size()));
  EXPECT_EQ(source.Position(), std::int64_t(4 + packed.size()));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(dest.Memory()), std::size_t(dest.Size())), ">" + text);

  // Encode from a position, appending
  TMemoryStream plain;
  plain.WriteBuffer(text.data(), text.size());
  plain.SetPosition(4);
  TMemoryStream again;
  TLZH(plain, again).Encode();
  again.SetPosition(0);
  TMemoryStream back;
  TLZH(again, back).Decode(std::int64_t(text.size() - 4));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(back.Memory()), std::size_t(back.Size())), text.substr(4));

  TMemoryStream none;
  TLZH(source, none).Decode(0);
  EXPECT_EQ(none.Size(), 0);
}

TEST(LzhExpand, ImpossibleSizeIsReportedNotAttempted) {
  for (const std::size_t size : {std::size_t(-1), std::size_t(-1) / 2}) {
    try {
      LzhExpand({}, size);
      ADD_FAILURE() << "expanded " << size << " bytes";
    } catch (const ElzhException& e) {
      EXPECT_EQ(e.Message(), "LZH : Cannot get memory for dictionary tables");
    }
  }
}

// --- against the independent decoder (LzhReference) ----------------------------------------------
// The codec's compressor keeps the same tree as its expander, so a round trip cannot show a wrong
// tree rule: both sides would be wrong alike. The reference model, written apart, can.

TEST(LzhExpand, AgreesWithTheIndependentDecoderOnArbitraryStreams) {
  // any bytes are a stream: random ones pick symbols all over the tree, matches of every length
  // and distance, and go on through many rebuilds
  for (const unsigned seed : {1u, 2u, 3u}) {
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> packed(600000);
    for (auto& b : packed) b = std::uint8_t(rng());
    const std::size_t size = 2000000;
    test::LzhReferenceStats stats;
    const std::vector<std::uint8_t> expected = test::ReferenceExpand(packed, size, &stats);
    ASSERT_GT(stats.symbols, 8u * 32768u) << seed;
    ASSERT_GE(stats.rebuilds, 10u) << seed;
    ASSERT_EQ(stats.farthest, 4096u) << seed;
    const std::vector<std::uint8_t> actual = LzhExpand(packed, size);
    ASSERT_EQ(actual.size(), size);
    const auto differ = std::mismatch(actual.begin(), actual.end(), expected.begin());
    EXPECT_EQ(differ.first, actual.end()) << "seed " << seed << ": first difference at byte "
                                          << (differ.first - actual.begin());
  }
}

TEST(LzhCompress, StreamsThatRebuildManyTimesExpandByTheIndependentDecoder) {
  const std::vector<std::uint8_t> text = ManyRebuildsText();
  const std::vector<std::uint8_t> packed = LzhCompress(text);
  test::LzhReferenceStats stats;
  EXPECT_EQ(test::ReferenceExpand(packed, text.size(), &stats), text);
  EXPECT_GT(stats.symbols, 4u * 32768u);
  EXPECT_GE(stats.rebuilds, 6u);
  EXPECT_EQ(LzhExpand(packed, text.size()), text);
}

// A match may reach back the whole ring, 4096 bytes: at the start into the blanks the ring begins
// with, later into what was written exactly one ring before.
TEST(LzhExpand, MatchesReachTheWholeRingBackIntoTheInitialBlanks) {
  test::ReferenceLzhWriter writer;
  std::string expected;
  for (int i = 0; i < 100; ++i) {
    writer.Literal(std::uint8_t('a' + i % 26));
    expected += char('a' + i % 26);
  }
  writer.Match(60, 4096);  // ring slots 40 .. 99: never written, blanks
  expected += std::string(60, ' ');
  writer.Match(3, 4000);   // slots 196 .. 198: blanks as well
  expected += "   ";
  writer.Match(5, 163);    // back to the letters written first
  expected += expected.substr(expected.size() - 163, 5);
  for (int i = 0; expected.size() < 4300; ++i) {
    const auto c = std::uint8_t(i * 7 % 251);
    writer.Literal(c);
    expected += char(c);
  }
  writer.Match(60, 4096);  // what was written one ring before
  expected += expected.substr(expected.size() - 4096, 60);
  const std::vector<std::uint8_t> packed = writer.Finish();

  test::LzhReferenceStats stats;
  const auto reference = test::ReferenceExpand(packed, expected.size(), &stats);
  EXPECT_EQ(std::string(reference.begin(), reference.end()), expected);
  EXPECT_EQ(stats.blankReads, 63u);
  EXPECT_EQ(stats.farthest, 4096u);
  EXPECT_EQ(Expand(packed, expected.size()), expected);
}

}  // namespace
}  // namespace bus
