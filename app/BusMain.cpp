#include "app/BusMain.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <filesystem>

#include "core/AppDirectory.h"
#include "banner/BannerPlayer.h"
#include "banner/BannerSequence.h"
#include "core/MakerSite.h"
#include "app/SingleInstance.h"
#include "app/SiteLinks.h"
#include "app/Startup.h"
#include "app/StopSuggestions.h"
#include "app/SuggestionList.h"
#include "core/UpdateBatch.h"
#include "core/WideText.h"
#include "search/TransferPlans.h"
#include "core/Exception.h"
#include "core/StringList.h"
#include "db/Connection.h"
#include "db/DatabaseError.h"
#include "db/Query.h"
#include "db/RouteConfig.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/FrameworkClasses.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/Menus.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/Timer.h"
#include "framework/data/DataSource.h"
#include "framework/data/DbConnection.h"
#include "framework/data/DbQuery.h"
#include "grid/DBGrid.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinManager.h"
#include "tray/TrayIcon.h"

namespace bus {

namespace {

// Keys the handlers react to.
constexpr unsigned short kKeyUp = VK_UP;
constexpr unsigned short kKeyDown = VK_DOWN;
// With Ctrl in any search box: swaps the two stops.
constexpr unsigned short kSwapKey = 'R';

constexpr wchar_t kEnter = L'\r';

// The statement FormShow loads every route with (the trailing blank is part of it).
constexpr std::string_view kAllRoutes = "select * from way ";
// Column widths FormShow sets: every stop column, then the line-number column.
constexpr int kStopColumnWidth = 90;
constexpr int kLineColumnWidth = 50;

// The box FormCreate shows when the database cannot be opened.
constexpr std::string_view kDatabaseError = "数据库错误！";
constexpr std::string_view kDatabaseErrorCaption = "提示";

// The resource holding the form description (BusMain.rc): raw data named BUSMAIN.
constexpr const wchar_t* kDescriptionResource = L"BUSMAIN";
constexpr WORD kRawDataResourceType = 10;

// The swap button: left, top, width, height in the two-stop group; its caption and hint.
constexpr RECT kSwapButtonBounds{160, 8, 22, 12};
constexpr std::string_view kSwapCaption = "换";
constexpr std::string_view kSwapHint = "交换起点和终点 (Ctrl+R)";

// The status bar panel the searches write to.
constexpr int kStatusPanel = 1;

// Set by SetStartupOverrides; empty: the defaults.
std::string& OverriddenAppDirectory() {
  static std::string dir;
  return dir;
}
std::string& OverriddenBannerUrl() {
  static std::string url;
  return url;
}
std::string& OverriddenRecentQueriesFile() {
  static std::string file;
  return file;
}

// Where the remembered queries are kept: BusSearch\recent.txt in the user's (roaming)
// application-data folder, which a standard user can write, unlike the program's folder. Empty
// (nothing kept on disk) when the system names no such folder.
std::filesystem::path RecentQueriesFile() {
  if (!OverriddenRecentQueriesFile().empty()) return std::filesystem::path(Widen(OverriddenRecentQueriesFile()));
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
  return std::filesystem::path(folder) / L"BusSearch" / L"recent.txt";
}

// The statement runner: a new statement on a query is a close, the statement as its one line, and
// an open.
void RunStatement(TDbQuery& query, std::string_view sql) {
  query.Close();
  query.SQL().Clear();
  query.SQL().Add(std::string(sql));
  query.Parameters().clear();
  query.Open();
}

}  // namespace

const TClassInfo& TfrmBusMain::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TfrmBusMain>("TfrmBusMain", TForm::StaticClassInfo()).Build();
  return info;
}

TfrmBusMain::TfrmBusMain(TComponent* owner) : TForm(owner), windowTitle_(app::kInitialWindowTitle) {
  Banner = new TBannerSequence(this);
  Banner->SetUrl(OverriddenBannerUrl().empty() ? BannerSourceUrl() : OverriddenBannerUrl());

  PublishMethod("FormCreate", &TfrmBusMain::FormCreate);
  PublishMethod("FormShow", &TfrmBusMain::FormShow);
  PublishMethod("FormClose", &TfrmBusMain::FormClose);
  PublishMethod("StopBoxChange", &TfrmBusMain::StopBoxChange);
  PublishMethod("StopBoxExit", &TfrmBusMain::StopBoxExit);
  PublishMethod("Edit3KeyPress", &TfrmBusMain::Edit3KeyPress);
  PublishMethod("Edit4KeyPress", &TfrmBusMain::Edit4KeyPress);
  PublishMethod("Edit3KeyDown", &TfrmBusMain::Edit3KeyDown);
  PublishMethod("edtFromKeyDown", &TfrmBusMain::edtFromKeyDown);
  PublishMethod("edtToKeyDown", &TfrmBusMain::edtToKeyDown);
  PublishMethod("edtFromKeyPress", &TfrmBusMain::edtFromKeyPress);
  PublishMethod("edtToKeyPress", &TfrmBusMain::edtToKeyPress);
  PublishMethod("Button1Click", &TfrmBusMain::Button1Click);
  PublishMethod("Button2Click", &TfrmBusMain::Button2Click);
  PublishMethod("Button3Click", &TfrmBusMain::Button3Click);
  PublishMethod("Timer1Timer", &TfrmBusMain::Timer1Timer);
  PublishMethod("Label5MouseEnter", &TfrmBusMain::Label5MouseEnter);
  PublishMethod("Label5MouseLeave", &TfrmBusMain::Label5MouseLeave);
  PublishMethod("Label5Click", &TfrmBusMain::Label5Click);
  PublishMethod("SpeedButton2Click", &TfrmBusMain::SpeedButton2Click);
  PublishMethod("N1Click", &TfrmBusMain::N1Click);
  PublishMethod("N2Click", &TfrmBusMain::N2Click);
  PublishMethod("N4Click", &TfrmBusMain::N4Click);

  PublishField("Panel1", &Panel1);
  PublishField("CheckBox1", &CheckBox1);
  PublishField("GroupBox1", &GroupBox1);
  PublishField("Edit3", &Edit3);
  PublishField("GroupBox2", &GroupBox2);
  PublishField("Edit4", &Edit4);
  PublishField("GroupBox3", &GroupBox3);
  PublishField("Label1", &Label1);
  PublishField("edtFrom", &edtFrom);
  PublishField("Label2", &Label2);
  PublishField("edtTo", &edtTo);
  PublishField("Label3", &Label3);
  PublishField("Button1", &Button1);
  PublishField("GroupBox4", &GroupBox4);
  PublishField("BannerPlayer1", &BannerPlayer1);
  PublishField("Label6", &Label6);
  PublishField("Label5", &Label5);
  PublishField("SpeedButton2", &SpeedButton2);
  PublishField("StatusBar1", &StatusBar1);
  PublishField("Panel2", &Panel2);
  PublishField("DBGrid1", &DBGrid1);
  PublishField("Panel4", &Panel4);
  PublishField("Label8", &Label8);
  PublishField("Memo1", &Memo1);
  PublishField("Button2", &Button2);
  PublishField("Button3", &Button3);
  PublishField("DataSource1", &DataSource1);
  PublishField("qry", &qry);
  PublishField("Qrytmp", &Qrytmp);
  PublishField("ADOConnection1", &ADOConnection1);
  PublishField("SkinData1", &SkinData1);
  PublishField("Timer1", &Timer1);
  PublishField("TrayIcon1", &TrayIcon1);
  PublishField("PopupMenu1", &PopupMenu1);
  PublishField("N1", &N1);
  PublishField("N2", &N2);
  PublishField("N3", &N3);
  PublishField("N4", &N4);
  PublishField("ImageList1", &ImageList1);
}

TfrmBusMain::~TfrmBusMain() = default;

void TfrmBusMain::SetRecentQueriesFile(std::string file) { OverriddenRecentQueriesFile() = std::move(file); }

void TfrmBusMain::SetStartupOverrides(std::string appDirectory, std::string bannerUrl) {
  OverriddenAppDirectory() = std::move(appDirectory);
  OverriddenBannerUrl() = std::move(bannerUrl);
}

search::MatchMode TfrmBusMain::SearchMode() const {
  return CheckBox1->Checked() ? search::MatchMode::Fuzzy : search::MatchMode::Exact;
}

std::string TfrmBusMain::StatusText() const { return StatusBar1->Panels()->Items(kStatusPanel)->Text(); }

void TfrmBusMain::SetStatusText(const std::string& text) { StatusBar1->Panels()->Items(kStatusPanel)->SetText(text); }

// --- Start-up ----------------------------------------------------------------------------------

// Finds the program's directory and its database, names the city in the title and opens the
// database. A database that cannot be opened is reported in a box and the window carries on
// without one: every statement then fails and goes to the general error report.
void TfrmBusMain::FormCreate(TObject*) {
  appDirectory_ = OverriddenAppDirectory().empty() ? ExecutableDirectory() : OverriddenAppDirectory();
  Banner->SetFileName(appDirectory_ + std::string(kBannerFileName));
  const std::string dbName = db::ReadDbName(appDirectory_);
  windowTitle_ = app::WindowTitleFor(dbName);
  ADOConnection1->SetConnectionString(db::RouteConnectionString(appDirectory_, dbName));
  // The swap button sits in the two-stop group's caption row, between the two boxes, over none of
  // the group's stored controls.
  SwapButton = new TSpeedButton(this);
  SwapButton->SetName("SwapButton");
  SwapButton->SetParent(GroupBox3);
  SwapButton->SetBounds(kSwapButtonBounds.left, kSwapButtonBounds.top, kSwapButtonBounds.right, kSwapButtonBounds.bottom);
  SwapButton->SetFlat(true);
  SwapButton->SetCaption(std::string(kSwapCaption));
  SwapButton->SetHint(std::string(kSwapHint));
  SwapButton->OnClick = TNotifyEvent(this, &TfrmBusMain::SwapButtonClick);

  SuggestionList1 = new TSuggestionList(this);
  SuggestionList1->SetName("SuggestionList1");
  SuggestionList1->SetCtl3D(false);
  SuggestionList1->SetParent(this);
  suggestions_ = std::make_unique<StopSuggestions>(
      *this, *SuggestionList1, [this](TCustomEdit& box, std::string_view text) { return SuggestFor(box, text); });
  recent_ = std::make_unique<app::RecentQueries>(RecentQueriesFile());
  recent_->Load();
  try {
    ADOConnection1->Open();
  } catch (const std::exception&) {
    Application->MessageBox(std::string(kDatabaseError), std::string(kDatabaseErrorCaption), MB_OK);
    return;
  }
}

// Every route into the grid, the stored column widths replaced, then the title. On every show, so
// coming back from the tray shows the whole list again.
void TfrmBusMain::FormShow(TObject*) {
  RunStatement(*qry, kAllRoutes);
  const int fields = qry->FieldCount();
  {
    UpdateBatch batch(*DBGrid1);
    for (int i = 0; i <= fields - 2 && i < DBGrid1->ColumnCount(); ++i) DBGrid1->Columns(i)->SetWidth(kStopColumnWidth);
    if (DBGrid1->ColumnCount() > 0) DBGrid1->Columns(0)->SetWidth(kLineColumnWidth);
  }
  SetCaption(windowTitle_);
}

// Closing only hides the window (and its taskbar button): the program goes on in the tray.
void TfrmBusMain::FormClose(TObject*, TCloseAction& action) {
  action = TCloseAction::caNone;
  suggestions_->Close();
  TrayIcon1->HideMainWindow();
}

// --- Suggestions under the stop boxes ---------------------------------------------------------

const search::StopIndex* TfrmBusMain::StopIndex() {
  if (!ADOConnection1->Connected()) return nullptr;
  try {
    db::Connection& connection = ADOConnection1->Connection();
    const std::uint64_t version = connection.DataVersion();
    if (!stopIndex_ || version != stopIndexVersion_) {
      stopIndex_.reset();
      stopIndex_ = search::StopIndex::FromDatabase(connection);
      stopIndexVersion_ = version;
    }
  } catch (const db::DatabaseError&) {
    // a help while typing: a database that cannot be read is reported by the search itself
    return nullptr;
  }
  return &*stopIndex_;
}

std::vector<std::string> TfrmBusMain::SuggestFor(TCustomEdit& box, std::string_view text) {
  const app::QueryLists& recent = recent_->Lists();
  std::vector<std::string> remembered = &box == Edit3 ? recent.stops : &box == Edit4 ? recent.lines
                                                                                     : std::vector<std::string>();
  if (&box == edtFrom || &box == edtTo)
    for (const auto& [from, to] : recent.pairs) remembered.push_back(&box == edtFrom ? from : to);

  std::vector<std::string> names;
  const auto add = [&](std::string_view name) {
    if (names.size() < search::StopIndex::kDefaultLimit && std::find(names.begin(), names.end(), name) == names.end())
      names.emplace_back(name);
  };
  for (const std::string& name : app::StartingWith(remembered, text)) add(name);
  if (&box == Edit4) return names;  // line numbers: only what was searched before
  if (const search::StopIndex* index = StopIndex())
    for (const search::StopSuggestion& s : index->Suggest(text)) add(s.name);
  return names;
}

// Serves the stop, line and two-stop boxes.
void TfrmBusMain::StopBoxChange(TObject* sender) {
  if (Destroying() || !suggestions_) return;
  if (auto* box = dynamic_cast<TCustomEdit*>(sender)) suggestions_->TextChanged(*box);
}

void TfrmBusMain::StopBoxExit(TObject*) {
  if (Destroying() || !suggestions_) return;
  suggestions_->Close();
}

// --- Searches ----------------------------------------------------------------------------------

// Enter in the stop box: the lines through the typed stop.
void TfrmBusMain::Edit3KeyPress(TObject*, wchar_t& key) {
  if (key != kEnter) return;
  if (suggestions_->Enter(*Edit3)) {
    key = 0;
    return;
  }
  Panel4->Hide();
  const std::string text = Edit3->Text();
  const search::MatchMode mode = SearchMode();
  std::string status;
  qry->Run([&](db::Query& q) { status = search::StopSearch(q, text, mode); });
  SetStatusText(status);
  Edit3->SelectAll();
  recent_->AddStop(text);
}

// Enter in the line box: the records of the typed line number.
void TfrmBusMain::Edit4KeyPress(TObject*, wchar_t& key) {
  if (key != kEnter) return;
  if (suggestions_->Enter(*Edit4)) {
    key = 0;
    return;
  }
  Panel4->Hide();
  const std::string text = Edit4->Text();
  const search::MatchMode mode = SearchMode();
  std::string status;
  qry->Run([&](db::Query& q) { status = search::LineSearch(q, text, mode); });
  SetStatusText(status);
  Edit4->SelectAll();
  recent_->AddLine(text);
}

// "查询": the lines that serve both stops; when none does, the user may ask for plans with a change.
void TfrmBusMain::Button1Click(TObject*) {
  suggestions_->Close();
  Panel4->Hide();
  const std::string from = edtFrom->Text();
  const std::string to = edtTo->Text();
  const search::MatchMode mode = SearchMode();
  search::DirectLines direct;
  qry->Run([&](db::Query& q) { direct = search::TwoStopSearch(q, from, to, mode); });
  recent_->AddPair(from, to);
  if (direct.count != 0) {
    SetStatusText(direct.statusText);
    edtTo->SelectAll();
    return;
  }
  const int answer = Application->MessageBox(std::string(search::kNoDirectLineQuestion),
                                             std::string(search::kQuestionCaption), MB_OKCANCEL);
  if (answer == IDOK) SearchTransferPlans();
}

// Works on Qrytmp, so the grid keeps the (empty) direct result under the plan panel.
void TfrmBusMain::SearchTransferPlans() {
  const std::string from = edtFrom->Text();
  const std::string to = edtTo->Text();
  const search::MatchMode mode = SearchMode();
  search::TransferPlans plans;
  Qrytmp->Run([&](db::Query& q) { plans = search::FindTransferPlans(q, from, to, mode); });
  TStringList lines;
  for (const std::string& sentence : plans.sentences) lines.Add(sentence);
  Memo1->Lines().Assign(lines);
  Panel4->SetBounds(5, 0, Panel4->Width(), Panel4->Height());
  Panel4->Show();
  SetStatusText(plans.statusText);
}

// Swaps the two stops (for the way back); with both filled, runs the two-stop search on them.
void TfrmBusMain::SwapButtonClick(TObject*) {
  const std::string from = edtFrom->Text();
  const std::string to = edtTo->Text();
  suggestions_->SetTextQuietly(*edtFrom, to);
  suggestions_->SetTextQuietly(*edtTo, from);
  if (!from.empty() && !to.empty()) Button1->Click();
}

void TfrmBusMain::Button2Click(TObject*) { Panel4->Hide(); }

// The hidden "save" button: the grid's current record written back as it is.
void TfrmBusMain::Button3Click(TObject*) {
  qry->Edit();
  qry->Post();
}

// --- Keyboard flow between the boxes; the key always goes on to its normal handling ------------
// (except Up, Down and Escape while the suggestion list is open under the box: they are the list's;
// and Ctrl+R, which swaps the two stops)

// True when key belongs to the suggestion list open under sender, or is the swap shortcut; it
// then goes no further.
bool TfrmBusMain::BoxKeyHandled(TObject* sender, unsigned short& key, TShiftState shift) {
  if (key == kSwapKey && shift.Contains(TShiftStateFlag::ssCtrl) && !shift.Contains(TShiftStateFlag::ssAlt)) {
    key = 0;
    SwapButtonClick(sender);
    return true;
  }
  auto* box = dynamic_cast<TCustomEdit*>(sender);
  if (!box || !suggestions_->KeyDown(*box, key)) return false;
  key = 0;
  return true;
}

// Serves Edit3 and Edit4: Up to the grid, Down to the two-stop box below.
void TfrmBusMain::Edit3KeyDown(TObject* sender, unsigned short& key, TShiftState shift) {
  if (BoxKeyHandled(sender, key, shift)) return;
  if (key == kKeyUp) {
    DBGrid1->SetFocus();
  } else if (key == kKeyDown) {
    if (sender == Edit3) edtFrom->SetFocus();
    else if (sender == Edit4) edtTo->SetFocus();
  }
}

void TfrmBusMain::edtFromKeyDown(TObject* sender, unsigned short& key, TShiftState shift) {
  if (BoxKeyHandled(sender, key, shift)) return;
  if (key == kKeyUp) Edit3->SetFocus();
}

void TfrmBusMain::edtToKeyDown(TObject* sender, unsigned short& key, TShiftState shift) {
  if (BoxKeyHandled(sender, key, shift)) return;
  if (key == kKeyUp) Edit4->SetFocus();
}

// Enter that takes a suggestion does only that.
void TfrmBusMain::edtFromKeyPress(TObject*, wchar_t& key) {
  if (key != kEnter) return;
  if (suggestions_->Enter(*edtFrom)) {
    key = 0;
    return;
  }
  edtTo->SetFocus();
}

void TfrmBusMain::edtToKeyPress(TObject*, wchar_t& key) {
  if (key != kEnter) return;
  if (suggestions_->Enter(*edtTo)) {
    key = 0;
    return;
  }
  Panel4->Hide();
  Button1->Click();
}

// --- Banner, link, updater, tray menu ----------------------------------------------------------

void TfrmBusMain::Timer1Timer(TObject*) { Banner->Run(*Timer1, *BannerPlayer1); }
void TfrmBusMain::Label5MouseEnter(TObject*) { UnderlineLink(*Label5); }
void TfrmBusMain::Label5MouseLeave(TObject*) { PlainLink(*Label5); }
void TfrmBusMain::Label5Click(TObject*) { OpenWebSite(Handle()); }
void TfrmBusMain::SpeedButton2Click(TObject*) { StartUpdater(*this, appDirectory_); }
void TfrmBusMain::N1Click(TObject*) { TrayIcon1->RestoreMainWindow(); }
void TfrmBusMain::N2Click(TObject*) { TrayIcon1->HideMainWindow(); }
void TfrmBusMain::N4Click(TObject*) { Application->Terminate(); }

// A later start of the program asks for the window: what "显示" does, then to the front.
void TfrmBusMain::WndProc(TMessage& message) {
  if (message.Msg != app::TSingleInstance::ShowRequestMessage()) {
    TForm::WndProc(message);
    return;
  }
  N1Click(this);
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  SetForegroundWindow(Handle());
  message.Result = 1;
}

// --- Description and classes -------------------------------------------------------------------

std::string_view BusMainDescription() {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, kDescriptionResource, MAKEINTRESOURCEW(kRawDataResourceType));
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) throw Exception("the main window's description is missing from the program");
  return {static_cast<const char*>(data), size_t(SizeofResource(module, found))};
}

void RegisterBusMainClasses() {
  RegisterFrameworkClasses();
  RegisterGridClasses();
  RegisterTrayClasses();
  RegisterBannerClasses();
  RegisterSkinClasses();
}

}  // namespace bus
