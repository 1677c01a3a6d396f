// TfrmBusMain: the program's one window. The result grid fills its upper part; the lower panel holds
// the search boxes (a stop, a line number, two stops), the fuzzy-search switch, the banner group
// with the web link and the update button, and the status bar. A plan panel with the transfer plans
// covers the grid when a two-stop search found no direct line. The window lives on in the tray when
// it is closed; only the tray menu's "退出" ends the program.
//
// The window is built from its form description (BusMainDescription()), which is compiled into the
// program as a resource. FormCreate finds the program's directory, reads config.ini there and opens
// the route database it names; FormShow, on every show, loads every route into the grid and puts
// the title naming the city on the window.
#pragma once

#include <string>
#include <string_view>

#include "search/RouteSearch.h"
#include "framework/controls/Form.h"

namespace bus {

class TBannerPlayer;
class TBannerSequence;
class TButton;
class TCheckBox;
class TDataSource;
class TDbConnection;
class TDbQuery;
class TEdit;
class TGroupBox;
class TImageList;
class TLabel;
class TMemo;
class TMenuItem;
class TPanel;
class TPopupMenu;
class TSkinData;
class TSpeedButton;
class TStatusBar;
class TTimer;
class TTrayIcon;
class TrgDBGrid;

class TfrmBusMain : public TForm {
  BUS_CLASS(TfrmBusMain)
public:
  explicit TfrmBusMain(TComponent* owner);

  // The program's directory as FormCreate found it, ending in a path separator.
  const std::string& AppDirectory() const noexcept { return appDirectory_; }
  // The title FormShow puts on the window: the program's name and version, and the city.
  const std::string& WindowTitle() const noexcept { return windowTitle_; }
  // What the stop, line and two-stop searches compare with: CheckBox1 checked is fuzzy.
  search::MatchMode SearchMode() const;
  // Status panel 1, where the searches report.
  std::string StatusText() const;

  // For windows created from now on: the directory FormCreate takes as the program's (instead of
  // the executable's) and the banner's source address (instead of the maker's banner server).
  // Empty texts restore the defaults. The program itself never calls this.
  static void SetStartupOverrides(std::string appDirectory, std::string bannerUrl);

  // --- Event handlers, named in the form description ------------------------------------
  void FormCreate(TObject* sender);
  void FormShow(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void Edit3KeyPress(TObject* sender, wchar_t& key);
  void Edit4KeyPress(TObject* sender, wchar_t& key);
  void Edit3KeyDown(TObject* sender, unsigned short& key, TShiftState shift);
  void edtFromKeyDown(TObject* sender, unsigned short& key, TShiftState shift);
  void edtToKeyDown(TObject* sender, unsigned short& key, TShiftState shift);
  void edtFromKeyPress(TObject* sender, wchar_t& key);
  void edtToKeyPress(TObject* sender, wchar_t& key);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void Button3Click(TObject* sender);
  void Timer1Timer(TObject* sender);
  void Label5MouseEnter(TObject* sender);
  void Label5MouseLeave(TObject* sender);
  void Label5Click(TObject* sender);
  void SpeedButton2Click(TObject* sender);
  void N1Click(TObject* sender);
  void N2Click(TObject* sender);
  void N4Click(TObject* sender);

  // The plan search behind Button1Click: the journeys with one change between edtFrom's and
  // edtTo's stops, listed in Memo1 on the plan panel, which then covers the grid.
  void SearchTransferPlans();

  // --- Components, set while the description is read ------------------------------------
  TBannerSequence* Banner = nullptr;  // the banner's download and show, run by Timer1's tick
  TPanel* Panel1 = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TEdit* Edit3 = nullptr;
  TGroupBox* GroupBox2 = nullptr;
  TEdit* Edit4 = nullptr;
  TGroupBox* GroupBox3 = nullptr;
  TLabel* Label1 = nullptr;
  TEdit* edtFrom = nullptr;
  TLabel* Label2 = nullptr;
  TEdit* edtTo = nullptr;
  TLabel* Label3 = nullptr;
  TSpeedButton* Button1 = nullptr;
  TGroupBox* GroupBox4 = nullptr;
  TBannerPlayer* BannerPlayer1 = nullptr;
  TLabel* Label6 = nullptr;
  TLabel* Label5 = nullptr;
  TSpeedButton* SpeedButton2 = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TPanel* Panel2 = nullptr;
  TrgDBGrid* DBGrid1 = nullptr;
  TPanel* Panel4 = nullptr;
  TLabel* Label8 = nullptr;
  TMemo* Memo1 = nullptr;
  TButton* Button2 = nullptr;
  TButton* Button3 = nullptr;
  TDataSource* DataSource1 = nullptr;
  TDbQuery* qry = nullptr;
  TDbQuery* Qrytmp = nullptr;
  TDbConnection* ADOConnection1 = nullptr;
  TSkinData* SkinData1 = nullptr;
  TTimer* Timer1 = nullptr;
  TTrayIcon* TrayIcon1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* N1 = nullptr;
  TMenuItem* N2 = nullptr;
  TMenuItem* N3 = nullptr;
  TMenuItem* N4 = nullptr;
  TImageList* ImageList1 = nullptr;

private:
  void SetStatusText(const std::string& text);

  std::string appDirectory_;  // the program's directory, ending in a separator
  std::string windowTitle_;   // name, version and (once FormCreate knows it) the city
};

// The main window's form description, as compiled into the program.
std::string_view BusMainDescription();

// Registers every class the main window's description names.
void RegisterBusMainClasses();

}  // namespace bus
