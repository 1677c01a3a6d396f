// Date-time pickers: a superclassed native date and time picker (SysDateTimePick32). Kind picks a
// date or a time of day; a date picker drops a calendar (DateMode dmComboBox) or steps its fields
// with arrows (dmUpDown); a time picker always steps with arrows. Date and Time are one value, read
// and written in form descriptions as "YYYY-MM-DD" and "HH:MM:SS"; a new picker holds the moment
// it was made. OnChange fires when the user changes the value; setting it from code fires nothing.
#pragma once

#include <string>

#include "framework/DateTimeValue.h"
#include "framework/controls/WinControl.h"

namespace bus {

enum class TDateTimeKind { dtkDate, dtkTime };
enum class TDTDateMode { dmComboBox, dmUpDown };
enum class TDTDateFormat { dfShort, dfLong };

class TDateTimePicker : public TWinControl {
  BUS_CLASS(TDateTimePicker)
public:
  explicit TDateTimePicker(TComponent* owner);

  // These three are set before the window is made (a later change makes the window again).
  TDateTimeKind Kind() const noexcept { return kind_; }
  void SetKind(TDateTimeKind v);
  TDTDateMode DateMode() const noexcept { return dateMode_; }
  void SetDateMode(TDTDateMode v);
  TDTDateFormat DateFormat() const noexcept { return dateFormat_; }
  void SetDateFormat(TDTDateFormat v);
  // A date picker in drop-down mode; time pickers and up-down date pickers have no calendar.
  bool HasCalendar() const noexcept { return kind_ == TDateTimeKind::dtkDate && dateMode_ == TDTDateMode::dmComboBox; }

  // The value, as the window holds it now.
  TDateTimeValue Value() const;
  // Throws EPropertyError for a value that names no moment (see TDateTimeValue::IsValid).
  void SetValue(const TDateTimeValue& v);
  // "2024-05-01"; a text that is no date throws EPropertyError.
  std::string Date() const { return Value().DateText(); }
  void SetDate(const std::string& text);
  // "13:30:00"; a text that is no time throws EPropertyError.
  std::string Time() const { return Value().TimeText(); }
  void SetTime(const std::string& text);

  TNotifyEvent OnChange;  // published

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

private:
  void ApplyValue();

  TDateTimeKind kind_ = TDateTimeKind::dtkDate;        // date or time of day
  TDTDateMode dateMode_ = TDTDateMode::dmComboBox;     // calendar or arrows
  TDTDateFormat dateFormat_ = TDTDateFormat::dfShort;  // the date's written form
  TDateTimeValue value_;        // the value while there is no window, and the last one seen
  bool settingValue_ = false;   // code is changing the window: its notifications fire nothing
};

}  // namespace bus
