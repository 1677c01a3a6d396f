// Memos: multi-line edit boxes whose text is also reachable as lines.
#pragma once

#include "core/StringList.h"
#include "framework/controls/Edit.h"

namespace bus {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo;

// The lines of a memo, kept in its window text.
class TMemoLines {
public:
  explicit TMemoLines(TCustomMemo& memo) : memo_(memo) {}
  int Count() const;
  std::string Strings(int index) const;
  std::string operator[](int index) const { return Strings(index); }
  int Add(const std::string& line);
  void Insert(int index, const std::string& line);
  void Delete(int index);
  void Clear();
  std::string Text() const;
  void SetText(const std::string& text);
  TStringList Get() const;
  void Assign(const TStringList& lines);

private:
  TCustomMemo& memo_;  // whose window text the lines are
};

class TCustomMemo : public TCustomEdit {
  BUS_CLASS(TCustomMemo)
public:
  explicit TCustomMemo(TComponent* owner);
  TMemoLines& Lines() noexcept { return lines_; }
  TScrollStyle ScrollBars() const noexcept { return scrollBars_; }
  void SetScrollBars(TScrollStyle v);
  bool WordWrap() const noexcept { return wordWrap_; }
  void SetWordWrap(bool v);
  bool WantTabs() const noexcept { return wantTabs_; }
  void SetWantTabs(bool v) noexcept { wantTabs_ = v; }

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;

private:
  TStringList LinesValue() const { return lines_.Get(); }
  void SetLinesValue(const TStringList& l) { lines_.Assign(l); }
  TMemoLines lines_{*this};                    // view of the text as lines
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;  // built-in scroll bars
  bool wordWrap_ = true;                       // wrap at the right edge
  bool wantTabs_ = false;                      // Tab types a tab instead of moving on
};

class TMemo : public TCustomMemo {
  BUS_CLASS(TMemo)
public:
  using TCustomMemo::TCustomMemo;
};

}  // namespace bus
