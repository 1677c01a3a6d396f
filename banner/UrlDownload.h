// One download through the platform's URL download service, run on a worker thread so that a
// server that accepts and never answers (the service then waits for good) or a dead host (minutes)
// cannot freeze the window's thread.
//
// The transfer goes to a scratch file beside the target ("<target>.download"). When it ends, the
// worker runs the caller's content check on it (the service reports success for an error page it
// saved too); only content that passes replaces the target, so a failed or refused download leaves
// the target as it was. Then the worker posts a message to the caller's window.
//
// The caller may give up at any time (Abandon, or destroying the object): from then on the worker
// neither touches the target nor posts anything, and removes its scratch file when the service
// finally returns. A worker still waiting when the process ends is ended with it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace bus::banner {

enum class TDownloadResult {
  drPending,     // still running
  drDone,        // fetched, checked and in place
  drFailed,      // the service failed, or the file could not be put in place
  drRejected,    // fetched, but the content check refused it
  drAbandoned,   // given up before it ended
};

class TUrlDownload {
public:
  // Runs on the worker with the scratch file's path (UTF-8); true accepts the content.
  using ContentCheck = std::function<bool(const std::string& path)>;

  // Starts fetching url to target (UTF-8 path); when it ends, posts message (wParam 0, lParam 0)
  // to window. Throws bus::Exception when no thread can be started.
  TUrlDownload(const std::string& url, const std::string& target, ContentCheck check, HWND window, UINT message);
  ~TUrlDownload();
  TUrlDownload(const TUrlDownload&) = delete;
  TUrlDownload& operator=(const TUrlDownload&) = delete;

  // The outcome so far. After the message arrived it is final.
  TDownloadResult Result() const;
  // Gives up unless the download has already ended; returns the final result either way.
  TDownloadResult Abandon();

  struct Job;  // shared with the worker

private:
  std::shared_ptr<Job> job_;  // state shared with the worker thread
};

}  // namespace bus::banner
