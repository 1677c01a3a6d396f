#include <gtest/gtest.h>

#include "skin/data/QuickIni.h"

namespace bus {
namespace {

TQuickIni Ini(std::string_view text) {
  TQuickIni ini;
  TMemoryStream stream;
  stream.WriteBuffer(text.data(), text.size());
  stream.SetPosition(0);
  ini.LoadFromStream(stream);
  return ini;
}

TEST(QuickIni, SectionsAndKeysMatchWithoutCase) {
  const TQuickIni ini = Ini(
      "[Personality]\r\n"
      "  TopHeight = 12  \r\n"
      "topheight=99\r\n"      // a later line with the same key is never consulted
      "Empty=\r\n"
      "Empty=filled\r\n"
      "Novalue\r\n"
      "Eq=a=b\r\n"
      "[PERSONALITY]\r\n"     // the first of two equal sections wins
      "Other=1\r\n");
  EXPECT_EQ(ini.ReadString("personality", "TOPHEIGHT", "d"), "12");
  EXPECT_EQ(ini.ReadInteger("Personality", "topHeight", 0), 12);
  EXPECT_EQ(ini.ReadString("Personality", "Empty", "d"), "d");
  EXPECT_EQ(ini.ReadString("Personality", "Novalue", "d"), "d");
  EXPECT_EQ(ini.ReadString("Personality", "Eq", "d"), "a=b");
  EXPECT_EQ(ini.ReadString("Personality", "Other", "d"), "d");
  EXPECT_EQ(ini.ReadString("Missing", "TopHeight", "d"), "d");
  EXPECT_EQ(ini.ReadString("Personality", "Missing", "d"), "d");
}

TEST(QuickIni, CommentsBlankLinesBracketsAndNul) {
  const std::string text =
      "; a comment\n"
      "[ Spaced ]\n"
      "[Colours]\n"
      "\n"
      "   ; indented comment\n"
      "\tButtonFace=1 2 3\n"
      "[]\n"
      "k=v\n"
      "[After]\r\rkey=1\n\rlast=2" + std::string(1, '\0') + "\n[Hidden]\nx=1\n";
  const TQuickIni ini = Ini(text);
  // comments and blank lines are dropped and do not end a section
  EXPECT_EQ(ini.ReadString("Colours", "ButtonFace", ""), "1 2 3");
  EXPECT_EQ(ini.ReadString("", "k", ""), "v");
  // blanks inside the brackets are part of the name for lookups, but not for the section list
  EXPECT_FALSE(ini.SectionExists("Spaced"));
  EXPECT_TRUE(ini.SectionExists(" Spaced "));
  TStringList sections;
  ini.ReadSections(sections);
  EXPECT_EQ(sections, (TStringList{"Spaced", "Colours", "", "After"}));
  // lone CRs and LF CR pairs end lines too; the text ends at its NUL
  EXPECT_EQ(ini.ReadInteger("After", "key", 0), 1);
  EXPECT_EQ(ini.ReadInteger("After", "last", 0), 2);
  EXPECT_FALSE(ini.SectionExists("Hidden"));
  EXPECT_EQ(ini.Lines().Count(), 8);
}

TEST(QuickIni, IntegerTexts) {
  const TQuickIni ini = Ini(
      "[n]\nhex=0x1F\nHEX=0X1f\ndollar=$ff\nbare=1F\nneg=-5\nplus=+7\nempty=\nfrac=1.5\n"
      "big=2147483647\nsmall=-2147483648\nover=2147483648\nallbits=0xFFFFFFFF\nhexover=0x100000000\n"
      "x=0x\nblank=- 5\nspaced= 42 \n");
  const auto get = [&](const char* key) { return ini.ReadInteger("n", key, -999); };
  EXPECT_EQ(get("hex"), 31);
  EXPECT_EQ(get("dollar"), 255);
  EXPECT_EQ(get("bare"), -999);
  EXPECT_EQ(get("neg"), -5);
  EXPECT_EQ(get("plus"), 7);
  EXPECT_EQ(get("empty"), -999);
  EXPECT_EQ(get("frac"), -999);
  EXPECT_EQ(get("big"), 2147483647);
  EXPECT_EQ(get("small"), -2147483647 - 1);
  EXPECT_EQ(get("over"), -999);
  EXPECT_EQ(get("allbits"), -1);
  EXPECT_EQ(get("hexover"), -999);
  EXPECT_EQ(get("x"), -999);
  EXPECT_EQ(get("blank"), -999);
  EXPECT_EQ(get("spaced"), 42);
  EXPECT_EQ(get("absent"), -999);
}

TEST(QuickIni, LoadReplacesEverythingAndReadsFromThePosition) {
  TQuickIni ini = Ini("[a]\nk=1\n");
  TMemoryStream stream;
  const std::string text = "skip[b]\nk=2\n";
  stream.WriteBuffer(text.data(), text.size());
  stream.SetPosition(4);
  ini.LoadFromStream(stream);
  EXPECT_FALSE(ini.SectionExists("a"));
  EXPECT_EQ(ini.ReadInteger("b", "k", 0), 2);
  ini.LoadFromText("");
  EXPECT_EQ(ini.ReadString("b", "k", "gone"), "gone");
}

}  // namespace
}  // namespace bus
