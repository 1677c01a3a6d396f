#include "framework/NotifyStringList.h"

namespace bus {

void TNotifyStringList::SetStrings(int index, std::string line) {
  lines_.SetStrings(index, std::move(line));
  Changed();
}

int TNotifyStringList::Add(std::string line) {
  const int index = lines_.Add(std::move(line));
  Changed();
  return index;
}

void TNotifyStringList::Insert(int index, std::string line) {
  lines_.Insert(index, std::move(line));
  Changed();
}

void TNotifyStringList::Delete(int index) {
  lines_.Delete(index);
  Changed();
}

void TNotifyStringList::Clear() {
  if (lines_.Empty()) return;
  lines_.Clear();
  Changed();
}

void TNotifyStringList::Assign(const TStringList& lines) {
  if (lines == lines_) return;
  lines_.Assign(lines);
  Changed();
}

void TNotifyStringList::SetText(std::string_view text) {
  TStringList lines;
  lines.SetText(text);
  Assign(lines);
}

void TNotifyStringList::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ > 0 || !pending_) return;
  pending_ = false;
  if (OnChange) OnChange();
}

void TNotifyStringList::Changed() {
  if (updateCount_ > 0) {
    pending_ = true;
    return;
  }
  if (OnChange) OnChange();
}

}  // namespace bus
