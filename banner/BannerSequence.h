// The banner sequence the main window runs once, on the first tick of its banner timer: stop the
// timer, fetch the banner movie from the banner server into the banner file beside the program,
// then show the banner box, load the file into it and play it.
//
// The fetch runs on a worker thread with a deadline (TUrlDownload), so the window, its tray menu
// included, stays responsive however the server behaves. The rest of the sequence runs on the
// window's thread as soon as the fetch ends or the deadline passes, whichever comes first. A
// fetch that fails, times out, or brings content that is no playable image leaves the banner file
// as an earlier run left it (or missing): the box is shown anyway and plays that, or stays empty.
// An error of the player reaches the application's error report; there is no second attempt.
#pragma once

#include <memory>
#include <string>

#include "banner/UrlDownload.h"
#include "framework/Component.h"
#include "framework/controls/Messages.h"

namespace bus {

class TBannerPlayer;
class TTimer;
class TUtilWindow;

enum class TBannerState {
  bsWaiting,      // the timer has not ticked yet
  bsFetching,     // the download runs
  bsShown,        // the box is shown and the sequence is over
};

// How long the banner download may take, unless the owner says otherwise, before the banner box
// shows what it has.
inline constexpr unsigned kDefaultFetchDeadlineMs = banner::kDefaultDownloadDeadlineMs;

class TBannerSequence : public TComponent {
  BUS_CLASS(TBannerSequence)
public:
  explicit TBannerSequence(TComponent* owner);
  ~TBannerSequence() override;

  // The banner's source address. The owner sets it before the timer ticks.
  const std::string& Url() const noexcept { return url_; }
  void SetUrl(const std::string& url) { url_ = url; }
  // The banner file's full path (UTF-8). The owner sets it before the timer ticks.
  const std::string& FileName() const noexcept { return fileName_; }
  void SetFileName(const std::string& path) { fileName_ = path; }
  // Milliseconds the fetch may take (kDefaultFetchDeadlineMs unless set).
  unsigned Deadline() const noexcept { return deadlineMs_; }
  void SetDeadline(unsigned ms) noexcept { deadlineMs_ = ms; }

  // The timer's tick: disables timer and starts the sequence for player. Runs once; later calls
  // only disable the timer.
  void Run(TTimer& timer, TBannerPlayer& player);

  TBannerState State() const noexcept { return state_; }
  // How the fetch ended (drPending until it did; drTimedOut when the deadline passed).
  banner::TDownloadResult FetchResult() const noexcept { return fetchResult_; }

  TNotifyEvent OnShown;  // after the box was shown and the movie started

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  bool HandleMessage(TMessage& m);
  void ShowBanner(banner::TDownloadResult result);

  std::string url_;                              // banner source
  std::string fileName_;                         // banner file
  unsigned deadlineMs_;                          // longest wait for the fetch
  TBannerState state_ = TBannerState::bsWaiting; // progress
  banner::TDownloadResult fetchResult_ = banner::TDownloadResult::drPending;  // how the fetch ended
  TBannerPlayer* player_ = nullptr;              // the box; null if it went first
  std::unique_ptr<TUtilWindow> window_;          // gets the fetch's message
  std::unique_ptr<banner::TUrlDownload> download_;  // the fetch while it runs
};

}  // namespace bus
