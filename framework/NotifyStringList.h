// A list of text lines that tells its holder after every change: the items of list and combo
// boxes, the buttons of a radio group, the tabs of tab controls and tab sets. The holder keeps its
// window or its child controls in step from OnChange.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/StringList.h"

namespace bus {

class TNotifyStringList {
public:
  int Count() const noexcept { return lines_.Count(); }
  const std::string& Strings(int index) const { return lines_.Strings(index); }
  const std::string& operator[](int index) const { return lines_.Strings(index); }
  int IndexOf(std::string_view text) const noexcept { return lines_.IndexOf(text); }
  // The lines themselves.
  const TStringList& Lines() const noexcept { return lines_; }
  // The lines, each followed by CR LF.
  std::string Text() const { return lines_.Text(); }

  void SetStrings(int index, std::string line);
  // Appends line; returns its index.
  int Add(std::string line);
  void Insert(int index, std::string line);
  void Delete(int index);
  void Clear();
  void Assign(const TStringList& lines);
  void SetText(std::string_view text);

  // Groups changes: OnChange runs once, when the outermost EndUpdate ends, if anything changed.
  void BeginUpdate() noexcept { ++updateCount_; }
  void EndUpdate();

  // Runs after each change (not inside BeginUpdate ... EndUpdate).
  std::function<void()> OnChange;

private:
  void Changed();

  TStringList lines_;     // the lines
  int updateCount_ = 0;   // BeginUpdate nesting
  bool pending_ = false;  // a change happened inside BeginUpdate ... EndUpdate
};

}  // namespace bus
