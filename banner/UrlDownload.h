// One download through the platform's URL download service, run on a worker thread so that a
// server that accepts and never answers (the service then waits for good) or a dead host (minutes)
// cannot freeze the window's thread, and ended by a deadline of its own.
//
// The transfer goes to a scratch file beside the target ("<target>.download"). When it ends, the
// worker runs the caller's content check on it (the service reports success for an error page it
// saved too); only content that passes replaces the target, so a failed or refused download leaves
// the target as it was. Then the worker posts a message to the caller's window.
//
// When the deadline passes first, a watch thread settles the download as timed out and posts the
// message instead. The caller may give up at any time (Abandon, or destroying the object). From
// either moment on the worker neither touches the target nor posts anything, and removes its
// scratch file when the service finally returns. A worker still waiting when the process ends is
// ended with it. Whatever settles the download, the message is posted at most once.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace bus::banner {

enum class TDownloadResult {
  drPending,     // still running
  drDone,        // fetched, checked and in place
  drFailed,      // the service failed, or the file could not be put in place
  drRejected,    // fetched, but the content check refused it
  drTimedOut,    // the deadline passed first
  drAbandoned,   // given up by the caller before it ended
};

// How far the transfer has come, as the service reports it.
struct TDownloadProgress {
  std::uint64_t received = 0;  // bytes so far
  std::uint64_t total = 0;     // bytes announced by the server; 0 when it announced none
};

// How long a download may take when the caller names no deadline.
inline constexpr unsigned kDefaultDownloadDeadlineMs = 15000;

class TUrlDownload {
public:
  // Runs on the worker with the scratch file's path (UTF-8); true accepts the content. A check
  // that throws refuses it; the message of a bus::Exception it throws becomes RejectReason().
  using ContentCheck = std::function<bool(const std::string& path)>;

  // Starts fetching url to target (UTF-8 path); when it ends, or deadlineMs milliseconds have
  // passed, posts message (wParam 0, lParam 0) to window. Throws bus::Exception when no thread can
  // be started.
  TUrlDownload(const std::string& url, const std::string& target, ContentCheck check, HWND window, UINT message,
               unsigned deadlineMs = kDefaultDownloadDeadlineMs);
  ~TUrlDownload();
  TUrlDownload(const TUrlDownload&) = delete;
  TUrlDownload& operator=(const TUrlDownload&) = delete;

  // The outcome so far. After the message arrived it is final.
  TDownloadResult Result() const;
  // Gives up unless the download has already ended; returns the final result either way.
  TDownloadResult Abandon();
  // The transfer's progress so far (read from any thread).
  TDownloadProgress Progress() const;
  // Why the content check refused the content (drRejected), when it said.
  std::string RejectReason() const;

  struct Job;  // shared with the worker

private:
  std::shared_ptr<Job> job_;  // state shared with the worker and the watch threads
};

}  // namespace bus::banner
