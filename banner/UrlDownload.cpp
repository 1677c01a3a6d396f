#include "banner/UrlDownload.h"

#include <objbase.h>
#include <urlmon.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
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
  std::atomic<std::uint64_t> received{0};  // progress reported by the service
  std::atomic<std::uint64_t> total{0};     // size announced by the server
  std::mutex mutex;                 // guards result, reason and the target file
  std::condition_variable settled;  // signalled when result leaves drPending
  TDownloadResult result = TDownloadResult::drPending;
  std::string reason;               // why the check refused the content
};

namespace {

// Hears the service's progress reports; tells it to stop once nobody waits for the transfer.
class ProgressListener : public IBindStatusCallback {
public:
  explicit ProgressListener(TUrlDownload::Job& job) : job_(job) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IBindStatusCallback) {
      *out = static_cast<IBindStatusCallback*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // lives on the worker's stack for the one call that uses it
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progressMax, ULONG, LPCWSTR) override {
    job_.received = progress;
    job_.total = progressMax;
    std::lock_guard<std::mutex> lock(job_.mutex);
    return job_.result == TDownloadResult::drPending ? S_OK : E_ABORT;
  }
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD*, BINDINFO*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

private:
  TUrlDownload::Job& job_;  // where the progress goes
};

// Settles a pending job with result and tells the caller. Call with job.mutex held.
void Settle(TUrlDownload::Job& job, TDownloadResult result) {
  job.result = result;
  job.settled.notify_all();
  PostMessageW(job.window, job.message, 0, 0);
}

void Run(std::shared_ptr<TUrlDownload::Job> job) {
  JoinComApartment();  // left when this worker thread ends
  ProgressListener listener(*job);
  const HRESULT hr = URLDownloadToFileW(nullptr, job->url.c_str(), job->scratch.c_str(), 0, &listener);
  bool accepted = false;
  std::string reason;
  if (SUCCEEDED(hr)) {
    try {
      accepted = job->check && job->check(Narrow(job->scratch));
    } catch (const Exception& e) {
      reason = e.Message();  // a check that fails refuses the content
    } catch (...) {
    }
  }
  std::lock_guard<std::mutex> lock(job->mutex);
  if (job->result != TDownloadResult::drPending) {
    DeleteFileW(job->scratch.c_str());  // too late: nobody waits for it
    return;
  }
  TDownloadResult result = TDownloadResult::drDone;
  if (FAILED(hr)) {
    result = TDownloadResult::drFailed;
  } else if (!accepted) {
    result = TDownloadResult::drRejected;
    job->reason = reason;
  } else if (!MoveFileExW(job->scratch.c_str(), job->target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    result = TDownloadResult::drFailed;
  }
  if (result != TDownloadResult::drDone) DeleteFileW(job->scratch.c_str());
  Settle(*job, result);
}

// Waits for the job to settle; when the deadline passes first, settles it as timed out.
void Watch(std::shared_ptr<TUrlDownload::Job> job, unsigned deadlineMs) {
  std::unique_lock<std::mutex> lock(job->mutex);
  if (!job->settled.wait_for(lock, std::chrono::milliseconds(deadlineMs),
                             [&] { return job->result != TDownloadResult::drPending; }))
    Settle(*job, TDownloadResult::drTimedOut);
}

}  // namespace

TUrlDownload::TUrlDownload(const std::string& url, const std::string& target, ContentCheck check, HWND window,
                           UINT message, unsigned deadlineMs)
    : job_(std::make_shared<Job>()) {
  job_->url = Widen(url);
  job_->target = Widen(target);
  job_->scratch = job_->target + L".download";
  job_->check = std::move(check);
  job_->window = window;
  job_->message = message;
  try {
    std::thread(Watch, job_, deadlineMs).detach();
    std::thread(Run, job_).detach();
  } catch (const std::system_error& e) {
    Abandon();  // ends a watch thread that did start
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
  if (job_->result == TDownloadResult::drPending) {
    job_->result = TDownloadResult::drAbandoned;
    job_->settled.notify_all();  // the watch thread ends without a word
  }
  return job_->result;
}

TDownloadProgress TUrlDownload::Progress() const { return {job_->received.load(), job_->total.load()}; }

std::string TUrlDownload::RejectReason() const {
  std::lock_guard<std::mutex> lock(job_->mutex);
  return job_->reason;
}

}  // namespace bus::banner
