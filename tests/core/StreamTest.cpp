#include "core/Stream.h"

#include <gtest/gtest.h>

#include "core/StringList.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace bus;

// The same checks for every kind of stream.
void ExerciseStream(TStream& s) {
  s.WriteBuffer("hello world", 11);
  EXPECT_EQ(s.Size(), 11);
  EXPECT_EQ(s.Position(), 11);
  s.SetPosition(6);
  char buf[16] = {};
  EXPECT_EQ(s.Read(buf, sizeof buf), 5u);  // short read at the end, no throw
  EXPECT_STREQ(buf, "world");
  EXPECT_EQ(s.Read(buf, 4), 0u);
  s.SetPosition(6);
  EXPECT_THROW(s.ReadBuffer(buf, 6), EReadError);
  EXPECT_EQ(s.Seek(-5, SeekOrigin::End), 6);
  EXPECT_EQ(s.Seek(-100, SeekOrigin::Current), 0);  // clamped at the start
  s.SetSize(5);
  EXPECT_EQ(s.Size(), 5);
  s.SetPosition(0);
  char five[6] = {};
  s.ReadBuffer(five, 5);
  EXPECT_STREQ(five, "hello");
}

TEST(Stream, MemoryStreamReadsWritesSeeksAndResizes) {
  TMemoryStream m;
  ExerciseStream(m);
  // writing past the end fills the gap with zeros
  m.Seek(2, SeekOrigin::End);
  m.WriteBuffer("!", 1);
  ASSERT_EQ(m.Size(), 8);
  EXPECT_EQ(m.Memory()[5], 0);
  EXPECT_EQ(m.Memory()[7], '!');
  m.Clear();
  EXPECT_EQ(m.Size(), 0);
}

TEST(Stream, FileStreamAndCopyingBetweenStreams) {
  test::TempDir dir;
  const auto path = dir.Path() / "s.bin";
  {
    TFileStream f(path, TFileStream::Mode::Create);
    ExerciseStream(f);
  }
  TMemoryStream m;
  m.LoadFromFile(path);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(m.Memory()), 5), "hello");
  TMemoryStream copy;
  m.SetPosition(3);
  EXPECT_EQ(copy.CopyFrom(m, 0), 5);  // count 0: the whole source from its start
  EXPECT_EQ(copy.Size(), 5);
  m.SetPosition(3);
  EXPECT_THROW(copy.CopyFrom(m, 3), EReadError);
  m.SetPosition(1);
  TMemoryStream rest;
  rest.LoadFromStream(m);  // from the source's position to its end
  EXPECT_EQ(rest.Size(), 4);
  EXPECT_THROW(TFileStream(dir.Path() / "missing", TFileStream::Mode::OpenRead), EFOpenError);
  EXPECT_THROW(TFileStream(dir.Path(), TFileStream::Mode::OpenRead), EFOpenError);
}

TEST(StringList, LinesTextAndCaseInsensitiveLookup) {
  TStringList l;
  l.SetText("[Buttons]\r\nImage=a.bmp\nlast\rcr");
  ASSERT_EQ(l.Count(), 4);
  EXPECT_EQ(l[3], "cr");
  EXPECT_EQ(l.IndexOf("[BUTTONS]"), 0);
  EXPECT_EQ(l.IndexOf("missing"), -1);
  l.SetText("a\r\n\r\nb\r\n");
  EXPECT_EQ(l, (TStringList{"a", "", "b"}));
  EXPECT_EQ(l.Text(), "a\r\n\r\nb\r\n");
  l.Insert(3, "c");
  l.Delete(0);
  EXPECT_EQ(l, (TStringList{"", "b", "c"}));
  EXPECT_THROW(l.Strings(3), std::out_of_range);
  EXPECT_THROW(l.Insert(5, "x"), std::out_of_range);
}

}  // namespace
