#include "tests/support/LoopbackServer.h"

#include <ws2tcpip.h>

namespace bus::test {

namespace {

// true when s becomes readable within ms
bool Readable(SOCKET s, int ms) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval tv{ms / 1000, (ms % 1000) * 1000};
  return select(0, &set, nullptr, nullptr, &tv) > 0;
}

void SendAll(SOCKET s, const std::string& data) {
  size_t sent = 0;
  while (sent < data.size()) {
    const int n = send(s, data.data() + sent, int(data.size() - sent), 0);
    if (n <= 0) return;
    sent += size_t(n);
  }
}

}  // namespace

LoopbackServer::LoopbackServer(Mode mode, std::string path, std::string body) : mode_(mode) {
  if (!path.empty()) files_[path] = {std::move(body), std::string::npos};
  WSADATA wsa;
  WSAStartup(MAKEWORD(2, 2), &wsa);
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  listen(listener_, 8);
  int len = sizeof addr;
  getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { Loop(); });
}

LoopbackServer::~LoopbackServer() {
  stop_ = true;
  thread_.join();
  for (SOCKET s : held_) closesocket(s);
  closesocket(listener_);
  WSACleanup();
}

std::string LoopbackServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LoopbackServer::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void LoopbackServer::Serve(const std::string& path, std::string body, size_t holdAfter) {
  std::lock_guard<std::mutex> lock(mutex_);
  files_[path] = {std::move(body), holdAfter};
}

void LoopbackServer::Loop() {
  while (!stop_) {
    if (!Readable(listener_, 50)) continue;
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    ++connections_;
    if (mode_ == Mode::NeverAnswer) {
      held_.push_back(client);
      continue;
    }
    if (Answer(client)) {
      closesocket(client);
    } else {
      held_.push_back(client);
    }
  }
}

bool LoopbackServer::Answer(SOCKET client) {
  std::string request;
  char buffer[2048];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
    if (!Readable(client, 2000)) return true;
    const int n = recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) return true;
    request.append(buffer, size_t(n));
  }
  // "GET /path HTTP/1.1"
  const size_t start = request.find(' ') + 1, end = request.find(' ', start);
  const std::string path = request.substr(start, end - start);
  File file{"<html><body><h1>404 Not Found</h1></body></html>", std::string::npos};
  bool found = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(path);
    if (const auto it = files_.find(path); it != files_.end()) {
      file = it->second;
      found = true;
    }
  }
  const std::string head = std::string(found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n") +
                           "Content-Type: " + (found ? "application/octet-stream" : "text/html") + "\r\n" +
                           "Content-Length: " + std::to_string(file.body.size()) +
                           "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n";
  SendAll(client, head + file.body.substr(0, file.holdAfter));
  if (file.holdAfter < file.body.size()) return false;
  shutdown(client, SD_SEND);
  return true;
}

}  // namespace bus::test
