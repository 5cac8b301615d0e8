// Arbitrary HTTP responses (status line, headers, body) through the picture
// download's transfer (the part under the wait cursor and the message): a server thread on 127.0.0.1 answers every request with the
// input's bytes and closes, and the client decodes whatever it accepts. The
// first byte's lowest bit picks the address's ending (JPEG or BMP).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>

#include "frame/image_download.h"
#include "frame/image_fetch_internal.h"
#include "local_http_server.h"

namespace {

std::mutex g_mutex;
std::string g_response;

LocalHttpServer& Server() {
  static LocalHttpServer server([](int fd, const std::string&) {
    std::string response;
    {
      std::lock_guard<std::mutex> lock(g_mutex);
      response = g_response;
    }
    LocalHttpServer::SendAll(fd, response);
  });
  return server;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Every response ends when the server closes; short limits only guard
  // against a mistake in that.
  setenv("NBUI_DOWNLOAD_TIMEOUTS", "1000,3000,2", 1);
  unsetenv("http_proxy");
  unsetenv("HTTP_PROXY");
  unsetenv("ALL_PROXY");
  unsetenv("all_proxy");
  Server();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_response.assign(reinterpret_cast<const char*>(data) + 1, size - 1);
  }
  bool bmp = data[0] & 1;
  std::string url = Server().Url(bmp ? "/p.bmp" : "/p.jpg");
  UINT error = 0;
  std::unique_ptr<CxImage> image(NbFetchImage(url.c_str(), bmp ? CXIMAGE_FORMAT_BMP : CXIMAGE_FORMAT_JPG, error));
  if (!image && error == 0) abort();  // a failure must name its stage
  if (image && image->IsValid()) {
    unsigned char* buffer = nullptr;
    long encoded = 0;
    if (NbEncodeJPEG(image.get(), buffer, encoded)) CxImage::FreeMemory(buffer);
  }
  return 0;
}
