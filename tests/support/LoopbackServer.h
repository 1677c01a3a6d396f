// A tiny web server on 127.0.0.1 for the download tests, on a thread of the test process. It
// either answers every request (the files it serves with status 200, anything else 404 with an
// HTML page), or accepts connections and never answers (a hung server). A served file may also be
// held: its headers and first bytes are sent, then nothing more (a transfer that stalls). It
// stops, closing every connection, when it goes.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace bus::test {

class LoopbackServer {
public:
  enum class Mode { Answer, NeverAnswer };

  // Serves body at path (Answer mode).
  LoopbackServer(Mode mode, std::string path = {}, std::string body = {});
  // Serves body at path too; with holdAfter, sends only that many bytes of it and holds the
  // connection. Call before anything asks for it.
  void Serve(const std::string& path, std::string body, size_t holdAfter = std::string::npos);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int Port() const noexcept { return port_; }
  std::string Url(const std::string& path) const;
  // Connections accepted so far.
  int Connections() const noexcept { return connections_; }
  // Paths requested so far.
  std::vector<std::string> Requests() const;

private:
  struct File {
    std::string body;   // what it holds
    size_t holdAfter;   // bytes sent before the transfer stalls; npos: all
  };

  void Loop();
  // Answers client; false when the connection is to be held open.
  bool Answer(SOCKET client);

  Mode mode_;                          // answers or not
  std::map<std::string, File> files_;  // what exists, by path (guarded by mutex_)
  SOCKET listener_ = INVALID_SOCKET;   // bound to 127.0.0.1:port_
  int port_ = 0;                       // chosen by the system
  std::atomic<bool> stop_{false};      // ends the serving loop
  std::atomic<int> connections_{0};    // accepted so far
  mutable std::mutex mutex_;           // guards requests_ and files_
  std::vector<std::string> requests_;  // paths asked for
  std::vector<SOCKET> held_;           // connections never answered
  std::thread thread_;                 // the serving loop
};

}  // namespace bus::test
