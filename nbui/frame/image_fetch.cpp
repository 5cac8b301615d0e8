// The picture download over libcurl. The stages keep the three messages the
// user knows: the session could not start (14000), the address or the
// connection failed before any response (14001), or the response is not a
// whole picture (14002).
#include "frame/image_fetch_internal.h"

#include <curl/curl.h>
#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "resources/resource_ids.h"

namespace {

// A picture larger than this is refused rather than held in memory.
constexpr curl_off_t kMaxBody = 32 * 1024 * 1024;

struct Limits {
  long connectMs = 10000;
  long totalMs = 60000;
  long lowSpeedBytes = 1024;  // per second
  long lowSpeedSeconds = 15;
};

// NBUI_DOWNLOAD_TIMEOUTS="connect_ms,total_ms,low_speed_seconds" shortens the
// time-outs for the tests and the fuzz target; values that are not all
// positive leave the defaults.
Limits ReadLimits() {
  Limits limits;
  const char* text = getenv("NBUI_DOWNLOAD_TIMEOUTS");
  long connect = 0, total = 0, lowSpeed = 0;
  if (text && sscanf(text, "%ld,%ld,%ld", &connect, &total, &lowSpeed) == 3 && connect > 0 && total > 0 &&
      lowSpeed > 0) {
    limits.connectMs = connect;
    limits.totalMs = total;
    limits.lowSpeedSeconds = lowSpeed;
  }
  return limits;
}

}  // namespace

DWORD NbImageFormatFromAddress(const char* url) {
  if (!url) return 0;
  size_t length = strlen(url);
  if (length < 3) return 0;
  const char* ending = url + length - 3;
  if (strcasecmp(ending, "jpg") == 0) return CXIMAGE_FORMAT_JPG;
  if (strcasecmp(ending, "bmp") == 0) return CXIMAGE_FORMAT_BMP;
  return 0;
}

namespace {

struct CurlDeleter {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
template <typename T>
using CurlPtr = std::unique_ptr<T, CurlDeleter>;

// A parsed http or https address with a host, or null.
CurlPtr<CURLU> ParseAddress(const char* url) {
  CurlPtr<CURLU> parsed(curl_url());
  if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url, 0) != CURLUE_OK) return nullptr;
  char* scheme = nullptr;
  char* host = nullptr;
  bool ok = curl_url_get(parsed.get(), CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
            curl_url_get(parsed.get(), CURLUPART_HOST, &host, 0) == CURLUE_OK && host[0] != '\0' &&
            (strcmp(scheme, "http") == 0 || strcmp(scheme, "https") == 0);
  curl_free(scheme);
  curl_free(host);
  return ok ? std::move(parsed) : nullptr;
}

struct Body {
  CURL* curl;
  std::vector<BYTE> bytes;
  bool refused = false;  // status or length not acceptable
};

// A response is taken only with status 200 and a Content-Length within the cap.
bool ResponseAcceptable(CURL* curl) {
  long status = 0;
  curl_off_t length = -1;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
  return status == 200 && length >= 0 && length <= kMaxBody;
}

// Content-Length must be plain digits; libcurl alone would take the number
// at the start of "12abc".
size_t CheckHeader(char* data, size_t size, size_t count, void* user) {
  auto* body = static_cast<Body*>(user);
  size_t n = size * count;
  std::string_view line(data, n);
  constexpr std::string_view kName = "content-length:";
  if (line.size() > kName.size() && strncasecmp(line.data(), kName.data(), kName.size()) == 0) {
    line.remove_prefix(kName.size());
    size_t first = line.find_first_not_of(" \t");
    size_t last = line.find_last_not_of(" \t\r\n");
    std::string_view value = first == std::string_view::npos ? "" : line.substr(first, last - first + 1);
    if (value.empty() || value.find_first_not_of("0123456789") != std::string_view::npos) {
      body->refused = true;
      return 0;
    }
  }
  return n;
}

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
  auto* body = static_cast<Body*>(user);
  size_t n = size * count;
  if (body->bytes.empty()) {
    if (!ResponseAcceptable(body->curl)) {
      body->refused = true;
      return CURL_WRITEFUNC_ERROR;
    }
    curl_off_t length = 0;
    curl_easy_getinfo(body->curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    body->bytes.reserve(static_cast<size_t>(length));
  }
  if (body->bytes.size() + n > static_cast<size_t>(kMaxBody)) {
    body->refused = true;
    return CURL_WRITEFUNC_ERROR;
  }
  body->bytes.insert(body->bytes.end(), data, data + n);
  return n;
}

void SetOptions(CURL* curl, CURLU* address, curl_slist* headers, Body* body) {
  Limits limits = ReadLimits();
  curl_easy_setopt(curl, CURLOPT_CURLU, address);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "Wendle");
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limits.connectMs);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, limits.totalMs);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, limits.lowSpeedBytes);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, limits.lowSpeedSeconds);
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, kMaxBody);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, body);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, CheckHeader);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, body);
}

}  // namespace

CxImage* NbFetchImage(const char* url, DWORD format, UINT& error) {
  CurlPtr<CURL> curl(curl_easy_init());
  if (!curl) {
    error = IDS_NB_NO_CONNECTION;
    return nullptr;
  }
  CurlPtr<CURLU> address = ParseAddress(url);
  if (!address) {
    error = IDS_NB_BAD_URL;
    return nullptr;
  }
  // Neither the server nor a proxy between may answer from a cache.
  curl_slist* list = curl_slist_append(nullptr, "Pragma: no-cache");
  CurlPtr<curl_slist> headers(list ? curl_slist_append(list, "Cache-Control: no-cache") : nullptr);
  if (!headers) {
    curl_slist_free_all(list);
    error = IDS_NB_NO_CONNECTION;
    return nullptr;
  }
  Body body{curl.get(), {}, false};
  SetOptions(curl.get(), address.get(), headers.get(), &body);
  CURLcode result = curl_easy_perform(curl.get());
  long status = 0;
  curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
  // An empty body never reaches the write callback, so the response is
  // checked here as well.
  if (result != CURLE_OK || body.refused || !ResponseAcceptable(curl.get())) {
    error = (status == 0 && !body.refused) ? IDS_NB_BAD_URL : IDS_NB_CORRUPT_IMAGE;
    return nullptr;
  }
  return new (std::nothrow) CxImage(body.bytes.data(), static_cast<DWORD>(body.bytes.size()), format);
}
