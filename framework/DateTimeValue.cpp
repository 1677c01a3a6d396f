#include "framework/DateTimeValue.h"

#include <cstdio>

namespace bus {

namespace {

// Reads width decimal digits of text from pos; false when any is not a digit.
bool ReadNumber(std::string_view text, size_t pos, size_t width, int& value) {
  value = 0;
  for (size_t i = pos; i < pos + width; ++i) {
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

// Reads "NN<sep>NN<sep>NN" style text made of fields of the given widths.
template <size_t N>
bool ReadFields(std::string_view text, const size_t (&widths)[N], char separator, int (&fields)[N]) {
  size_t pos = 0;
  for (size_t i = 0; i < N; ++i) {
    if (i > 0 && (pos >= text.size() || text[pos++] != separator)) return false;
    if (!ReadNumber(text, pos, widths[i], fields[i])) return false;
    pos += widths[i];
  }
  return pos == text.size();
}

}  // namespace

int TDateTimeValue::DaysInMonth(int year, int month) noexcept {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

bool TDateTimeValue::IsValid() const noexcept {
  return year >= 1601 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month) &&
         hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

std::string TDateTimeValue::DateText() const {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
  return text;
}

std::string TDateTimeValue::TimeText() const {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", hour, minute, second);
  return text;
}

bool TDateTimeValue::SetDateText(std::string_view text) {
  int f[3];
  if (!ReadFields(text, {4, 2, 2}, '-', f)) return false;
  TDateTimeValue v = *this;
  v.year = f[0];
  v.month = f[1];
  v.day = f[2];
  if (!v.IsValid()) return false;
  *this = v;
  return true;
}

bool TDateTimeValue::SetTimeText(std::string_view text) {
  int f[3];
  if (!ReadFields(text, {2, 2, 2}, ':', f)) return false;
  TDateTimeValue v = *this;
  v.hour = f[0];
  v.minute = f[1];
  v.second = f[2];
  if (!v.IsValid()) return false;
  *this = v;
  return true;
}

}  // namespace bus
