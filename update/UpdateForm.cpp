#include "update/UpdateForm.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "banner/UrlDownload.h"
#include "core/AppDirectory.h"
#include "core/WideText.h"
#include "db/UpdateManifest.h"
#include "framework/ClassRegistry.h"
#include "framework/Properties.h"
#include "framework/controls/FrameworkClasses.h"
#include "framework/controls/ProgressBar.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/UtilWindow.h"
#include "update/RouteUpdater.h"
#include "update/UpdateMessages.h"

namespace bus {

namespace fs = std::filesystem;
using namespace update;

namespace {

constexpr UINT kStart = WM_APP + 1;      // posted once the window exists: the update begins
constexpr UINT kFetchEnded = WM_APP + 2;  // posted by the fetch when it ends or its deadline passes
constexpr UINT_PTR kProgressTimer = 1;   // refreshes the progress bar while the route file arrives
constexpr UINT kProgressInterval = 100;

// Set by SetOverrides; empty or 0: the defaults.
std::string& OverriddenAppDirectory() {
  static std::string dir;
  return dir;
}
unsigned& OverriddenDeadline() {
  static unsigned ms = 0;
  return ms;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

// A folder of its own under the user's temporary folder, removed with what it holds.
struct TfrmUpdate::Scratch {
  fs::path path;
  Scratch() {
    wchar_t temp[MAX_PATH + 1] = {};
    if (!GetTempPathW(MAX_PATH + 1, temp)) throw UpdateFailure(Unchanged(kNoScratchSpace));
    path = fs::path(temp) / ("BusSearch-update-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(GetTickCount64()));
    std::error_code ec;
    if (!fs::create_directories(path, ec)) throw UpdateFailure(Unchanged(kNoScratchSpace));
  }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(path, ec);  // a fetch given up may still hold its file: then the folder stays
  }
  std::string File(const char* name) const { return Narrow((path / name).wstring()); }
};

const TClassInfo& TfrmUpdate::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TfrmUpdate>("TfrmUpdate", TForm::StaticClassInfo()).Build();
  return info;
}

TfrmUpdate::TfrmUpdate(TComponent* owner) : TForm(owner) {
  deadlineMs_ = OverriddenDeadline() ? OverriddenDeadline() : kUpdateFetchDeadlineMs;
  appDirectory_ = OverriddenAppDirectory().empty() ? ExecutableDirectory() : OverriddenAppDirectory();
  window_ = std::make_unique<TUtilWindow>([this](TMessage& m) { return HandleMessage(m); }, this);
  PublishMethod("FormCreate", &TfrmUpdate::FormCreate);
  PublishMethod("FormClose", &TfrmUpdate::FormClose);
  PublishMethod("Button1Click", &TfrmUpdate::Button1Click);
  PublishField("Label1", &Label1);
  PublishField("ProgressBar1", &ProgressBar1);
  PublishField("Button1", &Button1);
}

TfrmUpdate::~TfrmUpdate() {
  if (window_) KillTimer(window_->Handle(), kProgressTimer);
  download_.reset();  // gives a running fetch up: its worker will not post to the window going now
}

void TfrmUpdate::SetOverrides(std::string appDirectory, unsigned deadlineMs) {
  OverriddenAppDirectory() = std::move(appDirectory);
  OverriddenDeadline() = deadlineMs;
}

std::string TfrmUpdate::StatusText() const { return Label1->Caption(); }

int TfrmUpdate::ExitCode() const noexcept {
  switch (state_) {
    case TUpdateState::usUpdated:
    case TUpdateState::usUpToDate: return 0;
    case TUpdateState::usFailed: return 1;
    default: return 2;
  }
}

void TfrmUpdate::FormCreate(TObject*) {
  SetCaption(std::string(kUpdateCaption));
  Button1->SetCaption(std::string(kCancelButton));
  Say(kFetchingManifest);
  // the work starts from the message loop, once the window is there to show it
  PostMessageW(window_->Handle(), kStart, 0, 0);
}

// Closing while the update runs is a cancel; the window then goes as usual.
void TfrmUpdate::FormClose(TObject*, TCloseAction&) {
  if (state_ == TUpdateState::usWorking) Finish(TUpdateState::usCancelled, Unchanged(kCancelled));
}

void TfrmUpdate::Button1Click(TObject*) {
  if (state_ == TUpdateState::usWorking) {
    Finish(TUpdateState::usCancelled, Unchanged(kCancelled));
  } else {
    Close();
  }
}

bool TfrmUpdate::HandleMessage(TMessage& m) {
  if (m.Msg == kStart) {
    Start();
    return true;
  }
  if (m.Msg == kFetchEnded) {
    Fetched();
    return true;
  }
  if (m.Msg == WM_TIMER && m.WParam == kProgressTimer) {
    ShowProgress();
    return true;
  }
  return false;
}

void TfrmUpdate::Start() {
  if (state_ != TUpdateState::usWorking || phase_ != Phase::phNone) return;
  try {
    updater_ = std::make_unique<RouteUpdater>(appDirectory_);
    scratch_ = std::make_unique<Scratch>();
    Fetch(updater_->ManifestUrl(), scratch_->File("manifest.txt"), Phase::phManifest, [](const std::string& path) {
      std::error_code ec;
      const auto size = fs::file_size(fs::path(Widen(path)), ec);
      return !ec && size <= db::kMaxManifestSize;
    });
  } catch (const UpdateFailure& e) {
    Finish(TUpdateState::usFailed, e.Message());
  }
}

void TfrmUpdate::Fetch(const std::string& url, const std::string& file, Phase phase,
                       std::function<bool(const std::string&)> check) {
  phase_ = phase;
  try {
    download_ = std::make_unique<banner::TUrlDownload>(url, file, std::move(check), window_->Handle(), kFetchEnded,
                                                       deadlineMs_);
  } catch (const Exception& e) {
    throw UpdateFailure(Unchanged(e.Message()));
  }
}

void TfrmUpdate::Fetched() {
  if (state_ != TUpdateState::usWorking || !download_) return;  // a message of a fetch given up
  try {
    switch (download_->Result()) {
      case banner::TDownloadResult::drPending:
      case banner::TDownloadResult::drAbandoned: return;
      case banner::TDownloadResult::drFailed: throw UpdateFailure(Unchanged(kNoConnection));
      case banner::TDownloadResult::drTimedOut: throw UpdateFailure(Unchanged(kNoAnswer));
      case banner::TDownloadResult::drRejected: {
        // the route file's check says why; a manifest too big to be one is no manifest
        const std::string reason = download_->RejectReason();
        throw UpdateFailure(!reason.empty() ? reason : Unchanged(kBadManifest));
      }
      case banner::TDownloadResult::drDone: break;
    }
    if (phase_ == Phase::phManifest) {
      ManifestArrived();
    } else {
      RoutesArrived();
    }
  } catch (const UpdateFailure& e) {
    Finish(TUpdateState::usFailed, e.Message());
  } catch (const Exception& e) {
    Finish(TUpdateState::usFailed, Unchanged(WriteFailedText(e.Message())));
  }
}

void TfrmUpdate::ManifestArrived() {
  if (updater_->TakeManifest(ReadText(fs::path(Widen(scratch_->File("manifest.txt"))))) ==
      TManifestVerdict::mvUpToDate) {
    Finish(TUpdateState::usUpToDate, UpToDateText(updater_->Version()));
    return;
  }
  Say(kFetchingRoutes);
  const db::UpdateManifest manifest = updater_->Manifest();
  Fetch(updater_->RouteFileUrl(), scratch_->File("routes.db"), Phase::phRoutes, [manifest](const std::string& path) {
    RouteUpdater::CheckRouteFile(fs::path(Widen(path)), manifest);
    return true;
  });
  SetTimer(window_->Handle(), kProgressTimer, kProgressInterval, nullptr);
}

void TfrmUpdate::RoutesArrived() {
  KillTimer(window_->Handle(), kProgressTimer);
  ProgressBar1->SetPosition(ProgressBar1->Max());
  Say(kApplying);
  Update();  // the words are seen while the database is written
  const size_t records = updater_->Apply(fs::path(Widen(scratch_->File("routes.db"))));
  Finish(TUpdateState::usUpdated, UpdatedText(updater_->Version(), records));
}

void TfrmUpdate::ShowProgress() {
  if (!download_ || phase_ != Phase::phRoutes || !updater_) return;
  const std::uint64_t expected = updater_->Manifest().size;
  const std::uint64_t received = std::min(download_->Progress().received, expected);
  ProgressBar1->SetPosition(int(received * std::uint64_t(ProgressBar1->Max()) / std::max<std::uint64_t>(expected, 1)));
}

void TfrmUpdate::Say(std::string_view text) { Label1->SetCaption(std::string(text)); }

void TfrmUpdate::Finish(TUpdateState state, std::string_view text) {
  KillTimer(window_->Handle(), kProgressTimer);
  download_.reset();  // a fetch still running is given up: nothing it brings is used
  scratch_.reset();
  updater_.reset();   // the database is closed
  state_ = state;
  phase_ = Phase::phNone;
  if (state != TUpdateState::usUpdated) ProgressBar1->SetPosition(ProgressBar1->Min());
  Say(text);
  Button1->SetCaption(std::string(kCloseButton));
}

std::string_view UpdateFormDescription() {
  return R"(
object frmUpdate: TfrmUpdate
  Left = 300
  Top = 200
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  ClientHeight = 118
  ClientWidth = 392
  Color = clBtnFace
  Font.Height = -12
  Font.Name = 'MS Sans Serif'
  Position = poScreenCenter
  Visible = True
  OnClose = FormClose
  OnCreate = FormCreate
  object Label1: TLabel
    Left = 14
    Top = 12
    Width = 364
    Height = 42
    AutoSize = False
    WordWrap = True
  end
  object ProgressBar1: TProgressBar
    Left = 14
    Top = 58
    Width = 364
    Height = 16
    Max = 100
    TabOrder = 1
  end
  object Button1: TButton
    Left = 303
    Top = 84
    Width = 75
    Height = 24
    Cancel = True
    Default = True
    TabOrder = 0
    OnClick = Button1Click
  end
end
)";
}

void RegisterUpdateClasses() {
  RegisterFrameworkClasses();
  RegisterClasses({&TfrmUpdate::StaticClassInfo()});
}

}  // namespace bus
