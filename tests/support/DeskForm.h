// A form that carries the desktop pieces the way the main window does: the banner group with the
// banner box, the link label and the update button, the banner timer, the tray icon with its
// menu, and the handlers that wire them. The shell's notify-icon calls are recorded here too.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "banner/BannerPlayer.h"
#include "banner/BannerSequence.h"
#include "framework/controls/Form.h"
#include "framework/controls/Menus.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/Timer.h"
#include "tray/TrayIcon.h"

namespace bus::test {

class TfrmDesk : public TForm {
  BUS_CLASS(TfrmDesk)
public:
  explicit TfrmDesk(TComponent* owner);

  void FormClose(TObject*, TCloseAction& action);
  void Timer1Timer(TObject*);
  void Label5MouseEnter(TObject*);
  void Label5MouseLeave(TObject*);
  void Label5Click(TObject*);
  void SpeedButton2Click(TObject*);
  void N1Click(TObject*);

  std::string appDirectory;        // where the updater is looked for
  INT_PTR updaterAnswer = 0;       // the shell's answer to the last update button
  int ticks = 0;                   // Timer1 ticks seen
  bool boxVisibleAtTick = true;    // the banner box before the first tick ran
  TBannerSequence* Banner = nullptr;
  TGroupBox* GroupBox4 = nullptr;
  TBannerPlayer* BannerPlayer1 = nullptr;
  TLabel* Label5 = nullptr;
  TSpeedButton* SpeedButton2 = nullptr;
  TTimer* Timer1 = nullptr;
  TTrayIcon* TrayIcon1 = nullptr;
};

// The form's description; the banner timer's interval as the main window has it.
extern const char* const kDeskDescription;

// Registers what the description needs and records the shell's notify-icon calls (ShellCalls()).
void PrepareDesktopClasses();

}  // namespace bus::test
