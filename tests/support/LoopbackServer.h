// A tiny web server on 127.0.0.1 for the download tests, on a thread of the test process. It
// either answers every request (the file at one path with status 200, anything else 404 with an
// HTML page), or accepts connections and never answers (a hung server). It stops, closing every
// connection, when it goes.
#pragma once

#include <winsock2.h>

#include <atomic>
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
  void Serve();
  void Answer(SOCKET client);

  Mode mode_;                          // answers or not
  std::string path_;                   // the one path that exists
  std::string body_;                   // what it holds
  SOCKET listener_ = INVALID_SOCKET;   // bound to 127.0.0.1:port_
  int port_ = 0;                       // chosen by the system
  std::atomic<bool> stop_{false};      // ends the serving loop
  std::atomic<int> connections_{0};    // accepted so far
  mutable std::mutex mutex_;           // guards requests_
  std::vector<std::string> requests_;  // paths asked for
  std::vector<SOCKET> held_;           // connections never answered
  std::thread thread_;                 // the serving loop
};

}  // namespace bus::test
