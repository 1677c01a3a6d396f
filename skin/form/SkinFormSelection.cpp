// The control selection of TSkinForm: which wrapper each control of an adopted window gets.
//
// Controls are recognised by class: a class test matches the class and every class derived from
// it and is made by the class's published name (TObject::InheritsFrom), so a row whose class the
// widget layer does not have simply never matches; a class-name test compares the whole upper-case
// name. The rows describing a kind of control in words map to these classes of ours:
//   page or tab control      TCustomTabControl (TTabControl, TPageControl)
//   radio group              TCustomRadioGroup
//   tool bar                 TToolBar
//   progress bar             TProgressBar
//   stand-alone scroll bar   TScrollBar
//   combo box                TCustomComboBox
//   glyph button             TBitBtn
//   list view                TCustomListView
//   scroll box               TScrollBox
//   frame                    TCustomFrame
//   further scrolling kinds  TCustomListBox, TCustomListView, TCustomRichEdit
//   picker without calendar  a TDateTimePicker whose Kind is dtkTime or DateMode dmUpDown
//   menu-bearing control, second tab control kind: no class of ours (those rows never match)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

#include "core/TextUtil.h"
#include "framework/Properties.h"
#include "framework/controls/Form.h"
#include "framework/controls/GraphicControl.h"
#include "framework/controls/ToolBar.h"
#include "framework/controls/ToolButton.h"
#include "skin/control/SkinBitButton.h"
#include "skin/control/SkinBox.h"
#include "skin/control/SkinBoxH.h"
#include "skin/control/SkinButton.h"
#include "skin/control/SkinCheckBox.h"
#include "skin/control/SkinDrawing.h"
#include "skin/control/SkinComBox.h"
#include "skin/control/SkinEdit.h"
#include "skin/control/SkinGroupBox.h"
#include "skin/control/SkinListView.h"
#include "skin/control/SkinObjImage.h"
#include "skin/control/SkinProgress.h"
#include "skin/control/SkinRadioButton.h"
#include "skin/control/SkinScControl.h"
#include "skin/control/SkinScrollbar.h"
#include "skin/control/SkinSizer.h"
#include "skin/control/SkinSpeedButton.h"
#include "skin/control/SkinStatusBar.h"
#include "skin/control/SkinTab.h"
#include "skin/control/SkinTab31.h"
#include "skin/control/SkinTrackBar.h"
#include "skin/control/SkinUpDown.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"

namespace bus {

using enum TSkinControlType;

namespace {

// Makes a wrapper W owned by owner and attaches it; a wrapper whose attaching fails goes again.
template <class W, class A>
W* MakeWrapper(TComponent& owner, A attach) {
  TComponentHolder<W> wrapper(new W(&owner));
  attach(*wrapper);
  return wrapper.release();
}

}  // namespace

// Creates and attaches wrappers for one control on behalf of the form object.
class TSkinForm::Selection {
public:
  Selection(TSkinForm& form, TControl& control) : form_(form), control_(control), skin_(*form.skinData_) {}

  TSkinForm& Form() const noexcept { return form_; }
  TControl& Control() const noexcept { return control_; }
  TSkinData& Skin() const noexcept { return skin_; }
  TWinControl* Windowed() const noexcept { return dynamic_cast<TWinControl*>(&control_); }
  bool Has(TSkinControlType member) const noexcept { return skin_.SkinControls().Contains(member); }

  // A wrapper W owned by owner (the control by default), attached to its owner with AttachControl.
  template <class W>
  W* Attach(bool recolour, TControl* owner = nullptr) {
    return MakeWrapper<W>(owner ? *owner : control_, [&](W& w) {
      w.AttachControl(&form_, &skin_, recolour, &form_.wrapperCanvas_);
    });
  }
  // A wrapper W owned by the control, attached to the control's window.
  template <class W>
  W* AttachToWindow() {
    TWinControl* windowed = Windowed();
    if (!windowed) return nullptr;
    return MakeWrapper<W>(control_, [&](W& w) { w.AttachWindow(windowed->Handle(), &skin_, &form_, &form_.wrapperCanvas_); });
  }
  // A scroll bar wrapper W owned by and attached to control (this one by default).
  template <class W>
  W* AttachScrolling(TControl* control = nullptr) {
    auto* windowed = dynamic_cast<TWinControl*>(control ? control : &control_);
    if (!windowed) return nullptr;
    return MakeWrapper<W>(*windowed, [&](W& w) { w.AttachScrolling(*windowed, &skin_, &form_, &form_.wrapperCanvas_); });
  }
  TSkinScControl* AttachScrollControl(TControl* control = nullptr) {
    auto* windowed = dynamic_cast<TWinControl*>(control ? control : &control_);
    if (!windowed) return nullptr;
    return MakeWrapper<TSkinScControl>(*windowed, [&](TSkinScControl& w) {
      w.AttachScrollControl(*windowed, &skin_, &form_, &form_.wrapperCanvas_);
    });
  }
  TSkinSpeedButton* AttachGraphic() {
    if (!dynamic_cast<TGraphicControl*>(&control_)) return nullptr;
    return MakeWrapper<TSkinSpeedButton>(control_, [&](TSkinSpeedButton& w) {
      w.AttachGraphic(&form_, &skin_, &form_.wrapperCanvas_);
    });
  }
  // Each child control of the control, in order.
  template <class F>
  void ForEachChild(F f) const {
    if (TWinControl* windowed = Windowed())
      for (int i = 0; i < windowed->ControlCount(); ++i) f(*windowed->Controls(i));
  }

  // A wrapper of foreign check glyphs (mode 1), recoloured.
  TSkinObjImage* AttachObjImage() {
    return MakeWrapper<TSkinObjImage>(control_, [&](TSkinObjImage& w) {
      w.SetMode(1);
      w.AttachControl(&form_, &skin_, true, &form_.wrapperCanvas_);
    });
  }

private:
  TSkinForm& form_;     // whose wrapper list takes the wrappers
  TControl& control_;   // the control being skinned
  TSkinData& skin_;     // the form object's skin
};

namespace {

using Selection = TSkinForm::Selection;

bool Is(const TControl& c, std::string_view className) { return c.InheritsFrom(className); }

bool NamedAny(const std::string& upperName, std::initializer_list<std::string_view> names) {
  for (std::string_view n : names)
    if (upperName == n) return true;
  return false;
}

// A picker that shows no drop-down calendar: a time picker, or one with spin buttons.
bool PickerWithoutCalendar(const TControl& c) {
  return AsciiLower(GetEnumPropertyName(&c, "Kind")) == "dtktime" ||
         AsciiLower(GetEnumPropertyName(&c, "DateMode")) == "dmupdown";
}

// One row of the selection: the first row whose control matches and whose members are all in
// SkinControls decides. A final row that matches ends the selection even when a member is missing.
struct Row {
  bool (*matches)(const TControl& control, const std::string& upperName);
  TSkinControlTypes members;  // all required
  bool needsTabs;             // the skin must have a Tabs object too
  void (*attach)(Selection& s);
  bool final;
};

const Row kRows[] = {
    // 1 page or tab control
    {[](const TControl& c, const std::string&) { return Is(c, "TCustomTabControl"); }, {xcTab}, true,
     [](Selection& s) { s.AttachToWindow<TSkinTab>(); }, false},
    // 2 a control with a menu item tree of its own: no class of ours carries one
    {[](const TControl&, const std::string&) { return false; }, {xcMainMenu}, false, [](Selection&) {}, true},
    // 3
    {[](const TControl&, const std::string& n) { return n == "TTABSET"; }, {xcTab}, true,
     [](Selection& s) { s.Attach<TSkinTab31>(false); }, false},
    // 4
    {[](const TControl&, const std::string& n) { return n == "TTABBEDNOTEBOOK"; }, {xcTab}, true,
     [](Selection& s) { s.AttachToWindow<TSkinTab>(); }, false},
    // 5
    {[](const TControl&, const std::string& n) { return n == "TMVCPANEL"; }, {}, false,
     [](Selection& s) { s.Form().SkinComponents(&s.Control()); }, false},
    // 6 a second tab control kind: no class of ours
    {[](const TControl&, const std::string&) { return false; }, {xcTab}, true,
     [](Selection& s) { s.AttachToWindow<TSkinTab>(); }, false},
    // 7
    {[](const TControl& c, const std::string&) { return Is(c, "TCustomCheckBox"); }, {xcCheckBox}, false,
     [](Selection& s) { s.Attach<TSkinCheckBox>(false); }, false},
    // 8
    {[](const TControl&, const std::string& n) { return n == "TTRACKBAR"; }, {xcButton}, false,
     [](Selection& s) { s.Attach<TSkinTrackBar>(false); }, false},
    // 9
    {[](const TControl&, const std::string& n) { return NamedAny(n, {"TUPDOWN", "TSPINBUTTON"}); }, {xcButton},
     false, [](Selection& s) { s.Attach<TSkinUpDown>(false); }, false},
    // 10 radio group: its buttons, then the group
    {[](const TControl& c, const std::string&) { return Is(c, "TCustomRadioGroup"); }, {xcRadioButton}, false,
     [](Selection& s) {
       s.ForEachChild([&](TControl& child) { s.Attach<TSkinRadioButton>(false, &child); });
       s.Attach<TSkinGroupBox>(true);
     },
     false},
    // 11
    {[](const TControl&, const std::string& n) { return n == "TDBNAVIGATOR"; }, {xcPanel}, false,
     [](Selection& s) {
       SetPropertyText(&s.Control(), "Flat", "True");
       s.Attach<TSkinBox>(true);
     },
     false},
    // 12
    {[](const TControl&, const std::string& n) { return n == "TRZDBCHECKBOX"; }, {xcCheckBox}, false,
     [](Selection& s) { s.AttachObjImage(); },
     false},
    // 13
    {[](const TControl& c, const std::string&) { return Is(c, "TCustomGroupBox"); }, {xcPanel}, false,
     [](Selection& s) {
       s.Attach<TSkinGroupBox>(true);
       s.Form().SkinComponents(&s.Control());
     },
     false},
    // 14
    {[](const TControl& c, const std::string&) { return Is(c, "TRadioButton"); }, {xcRadioButton}, false,
     [](Selection& s) { s.Attach<TSkinRadioButton>(false); }, false},
    // 15 tool bar (its menu's items are made owner-drawn with the menu skinning)
    {[](const TControl& c, const std::string&) { return Is(c, "TToolBar"); }, {xcToolbar}, false,
     [](Selection& s) {
       SetPropertyText(&s.Control(), "Flat", "True");
       s.Form().PaintToolButtons(static_cast<TToolBar&>(s.Control()));
       s.Attach<TSkinBox>(true);
     },
     false},
    // 16 status bar (its wrapper switches the size grip off while attached)
    {[](const TControl& c, const std::string&) { return Is(c, "TCustomStatusBar"); }, {xcStatusBar}, false,
     [](Selection& s) { s.Attach<TSkinStatusBar>(false); }, false},
    // 17 progress bar
    {[](const TControl& c, const std::string&) { return Is(c, "TProgressBar"); }, {xcProgress}, false,
     [](Selection& s) { s.Attach<TSkinProgress>(false); }, false},
    // 18 stand-alone scroll bar
    {[](const TControl& c, const std::string&) { return Is(c, "TScrollBar"); }, {xcScrollbar}, false,
     [](Selection& s) { s.AttachScrollControl(); }, false},
    // 19 combo box
    {[](const TControl& c, const std::string&) { return Is(c, "TCustomComboBox"); }, {xcCombo}, false,
     [](Selection& s) { s.Attach<TSkinComBox>(false); }, false},
    // 20 date-time picker
    {[](const TControl&, const std::string& n) { return n == "TDATETIMEPICKER"; }, {xcEdit}, false,
     [](Selection& s) {
       if (PickerWithoutCalendar(s.Control())) s.Attach<TSkinEdit>(false);
       else s.Attach<TSkinComBox>(false);
     },
     false},
    // 21
    {[](const TControl&, const std::string& n) { return n == "TRICHEDIT"; }, {xcScrollbar}, false,
     [](Selection& s) { s.AttachScrolling<TSkinScrollbar>(); }, false},
    // 22
    {[](const TControl&, const std::string& n) { return NamedAny(n, {"TWWDBRICHEDIT", "TRGDBMEMO"}); },
     {xcScrollbar}, false, [](Selection& s) { s.AttachScrolling<TSkinScrollbar>(); }, false},
    // 23 glyph button: only with xcBitBtn, never as a push button
    {[](const TControl& c, const std::string&) { return Is(c, "TBitBtn"); }, {xcBitBtn}, false,
     [](Selection& s) { s.Attach<TSkinBitButton>(false); }, true},
    // 24
    {[](const TControl& c, const std::string&) { return Is(c, "TSpeedButton"); }, {xcSpeedButton}, false,
     [](Selection& s) { s.AttachGraphic(); }, false},
    // 25
    {[](const TControl& c, const std::string&) { return Is(c, "TCustomPanel"); }, {xcPanel}, false,
     [](Selection& s) {
       s.Attach<TSkinBox>(true);
       s.Form().SkinComponents(&s.Control());
     },
     false},
    // 26 the data grids
    {[](const TControl&, const std::string& n) { return NamedAny(n, {"TRGTREELIST", "TRGDBTREELIST", "TRGDBGRID"}); },
     {xcScrollbar}, false, [](Selection& s) { s.AttachScrolling<TSkinScrollbar>(); }, false},
    // 27 list view
    {[](const TControl& c, const std::string&) { return Is(c, "TCustomListView"); }, {xcScrollbar}, false,
     [](Selection& s) { s.AttachScrolling<TSkinListView>(); }, false},
    // 28 (before 32: a memo is an edit too)
    {[](const TControl& c, const std::string&) { return Is(c, "TCustomMemo"); }, {xcScrollbar}, false,
     [](Selection& s) { s.AttachScrolling<TSkinScrollbar>(); }, false},
    // 29 scroll box
    {[](const TControl& c, const std::string&) { return Is(c, "TScrollBox"); }, {xcScrollbar}, false,
     [](Selection& s) {
       s.AttachScrolling<TSkinScrollbar>();
       s.Control().SetColor(s.Skin().ButtonFace());
     },
     false},
    // 30
    {[](const TControl& c, const std::string&) { return TSkinForm::IsScrollable(const_cast<TControl*>(&c)); },
     {xcScrollbar}, false, [](Selection& s) { s.AttachScrolling<TSkinScrollbar>(); }, false},
    // 31
    {[](const TControl& c, const std::string&) { return Is(c, "TButton"); }, {xcButton}, false,
     [](Selection& s) { s.Attach<TSkinButton>(false); }, false},
    // 32
    {[](const TControl& c, const std::string&) { return Is(c, "TCustomEdit"); }, {xcEdit}, false,
     [](Selection& s) { s.AttachToWindow<TSkinEdit>(); }, false},
    // 33 by the number of buttons the edit shows
    {[](const TControl&, const std::string& n) { return NamedAny(n, {"TDCEDIT", "TDCDBEDIT"}); }, {}, false,
     [](Selection& s) {
       const auto buttons = GetIntProperty(&s.Control(), "NumButtons");
       if (buttons == 1 && s.Has(xcCombo)) s.Attach<TSkinComBox>(false);
       else if (buttons == 0 && s.Has(xcEdit)) s.AttachToWindow<TSkinEdit>();
     },
     true},
    // 34 frame
    {[](const TControl& c, const std::string&) { return Is(c, "TCustomFrame"); }, {}, false,
     [](Selection& s) { s.Form().SkinComponents(&s.Control()); }, false},
    // 35 a form placed inside another
    {[](const TControl& c, const std::string&) { return Is(c, "TCustomForm"); }, {}, false,
     [](Selection& s) {
       s.Attach<TSkinBox>(true);
       s.Form().SkinComponents(&s.Control());
     },
     false},
};

// One kind of the Skin3rd lines.
struct Skin3rdKind {
  std::string_view name;
  TSkinControlTypes members;  // all required
  bool needsTabs;             // the skin must have a Tabs object too
  void (*attach)(Selection& s);
};

const Skin3rdKind kKinds[] = {
    {"nil", {}, false, [](Selection&) {}},
    {"combobox", {xcCombo}, false, [](Selection& s) { s.Attach<TSkinComBox>(false); }},
    {"edit", {xcEdit}, false, [](Selection& s) { s.AttachToWindow<TSkinEdit>(); }},
    {"radiobutton", {xcRadioButton}, false, [](Selection& s) { s.Attach<TSkinRadioButton>(false); }},
    {"panel", {xcPanel}, false,
     [](Selection& s) {
       SetPropertyText(&s.Control(), "Transparent", "True");
       s.Attach<TSkinBox>(true);
     }},
    {"trackbar", {xcButton}, false,
     [](Selection& s) {
       SetPropertyText(&s.Control(), "Transparent", "True");
       s.Attach<TSkinTrackBar>(false);
     }},
    {"button", {xcButton}, false, [](Selection& s) { s.Attach<TSkinButton>(false); }},
    {"bitbtn", {xcButton}, false, [](Selection& s) { s.Attach<TSkinBitButton>(false); }},
    {"speedbutton", {xcSpeedButton}, false, [](Selection& s) { s.AttachGraphic(); }},
    {"tab", {xcTab}, true, [](Selection& s) { s.AttachToWindow<TSkinTab>(); }},
    {"progress", {xcProgress}, false, [](Selection& s) { s.Attach<TSkinProgress>(false); }},
    {"scrollbar", {xcScrollbar}, false,
     [](Selection& s) {
       s.AttachScrolling<TSkinScrollbar>();
       s.Form().SkinComponents(&s.Control());
     }},
    {"embedscrollbar", {xcScrollbar}, false,
     [](Selection& s) {
       s.ForEachChild([&](TControl& child) {
         if (Is(child, "TScrollBar")) s.AttachScrollControl(&child);
         else if (TSkinForm::IsScrollable(&child)) s.AttachScrolling<TSkinScrollbar>(&child);
       });
     }},
    {"container", {}, false,
     [](Selection& s) {
       s.ForEachChild([&](TControl& child) { s.Form().SkinByKind(child.ClassName(), &child); });
     }},
    {"groupbox", {xcGroupBox}, false, [](Selection& s) { s.Attach<TSkinGroupBox>(true); }},
    {"radiogroup", {xcGroupBox}, false,
     [](Selection& s) {
       if (s.Has(xcRadioButton))
         s.ForEachChild([&](TControl& child) { s.Attach<TSkinRadioButton>(false, &child); });
       s.Attach<TSkinGroupBox>(true);
     }},
    {"checkgroup", {xcPanel}, false,
     [](Selection& s) {
       if (s.Has(xcRadioButton)) s.ForEachChild([&](TControl& child) { s.Attach<TSkinCheckBox>(false, &child); });
       if (s.Has(xcGroupBox)) s.Attach<TSkinGroupBox>(true);
     }},
    {"checkbox", {xcCheckBox}, false, [](Selection& s) { s.Attach<TSkinCheckBox>(false); }},
};

bool HasAll(const TSkinData& skin, TSkinControlTypes members, bool needsTabs) {
  return (skin.SkinControls().Bits() & members.Bits()) == members.Bits() && (!needsTabs || skin.Tabs());
}

}  // namespace

void TSkinForm::SkinComponents(TComponent* owner) {
  PurgeWrappers();
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    auto* control = dynamic_cast<TControl*>(owner->Components(i));
    if (!control) continue;
    try {
      SkinComponent(control, owner);
    } catch (const std::exception&) {
      // a control that cannot be skinned keeps the platform's look; the skin reports nothing
    }
  }
}

void TSkinForm::SkinComponent(TControl* control, TComponent* owner) {
  if (control->Tag() % 100 == skinData_->DisableTag() || IsSkinned(control)) return;
  if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && !windowed->HandleAllocated()) {
    try {
      windowed->HandleNeeded();
    } catch (const std::exception&) {
      return;  // a control whose window cannot be made is skipped
    }
  }
  const std::string& className = control->ClassName();
  if (skinData_->OnSkinControl) {
    TObject* handedBack = nullptr;
    // the owner, or for controls of a container the form they lie on
    auto* form = dynamic_cast<TCustomForm*>(owner);
    skinData_->OnSkinControl(this, skinData_, form ? form : ownerForm_, control, className, handedBack);
    if (auto* wrapper = dynamic_cast<TSkinControl*>(handedBack)) {
      if (!RegisterWrapper(wrapper)) wrapper->AttachControl(this, skinData_, wrapper->Recolour(), &wrapperCanvas_);
      if (control->InheritsFrom("TCustomPanel")) SkinComponents(control);
      return;
    }
  }
  if (SkinByKind(className, control)) return;
  const std::string upperName = AsciiUpper(className);
  if (NamedAny(upperName, {"TDBCOMBOBOXEH", "TQRPREVIEW", "TFRDESIGNERPAGE", "TFRPBOX"})) return;
  Selection selection(*this, *control);
  for (const Row& row : kRows) {
    if (!row.matches(*control, upperName)) continue;
    if (HasAll(*skinData_, row.members, row.needsTabs)) {
      row.attach(selection);
      return;
    }
    if (row.final) return;
  }
}

bool TSkinForm::SkinByKind(const std::string& className, TControl* control) {
  const std::string key = AsciiLower(className) + "=";
  std::string kind;
  bool found = false;
  for (const std::string& line : skinData_->Skin3rd()) {
    if (AsciiLower(line).starts_with(key)) {
      kind = AsciiLower(line.substr(line.find('=') + 1).substr(0, 50));
      found = true;
      break;
    }
  }
  if (!found || kind.empty()) return false;
  Selection selection(*this, *control);
  for (const Skin3rdKind& k : kKinds) {
    if (k.name != kind) continue;
    if (HasAll(*skinData_, k.members, k.needsTabs)) k.attach(selection);
    break;
  }
  return true;  // a kind that is unknown or lacks its member skins nothing
}

bool TSkinForm::IsSkinned(TControl* control) const {
  auto* windowed = dynamic_cast<TWinControl*>(control);
  for (const TSkinControl* wrapper : wrappers_) {
    if (wrapper->GraphicControl()) {
      if (static_cast<const TControl*>(wrapper->GraphicControl()) == control) return true;
      continue;
    }
    if (!windowed) continue;
    if (!windowed->HandleAllocated()) {
      // a control without a window yet counts as skinned on report previews only
      const std::string name = ownerForm_ ? ownerForm_->Name() : std::string();
      return AsciiLower(name).find("preview") != std::string::npos || name == "TQRStandardPreview" ||
             name == "TppPrintPreview" || name == "TrgfmStdPreview";
    }
    if (wrapper->Handle() == windowed->HandleIfAllocated()) return true;
  }
  return false;
}

bool TSkinForm::IsScrollable(TControl* control) {
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (!windowed) return false;
  if (windowed->HandleAllocated() &&
      (GetWindowLongPtrW(windowed->HandleIfAllocated(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) != 0)
    return true;
  return Is(*control, "TMemo") || control->Tag() == 55 || Is(*control, "TCustomListBox") ||
         Is(*control, "TCustomListView") || Is(*control, "TCustomRichEdit");
}

void TSkinForm::PaintToolButtons(TToolBar& bar) {
  if (bar.OnCustomDrawButton.Assigned()) return;
  bar.OnCustomDrawButton = TToolBarCustomDrawButtonEvent(
      [this](TToolBar* b, TToolButton* button, UINT state, bool& defaultDraw) {
        ToolButtonPainter(b, button, state, defaultDraw);
      });
  paintedBars_.push_back(&bar);
  FreeNotification(&bar);
}

void TSkinForm::StopPaintingToolButtons(TToolBar* bar) noexcept {
  const auto it = std::find(paintedBars_.begin(), paintedBars_.end(), bar);
  if (!bar || it == paintedBars_.end()) return;
  paintedBars_.erase(it);
  bar->OnCustomDrawButton = {};
  RemoveFreeNotification(bar);
}

void TSkinForm::ToolButtonPainter(TToolBar* bar, TToolButton* button, UINT state, bool&) {
  const TDataSkinButton* buttons = skinData_->Buttons();
  if (life_ != kLifeReady || !buttons || buttons->Image().Empty()) return;
  int frame = 0;
  TColor colour = clNone;
  if (state & CDIS_SELECTED) {
    frame = 2;
    if (buttons->HasPressedColour2()) colour = buttons->PressedColour2();
  } else if (state & (CDIS_FOCUS | CDIS_HOT)) {
    frame = 4;
    if (buttons->HasMouseOverColour2()) colour = buttons->MouseOverColour2();
  } else if ((state & CDIS_DEFAULT) && !(state & (CDIS_GRAYED | CDIS_DISABLED))) {
    frame = 1;
    if (buttons->HasNormalColour2()) colour = buttons->NormalColour2();
  } else {
    return;  // the bar draws the button as it would
  }
  TCanvas& canvas = bar->Canvas();
  if (colour != clNone) canvas.Font().SetColor(colour);
  RECT r = button->BoundsRect();
  InflateRect(&r, -1, -1);
  DrawSkinImage(canvas.Handle(), r, buttons->Image(), false, false, buttons->Trans() == 1, 5, frame, buttons->Margins());
}

void TSkinForm::SkinChildWindows() {
  for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) SkinChildWindow(child);
  }
}

namespace {

// The wrapper kind of a bare child window, from its class name (lower case) and style.
enum class BareKind { none, button, checkBox, radioButton, comboBox, comboBoxEx, sizer, dialog, edit };

BareKind BareKindOf(const std::string& className, DWORD style) {
  if (className == "button") {
    switch (style & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON:
      case BS_USERBUTTON:
        return BareKind::button;
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE:
        return BareKind::checkBox;
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON:
        return BareKind::radioButton;
      default:
        // group boxes, owner-drawn, push-box, split and command-link buttons draw themselves
        return BareKind::none;
    }
  }
  if (className == "combobox") return (style & 3) == CBS_SIMPLE ? BareKind::none : BareKind::comboBox;
  if (className == "comboboxex32") return BareKind::comboBoxEx;
  if (className == "scrollbar") return (style & (SBS_SIZEBOX | SBS_SIZEGRIP)) ? BareKind::sizer : BareKind::none;
  if (className == "#32770") return BareKind::dialog;
  if (className == "edit") return BareKind::edit;
  return BareKind::none;
}

}  // namespace

void TSkinForm::SkinChildWindow(HWND window) {
  if (FindWrapper(window)) return;
  const std::string className = AsciiLower(WindowClassName(window).substr(0, 100));
  const DWORD style = DWORD(GetWindowLongPtrW(window, GWL_STYLE));
  const BareKind kind = BareKindOf(className, style);
  auto attach = [&]<class W>(HWND target) {
    MakeWrapper<W>(*this, [&](W& w) { w.AttachWindow(target, skinData_, this, &wrapperCanvas_); });
  };
  switch (kind) {
    case BareKind::button: attach.operator()<TSkinButton>(window); break;
    case BareKind::checkBox: attach.operator()<TSkinCheckBox>(window); break;
    case BareKind::radioButton: attach.operator()<TSkinRadioButton>(window); break;
    case BareKind::comboBox: attach.operator()<TSkinComBox>(window); break;
    case BareKind::comboBoxEx:
      if (HWND combo = GetWindow(window, GW_CHILD)) attach.operator()<TSkinComBox>(combo);
      break;
    case BareKind::sizer: attach.operator()<TSkinSizer>(window); break;
    case BareKind::dialog: attach.operator()<TSkinBoxH>(window); break;
    case BareKind::edit: attach.operator()<TSkinEdit>(window); break;
    case BareKind::none: break;
  }
}

}  // namespace bus
