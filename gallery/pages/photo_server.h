// The snapshot run's own picture server: a thread on 127.0.0.1 that answers
// every request with one generated JPEG portrait, until the object goes.
#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

class CPhotoServer {
 public:
  CPhotoServer();
  ~CPhotoServer();
  CPhotoServer(const CPhotoServer&) = delete;
  CPhotoServer& operator=(const CPhotoServer&) = delete;

  // "http://127.0.0.1:port" + path.
  std::string Address(const std::string& path) const;

 private:
  void Run();
  void Answer(int fd) const;

  std::vector<unsigned char> m_picture;
  int m_listen = -1;
  int m_port = 0;
  std::atomic<bool> m_stop{false};
  std::thread m_thread;
};
