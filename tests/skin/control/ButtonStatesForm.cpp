#include "tests/skin/control/ButtonStatesForm.h"

#include "framework/ClassRegistry.h"
#include "framework/Properties.h"

namespace bus::test {

const TClassInfo& TfrmButtonStates::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TfrmButtonStates>("TfrmButtonStates", TForm::StaticClassInfo()).Build();
  return info;
}

TfrmButtonStates::TfrmButtonStates(TComponent* owner) : TForm(owner) {
  PublishMethod("StateClick", &TfrmButtonStates::StateClick);
  PublishMethod("StateMouseDown", &TfrmButtonStates::StateMouseDown);
  PublishMethod("StateMouseUp", &TfrmButtonStates::StateMouseUp);
  PublishMethod("StateMouseEnter", &TfrmButtonStates::StateMouseEnter);
  PublishMethod("StateMouseLeave", &TfrmButtonStates::StateMouseLeave);
}

namespace {
std::string NameOf(TObject* sender) {
  auto* c = dynamic_cast<TComponent*>(sender);
  return c ? c->Name() : std::string("?");
}
}  // namespace

void TfrmButtonStates::StateClick(TObject* sender) { Events.push_back("click " + NameOf(sender)); }
void TfrmButtonStates::StateMouseDown(TObject* sender, TMouseButton, TShiftState, int, int) {
  Events.push_back("down " + NameOf(sender));
}
void TfrmButtonStates::StateMouseUp(TObject* sender, TMouseButton, TShiftState, int, int) {
  Events.push_back("up " + NameOf(sender));
}
void TfrmButtonStates::StateMouseEnter(TObject* sender) { Events.push_back("enter " + NameOf(sender)); }
void TfrmButtonStates::StateMouseLeave(TObject* sender) { Events.push_back("leave " + NameOf(sender)); }

void RegisterButtonStatesClasses() { RegisterClasses({&TfrmButtonStates::StaticClassInfo()}); }

// Rows: push buttons, glyph buttons, speed buttons, check boxes, radio buttons (each pair on a
// panel of its own, so that checking one leaves the others alone).
const char* const kButtonStatesDescription = R"(
object frmButtonStates: TfrmButtonStates
  Left = 40
  Top = 40
  ClientWidth = 560
  ClientHeight = 270
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu]
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Font.Color = clWindowText
  Caption = '按钮状态'
  Visible = True
  object btnNormal: TButton
    Left = 10
    Top = 10
    Width = 80
    Height = 25
    Caption = '普通'
    TabOrder = 0
    OnClick = StateClick
    OnMouseDown = StateMouseDown
    OnMouseUp = StateMouseUp
    OnMouseEnter = StateMouseEnter
    OnMouseLeave = StateMouseLeave
  end
  object btnDefault: TButton
    Left = 100
    Top = 10
    Width = 80
    Height = 25
    Caption = '默认'
    Default = True
    TabOrder = 1
    OnClick = StateClick
    OnMouseEnter = StateMouseEnter
    OnMouseLeave = StateMouseLeave
  end
  object btnDisabled: TButton
    Left = 190
    Top = 10
    Width = 80
    Height = 25
    Caption = '禁用'
    Enabled = False
    TabOrder = 2
    OnClick = StateClick
  end
  object btnFocused: TButton
    Left = 280
    Top = 10
    Width = 80
    Height = 25
    Caption = '焦点'
    TabOrder = 3
    OnClick = StateClick
    OnMouseEnter = StateMouseEnter
    OnMouseLeave = StateMouseLeave
  end
  object btnPressed: TButton
    Left = 370
    Top = 10
    Width = 80
    Height = 25
    Caption = '&按下'
    TabOrder = 4
    OnClick = StateClick
  end
  object btnTwoLines: TButton
    Left = 460
    Top = 4
    Width = 90
    Height = 38
    Caption = '两行||标题'
    TabOrder = 5
    OnClick = StateClick
  end
  object bbOK: TBitBtn
    Left = 10
    Top = 52
    Width = 90
    Height = 28
    Kind = bkOK
    Caption = '确定'
    TabOrder = 6
    OnClick = StateClick
  end
  object bbCancel: TBitBtn
    Left = 110
    Top = 52
    Width = 90
    Height = 28
    Kind = bkCancel
    Caption = '取消'
    Enabled = False
    TabOrder = 7
    OnClick = StateClick
  end
  object bbHelp: TBitBtn
    Left = 210
    Top = 46
    Width = 70
    Height = 40
    Kind = bkHelp
    Caption = '帮助'
    Layout = blGlyphTop
    TabOrder = 8
    OnClick = StateClick
  end
  object bbRight: TBitBtn
    Left = 290
    Top = 52
    Width = 90
    Height = 28
    Kind = bkYes
    Caption = '是'
    Layout = blGlyphRight
    TabOrder = 9
    OnClick = StateClick
  end
  object sbRaised: TSpeedButton
    Left = 10
    Top = 100
    Width = 76
    Height = 23
    Caption = '查询'
    OnClick = StateClick
    OnMouseEnter = StateMouseEnter
    OnMouseLeave = StateMouseLeave
  end
  object sbFlat: TSpeedButton
    Left = 96
    Top = 100
    Width = 76
    Height = 23
    Caption = '退出'
    Flat = True
    OnClick = StateClick
    OnMouseEnter = StateMouseEnter
    OnMouseLeave = StateMouseLeave
  end
  object sbFlatHot: TSpeedButton
    Left = 182
    Top = 100
    Width = 76
    Height = 23
    Caption = '热点'
    Flat = True
    OnClick = StateClick
  end
  object sbDown: TSpeedButton
    Left = 268
    Top = 100
    Width = 76
    Height = 23
    Caption = '按下'
    GroupIndex = 1
    Down = True
    OnClick = StateClick
  end
  object sbDownDisabled: TSpeedButton
    Left = 354
    Top = 100
    Width = 76
    Height = 23
    Caption = '按下禁用'
    GroupIndex = 2
    Down = True
    Enabled = False
  end
  object sbDisabled: TSpeedButton
    Left = 440
    Top = 100
    Width = 76
    Height = 23
    Caption = '禁用'
    Enabled = False
  end
  object cbOff: TCheckBox
    Left = 10
    Top = 140
    Width = 90
    Height = 17
    Caption = '未选'
    TabOrder = 10
    OnClick = StateClick
  end
  object cbOn: TCheckBox
    Left = 110
    Top = 140
    Width = 90
    Height = 17
    Caption = '已选'
    Checked = True
    TabOrder = 11
    OnClick = StateClick
  end
  object cbGrayed: TCheckBox
    Left = 210
    Top = 140
    Width = 90
    Height = 17
    Caption = '不确定'
    AllowGrayed = True
    State = cbGrayed
    TabOrder = 12
    OnClick = StateClick
  end
  object cbDisabled: TCheckBox
    Left = 310
    Top = 140
    Width = 90
    Height = 17
    Caption = '禁用已选'
    Checked = True
    Enabled = False
    TabOrder = 13
  end
  object cbRight: TCheckBox
    Left = 410
    Top = 140
    Width = 90
    Height = 17
    Alignment = taLeftJustify
    Caption = '框在右'
    Checked = True
    TabOrder = 14
    OnClick = StateClick
  end
  object pnlRadio1: TPanel
    Left = 10
    Top = 170
    Width = 190
    Height = 30
    BevelOuter = bvNone
    TabOrder = 15
    object rbFuzzy: TRadioButton
      Left = 0
      Top = 6
      Width = 90
      Height = 17
      Caption = '模糊'
      Checked = True
      TabOrder = 0
      OnClick = StateClick
    end
    object rbExact: TRadioButton
      Left = 100
      Top = 6
      Width = 90
      Height = 17
      Caption = '精确'
      TabOrder = 1
      OnClick = StateClick
    end
  end
  object pnlRadio2: TPanel
    Left = 210
    Top = 170
    Width = 190
    Height = 30
    BevelOuter = bvNone
    TabOrder = 16
    object rbDisabledOn: TRadioButton
      Left = 0
      Top = 6
      Width = 90
      Height = 17
      Caption = '禁用已选'
      Checked = True
      Enabled = False
      TabOrder = 0
    end
    object rbDisabledOff: TRadioButton
      Left = 100
      Top = 6
      Width = 90
      Height = 17
      Caption = '禁用'
      Enabled = False
      TabOrder = 1
    end
  end
  object pnlRadio3: TPanel
    Left = 410
    Top = 170
    Width = 140
    Height = 30
    BevelOuter = bvNone
    TabOrder = 17
    object rbRight: TRadioButton
      Left = 0
      Top = 6
      Width = 90
      Height = 17
      Alignment = taLeftJustify
      Caption = '圈在右'
      Checked = True
      TabOrder = 0
      OnClick = StateClick
    end
  end
  object RadioGroup1: TRadioGroup
    Left = 10
    Top = 206
    Width = 250
    Height = 56
    Caption = '城市'
    Columns = 2
    Items = ('西安' '北京')
    ItemIndex = 0
    TabOrder = 18
    OnClick = StateClick
  end
end
)";

}  // namespace bus::test
