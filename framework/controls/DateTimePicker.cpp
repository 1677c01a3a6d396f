#include "framework/controls/DateTimePicker.h"

#include <commctrl.h>

#include "core/ScopedValue.h"
#include "framework/Properties.h"

namespace bus {

namespace {
const TIdentList kKinds{"dtkDate", "dtkTime"};
const TIdentList kDateModes{"dmComboBox", "dmUpDown"};
const TIdentList kDateFormats{"dfShort", "dfLong"};

SYSTEMTIME ToSystemTime(const TDateTimeValue& v) {
  SYSTEMTIME st{};
  st.wYear = WORD(v.year);
  st.wMonth = WORD(v.month);
  st.wDay = WORD(v.day);
  st.wHour = WORD(v.hour);
  st.wMinute = WORD(v.minute);
  st.wSecond = WORD(v.second);
  return st;
}

TDateTimeValue FromSystemTime(const SYSTEMTIME& st) {
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}
}  // namespace

const TClassInfo& TDateTimePicker::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TDateTimePicker>("TDateTimePicker", TWinControl::StaticClassInfo())
          .Creatable()
          .Enum("Kind", &TDateTimePicker::Kind, &TDateTimePicker::SetKind, kKinds, TDateTimeKind::dtkDate)
          .Enum("DateMode", &TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode, kDateModes,
                TDTDateMode::dmComboBox)
          .Enum("DateFormat", &TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat, kDateFormats,
                TDTDateFormat::dfShort)
          .Text("Date", &TDateTimePicker::Date, &TDateTimePicker::SetDate)
          .Text("Time", &TDateTimePicker::Time, &TDateTimePicker::SetTime)
          .Event("OnChange", &TDateTimePicker::OnChange)
          .Build();
  return info;
}

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
  clickOnMouseUp_ = false;  // the control reports its own changes
  SetBounds(0, 0, 186, 21);
  SetColor(clWindow);
  SetParentColor(false);
  SetTabStop(true);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  value_ = FromSystemTime(now);
}

void TDateTimePicker::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.sysClassName = DATETIMEPICK_CLASSW;
  if (kind_ == TDateTimeKind::dtkTime) p.style |= DTS_TIMEFORMAT;
  else if (dateMode_ == TDTDateMode::dmUpDown) p.style |= DTS_UPDOWN;
  if (kind_ == TDateTimeKind::dtkDate && dateFormat_ == TDTDateFormat::dfLong) p.style |= DTS_LONGDATEFORMAT;
}

void TDateTimePicker::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyValue();
}

void TDateTimePicker::ApplyValue() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  ScopedValue quiet(settingValue_, true);
  const SYSTEMTIME st = ToSystemTime(value_);
  SendMessageW(h, DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&st));
}

TDateTimeValue TDateTimePicker::Value() const {
  HWND h = HandleIfAllocated();
  SYSTEMTIME st{};
  if (h && SendMessageW(h, DTM_GETSYSTEMTIME, 0, LPARAM(&st)) == GDT_VALID) return FromSystemTime(st);
  return value_;
}

void TDateTimePicker::SetValue(const TDateTimeValue& v) {
  if (!v.IsValid()) throw EPropertyError("'" + v.DateText() + " " + v.TimeText() + "' is not a date and time");
  value_ = v;
  ApplyValue();
}

void TDateTimePicker::SetDate(const std::string& text) {
  TDateTimeValue v = Value();
  if (!v.SetDateText(text)) throw EPropertyError("'" + text + "' is not a date (YYYY-MM-DD)");
  SetValue(v);
}

void TDateTimePicker::SetTime(const std::string& text) {
  TDateTimeValue v = Value();
  if (!v.SetTimeText(text)) throw EPropertyError("'" + text + "' is not a time of day (HH:MM:SS)");
  SetValue(v);
}

void TDateTimePicker::SetKind(TDateTimeKind v) {
  if (v == kind_) return;
  kind_ = v;
  RecreateWnd();
}

void TDateTimePicker::SetDateMode(TDTDateMode v) {
  if (v == dateMode_) return;
  dateMode_ = v;
  RecreateWnd();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat v) {
  if (v == dateFormat_) return;
  dateFormat_ = v;
  RecreateWnd();
}

// DTN_DATETIMECHANGE: the user changed a field, or picked a day in the calendar.
void TDateTimePicker::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
    if (header->code == DTN_DATETIMECHANGE && !settingValue_) {
      const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(m.LParam);
      const TDateTimeValue now = FromSystemTime(change->st);
      if (change->dwFlags == GDT_VALID && !(now == value_)) {
        value_ = now;
        OnChange(this);
      }
    }
    return;
  }
  if (m.Msg == WM_DESTROY) value_ = Value();  // a window made again shows it again
  TWinControl::WndProc(m);
}

}  // namespace bus
