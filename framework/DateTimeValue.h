// A calendar date and a time of day as a date-time picker holds them, and their text in form
// descriptions: dates as "YYYY-MM-DD" (years 1601 to 9999, the platform's range), times as
// "HH:MM:SS" (24-hour clock).
#pragma once

#include <string>
#include <string_view>

namespace bus {

struct TDateTimeValue {
  int year = 2000;  // 1601 .. 9999
  int month = 1;    // 1 .. 12
  int day = 1;      // 1 .. days of the month
  int hour = 0;     // 0 .. 23
  int minute = 0;   // 0 .. 59
  int second = 0;   // 0 .. 59

  bool operator==(const TDateTimeValue&) const = default;

  // True when every field lies in its range (29 February only in leap years).
  bool IsValid() const noexcept;
  // "2024-02-29" and "07:05:00".
  std::string DateText() const;
  std::string TimeText() const;
  // Set the date or the time from text of the forms above; false (nothing changed) for text
  // that is not such a date or time, or names none (2023-02-29, 24:00:00).
  bool SetDateText(std::string_view text);
  bool SetTimeText(std::string_view text);

  static int DaysInMonth(int year, int month) noexcept;
};

}  // namespace bus
