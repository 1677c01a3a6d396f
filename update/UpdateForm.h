// TfrmUpdate: the route database updater's one window, a small plain form of the widget layer: a
// line of text that says what is happening (and in the end what happened, or why nothing did), a
// progress bar, and a button that cancels the update while it runs and closes the window after.
//
// Shown, it runs the update by itself: RouteUpdater opens the database config.ini names; the
// manifest, then the route file it announces, are fetched on worker threads with a deadline
// (TUrlDownload), so the window stays responsive whatever the server does; the route file is
// checked on the worker against the manifest's size and digest; then its routes go into the
// database in one transaction. Every failure and the cancel leave the database as it was. Closing
// the window while the update runs cancels it first.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "framework/controls/Form.h"
#include "framework/controls/Messages.h"

namespace bus {

class TButton;
class TLabel;
class TProgressBar;
class TUtilWindow;

namespace banner {
class TUrlDownload;
}
namespace update {
class RouteUpdater;
}

enum class TUpdateState {
  usWorking,    // fetching or writing
  usUpdated,    // new routes are in the database
  usUpToDate,   // there was nothing newer
  usFailed,     // stopped by a failure; the database is as it was
  usCancelled,  // stopped by the user; the database is as it was
};

// How long the manifest and the route file may each take to arrive, unless set otherwise.
inline constexpr unsigned kUpdateFetchDeadlineMs = 60000;

class TfrmUpdate : public TForm {
  BUS_CLASS(TfrmUpdate)
public:
  explicit TfrmUpdate(TComponent* owner);
  ~TfrmUpdate() override;

  TUpdateState State() const noexcept { return state_; }
  // What the window says now.
  std::string StatusText() const;
  // The program's exit status for the state: 0 updated or up to date, 1 failed, 2 cancelled (or
  // still running).
  int ExitCode() const noexcept;

  // For windows created from now on: the directory taken as the program's (instead of the
  // executable's) and the fetch deadline. Empty text and 0 restore the defaults. The program
  // itself never calls this.
  static void SetOverrides(std::string appDirectory, unsigned deadlineMs);

  // --- Event handlers, named in the form description ------------------------------------
  void FormCreate(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void Button1Click(TObject* sender);

  // --- Components, set while the description is read ------------------------------------
  TLabel* Label1 = nullptr;              // what is happening, or what happened
  TProgressBar* ProgressBar1 = nullptr;  // how much of the route file has arrived
  TButton* Button1 = nullptr;            // "取消" while working, "关闭" after

private:
  enum class Phase { phNone, phManifest, phRoutes };

  bool HandleMessage(TMessage& m);
  void Start();
  void Fetch(const std::string& url, const std::string& file, Phase phase,
             std::function<bool(const std::string&)> check);
  void Fetched();
  void ManifestArrived();
  void RoutesArrived();
  void ShowProgress();
  void Say(std::string_view text);
  void Finish(TUpdateState state, std::string_view text);

  struct Scratch;  // the scratch folder for the fetched files

  TUpdateState state_ = TUpdateState::usWorking;      // how far it got
  Phase phase_ = Phase::phNone;                       // what is being fetched
  std::string appDirectory_;                          // where config.ini and the database are
  unsigned deadlineMs_;                               // longest wait for one fetch
  std::unique_ptr<Scratch> scratch_;                  // fetched files, removed at the end
  std::unique_ptr<update::RouteUpdater> updater_;     // the database and the steps
  std::unique_ptr<banner::TUrlDownload> download_;    // the fetch that runs
  std::unique_ptr<TUtilWindow> window_;               // the fetch's message, the progress timer
};

// The updater's form description.
std::string_view UpdateFormDescription();

// Registers every class the description names.
void RegisterUpdateClasses();

}  // namespace bus
