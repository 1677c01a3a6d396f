#include "tests/framework/controls/KindsForm.h"
#include "tests/framework/controls/KindsFrame.h"

#include <algorithm>

#include "framework/ClassRegistry.h"
#include "framework/Properties.h"
#include "framework/controls/HeaderControl.h"
#include "framework/controls/ListView.h"

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
  PublishMethod("ListSelectItem", &TfrmKinds::ListSelectItem);
  PublishMethod("ListColumnClick", &TfrmKinds::ListColumnClick);
  PublishMethod("SectionClick", &TfrmKinds::SectionClick);
  PublishMethod("SectionResize", &TfrmKinds::SectionResize);
  PublishMethod("ToolBarDrawButton", &TfrmKinds::ToolBarDrawButton);
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

void TfrmKinds::ListSelectItem(TObject* sender, TListItem* item, bool selected) {
  Events.push_back("select " + NameOf(sender) + " " + item->Caption() + (selected ? " on" : " off"));
}

void TfrmKinds::ListColumnClick(TObject* sender, TListColumn* column) {
  Events.push_back("column " + NameOf(sender) + " " + column->Caption());
}

void TfrmKinds::SectionClick(THeaderControl* sender, THeaderSection* section) {
  Events.push_back("section " + NameOf(sender) + " " + section->Text());
}

void TfrmKinds::SectionResize(THeaderControl* sender, THeaderSection* section) {
  Events.push_back("resize " + NameOf(sender) + " " + section->Text() + " " + std::to_string(section->Width()));
}

void TfrmKinds::ToolBarDrawButton(TToolBar* sender, TToolButton* button, UINT state, bool& defaultDraw) {
  if (DrawButton) DrawButton(sender, button, state, defaultDraw);
}

const char* const kKindsDescription = R"(
object frmKinds: TfrmKinds
  Left = 20
  Top = 20
  ClientWidth = 640
  ClientHeight = 506
  BorderStyle = bsSingle
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Caption = '控件种类'
  Visible = True
  object ToolBar1: TToolBar
    Flat = True
    ShowCaptions = True
    Height = 30
    OnCustomDrawButton = ToolBarDrawButton
    object ToolButton1: TToolButton
      Caption = '查询'
      OnClick = KindClick
    end
    object ToolButton2: TToolButton
      Style = tbsSeparator
    end
    object ToolButton3: TToolButton
      Caption = '模糊'
      Style = tbsCheck
      OnClick = KindClick
    end
    object ToolButton4: TToolButton
      Caption = '退出'
      Enabled = False
    end
  end
  object ToolBar2: TToolBar
    Top = 30
    Height = 26
    Menu = MainMenu1
  end
  object RadioGroup1: TRadioGroup
    Left = 8
    Top = 64
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
    Top = 66
    Width = 100
    Caption = '模糊'
    Checked = True
    TabOrder = 1
    OnClick = KindClick
  end
  object RadioButton2: TRadioButton
    Left = 168
    Top = 86
    Width = 100
    Caption = '精确'
    TabOrder = 2
    OnClick = KindClick
  end
  object ComboBox1: TComboBox
    Left = 168
    Top = 112
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
    Top = 142
    Width = 120
    Items = ('钟楼' '小寨' '电视塔')
    Text = '钟楼'
    TabOrder = 4
    OnChange = KindChange
  end
  object ListBox1: TListBox
    Left = 298
    Top = 64
    Width = 120
    Height = 105
    Items = ('一' '二' '三' '四' '五' '六' '七' '八' '九' '十')
    ItemIndex = 0
    TabOrder = 5
    OnClick = KindClick
  end
  object PageControl1: TPageControl
    Left = 428
    Top = 64
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
    Top = 178
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
    Top = 180
    Width = 150
    Height = 16
    Max = 200
    Position = 50
  end
  object TrackBar1: TTrackBar
    Left = 218
    Top = 202
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
    Top = 180
    Width = 60
    Text = '0'
    TabOrder = 9
  end
  object UpDown1: TUpDown
    Left = 440
    Top = 180
    Associate = Edit1
    Min = 1
    Max = 99
    Position = 5
    Increment = 2
    OnChange = KindChange
  end
  object ScrollBar1: TScrollBar
    Left = 380
    Top = 214
    Width = 250
    Max = 100
    PageSize = 10
    SmallChange = 1
    LargeChange = 10
    TabOrder = 10
    OnScroll = BarScroll
    OnChange = KindChange
  end
  object ListView1: TListView
    Left = 8
    Top = 248
    Width = 240
    Height = 112
    ViewStyle = vsReport
    RowSelect = True
    GridLines = True
    HideSelection = False
    Columns = <
      item Caption = '线路' Width = 60 end
      item Caption = '起点' Width = 80 end
      item Caption = '终点' Width = 80 Alignment = taRightJustify end
    >
    Items = <
      item Caption = '5路' SubItems = ('火车站' '电视塔') end
      item Caption = '14路' SubItems = ('北客站' '南稍门') end
      item Caption = '27路' SubItems = ('钟楼' '曲江') end
      item Caption = '600路' SubItems = ('纺织城' '大雁塔') end
    >
    TabOrder = 11
    OnSelectItem = ListSelectItem
    OnColumnClick = ListColumnClick
  end
  object HeaderControl1: THeaderControl
    Align = alNone
    Left = 256
    Top = 248
    Width = 200
    Height = 20
    Sections = <
      item Text = '站名' Width = 80 end
      item Text = '线路数' Width = 60 Alignment = taCenter end
      item Text = '备注' Width = 60 end
    >
    OnSectionClick = SectionClick
    OnSectionResize = SectionResize
  end
  object TabSet1: TTabSet
    Left = 256
    Top = 272
    Width = 200
    Height = 21
    Tabs = ('西安' '北京' '上海' '广州' '深圳' '成都')
    TabIndex = 0
    OnChange = KindChange
  end
  object DateTimePicker1: TDateTimePicker
    Left = 256
    Top = 302
    Width = 200
    Date = '2024-02-28'
    Time = '08:30:00'
    TabOrder = 12
    OnChange = KindChange
  end
  object DateTimePicker2: TDateTimePicker
    Left = 256
    Top = 332
    Width = 100
    Kind = dtkTime
    Date = '2024-02-28'
    Time = '08:30:00'
    TabOrder = 13
    OnChange = KindChange
  end
  object DateTimePicker3: TDateTimePicker
    Left = 360
    Top = 332
    Width = 96
    DateMode = dmUpDown
    Date = '2023-12-31'
    TabOrder = 14
  end
  object BitBtn1: TBitBtn
    Left = 466
    Top = 248
    Width = 80
    Height = 28
    Kind = bkOK
    TabOrder = 15
    OnClick = KindClick
  end
  object BitBtn2: TBitBtn
    Left = 552
    Top = 248
    Width = 80
    Height = 28
    Caption = '帮助'
    Kind = bkHelp
    Layout = blGlyphRight
    TabOrder = 16
  end
  object RichEdit1: TRichEdit
    Left = 466
    Top = 284
    Width = 166
    Height = 76
    ScrollBars = ssVertical
    Lines = ('乘 5路 到 钟楼' '换乘 27路' '到 曲江')
    TabOrder = 17
    OnChange = KindChange
  end
  object ScrollBox1: TScrollBox
    Left = 8
    Top = 368
    Width = 240
    Height = 130
    TabOrder = 18
    object Panel1: TPanel
      Left = 8
      Top = 8
      Width = 150
      Height = 40
      Caption = '面板'
    end
    object Label2: TLabel
      Left = 320
      Top = 200
      Caption = '右下角'
    end
  end
  object Frame1: TfraKinds
    Left = 256
    Top = 368
    Width = 376
    Height = 40
    TabOrder = 19
  end
  object Frame2: TfraKinds
    Left = 256
    Top = 412
    Width = 376
    Height = 40
    TabOrder = 20
  end
  object MainMenu1: TMainMenu
    object N1: TMenuItem
      Caption = '文件'
      object N11: TMenuItem
        Caption = '打开'
        OnClick = KindClick
      end
      object N12: TMenuItem
        Caption = '退出'
        OnClick = KindClick
      end
    end
    object N2: TMenuItem
      Caption = '帮助'
      OnClick = KindClick
    end
  end
end
)";

void RegisterKindsClasses() { RegisterClasses({&TfrmKinds::StaticClassInfo(), &TfraKinds::StaticClassInfo()}); }

}  // namespace bus::test
