#include "tests/support/DeskForm.h"

#include "core/AppDirectory.h"
#include "core/MakerSite.h"
#include "app/SiteLinks.h"
#include "framework/ClassRegistry.h"
#include "framework/controls/Application.h"
#include "framework/controls/FrameworkClasses.h"
#include "tests/support/ShellCallRecorder.h"

namespace bus::test {

const TClassInfo& TfrmDesk::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TfrmDesk>("TfrmDesk", TForm::StaticClassInfo()).Build();
  return info;
}

TfrmDesk::TfrmDesk(TComponent* owner) : TForm(owner) {
  Banner = new TBannerSequence(this);
  Banner->SetUrl(BannerSourceUrl());
  Banner->SetFileName(ExecutableDirectory() + std::string(kBannerFileName));
  PublishMethod("FormClose", &TfrmDesk::FormClose);
  PublishMethod("Timer1Timer", &TfrmDesk::Timer1Timer);
  PublishMethod("Label5MouseEnter", &TfrmDesk::Label5MouseEnter);
  PublishMethod("Label5MouseLeave", &TfrmDesk::Label5MouseLeave);
  PublishMethod("Label5Click", &TfrmDesk::Label5Click);
  PublishMethod("SpeedButton2Click", &TfrmDesk::SpeedButton2Click);
  PublishMethod("N1Click", &TfrmDesk::N1Click);
  PublishField("GroupBox4", &GroupBox4);
  PublishField("BannerPlayer1", &BannerPlayer1);
  PublishField("Label5", &Label5);
  PublishField("SpeedButton2", &SpeedButton2);
  PublishField("Timer1", &Timer1);
  PublishField("TrayIcon1", &TrayIcon1);
}

void TfrmDesk::FormClose(TObject*, TCloseAction& action) {
  action = TCloseAction::caNone;
  TrayIcon1->HideMainWindow();
}

void TfrmDesk::Timer1Timer(TObject*) {
  if (ticks++ == 0) boxVisibleAtTick = BannerPlayer1->Visible();
  Banner->Run(*Timer1, *BannerPlayer1);
}

void TfrmDesk::Label5MouseEnter(TObject*) { UnderlineLink(*Label5); }
void TfrmDesk::Label5MouseLeave(TObject*) { PlainLink(*Label5); }
void TfrmDesk::Label5Click(TObject*) { OpenWebSite(Handle()); }
void TfrmDesk::SpeedButton2Click(TObject*) { updaterAnswer = StartUpdater(*this, appDirectory); }
void TfrmDesk::N1Click(TObject*) { TrayIcon1->RestoreMainWindow(); }

const char* const kDeskDescription = R"(
object frmDesk: TfrmDesk
  Left = 150
  Top = 100
  ClientWidth = 420
  ClientHeight = 140
  BorderStyle = bsSingle
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Caption = 'desk'
  Visible = True
  OnClose = FormClose
  object GroupBox4: TGroupBox
    Left = 40
    Top = 0
    Width = 358
    Height = 111
    Caption = 'Zelvo'
    object BannerPlayer1: TBannerPlayer
      Left = 3
      Top = 13
      Width = 351
      Height = 73
      Anchors = [akLeft, akTop, akRight, akBottom]
      Visible = False
      ScaleMode = smShowAll
      Quality = bqHigh
    end
    object Label6: TLabel
      Left = 9
      Top = 89
      Width = 40
      Height = 13
      Caption = '网址：'
    end
    object Label5: TLabel
      Left = 49
      Top = 89
      Width = 141
      Height = 13
      AutoSize = False
      Caption = 'www.zelvo.example'
      Cursor = crHandPoint
      Font.Color = clBlue
      Font.Name = 'MS Sans Serif'
      Font.Height = -11
      OnClick = Label5Click
      OnMouseEnter = Label5MouseEnter
      OnMouseLeave = Label5MouseLeave
    end
    object SpeedButton2: TSpeedButton
      Left = 200
      Top = 87
      Width = 89
      Height = 22
      Caption = '升级数据库'
      Flat = True
      OnClick = SpeedButton2Click
    end
  end
  object Timer1: TTimer
    Interval = 3000
    OnTimer = Timer1Timer
  end
  object TrayIcon1: TTrayIcon
    Hint = '西安公交查询'
    ShowHint = True
    PopupMenu = PopupMenu1
  end
  object PopupMenu1: TPopupMenu
    object N1: TMenuItem
      Caption = '显示'
      OnClick = N1Click
    end
  end
end
)";

void PrepareDesktopClasses() {
  RegisterFrameworkClasses();
  RegisterTrayClasses();
  RegisterBannerClasses();
  RecordShellCalls();
}

}  // namespace bus::test
