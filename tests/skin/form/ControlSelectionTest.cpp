// The control selection under Wine, as tables: one form holding every kind of control the widget
// layer has, adopted with the default SkinControls and with members taken out, and the wrapper
// class each control gets; the DisableTag rule, Skin3rd lines (a "nil" line over a built-in row,
// a kind with its own member), a wrapper handed back by OnSkinControl; and the children of a bare
// dialog, which are skinned whatever SkinControls holds.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/ClassRegistry.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/Button.h"
#include "framework/controls/Form.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/ToolBar.h"
#include "framework/controls/ToolButton.h"
#include "grid/DBGrid.h"
#include "skin/control/SkinControl.h"
#include "skin/control/SkinCheckBox.h"
#include "skin/control/SkinComBox.h"
#include "skin/control/SkinScrollbarH.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"
#include "tests/support/SkinWindowsSupport.h"

namespace bus {

// Foreign control classes that the built-in Skin3rd lines name.
class TAdvPageControl : public TPageControl {
  BUS_CLASS(TAdvPageControl)
public:
  using TPageControl::TPageControl;
};
class TRzBitbtn : public TButton {
  BUS_CLASS(TRzBitbtn)
public:
  using TButton::TButton;
};
const TClassInfo& TAdvPageControl::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TAdvPageControl>("TAdvPageControl", TPageControl::StaticClassInfo()).Creatable().Build();
  return info;
}
const TClassInfo& TRzBitbtn::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TRzBitbtn>("TRzBitbtn", TButton::StaticClassInfo()).Creatable().Build();
  return info;
}

namespace {

using enum TSkinControlType;

// The members the second adoption goes without.
const TSkinControlType kRemoved[] = {xcScrollbar, xcRadioButton, xcTab, xcCheckBox, xcSpeedButton, xcButton};

// One control of the test form and the wrapper it gets ("" for none).
struct Case {
  const char* name;       // component name
  const char* className;  // created through the class registry
  int tag;                // its Tag
  const char* wrapper;    // with the default SkinControls
  const char* without;    // with kRemoved taken out
  const char* setting = nullptr;  // "Property=value" set before the adoption
};

const Case kCases[] = {
    {"Panel1", "TPanel", 0, "TSkinBox", "TSkinBox"},
    {"GroupBox1", "TGroupBox", 0, "TSkinGroupBox", "TSkinGroupBox"},
    {"CheckBox1", "TCheckBox", 0, "TSkinCheckBox", ""},
    {"RadioButton1", "TRadioButton", 0, "TSkinRadioButton", ""},
    {"RadioGroup1", "TRadioGroup", 0, "TSkinGroupBox", "TSkinGroupBox"},  // as a group box without xcRadioButton
    {"Button1", "TButton", 0, "TSkinButton", ""},
    {"Edit1", "TEdit", 0, "TSkinEdit", "TSkinEdit"},
    {"Memo1", "TMemo", 0, "TSkinScrollbar", "TSkinEdit"},  // a memo is an edit too
    {"SpeedButton1", "TSpeedButton", 0, "TSkinSpeedButton", ""},
    {"StatusBar1", "TStatusBar", 0, "TSkinStatusBar", "TSkinStatusBar"},
    {"Grid1", "TrgDBGrid", 0, "TSkinScrollbar", ""},
    {"ComboBox1", "TComboBox", 0, "TSkinComBox", "TSkinComBox"},
    // a simple combo box's list gets its scroll bars skinned, whatever the members
    {"SimpleCombo1", "TComboBox", 0, "TSkinComBox+TSkinScrollbarH", "TSkinComBox+TSkinScrollbarH", "Style=csSimple"},
    {"ListBox1", "TListBox", 0, "TSkinScrollbar", ""},
    {"PageControl1", "TPageControl", 0, "TSkinTab", ""},
    {"TabControl1", "TTabControl", 0, "TSkinTab", ""},
    {"ProgressBar1", "TProgressBar", 0, "TSkinProgress", "TSkinProgress"},
    {"TrackBar1", "TTrackBar", 0, "TSkinTrackBar", ""},
    {"UpDown1", "TUpDown", 0, "TSkinUpDown", ""},
    {"ScrollBar1", "TScrollBar", 0, "TSkinScControl", ""},
    {"TabSet1", "TTabSet", 0, "TSkinTab31", ""},
    {"Header1", "THeaderControl", 0, "", ""},
    {"ToolBar1", "TToolBar", 0, "TSkinBox", "TSkinBox"},
    {"ScrollBox1", "TScrollBox", 0, "TSkinScrollbar", ""},
    {"Frame1", "TFrame", 0, "", ""},  // no wrapper of its own; what it holds is skinned
    {"BitBtn1", "TBitBtn", 0, "TSkinBitButton", "TSkinBitButton"},
    {"ListView1", "TListView", 0, "TSkinListView+TSkinHeader", "", "ViewStyle=vsReport"},
    {"DatePicker1", "TDateTimePicker", 0, "TSkinComBox", "TSkinComBox"},
    // pickers without a drop-down calendar are edits
    {"TimePicker1", "TDateTimePicker", 0, "TSkinEdit", "TSkinEdit", "Kind=dtkTime"},
    {"SpinPicker1", "TDateTimePicker", 0, "TSkinEdit", "TSkinEdit", "DateMode=dmUpDown"},
    {"RichEdit1", "TRichEdit", 0, "TSkinScrollbar", "TSkinEdit"},
    {"Label1", "TLabel", 0, "", ""},
    // DisableTag 99: Tag modulo 100
    {"Tagged199", "TButton", 199, "", ""},
    {"Tagged98", "TButton", 98, "TSkinButton", ""},
    // Skin3rd: "TAdvPageControl=nil" keeps it unskinned where the tab row would take it; "TRzBitbtn=bitbtn"
    // wants xcButton, and without it the control stays unskinned rather than falling to the built-in rows
    {"AdvPageControl1", "TAdvPageControl", 0, "", ""},
    {"RzBitbtn1", "TRzBitbtn", 0, "TSkinBitButton", ""},
    // OnSkinControl hands back a wrapper of its own, whatever the members say
    {"Handed", "TButton", 0, "TSkinCheckBox", "TSkinCheckBox"},
};

// The wrapper classes a control got: the wrappers it owns, by class name, joined by "+".
std::string WrapperOf(const TComponent& c) {
  std::string names;
  for (int j = 0; j < c.ComponentCount(); ++j)
    if (auto* w = dynamic_cast<TSkinControl*>(c.Components(j))) names += (names.empty() ? "" : "+") + w->ClassName();
  return names;
}

// The wrapper classes of every component of the form, by its name.
std::map<std::string, std::string> WrappersOf(TCustomForm& form) {
  std::map<std::string, std::string> found;
  for (int i = 0; i < form.ComponentCount(); ++i) found[form.Components(i)->Name()] = WrapperOf(*form.Components(i));
  return found;
}

// The wrappers anywhere in the ownership tree under c.
size_t WrapperCount(const TComponent& c) {
  size_t count = dynamic_cast<const TSkinControl*>(&c) ? 1 : 0;
  for (int i = 0; i < c.ComponentCount(); ++i) count += WrapperCount(*c.Components(i));
  return count;
}

class ControlSelection : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    test::StartSkinTestApplication();
    RegisterGridClasses();
  }
  void SetUp() override {
    manager_ = &CreateSkinManager();
    test::GiveTestSkin(skin_, "[Tabs]\r\nImage=tabs.bmp\r\n");
    ASSERT_NE(skin_.Tabs(), nullptr);
    manager_->RegisterSkinData(&skin_);
    manager_->SetActive(true);
    skin_.OnSkinControl = decltype(skin_.OnSkinControl)(
        [this](TObject* sender, TSkinData* skin, TCustomForm* form, TControl* control, const std::string& cls,
               TObject*& wrapper) {
          EXPECT_EQ(skin, &skin_);
          EXPECT_EQ(form, form_);
          EXPECT_EQ(cls, control->ClassName());
          EXPECT_NE(dynamic_cast<TSkinForm*>(sender), nullptr);
          if (control->Name() == "Handed") wrapper = new TSkinCheckBox(control);
        });
  }
  void TearDown() override {
    if (form_) form_->Free();
    FreeSkinManager();
    test::PumpPending();
  }

  // The test form, every case's control on it, adopted and skinned; prepare runs first.
  TSkinForm* AdoptTestForm(const std::function<void(TCustomForm&)>& prepare = nullptr) {
    form_ = new TForm(Application);
    form_->SetBounds(20, 20, 700, 500);
    int x = 0, y = 0;
    for (const Case& c : kCases) {
      const TClassInfo* cls = FindClass(c.className);
      if (!cls) cls = c.className == std::string("TAdvPageControl") ? &TAdvPageControl::StaticClassInfo()
                                                                     : &TRzBitbtn::StaticClassInfo();
      auto* control = dynamic_cast<TControl*>(cls->create(form_));
      EXPECT_NE(control, nullptr) << c.className;
      if (!control) continue;
      control->SetName(c.name);
      control->SetTag(c.tag);
      control->SetParent(form_);
      control->SetBounds(x, y, 120, 60);
      if (c.setting) {
        const std::string setting = c.setting;
        const size_t eq = setting.find('=');
        SetPropertyValue(control, setting.substr(0, eq), setting.substr(eq + 1));
      }
      x = (x + 130) % 650;
      if (x == 0) y += 70;
    }
    SetPropertyValue(form_->FindComponent("RadioGroup1"), "Items", "one\r\ntwo");
    // a frame's own controls, and a tool bar's buttons
    auto* frame = dynamic_cast<TWinControl*>(form_->FindComponent("Frame1"));
    auto* inFrame = new TButton(frame);
    inFrame->SetName("InFrame");
    inFrame->SetParent(frame);
    auto* bar = dynamic_cast<TToolBar*>(form_->FindComponent("ToolBar1"));
    for (int i = 0; i < 2; ++i) (new TToolButton(form_))->SetParent(bar);
    if (prepare) prepare(*form_);
    form_->Show();
    EXPECT_TRUE(manager_->SkinWindow(form_->Handle()));
    TSkinForm* object = manager_->FindSkinForm(form_->Handle());
    EXPECT_TRUE(test::PumpUntil([&] { return object->ChildrenSkinned(); }, test::kSkinWait));
    return object;
  }

  TSkinManage* manager_ = nullptr;
  TSkinData skin_{nullptr};
  TForm* form_ = nullptr;
};

TEST_F(ControlSelection, EachControlGetsTheWrapperOfItsKind) {
  for (const bool removed : {false, true}) {
    SCOPED_TRACE(removed ? "members removed" : "default SkinControls");
    if (removed) {
      TSkinControlTypes controls = skin_.SkinControls();
      for (TSkinControlType m : kRemoved) controls.Exclude(m);
      skin_.SetSkinControls(controls);
    }
    TSkinForm* object = AdoptTestForm();
    ASSERT_NE(object, nullptr);
    const std::map<std::string, std::string> got = WrappersOf(*form_);
    for (const Case& c : kCases) EXPECT_EQ(got.at(c.name), removed ? c.without : c.wrapper) << c.name;

    // what a frame holds is skinned as if it lay on the form
    EXPECT_EQ(WrapperOf(*form_->FindComponent("Frame1")->FindComponent("InFrame")), removed ? "" : "TSkinButton");
    // a tool bar is flat and has the form object paint its buttons
    auto* bar = dynamic_cast<TToolBar*>(form_->FindComponent("ToolBar1"));
    EXPECT_TRUE(bar->Flat());
    EXPECT_TRUE(bar->OnCustomDrawButton.Assigned());

    // a radio group's buttons get radio button wrappers (with xcRadioButton)
    auto* group = dynamic_cast<TCustomRadioGroup*>(form_->FindComponent("RadioGroup1"));
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->ControlCount(), 2);
    for (int i = 0; i < group->ControlCount(); ++i) {
      TControl* button = group->Controls(i);
      EXPECT_EQ(button->ComponentCount(), removed ? 0 : 1);
      if (!removed) {
        EXPECT_EQ(button->Components(0)->ClassName(), "TSkinRadioButton");
      }
    }
    // a drop-down combo box's edit field is subclassed, a simple one's list has its wrapper
    auto* combo = dynamic_cast<TSkinComBox*>(form_->FindComponent("ComboBox1")->Components(0));
    ASSERT_NE(combo, nullptr);
    ASSERT_NE(combo->EditHandle(), nullptr);
    EXPECT_EQ(GetParent(combo->EditHandle()), combo->Handle());
    auto* simple = dynamic_cast<TSkinComBox*>(form_->FindComponent("SimpleCombo1")->Components(0));
    ASSERT_NE(simple, nullptr);
    EXPECT_EQ(simple->EditHandle(), nullptr);
    ASSERT_NE(simple->ListScrollbars(), nullptr);
    EXPECT_EQ(simple->ListScrollbars()->Handle(), simple->ListHandle());
    EXPECT_EQ(GetParent(simple->ListHandle()), simple->Handle());

    // the handed-back wrapper is attached and listed once
    TComponent* handed = form_->FindComponent("Handed");
    auto* wrapper = dynamic_cast<TSkinControl*>(handed->Components(0));
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(wrapper->Status(), kWrapperAttached);
    EXPECT_EQ(std::count(object->Wrappers().begin(), object->Wrappers().end(), wrapper), 1);
    // every wrapper is in the form object's list, and the list holds nothing else
    EXPECT_EQ(object->Wrappers().size(), WrapperCount(*form_));
    form_->Free();
    form_ = nullptr;
  }
}

TEST_F(ControlSelection, AGlyphButtonWithoutItsMemberIsNeverTakenForAPushButton) {
  TSkinControlTypes controls = skin_.SkinControls();
  skin_.SetSkinControls(controls.Exclude(xcBitBtn));
  AdoptTestForm();
  const std::map<std::string, std::string> got = WrappersOf(*form_);
  EXPECT_EQ(got.at("BitBtn1"), "");
  EXPECT_EQ(got.at("Button1"), "TSkinButton");
}

TEST_F(ControlSelection, ToolButtonsArePaintedFromTheSkinsButtonsUntilTheBarsWrapperGoes) {
  // five frames of 10 × 10: red, green, blue, yellow, cyan
  const std::uint32_t colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF};
  test::StoreArchive(skin_.StoredSkin(),
                     "[TitlebarSkin]\r\nSkinName=Flat\r\n[Buttons]\r\nBitmap=buttons.bmp\r\n",
                     {{"buttons.bmp", test::BmpFile(50, 10, [&](int x, int) { return colours[x / 10]; })}});
  ASSERT_TRUE(skin_.LoadSkin());
  TSkinForm* object = AdoptTestForm();
  auto* bar = dynamic_cast<TToolBar*>(form_->FindComponent("ToolBar1"));
  ASSERT_TRUE(bar->OnCustomDrawButton.Assigned());
  TToolButton* button = bar->Buttons(0);
  const RECT bounds = button->BoundsRect();
  const POINT middle{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
  TBitmap surface(bounds.right + 10, bounds.bottom + 10);
  const auto paint = [&](UINT state) {
    surface.Canvas().Brush().SetColor(clWhite);
    surface.Canvas().FillRect({0, 0, surface.Width(), surface.Height()});
    bar->Canvas().SetHandle(surface.Canvas().Handle());
    bool defaultDraw = true;
    bar->OnCustomDrawButton(bar, button, state, defaultDraw);
    bar->Canvas().SetHandle(nullptr);
    return GetPixel(surface.Canvas().Handle(), middle.x, middle.y);
  };
  EXPECT_EQ(paint(CDIS_SELECTED), RGB(0, 255, 0)) << "pressed: frame 2";
  EXPECT_EQ(paint(CDIS_HOT), RGB(255, 255, 0)) << "hot: frame 4";
  EXPECT_EQ(paint(CDIS_DEFAULT), RGB(255, 0, 0)) << "normal: frame 1";
  EXPECT_EQ(paint(CDIS_DEFAULT | CDIS_DISABLED), RGB(255, 255, 255)) << "disabled: the bar's own";

  // switched off, the bar draws its buttons itself again
  manager_->SetCurrentSkin(&skin_);
  manager_->SetRunCount(1);
  manager_->RequestCommand(kSkinRemove, 10);
  ASSERT_TRUE(test::PumpUntil([&] { return manager_->SkinForms().empty(); }, test::kSkinWait));
  EXPECT_FALSE(bar->OnCustomDrawButton.Assigned());
  (void)object;
}

TEST_F(ControlSelection, AToolBarThatTheProgramPaintsKeepsItsPainter) {
  int painted = 0;
  form_ = nullptr;
  // the program's own painter, set before the adoption, survives it and its end
  auto* object = AdoptTestForm([&](TCustomForm& form) {
    dynamic_cast<TToolBar*>(form.FindComponent("ToolBar1"))->OnCustomDrawButton =
        TToolBarCustomDrawButtonEvent([&](TToolBar*, TToolButton*, UINT, bool&) { ++painted; });
  });
  auto* bar = dynamic_cast<TToolBar*>(form_->FindComponent("ToolBar1"));
  bool defaultDraw = true;
  int before = painted;  // the bar's own paints call it too
  bar->OnCustomDrawButton(bar, bar->Buttons(0), CDIS_HOT, defaultDraw);
  EXPECT_EQ(painted, before + 1);
  object->ReleaseWrappers();
  ASSERT_TRUE(bar->OnCustomDrawButton.Assigned());
  before = painted;
  bar->OnCustomDrawButton(bar, bar->Buttons(0), CDIS_HOT, defaultDraw);
  EXPECT_EQ(painted, before + 1);
}

TEST_F(ControlSelection, ASkinWithoutTabsLeavesTabControlsAlone) {
  test::GiveTestSkin(skin_);
  ASSERT_EQ(skin_.Tabs(), nullptr);
  AdoptTestForm();
  const std::map<std::string, std::string> got = WrappersOf(*form_);
  EXPECT_EQ(got.at("PageControl1"), "");
  EXPECT_EQ(got.at("TabControl1"), "");
}

// A dialog box from a template in memory: one child per entry of its items.
class DialogTemplate {
public:
  DialogTemplate() {
    Add(WORD(LOWORD(WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT)));
    Add(WORD(HIWORD(WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT)));
    Add(0), Add(0);  // extended style
    count_ = words_.size();
    Add(0);                                  // items, set later
    Add(10), Add(10), Add(300), Add(200);    // x, y, cx, cy
    Add(0), Add(0);                          // no menu, default class
    AddText(L"dialog");
    Add(8);
    AddText(L"MS Shell Dlg");
  }
  // An item of a predefined class (0x80 button, 0x81 edit, 0x84 scroll bar, 0x85 combo box).
  void Item(WORD cls, DWORD style, WORD id) {
    while (words_.size() % 2) Add(0);  // DWORD alignment
    Add(LOWORD(style | WS_CHILD | WS_VISIBLE)), Add(HIWORD(style | WS_CHILD | WS_VISIBLE));
    Add(0), Add(0);
    Add(WORD(5 + (id % 8) * 36)), Add(WORD(5 + (id / 8) * 20)), Add(32), Add(14);
    Add(id);
    Add(0xFFFF), Add(cls);
    AddText(L"x");
    Add(0);
    ++words_[count_];
  }
  HWND Create() const {
    return CreateDialogIndirectParamW(nullptr, reinterpret_cast<const DLGTEMPLATE*>(words_.data()), nullptr,
                                      [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
  }

private:
  void Add(WORD w) { words_.push_back(w); }
  void AddText(const wchar_t* text) {
    for (; *text; ++text) Add(WORD(*text));
    Add(0);
  }
  std::vector<WORD> words_;  // the template
  size_t count_ = 0;         // where the item count is
};

TEST_F(ControlSelection, ADialogsChildrenAreSkinnedByClassAndStyleWhateverTheMembers) {
  skin_.SetSkinControls(TSkinControlTypes{});  // no member at all
  struct Child {
    WORD cls;
    DWORD style;
    const char* wrapper;
  };
  const Child children[] = {
      {0x80, BS_PUSHBUTTON, "TSkinButton"},
      {0x80, BS_DEFPUSHBUTTON, "TSkinButton"},
      {0x80, BS_CHECKBOX, "TSkinCheckBox"},
      {0x80, BS_AUTOCHECKBOX, "TSkinCheckBox"},
      {0x80, BS_3STATE, "TSkinCheckBox"},
      {0x80, BS_AUTO3STATE, "TSkinCheckBox"},
      {0x80, BS_RADIOBUTTON, "TSkinRadioButton"},
      {0x80, BS_AUTORADIOBUTTON, "TSkinRadioButton"},
      {0x80, BS_GROUPBOX, ""},
      {0x80, BS_OWNERDRAW, ""},
      {0x80, BS_PUSHBOX, ""},
      {0x80, 0x0C /*BS_SPLITBUTTON*/, ""},
      {0x80, 0x0E /*BS_COMMANDLINK*/, ""},
      {0x81, ES_LEFT, "TSkinEdit"},
      {0x85, CBS_SIMPLE, ""},
      {0x85, CBS_DROPDOWNLIST, "TSkinComBox"},
      {0x84, SBS_SIZEGRIP, "TSkinSizer"},
      {0x84, SBS_HORZ, ""},
      {0x82, SS_LEFT, ""},
  };
  DialogTemplate dialog;
  for (WORD i = 0; i < WORD(std::size(children)); ++i) dialog.Item(children[i].cls, children[i].style, WORD(100 + i));
  const HWND window = dialog.Create();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(manager_->SkinWindow(window));
  TSkinForm* object = manager_->FindSkinForm(window);
  ASSERT_TRUE(test::PumpUntil([&] { return object->ChildrenSkinned(); }, test::kSkinWait));
  EXPECT_EQ(object->OwnerForm(), nullptr);
  for (WORD i = 0; i < WORD(std::size(children)); ++i) {
    const HWND child = GetDlgItem(window, 100 + i);
    ASSERT_NE(child, nullptr) << i;
    const TSkinControl* wrapper = object->FindWrapper(child);
    EXPECT_EQ(wrapper ? wrapper->ClassName() : std::string(), children[i].wrapper) << "child " << i;
    if (wrapper) {
      EXPECT_EQ(wrapper->Owner(), object) << "a bare window's wrapper belongs to the form object";
    }
  }
  // a size grip made later is skinned as it is created
  manager_->InstallHook();
  const HWND grip = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 0, 0, 16, 16, window,
                                    nullptr, nullptr, nullptr);
  const TSkinControl* sizer = object->FindWrapper(grip);
  EXPECT_EQ(sizer ? sizer->ClassName() : std::string(), "TSkinSizer");
  DestroyWindow(window);
  EXPECT_EQ(manager_->FindSkinForm(window), nullptr);
}

}  // namespace
}  // namespace bus
