#include "tests/framework/controls/ShowcaseForm.h"

#include <cmath>
#include <cstdint>

#include "core/BmpFile.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/Edit.h"
#include "framework/controls/SpeedButton.h"
#include "framework/graphics/Bitmap.h"

namespace bus::test {

TfrmShowcase::TfrmShowcase(TComponent* owner) : TForm(owner) {
  PublishMethod("FormClose", &TfrmShowcase::FormClose);
  PublishField("Button1", &Button1);
  PublishField("Edit3", &Edit3);
}

const TClassInfo& TfrmShowcase::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TfrmShowcase>("TfrmShowcase", TForm::StaticClassInfo()).Build();
  return info;
}

const char* const kShowcaseDescription = R"(
object frmShowcase: TfrmShowcase
  Left = 20
  Top = 20
  ClientWidth = 640
  ClientHeight = 330
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu, biMinimize, biMaximize]
  FormStyle = fsStayOnTop
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Font.Color = clWindowText
  Caption = '西安公交查询 - 控件一览'
  Visible = True
  OnClose = FormClose
  object Memo1: TMemo
    Left = 5
    Top = 5
    Width = 630
    Height = 150
    Anchors = [akLeft, akTop, akRight, akBottom]
    ScrollBars = ssVertical
    Lines = ('方案1: 乘 5路 从 钟楼 到 小寨, 换乘 27路 到 电视塔'
             '方案2: 乘 14路 从 钟楼 到 南稍门, 换乘 400路 到 电视塔'
             'Plan 3: line 26 to the Bell Tower, then line 600'
             'line 4' 'line 5' 'line 6' 'line 7' 'line 8' 'line 9' 'line 10' 'line 11' 'line 12')
    TabOrder = 1
  end
  object Panel1: TPanel
    Align = alBottom
    Height = 170
    BevelOuter = bvNone
    Ctl3D = False
    TabOrder = 0
    object GroupBox1: TGroupBox
      Left = 8
      Top = 2
      Width = 180
      Height = 60
      Caption = '按站点查询'
      TabOrder = 0
      object Label1: TLabel
        Left = 10
        Top = 26
        Caption = '站名:'
      end
      object Edit3: TEdit
        Left = 48
        Top = 22
        Width = 120
        Height = 19
        Text = '钟楼'
        TabOrder = 0
      end
    end
    object GroupBox2: TGroupBox
      Left = 196
      Top = 2
      Width = 150
      Height = 60
      Caption = '按线路查询'
      TabOrder = 1
      object Edit4: TEdit
        Left = 10
        Top = 22
        Width = 80
        Height = 19
        Text = '600'
        TabOrder = 0
      end
      object Label3: TLabel
        Left = 96
        Top = 26
        Caption = '路'
      end
    end
    object GroupBox3: TGroupBox
      Left = 8
      Top = 66
      Width = 338
      Height = 56
      Caption = '两站查询'
      TabOrder = 2
      object edtFrom: TEdit
        Left = 10
        Top = 22
        Width = 110
        Height = 19
        TabOrder = 0
      end
      object Label2: TLabel
        Left = 128
        Top = 26
        Caption = '到'
      end
      object edtTo: TEdit
        Left = 146
        Top = 22
        Width = 110
        Height = 19
        TabOrder = 1
      end
      object Button1: TSpeedButton
        Left = 264
        Top = 18
        Width = 66
        Height = 26
        Caption = '查询'
      end
    end
    object CheckBox1: TCheckBox
      Left = 356
      Top = 10
      Width = 90
      Height = 17
      Caption = '模糊查询'
      Checked = True
      TabOrder = 3
    end
    object Label5: TLabel
      Left = 356
      Top = 40
      Caption = '访问网站'
      Cursor = crHandPoint
      Font.Color = clBlue
      Font.Style = [fsUnderline]
    end
    object GroupBox4: TGroupBox
      Left = 456
      Top = 2
      Width = 176
      Height = 120
      Anchors = [akTop, akRight]
      Caption = '广告'
      TabOrder = 4
      object Panel4: TPanel
        Left = 10
        Top = 20
        Width = 156
        Height = 90
        BevelOuter = bvLowered
        Caption = '(banner)'
        Color = clWindow
      end
    end
    object SpeedButton2: TSpeedButton
      Left = 356
      Top = 64
      Width = 44
      Height = 24
      Caption = '退出'
      Flat = True
    end
    object Button2: TButton
      Left = 356
      Top = 94
      Width = 90
      Height = 26
      Caption = '关闭'
      Anchors = [akRight, akBottom]
      TabOrder = 5
    end
    object StatusBar1: TStatusBar
      SizeGrip = False
      Panels = <
        item Width = 100 Text = '共 12 条' end
        item Width = 300 Text = '查询: 钟楼' end
        item Width = 50 Text = '西安公交查询 1.0' end
      >
    end
  end
end
)";

namespace {

// A 16 × 16 magnifier on a fuchsia background (the transparent colour, taken from the bottom-left
// pixel).
void DrawGlyph(TBitmap& glyph) {
  BmpImage image(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const double d = std::hypot(x - 6.0, y - 6.0);
      std::uint32_t c = 0xFFFF00FF;
      if (d >= 3.5 && d <= 5.5) c = 0xFF203060;
      else if (d < 3.5) c = 0xFFB0D8F0;
      else if (x >= 9 && y >= 9 && x - y >= -1 && x - y <= 1) c = 0xFF604020;
      image.SetPixel(x, y, c);
    }
  glyph.FromImage(image, pf24bit);
}

}  // namespace

TfrmShowcase* CreateShowcase(TApplication& app) {
  auto* form = app.CreateForm<TfrmShowcase>(kShowcaseDescription);
  DrawGlyph(*form->Button1->Glyph());
  form->Edit3->SetFocus();
  return form;
}

}  // namespace bus::test
