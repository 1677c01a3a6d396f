// The standard controls of the main window: panel, group box, label, edit, memo, push button and
// check box. Native ones superclass the system classes (EDIT, BUTTON) and answer their own
// messages (BM_GETCHECK, EM_*); container ones paint themselves.
#pragma once

#include <memory>

#include "core/StringList.h"
#include "framework/controls/CustomControl.h"
#include "framework/controls/GraphicControl.h"

namespace bus {

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
  BUS_CLASS(TCustomPanel)
public:
  explicit TCustomPanel(TComponent* owner);
  TBevelCut BevelOuter() const noexcept { return bevelOuter_; }
  void SetBevelOuter(TBevelCut v);
  TBevelCut BevelInner() const noexcept { return bevelInner_; }
  void SetBevelInner(TBevelCut v);
  int BevelWidth() const noexcept { return bevelWidth_; }
  void SetBevelWidth(int v);
  TAlignment Alignment() const noexcept { return alignment_; }
  void SetAlignment(TAlignment v);

protected:
  void Paint() override;

private:
  TBevelCut bevelOuter_ = TBevelCut::bvRaised;  // outer edge
  TBevelCut bevelInner_ = TBevelCut::bvNone;    // inner edge
  int bevelWidth_ = 1;                          // edge width
  TAlignment alignment_ = TAlignment::taCenter;  // caption placement
};

class TPanel : public TCustomPanel {
  BUS_CLASS(TPanel)
public:
  using TCustomPanel::TCustomPanel;
};

class TCustomGroupBox : public TCustomControl {
  BUS_CLASS(TCustomGroupBox)
public:
  explicit TCustomGroupBox(TComponent* owner);

protected:
  void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
  BUS_CLASS(TGroupBox)
public:
  using TCustomGroupBox::TCustomGroupBox;
};

class TCustomLabel : public TGraphicControl {
  BUS_CLASS(TCustomLabel)
public:
  explicit TCustomLabel(TComponent* owner);
  TAlignment Alignment() const noexcept { return alignment_; }
  void SetAlignment(TAlignment v);
  bool AutoSize() const noexcept { return autoSize_; }
  void SetAutoSize(bool v);
  bool Transparent() const noexcept { return transparent_; }
  void SetTransparent(bool v);
  bool WordWrap() const noexcept { return wordWrap_; }
  void SetWordWrap(bool v);

  void WndProc(TMessage& message) override;

protected:
  void Paint() override;
  void Loaded() override;
  void FontChanged() override;
  // Fits the size to the caption (AutoSize).
  void AdjustBounds();

private:
  UINT DrawFlags() const;
  TAlignment alignment_ = TAlignment::taLeftJustify;  // text placement
  bool autoSize_ = true;                               // size follows the caption
  bool transparent_ = false;                           // background left unpainted
  bool wordWrap_ = false;                              // wrap long captions
};

class TLabel : public TCustomLabel {
  BUS_CLASS(TLabel)
public:
  using TCustomLabel::TCustomLabel;
};

class TCustomEdit : public TWinControl {
  BUS_CLASS(TCustomEdit)
public:
  explicit TCustomEdit(TComponent* owner);
  int MaxLength() const noexcept { return maxLength_; }
  void SetMaxLength(int v);
  bool ReadOnly() const noexcept { return readOnly_; }
  void SetReadOnly(bool v);
  void SelectAll();
  int SelStart() const;
  int SelLength() const;
  void SetSel(int start, int length);
  void Clear() { SetText(""); }

  TNotifyEvent OnChange;  // published

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void Ctl3DChanged() override;

private:
  int maxLength_ = 0;     // 0: no limit
  bool readOnly_ = false; // refuses typing
};

class TEdit : public TCustomEdit {
  BUS_CLASS(TEdit)
public:
  using TCustomEdit::TCustomEdit;
};

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

class TButtonControl : public TWinControl {
  BUS_CLASS(TButtonControl)
public:
  explicit TButtonControl(TComponent* owner);
};

class TButton : public TButtonControl {
  BUS_CLASS(TButton)
public:
  explicit TButton(TComponent* owner);
  // Enter on the form clicks it; drawn with the default-button style.
  bool Default() const noexcept { return default_; }
  void SetDefault(bool v);
  // Escape on the form clicks it.
  bool Cancel() const noexcept { return cancel_; }
  void SetCancel(bool v) noexcept { cancel_ = v; }

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;

private:
  bool default_ = false;  // BS_DEFPUSHBUTTON
  bool cancel_ = false;   // Escape clicks it
};

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TButtonControl {
  BUS_CLASS(TCustomCheckBox)
public:
  explicit TCustomCheckBox(TComponent* owner);
  TCheckBoxState State() const noexcept { return state_; }
  // Sends BM_SETCHECK through the window and fires OnClick when the state changes.
  void SetState(TCheckBoxState v);
  bool Checked() const noexcept { return state_ == TCheckBoxState::cbChecked; }
  void SetChecked(bool v) { SetState(v ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
  bool AllowGrayed() const noexcept { return allowGrayed_; }
  void SetAllowGrayed(bool v) noexcept { allowGrayed_ = v; }
  // taRightJustify (default): box left, text right; taLeftJustify: text left (BS_LEFTTEXT).
  TAlignment Alignment() const noexcept { return alignment_; }
  void SetAlignment(TAlignment v) noexcept { alignment_ = v; }

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // The next state of a click: unchecked, checked, grayed (when allowed), unchecked...
  virtual void Toggle();

private:
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;  // check mark
  bool allowGrayed_ = false;                             // the third state is reachable by clicks
  TAlignment alignment_ = TAlignment::taRightJustify;    // text side
};

class TCheckBox : public TCustomCheckBox {
  BUS_CLASS(TCheckBox)
public:
  using TCustomCheckBox::TCustomCheckBox;
};

}  // namespace bus
