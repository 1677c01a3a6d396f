// Dates and times as form descriptions write them: read and written back, and text that names no
// date or time refused without touching the value.
#include <gtest/gtest.h>

#include "framework/DateTimeValue.h"

namespace bus {
namespace {

TEST(DateTimeValue, ReadsAndWritesDatesAndTimes) {
  TDateTimeValue v;
  ASSERT_TRUE(v.SetDateText("2024-02-29"));
  ASSERT_TRUE(v.SetTimeText("07:05:09"));
  EXPECT_EQ(v.DateText(), "2024-02-29");
  EXPECT_EQ(v.TimeText(), "07:05:09");
  EXPECT_EQ(v.year, 2024);
  EXPECT_EQ(v.second, 9);
  EXPECT_TRUE(v.SetDateText("2000-02-29"));  // divisible by 400: a leap year
  EXPECT_TRUE(v.SetDateText("1601-01-01"));
  EXPECT_TRUE(v.SetDateText("9999-12-31"));
  EXPECT_TRUE(v.SetTimeText("23:59:59"));
}

TEST(DateTimeValue, RefusesTextThatNamesNoDateOrTime) {
  TDateTimeValue v;
  v.SetDateText("2023-06-15");
  v.SetTimeText("12:30:00");
  const TDateTimeValue before = v;
  for (const char* bad : {"2023-02-29", "1900-02-29", "2023-13-01", "2023-04-31", "2023-00-10", "1600-12-31",
                          "2023-6-15", "2023-06-15 ", "20230615", "", "abcd-ef-gh", "2023/06/15", "+023-06-15"})
    EXPECT_FALSE(v.SetDateText(bad)) << bad;
  for (const char* bad : {"24:00:00", "12:60:00", "12:00:60", "1:00:00", "12:00", "12-00-00", "12:00:00x", ""})
    EXPECT_FALSE(v.SetTimeText(bad)) << bad;
  EXPECT_EQ(v, before);
}

}  // namespace
}  // namespace bus
