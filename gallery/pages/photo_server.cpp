#include "pages/photo_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "CxImage/cximage.h"

namespace {

// A portrait: a warm background, a round face and shoulders.
std::vector<unsigned char> Portrait() {
  CxImage image;
  image.Create(96, 120, 24);
  for (long y = 0; y < 120; ++y)
    for (long x = 0; x < 96; ++x) {
      long dx = x - 48, dy = y - 44, sx = x - 48, sy = y - 130;
      bool face = dx * dx + dy * dy < 24 * 24;
      bool shoulders = sx * sx / 2 + sy * sy < 52 * 52;
      RGBQUAD c = face ? RGBQUAD{150, 190, 240, 255} : shoulders ? RGBQUAD{140, 80, 40, 255} : RGBQUAD{200, 230, 250, 255};
      image.SetPixelColor(x, y, c);
    }
  BYTE* buffer = nullptr;
  long size = 0;
  std::vector<unsigned char> bytes;
  if (image.Encode(buffer, size, CXIMAGE_FORMAT_JPG)) bytes.assign(buffer, buffer + size);
  CxImage::FreeMemory(buffer);
  return bytes;
}

void SendAll(int fd, const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t sent = send(fd, p, size, MSG_NOSIGNAL);
    if (sent <= 0) return;
    p += sent;
    size -= static_cast<size_t>(sent);
  }
}

}  // namespace

CPhotoServer::CPhotoServer() : m_picture(Portrait()) {
  m_listen = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof addr;
  if (m_listen < 0 || bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      listen(m_listen, 4) != 0 || getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &length) != 0)
    return;
  m_port = ntohs(addr.sin_port);
  m_thread = std::thread([this] { Run(); });
}

CPhotoServer::~CPhotoServer() {
  m_stop = true;
  if (m_thread.joinable()) m_thread.join();
  if (m_listen >= 0) close(m_listen);
}

std::string CPhotoServer::Address(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

void CPhotoServer::Run() {
  while (!m_stop) {
    pollfd p{m_listen, POLLIN, 0};
    if (poll(&p, 1, 20) <= 0) continue;
    int fd = accept(m_listen, nullptr, nullptr);
    if (fd < 0) continue;
    Answer(fd);
    close(fd);
  }
}

void CPhotoServer::Answer(int fd) const {
  // The request head, read up to its blank line (at most 8 KiB, 2 s).
  std::string head;
  for (int waited = 0; waited < 2000 && head.find("\r\n\r\n") == std::string::npos && head.size() < 8192;) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 20) <= 0) {
      waited += 20;
      continue;
    }
    char buffer[1024];
    ssize_t got = recv(fd, buffer, sizeof buffer, 0);
    if (got <= 0) return;
    head.append(buffer, static_cast<size_t>(got));
  }
  std::string reply = "HTTP/1.0 200 OK\r\nContent-Type: image/jpeg\r\nContent-Length: " +
                      std::to_string(m_picture.size()) + "\r\n\r\n";
  SendAll(fd, reply.data(), reply.size());
  SendAll(fd, m_picture.data(), m_picture.size());
}
