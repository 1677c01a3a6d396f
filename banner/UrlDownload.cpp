#include "banner/UrlDownload.h"

#include <objbase.h>
#include <urlmon.h>

#include <mutex>
#include <system_error>
#include <thread>

#include "core/Exception.h"
#include "core/WideText.h"
#include "framework/controls/ComApartment.h"

namespace bus::banner {

struct TUrlDownload::Job {
  std::wstring url;                 // what to fetch
  std::wstring target;              // where it goes once checked
  std::wstring scratch;             // where the service writes it
  ContentCheck check;               // decides whether the content is usable
  HWND window = nullptr;            // told when it ends
  UINT message = 0;                 // the message it is told with
  std::mutex mutex;                 // guards result and the target file
  TDownloadResult result = TDownloadResult::drPending;
};

namespace {

void Run(std::shared_ptr<TUrlDownload::Job> job) {
  JoinComApartment();  // left when this worker thread ends
  const HRESULT hr = URLDownloadToFileW(nullptr, job->url.c_str(), job->scratch.c_str(), 0, nullptr);
  bool accepted = false;
  if (SUCCEEDED(hr)) {
    try {
      accepted = job->check && job->check(Narrow(job->scratch));
    } catch (...) {
      accepted = false;  // a check that fails refuses the content
    }
  }
  {
    std::lock_guard<std::mutex> lock(job->mutex);
    if (job->result == TDownloadResult::drAbandoned) {
      DeleteFileW(job->scratch.c_str());
    } else {
      if (FAILED(hr)) {
        job->result = TDownloadResult::drFailed;
      } else if (!accepted) {
        job->result = TDownloadResult::drRejected;
      } else if (!MoveFileExW(job->scratch.c_str(), job->target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        job->result = TDownloadResult::drFailed;
      } else {
        job->result = TDownloadResult::drDone;
      }
      if (job->result != TDownloadResult::drDone) DeleteFileW(job->scratch.c_str());
      PostMessageW(job->window, job->message, 0, 0);
    }
  }
}

}  // namespace

TUrlDownload::TUrlDownload(const std::string& url, const std::string& target, ContentCheck check, HWND window,
                           UINT message)
    : job_(std::make_shared<Job>()) {
  job_->url = Widen(url);
  job_->target = Widen(target);
  job_->scratch = job_->target + L".download";
  job_->check = std::move(check);
  job_->window = window;
  job_->message = message;
  try {
    std::thread(Run, job_).detach();
  } catch (const std::system_error& e) {
    throw Exception(std::string("cannot start the download: ") + e.what());
  }
}

TUrlDownload::~TUrlDownload() { Abandon(); }

TDownloadResult TUrlDownload::Result() const {
  std::lock_guard<std::mutex> lock(job_->mutex);
  return job_->result;
}

TDownloadResult TUrlDownload::Abandon() {
  std::lock_guard<std::mutex> lock(job_->mutex);
  if (job_->result == TDownloadResult::drPending) job_->result = TDownloadResult::drAbandoned;
  return job_->result;
}

}  // namespace bus::banner
