#include "tests/framework/controls/KindsForm.h"

#include <algorithm>

#include "framework/Properties.h"

namespace bus::test {

const TClassInfo& TfrmKinds::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TfrmKinds>("TfrmKinds", TForm::StaticClassInfo()).Build();
  return info;
}

TfrmKinds::TfrmKinds(TComponent* owner) : TForm(owner) {
  PublishMethod("KindChange", &TfrmKinds::KindChange);
  PublishMethod("KindClick", &TfrmKinds::KindClick);
  PublishMethod("TabChanging", &TfrmKinds::TabChanging);
  PublishMethod("BarScroll", &TfrmKinds::BarScroll);
}

namespace {
std::string NameOf(TObject* sender) {
  auto* c = dynamic_cast<TComponent*>(sender);
  return c ? c->Name() : std::string("?");
}
}  // namespace

void TfrmKinds::KindChange(TObject* sender) { Events.push_back("change " + NameOf(sender)); }
void TfrmKinds::KindClick(TObject* sender) { Events.push_back("click " + NameOf(sender)); }

void TfrmKinds::TabChanging(TObject* sender, bool& allow) {
  Events.push_back("changing " + NameOf(sender));
  allow = AllowTabChange;
}

void TfrmKinds::BarScroll(TObject* sender, TScrollCode code, int& pos) {
  pos = std::min(pos, ScrollLimit);
  Events.push_back("scroll " + NameOf(sender) + " " + std::to_string(int(code)) + " " + std::to_string(pos));
}

const char* const kKindsDescription = R"(
object frmKinds: TfrmKinds
  Left = 40
  Top = 30
  ClientWidth = 640
  ClientHeight = 300
  BorderStyle = bsSingle
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Caption = '控件种类'
  Visible = True
  object RadioGroup1: TRadioGroup
    Left = 8
    Top = 8
    Width = 150
    Height = 105
    Caption = '城市'
    Items = ('西安' '北京' '上海')
    ItemIndex = 1
    TabOrder = 0
    OnClick = KindClick
  end
  object RadioButton1: TRadioButton
    Left = 168
    Top = 10
    Width = 100
    Caption = '模糊'
    Checked = True
    TabOrder = 1
    OnClick = KindClick
  end
  object RadioButton2: TRadioButton
    Left = 168
    Top = 30
    Width = 100
    Caption = '精确'
    TabOrder = 2
    OnClick = KindClick
  end
  object ComboBox1: TComboBox
    Left = 168
    Top = 56
    Width = 120
    Style = csDropDownList
    Items = ('5路' '14路' '27路' '600路')
    ItemIndex = 2
    DropDownCount = 6
    TabOrder = 3
    OnChange = KindChange
  end
  object ComboBox2: TComboBox
    Left = 168
    Top = 86
    Width = 120
    Items = ('钟楼' '小寨' '电视塔')
    Text = '钟楼'
    TabOrder = 4
    OnChange = KindChange
  end
  object ListBox1: TListBox
    Left = 298
    Top = 8
    Width = 120
    Height = 105
    Items = ('一' '二' '三' '四' '五' '六' '七' '八' '九' '十')
    ItemIndex = 0
    TabOrder = 5
    OnClick = KindClick
  end
  object PageControl1: TPageControl
    Left = 428
    Top = 8
    Width = 204
    Height = 105
    TabOrder = 6
    OnChange = KindChange
    OnChanging = TabChanging
    object TabSheet1: TTabSheet
      Caption = '站点'
      object Label1: TLabel
        Left = 8
        Top = 8
        Caption = '第一页'
      end
    end
    object TabSheet2: TTabSheet
      Caption = '线路'
      object Edit2: TEdit
        Left = 8
        Top = 8
        Width = 100
        Text = '第二页'
      end
    end
  end
  object TabControl1: TTabControl
    Left = 8
    Top = 124
    Width = 200
    Height = 60
    Tabs = ('全部' '公交' '地铁')
    TabIndex = 0
    TabOrder = 7
    OnChange = KindChange
    OnChanging = TabChanging
  end
  object ProgressBar1: TProgressBar
    Left = 218
    Top = 126
    Width = 150
    Height = 16
    Max = 200
    Position = 50
  end
  object TrackBar1: TTrackBar
    Left = 218
    Top = 148
    Width = 150
    Height = 36
    Max = 20
    Position = 4
    Frequency = 2
    LineSize = 1
    PageSize = 5
    TabOrder = 8
    OnChange = KindChange
  end
  object Edit1: TEdit
    Left = 380
    Top = 126
    Width = 60
    Text = '0'
    TabOrder = 9
  end
  object UpDown1: TUpDown
    Left = 440
    Top = 126
    Associate = Edit1
    Min = 1
    Max = 99
    Position = 5
    Increment = 2
    OnChange = KindChange
  end
  object ScrollBar1: TScrollBar
    Left = 380
    Top = 160
    Width = 250
    Max = 100
    PageSize = 10
    SmallChange = 1
    LargeChange = 10
    TabOrder = 10
    OnScroll = BarScroll
    OnChange = KindChange
  end
end
)";

}  // namespace bus::test
