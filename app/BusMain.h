// TfrmBusMain: the program's one window. The result grid fills its upper part; the lower panel holds
// the search boxes (a stop, a line number, two stops), the fuzzy-search switch, the banner group
// with the web link and the update button, and the status bar. A plan panel with the transfer plans
// covers the grid when a two-stop search found no direct line. The window lives on in the tray when
// it is closed; only the tray menu's "退出" ends the program.
//
// The window is built from its form description (BusMainDescription()), which is compiled into the
// program as a resource. FormCreate finds the program's directory, reads config.ini there and opens
// the route database it names, indexes its stops for the suggestions, and reads the remembered
// queries; FormShow, on every show, loads every route into the grid and puts the title naming the
// city on the window.
//
// While the user types in a search box, a list of suggestions opens under it (StopSuggestions):
// the box's remembered queries, then (under the stop and two-stop boxes) the stop index's names.
// The swap button between the two stops ("换", or Ctrl+R in any search box) exchanges them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/RecentQueries.h"
#include "search/RouteSearch.h"
#include "search/StopIndex.h"
#include "framework/controls/Form.h"

namespace bus {

class TBannerPlayer;
class TBannerSequence;
class TButton;
class TCustomEdit;
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
class TSuggestionList;
class StopSuggestions;
class TStatusBar;
class TTimer;
class TTrayIcon;
class TrgDBGrid;

class TfrmBusMain : public TForm {
  BUS_CLASS(TfrmBusMain)
public:
  explicit TfrmBusMain(TComponent* owner);
  ~TfrmBusMain() override;

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
  // For windows created from now on: the file the remembered queries are kept in (instead of
  // recent.txt in BusSearch in the user's application-data folder); empty restores the default.
  static void SetRecentQueriesFile(std::string file);

  // --- Event handlers, named in the form description ------------------------------------
  void FormCreate(TObject* sender);
  void FormShow(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void StopBoxChange(TObject* sender);
  void StopBoxExit(TObject* sender);
  void Edit3KeyPress(TObject* sender, wchar_t& key);
  void Edit4KeyPress(TObject* sender, wchar_t& key);
  void Edit3KeyDown(TObject* sender, unsigned short& key, TShiftState shift);
  void edtFromKeyDown(TObject* sender, unsigned short& key, TShiftState shift);
  void edtToKeyDown(TObject* sender, unsigned short& key, TShiftState shift);
  void edtFromKeyPress(TObject* sender, wchar_t& key);
  void edtToKeyPress(TObject* sender, wchar_t& key);
  void Button1Click(TObject* sender);
  void SwapButtonClick(TObject* sender);
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

  // What the list under box suggests for text, best first, at most ten: the box's remembered
  // texts that start with text, then (under a stop box) the stop index's names.
  std::vector<std::string> SuggestFor(TCustomEdit& box, std::string_view text);
  // The stop index of the open database, built when first asked for (the first suggestion, not the
  // start-up, pays for it) and rebuilt first when the database changed since it was built (a record
  // deleted, the routes updated). Null without a database or when it cannot be read.
  const search::StopIndex* StopIndex();
  // The queries remembered across runs.
  const app::RecentQueries& Recent() const noexcept { return *recent_; }
  // The suggestions under the stop boxes (Edit3, edtFrom, edtTo).
  StopSuggestions& Suggestions() noexcept { return *suggestions_; }

  // The plan search behind Button1Click: the journeys with one change between edtFrom's and
  // edtTo's stops, listed in Memo1 on the plan panel, which then covers the grid.
  void SearchTransferPlans();

  // --- Components, set while the description is read ------------------------------------
  TBannerSequence* Banner = nullptr;     // the banner's download and show, run by Timer1's tick
  TPanel* Panel1 = nullptr;              // the lower panel: search boxes, banner group, status bar
  TCheckBox* CheckBox1 = nullptr;        // "模糊查询": checked, every search matches part of a field
  TGroupBox* GroupBox1 = nullptr;        // "输入站点按回车查询", around the stop box
  TEdit* Edit3 = nullptr;                // the stop box: Enter lists the lines through the stop
  TGroupBox* GroupBox2 = nullptr;        // "输入车次按回车查询", around the line box
  TEdit* Edit4 = nullptr;                // the line box: Enter lists the line's records
  TGroupBox* GroupBox3 = nullptr;        // "两站点查询", around the two-stop search
  TLabel* Label1 = nullptr;              // "从" before the start stop
  TEdit* edtFrom = nullptr;              // the start stop of the two-stop search
  TLabel* Label2 = nullptr;              // "站  到" between the two stops
  TEdit* edtTo = nullptr;                // the destination stop; Enter runs the two-stop search
  TLabel* Label3 = nullptr;              // "站" after the destination
  TSpeedButton* Button1 = nullptr;       // "查询": the two-stop search (and, when asked, the plans)
  TGroupBox* GroupBox4 = nullptr;        // the banner group, captioned with the maker's notice
  TBannerPlayer* BannerPlayer1 = nullptr;  // the banner box, hidden until the banner is fetched
  TLabel* Label6 = nullptr;              // "网址：" before the web link
  TLabel* Label5 = nullptr;              // the web link: underlined under the mouse, opens the site
  TSpeedButton* SpeedButton2 = nullptr;  // "升级数据库": hides the window and starts the updater
  TStatusBar* StatusBar1 = nullptr;      // the status bar; panel 1 holds the searches' status text
  TPanel* Panel2 = nullptr;              // the strip between the grid and the lower panel
  TrgDBGrid* DBGrid1 = nullptr;          // the result grid: one row per record of qry
  TPanel* Panel4 = nullptr;              // the plan panel that covers the grid after a plan search
  TLabel* Label8 = nullptr;              // "乘车方案如下：" over the plans
  TMemo* Memo1 = nullptr;                // the numbered plan sentences
  TButton* Button2 = nullptr;            // "关闭": hides the plan panel
  TButton* Button3 = nullptr;            // the hidden "save" button: Edit then Post on qry
  TDataSource* DataSource1 = nullptr;    // links qry to the grid
  TDbQuery* qry = nullptr;               // the grid's query: every search's result
  TDbQuery* Qrytmp = nullptr;            // the plan search's scratch query
  TDbConnection* ADOConnection1 = nullptr;  // the route database named by config.ini
  TSkinData* SkinData1 = nullptr;        // our default skin, stored in the description
  TTimer* Timer1 = nullptr;              // the banner timer: fires once, 3 s after start
  TTrayIcon* TrayIcon1 = nullptr;        // the tray icon; its menu is PopupMenu1
  TPopupMenu* PopupMenu1 = nullptr;      // the tray icon's menu
  TMenuItem* N1 = nullptr;               // "显示": shows the window again
  TMenuItem* N2 = nullptr;               // "隐藏": hides the window
  TMenuItem* N3 = nullptr;               // the separator above "退出"
  TMenuItem* N4 = nullptr;               // "退出": ends the program
  TImageList* ImageList1 = nullptr;      // the tray icon's picture
  TSuggestionList* SuggestionList1 = nullptr;  // the suggested stop names under a stop box (made by FormCreate)
  TSpeedButton* SwapButton = nullptr;   // "换" between the two stops: swaps them (made by FormCreate)

protected:
  // Also answers a later start's request to show the window (TSingleInstance).
  void WndProc(TMessage& message) override;

private:
  void SetStatusText(const std::string& text);
  bool BoxKeyHandled(TObject* sender, unsigned short& key, TShiftState shift);

  std::string appDirectory_;  // the program's directory, ending in a separator
  std::string windowTitle_;   // name, version and (once FormCreate knows it) the city
  std::unique_ptr<StopSuggestions> suggestions_;  // the list under the stop boxes
  std::optional<search::StopIndex> stopIndex_;    // the open database's stops; empty until built
  std::unique_ptr<app::RecentQueries> recent_;    // the queries remembered across runs
  std::uint64_t stopIndexVersion_ = 0;            // the database's data version it was built at
};

// The main window's form description, as compiled into the program.
std::string_view BusMainDescription();

// Registers every class the main window's description names.
void RegisterBusMainClasses();

}  // namespace bus
