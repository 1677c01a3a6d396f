// Focus and keys under Wine: Tab order through nested containers read in another order than their
// tab order, skipping what cannot take the focus; characters offered to the form (CM_DIALOGCHAR);
// a key whose handler moves the focus still reaches the control it was typed in.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/GroupBox.h"
#include "tests/support/WindowTestSupport.h"

namespace bus {
namespace {

class TfrmKeys : public TForm {
  BUS_CLASS(TfrmKeys)
public:
  explicit TfrmKeys(TComponent* owner) : TForm(owner) {
    PublishMethod("EditAKeyDown", &TfrmKeys::EditAKeyDown);
    PublishField("EditTop", &EditTop);
    PublishField("EditA", &EditA);
    PublishField("EditB", &EditB);
    PublishField("CheckBox1", &CheckBox1);
    PublishField("GroupBox2", &GroupBox2);
  }
  // Down moves the focus on, as the main window's edits do.
  void EditAKeyDown(TObject*, unsigned short& key, TShiftState) {
    if (key == VK_DOWN) EditB->SetFocus();
  }
  // Records the characters offered; 'k' is taken as an accelerator. The keyboard menu loop is
  // recorded instead of entered.
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_DIALOGCHAR) {
      log.push_back(std::string("dialog char ") + char(m.WParam));
      m.Result = m.WParam == 'k' ? 1 : 0;
      return;
    }
    if (m.Msg == WM_SYSCOMMAND && (m.WParam & 0xFFF0) == SC_KEYMENU) {
      log.push_back("key menu");
      return;
    }
    TForm::WndProc(m);
  }

  std::vector<std::string> log;  // characters offered, key menus
  TEdit* EditTop = nullptr;
  TEdit* EditA = nullptr;
  TEdit* EditB = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TGroupBox* GroupBox2 = nullptr;
};

const TClassInfo& TfrmKeys::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TfrmKeys>("TfrmKeys", TForm::StaticClassInfo()).Build();
  return info;
}

// Stored order differs from tab order at both levels: EditTop (1) before Panel1 (0); inside the
// panel GroupBox1 (1) before GroupBox2 (0) and the check box (2); the speed button takes no focus.
const char* const kDescription = R"(
object frmKeys: TfrmKeys
  Left = 60
  Top = 60
  ClientWidth = 420
  ClientHeight = 200
  BorderStyle = bsSingle
  BorderIcons = []
  Caption = 'keys'
  Visible = True
  object EditTop: TEdit
    Left = 10
    Top = 160
    TabOrder = 1
  end
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 420
    Height = 150
    TabOrder = 0
    object GroupBox1: TGroupBox
      Left = 8
      Top = 4
      Width = 190
      Height = 60
      TabOrder = 1
      object EditB: TEdit
        Left = 10
        Top = 20
        TabOrder = 0
      end
    end
    object GroupBox2: TGroupBox
      Left = 210
      Top = 4
      Width = 190
      Height = 60
      TabOrder = 0
      object EditA: TEdit
        Left = 10
        Top = 20
        TabOrder = 0
        OnKeyDown = EditAKeyDown
      end
    end
    object CheckBox1: TCheckBox
      Left = 8
      Top = 80
      Caption = 'check'
      TabOrder = 2
    end
    object SpeedButton1: TSpeedButton
      Left = 200
      Top = 80
      Caption = 'go'
    end
  end
end
)";

class FocusKeys : public ::testing::Test {
protected:
  static void SetUpTestSuite() { test::EnsureApplication(); }
  void SetUp() override {
    form_ = Application->CreateForm<TfrmKeys>(kDescription);
    ASSERT_TRUE(test::PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }));
  }
  void TearDown() override {
    form_->Free();
    test::PumpPending();
  }

  // Presses Tab (with Shift when backwards) on the focused control; the control that has the focus
  // afterwards.
  TWinControl* Tab(bool backwards = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = backwards ? 0x80 : 0;
    SetKeyboardState(keys);
    TWinControl* before = FindControl(GetFocus());
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    test::PumpUntil([&] { return FindControl(GetFocus()) != before; }, 1000);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    return FindControl(GetFocus());
  }

  TfrmKeys* form_ = nullptr;
};

TEST_F(FocusKeys, TabFollowsTabOrderThroughNestedContainersAndSkipsWhatCannotTakeTheFocus) {
  // the first activation focuses the first tab stop in tab order
  ASSERT_TRUE(test::PumpUntil([&] { return form_->EditA->Focused(); }));
  EXPECT_EQ(Tab(), form_->EditB);
  EXPECT_EQ(Tab(), form_->CheckBox1);
  EXPECT_EQ(Tab(), form_->EditTop);
  EXPECT_EQ(Tab(), form_->EditA);  // round again
  EXPECT_EQ(Tab(true), form_->EditTop);
  EXPECT_EQ(Tab(true), form_->CheckBox1);
  // a hidden container's children and a disabled control are passed over
  form_->GroupBox2->Hide();
  form_->EditB->SetEnabled(false);
  EXPECT_EQ(Tab(), form_->EditTop);
  EXPECT_EQ(Tab(), form_->CheckBox1);
  EXPECT_EQ(form_->ActiveControl(), form_->CheckBox1);
}

TEST_F(FocusKeys, CharactersTheControlDoesNotWantAndAltLettersAreOfferedToTheForm) {
  ASSERT_TRUE(test::PumpUntil([&] { return form_->EditA->Focused(); }));
  // a character typed into an edit is the edit's
  SendMessageW(form_->EditA->Handle(), WM_CHAR, 'y', 1);
  EXPECT_TRUE(form_->log.empty());
  EXPECT_EQ(form_->EditA->Text(), "y");
  // a check box asks for no characters: the form is offered it
  SendMessageW(form_->CheckBox1->Handle(), WM_CHAR, 'x', 1);
  EXPECT_EQ(form_->log, (std::vector<std::string>{"dialog char x"}));
  // Alt+letter: taken by the form ('k'), or on to the keyboard menu ('j')
  // (the default processing asks the edit itself for the keyboard menu: recorded, not entered)
  form_->log.clear();
  const TWndMethod saved = form_->EditA->WindowProc();
  form_->EditA->SetWindowProc([&](TMessage& m) {
    if (m.Msg == WM_SYSCOMMAND && (m.WParam & 0xFFF0) == SC_KEYMENU) return form_->log.push_back("key menu");
    saved(m);
  });
  const LPARAM altDown = LPARAM(1) | (LPARAM(KF_ALTDOWN) << 16);
  SendMessageW(form_->EditA->Handle(), WM_SYSCHAR, 'k', altDown);
  SendMessageW(form_->EditA->Handle(), WM_SYSCHAR, 'j', altDown);
  form_->EditA->SetWindowProc(saved);
  EXPECT_EQ(form_->log, (std::vector<std::string>{"dialog char k", "dialog char j", "key menu"}));
}

TEST_F(FocusKeys, AKeyWhoseHandlerMovesTheFocusStillReachesItsControl) {
  ASSERT_TRUE(test::PumpUntil([&] { return form_->EditA->Focused(); }));
  form_->EditA->SetText("abc");
  form_->EditA->SetSel(0, 0);
  PostMessageW(form_->EditA->Handle(), WM_KEYDOWN, VK_DOWN, 1);
  ASSERT_TRUE(test::PumpUntil([&] { return form_->EditB->Focused(); }));
  // the single-line edit took Down as a move of its caret, after the handler had moved the focus
  EXPECT_EQ(form_->EditA->SelStart(), 1);
  EXPECT_EQ(form_->ActiveControl(), form_->EditB);
}

}  // namespace
}  // namespace bus
