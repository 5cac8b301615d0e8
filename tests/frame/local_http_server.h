// A small HTTP server on 127.0.0.1 for the download tests and the fuzz
// target: a thread accepts one connection at a time, reads the request head
// and lets a handler write whatever response it likes.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

class LocalHttpServer {
 public:
  using Handler = std::function<void(int fd, const std::string& request)>;

  explicit LocalHttpServer(Handler handler) : handler_(std::move(handler)) {
    listen_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof addr;
    if (listen_ < 0 || bind(listen_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        listen(listen_, 8) != 0 || getsockname(listen_, reinterpret_cast<sockaddr*>(&addr), &length) != 0)
      return;
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] { Run(); });
  }
  ~LocalHttpServer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (listen_ >= 0) close(listen_);
  }
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  int Port() const { return port_; }
  // Connections accepted.
  int Requests() const { return requests_; }
  bool Stopping() const { return stop_; }
  std::string LastRequest() {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastRequest_;
  }
  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

  static bool SendAll(int fd, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
      ssize_t sent = send(fd, p, size, MSG_NOSIGNAL);
      if (sent <= 0) return false;
      p += sent;
      size -= static_cast<size_t>(sent);
    }
    return true;
  }
  static bool SendAll(int fd, const std::string& text) { return SendAll(fd, text.data(), text.size()); }
  // Closing after this sends a reset instead of an orderly end.
  static void ResetOnClose(int fd) {
    linger l{1, 0};
    setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
  }
  // Waits until the client closes the connection, the server stops or
  // `limitMs` pass; false when the client is still there.
  bool WaitForClientClose(int fd, int limitMs) const {
    for (int waited = 0; waited < limitMs && !stop_; waited += 20) {
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 20) > 0) {
        char c;
        if (recv(fd, &c, 1, 0) <= 0) return true;
      }
    }
    return false;
  }

 private:
  void Run() {
    while (!stop_) {
      pollfd p{listen_, POLLIN, 0};
      if (poll(&p, 1, 20) <= 0) continue;
      int fd = accept(listen_, nullptr, nullptr);
      if (fd < 0) continue;
      ++requests_;  // every connection counts, even one that never sends a request head
      std::string request = ReadHead(fd);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        lastRequest_ = request;
      }
      handler_(fd, request);
      close(fd);
    }
  }
  // The request head, up to its blank line (at most 16 KiB, 2 s).
  std::string ReadHead(int fd) const {
    std::string head;
    for (int waited = 0; waited < 2000 && head.find("\r\n\r\n") == std::string::npos && head.size() < 16384;) {
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 20) <= 0) {
        waited += 20;
        continue;
      }
      char buffer[1024];
      ssize_t got = recv(fd, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      head.append(buffer, static_cast<size_t>(got));
    }
    return head;
  }

  Handler handler_;
  int listen_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> requests_{0};
  std::mutex mutex_;
  std::string lastRequest_;
  std::thread thread_;
};
