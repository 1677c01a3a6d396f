#include "banner/BannerSequence.h"

#include "banner/BannerPlayer.h"
#include "banner/MovieDecoder.h"
#include "core/ScopeExit.h"
#include "framework/Properties.h"
#include "framework/controls/Timer.h"
#include "framework/controls/UtilWindow.h"

namespace bus {

namespace {
constexpr UINT kFetchEnded = WM_APP + 1;  // posted when the download ends or its deadline passes
}  // namespace

const TClassInfo& TBannerSequence::StaticClassInfo() {
  static const TClassInfo info{"TBannerSequence", &TComponent::StaticClassInfo(), {}, {}};
  return info;
}

TBannerSequence::TBannerSequence(TComponent* owner)
    : TComponent(owner), deadlineMs_(kDefaultFetchDeadlineMs) {
  window_ = std::make_unique<TUtilWindow>([this](TMessage& m) { return HandleMessage(m); }, this);
}

TBannerSequence::~TBannerSequence() {
  download_.reset();  // gives the fetch up: its worker will not post to the window going now
}

void TBannerSequence::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == player_) player_ = nullptr;
}

void TBannerSequence::Run(TTimer& timer, TBannerPlayer& player) {
  timer.SetEnabled(false);
  if (state_ != TBannerState::bsWaiting) return;
  player_ = &player;
  player.FreeNotification(this);
  state_ = TBannerState::bsFetching;
  {
    // no worker: show what the last run left
    ScopeFailure showAnyway([this] { ShowBanner(banner::TDownloadResult::drFailed); });
    download_ = std::make_unique<banner::TUrlDownload>(
        url_, fileName_, [](const std::string& path) { return !banner::ReadMovieFile(path).Empty(); },
        window_->Handle(), kFetchEnded, deadlineMs_);
  }
}

bool TBannerSequence::HandleMessage(TMessage& m) {
  if (m.Msg == kFetchEnded && state_ == TBannerState::bsFetching && download_) {
    ShowBanner(download_->Result());
    return true;
  }
  return false;
}

void TBannerSequence::ShowBanner(banner::TDownloadResult result) {
  fetchResult_ = result;
  state_ = TBannerState::bsShown;
  if (player_) {
    player_->Show();
    player_->LoadMovie(0, fileName_);
    player_->Play();
  }
  OnShown(this);
}

}  // namespace bus
