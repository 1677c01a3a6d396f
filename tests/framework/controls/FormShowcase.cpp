// form_showcase: the widget layer's controls, for looking at what the layer paints: the main
// window's kinds laid out like the bottom of the main window, or (--kinds) the form of the further
// kinds that the control kind tests use.
//   form_showcase.exe [--kinds]              shows the form until it is closed
//   form_showcase.exe [--kinds] FILE.bmp     shows it, saves the form's screen area as FILE.bmp, and ends
// scripts/form-screenshot.sh runs it under Wine and converts the pictures to PNG.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "core/BmpFile.h"
#include "framework/ClassRegistry.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/FrameworkClasses.h"
#include "framework/controls/Menus.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/StdCtrls.h"
#include "framework/graphics/Bitmap.h"
#include "tests/support/WindowPicture.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/framework/controls/KindsForm.h"

namespace bus {
namespace {

class TfrmShowcase : public TForm {
  BUS_CLASS(TfrmShowcase)
public:
  explicit TfrmShowcase(TComponent* owner) : TForm(owner) {
    PublishMethod("FormClose", &TfrmShowcase::FormClose);
    PublishField("Button1", &Button1);
    PublishField("Edit3", &Edit3);
  }
  void FormClose(TObject*, TCloseAction&) {}

  TSpeedButton* Button1 = nullptr;
  TEdit* Edit3 = nullptr;
};

const TClassInfo& TfrmShowcase::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TfrmShowcase>("TfrmShowcase", TForm::StaticClassInfo()).Build();
  return info;
}

const char* const kDescription = R"(
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
}  // namespace bus

int main(int argc, char** argv) {
  using namespace bus;
  TApplication app;
  app.Initialize();
  app.SetTitle("form_showcase");
  RegisterFrameworkClasses();
  test::RegisterKindsClasses();
  const bool kinds = argc > 1 && std::string(argv[1]) == "--kinds";
  const char* picture = argc > (kinds ? 2 : 1) ? argv[kinds ? 2 : 1] : nullptr;
  try {
    TForm* form = nullptr;
    if (kinds) {
      form = app.CreateForm<test::TfrmKinds>(test::kKindsDescription);
    } else {
      auto* showcase = app.CreateForm<TfrmShowcase>(kDescription);
      DrawGlyph(*showcase->Button1->Glyph());
      showcase->Edit3->SetFocus();
      form = showcase;
    }
    if (!picture) {
      app.Run();
      return 0;
    }
    test::PumpUntil([&] { return IsWindowVisible(form->Handle()) != 0; });
    test::PumpPending();
    test::SaveWindowPicture(form->Handle(), picture);
    std::printf("saved %s\n", picture);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "form_showcase: %s\n", e.what());
    return 1;
  }
}
