// The picture download against a server on 127.0.0.1 started by the test,
// and the JPEG encoder's retry for palette images.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "frame/image_download.h"
#include "library_test_env.h"
#include "local_http_server.h"
#include "mfc/app.h"
#include "nbp/headless.h"

namespace {

using Bytes = std::vector<BYTE>;

// A small picture with a different color in each quarter.
CxImage Picture(WORD bpp) {
  CxImage image;
  EXPECT_TRUE(image.Create(16, 12, bpp));
  for (long y = 0; y < 12; ++y)
    for (long x = 0; x < 16; ++x)
      image.SetPixelColor(x, y, RGBQUAD{40, BYTE(y < 6 ? 200 : 0), BYTE(x < 8 ? 255 : 0), 255});
  return image;
}

Bytes Encoded(CxImage image, DWORD format) {
  BYTE* buffer = nullptr;
  long size = 0;
  EXPECT_TRUE(image.Encode(buffer, size, format));
  Bytes bytes(buffer, buffer + size);
  CxImage::FreeMemory(buffer);
  return bytes;
}

std::string Head(const std::string& length, const std::string& status = "200 OK") {
  std::string head = "HTTP/1.0 " + status + "\r\nContent-Type: image/jpeg\r\n";
  if (!length.empty()) head += "Content-Length: " + length + "\r\n";
  return head + "\r\n";
}

void Serve(int fd, const std::string& head, const Bytes& body, size_t count) {
  LocalHttpServer::SendAll(fd, head);
  LocalHttpServer::SendAll(fd, body.data(), std::min(count, body.size()));
}

const char* const kNoConnection = "Could not connect to the internet";
const char* const kBadUrl = "The URL address is not valid";
const char* const kCorrupt = "The image is corrupt";

class ImageDownloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    nbtest::QuietLibraryEnvironment();
    for (const char* proxy : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "ALL_PROXY", "all_proxy"})
      unsetenv(proxy);
    // Short time-outs: connect 2 s, whole transfer 3 s, stalled for 1 s.
    setenv("NBUI_DOWNLOAD_TIMEOUTS", "2000,3000,1", 1);
  }
  void TearDown() override {
    unsetenv("NBUI_DOWNLOAD_TIMEOUTS");
    nbp::clock::Unpin();
  }
  const std::vector<nbp::MessageBoxRequest>& Boxes() { return nbp::Headless()->MessageBoxes(); }
  // Downloads with messages on; expects a failure shown as `message`.
  void ExpectFailure(const std::string& url, const char* message) {
    size_t before = Boxes().size();
    std::unique_ptr<CxImage> image(NBDownloadURLImage(url.c_str(), 0));
    EXPECT_EQ(image, nullptr) << url;
    ASSERT_EQ(Boxes().size(), before + 1) << url;
    EXPECT_EQ(Boxes().back().text, message) << url;
    EXPECT_EQ(Boxes().back().type & MB_ICONMASK, UINT(MB_ICONEXCLAMATION));
    EXPECT_EQ(app_.WaitCursorCount(), 0);
  }

  CWinApp app_{"Download test"};
  Bytes jpeg_ = Encoded(Picture(24), CXIMAGE_FORMAT_JPG);
  Bytes bmp_ = Encoded(Picture(24), CXIMAGE_FORMAT_BMP);
};

TEST_F(ImageDownloadTest, GoodJpegAndBmpWithTheRequestTheServerSees) {
  int cursorDuring = -1;
  LocalHttpServer server([&](int fd, const std::string& request) {
    cursorDuring = app_.WaitCursorCount();
    const Bytes& body = request.find("BMP") == std::string::npos ? jpeg_ : bmp_;
    Serve(fd, Head(std::to_string(body.size())), body, body.size());
  });
  std::unique_ptr<CxImage> jpeg(NBDownloadURLImage(server.Url("/pics/face.jpg").c_str(), 0));
  ASSERT_NE(jpeg, nullptr);
  EXPECT_TRUE(jpeg->IsValid());
  EXPECT_EQ(jpeg->GetType(), DWORD(CXIMAGE_FORMAT_JPG));
  EXPECT_EQ(jpeg->GetWidth(), 16u);
  EXPECT_EQ(jpeg->GetHeight(), 12u);
  EXPECT_NEAR(jpeg->GetPixelColor(2, 10).rgbRed, 255, 24);  // bottom-left quarter: red
  EXPECT_EQ(cursorDuring, 1);
  EXPECT_EQ(app_.WaitCursorCount(), 0);
  std::string request = server.LastRequest();
  EXPECT_EQ(request.rfind("GET /pics/face.jpg HTTP/1.0\r\n", 0), 0u) << request;
  EXPECT_NE(request.find("User-Agent: Wendle\r\n"), std::string::npos) << request;
  EXPECT_NE(request.find("Pragma: no-cache\r\n"), std::string::npos) << request;

  // The ending in capitals, and a query-free path with several parts.
  std::unique_ptr<CxImage> bmp(NBDownloadURLImage(server.Url("/a/b/PHOTO.BMP").c_str(), 0));
  ASSERT_NE(bmp, nullptr);
  EXPECT_TRUE(bmp->IsValid());
  EXPECT_EQ(bmp->GetType(), DWORD(CXIMAGE_FORMAT_BMP));
  EXPECT_EQ(bmp->GetPixelColor(12, 2).rgbGreen, 200);
  EXPECT_EQ(bmp->GetPixelColor(12, 2).rgbRed, 0);
  EXPECT_EQ(bmp->GetPixelColor(12, 2).rgbBlue, 40);
  EXPECT_EQ(server.LastRequest().rfind("GET /a/b/PHOTO.BMP HTTP/1.0\r\n", 0), 0u);
  std::unique_ptr<CxImage> upperJpeg(NBDownloadURLImage(server.Url("/x.JpG").c_str(), 0));
  ASSERT_NE(upperJpeg, nullptr);
  EXPECT_EQ(upperJpeg->GetType(), DWORD(CXIMAGE_FORMAT_JPG));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ImageDownloadTest, UnsupportedEndingsNeverReachTheServerNorTheUser) {
  LocalHttpServer server([&](int fd, const std::string&) { Serve(fd, Head("3"), jpeg_, 3); });
  for (std::string path : {"/a.png", "/a.gif", "/a.jpeg", "/jpg/", "/a.jpg?x=1"})
    EXPECT_EQ(NBDownloadURLImage(server.Url(path).c_str(), 0), nullptr) << path;
  EXPECT_EQ(NBDownloadURLImage("pg", 0), nullptr);
  EXPECT_EQ(NBDownloadURLImage("", 0), nullptr);
  EXPECT_EQ(NBDownloadURLImage(nullptr, 0), nullptr);
  EXPECT_EQ(server.Requests(), 0);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(app_.WaitCursorCount(), 0);
}

TEST_F(ImageDownloadTest, BadAddressesRefusedAndUnreachableServersFailAsAddressErrors) {
  LocalHttpServer server([&](int fd, const std::string&) { Serve(fd, Head(""), jpeg_, 0); });
  std::string port = std::to_string(server.Port());
  std::vector<std::string> bad = {"http:///a.jpg", "jpg", "ftp://127.0.0.1:" + port + "/a.jpg",
                                  "127.0.0.1:" + port + "/a.jpg", "http://127.0.0.1:99999/a.jpg", "file:///tmp/a.jpg",
                                  "http:// spaced host/a.jpg"};
  for (const std::string& url : bad)
    ExpectFailure(url, kBadUrl);
  EXPECT_EQ(server.Requests(), 0);
  // https is taken, and a server that answers without TLS fails the handshake.
  ExpectFailure("https://127.0.0.1:" + port + "/a.jpg", kBadUrl);
  EXPECT_EQ(server.Requests(), 1);

  // A port where nothing listens: bound, then closed.
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof addr;
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ASSERT_EQ(getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &length), 0);
  close(fd);
  ExpectFailure("http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) + "/a.jpg", kBadUrl);
  ExpectFailure("http://no-such-host.invalid/a.jpg", kBadUrl);
  EXPECT_STRNE(kNoConnection, kBadUrl);
}

TEST_F(ImageDownloadTest, ContentLengthMissingFalseHugeOrNegative) {
  std::string length;
  size_t sent = 0;
  LocalHttpServer server([&](int fd, const std::string&) { Serve(fd, Head(length), jpeg_, sent); });
  std::string url = server.Url("/p.jpg");
  auto serve = [&](std::string declared, size_t count) {
    length = std::move(declared);
    sent = count;
  };
  serve("", jpeg_.size());
  ExpectFailure(url, kCorrupt);
  serve(std::to_string(jpeg_.size() + 500), jpeg_.size());  // promises more than it sends
  ExpectFailure(url, kCorrupt);
  for (std::string declared : {"33554433", "99999999999999999999999", "-5", "12abc", "abc"}) {
    serve(declared, jpeg_.size());
    ExpectFailure(url, kCorrupt);
  }

  // Declared shorter than the picture: only the declared bytes are decoded.
  serve(std::to_string(jpeg_.size() / 2), jpeg_.size());
  size_t boxes = Boxes().size();
  std::unique_ptr<CxImage> cut(NBDownloadURLImage(url.c_str(), 0));
  ASSERT_NE(cut, nullptr);
  EXPECT_FALSE(cut->IsValid());
  EXPECT_EQ(Boxes().size(), boxes);
}

TEST_F(ImageDownloadTest, TrailingBytesPastTheDeclaredLengthAreIgnored) {
  Bytes padded = bmp_;
  padded.insert(padded.end(), 300, 0xAB);
  LocalHttpServer server(
      [&](int fd, const std::string&) { Serve(fd, Head(std::to_string(bmp_.size())), padded, padded.size()); });
  std::unique_ptr<CxImage> image(NBDownloadURLImage(server.Url("/p.bmp").c_str(), 1));
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(image->IsValid());
  EXPECT_EQ(image->GetWidth(), 16u);
}

TEST_F(ImageDownloadTest, ErrorStatusAndResetMidBody) {
  bool reset = false;
  LocalHttpServer server([&](int fd, const std::string&) {
    if (!reset) {
      std::string html = "<html><body>Not here</body></html>";
      LocalHttpServer::SendAll(fd, Head(std::to_string(html.size()), "404 Not Found") + html);
      return;
    }
    Serve(fd, Head(std::to_string(jpeg_.size())), jpeg_, jpeg_.size() / 2);
    LocalHttpServer::ResetOnClose(fd);
  });
  ExpectFailure(server.Url("/missing.jpg"), kCorrupt);
  reset = true;
  ExpectFailure(server.Url("/reset.jpg"), kCorrupt);
}

TEST_F(ImageDownloadTest, EndlessAndStalledBodiesEndWithAnError) {
  bool stall = false;
  LocalHttpServer server([&](int fd, const std::string&) {
    LocalHttpServer::SendAll(fd, Head("30000000"));
    if (stall) {
      LocalHttpServer::SendAll(fd, jpeg_.data(), 100);
      server.WaitForClientClose(fd, 30000);
      return;
    }
    // Fast enough for the low-speed rule; only the overall time-out ends it.
    Bytes chunk(4096, 0x55);
    for (int i = 0; i < 3000 && !server.Stopping(); ++i) {
      if (!LocalHttpServer::SendAll(fd, chunk.data(), chunk.size())) break;
      usleep(10000);
    }
  });
  ExpectFailure(server.Url("/endless.jpg"), kCorrupt);
  stall = true;
  ExpectFailure(server.Url("/stall.jpg"), kCorrupt);
}

TEST_F(ImageDownloadTest, QuietFlagSilencesFailuresOnly) {
  LocalHttpServer server([&](int fd, const std::string&) { Serve(fd, Head(""), jpeg_, jpeg_.size()); });
  EXPECT_EQ(NBDownloadURLImage(server.Url("/p.jpg").c_str(), 1), nullptr);
  EXPECT_EQ(NBDownloadURLImage("http://", 7), nullptr);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(app_.WaitCursorCount(), 0);
  ExpectFailure(server.Url("/p.jpg"), kCorrupt);
}

// NbEncodeJPEG: grey palettes and color images encode as they are; color
// palettes are raised to 24 bits and encoded again.
int EncodeAndCheck(CxImage& image) {
  unsigned char* buffer = reinterpret_cast<unsigned char*>(1);
  long size = -1;
  int result = NbEncodeJPEG(&image, buffer, size);
  if (result) {
    CxImage back(buffer, static_cast<DWORD>(size), CXIMAGE_FORMAT_JPG);
    EXPECT_TRUE(back.IsValid());
    EXPECT_EQ(back.GetWidth(), image.GetWidth());
    CxImage::FreeMemory(buffer);
  } else {
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(size, 0);
  }
  return result;
}

TEST(NbEncodeJpegTest, PaletteImagesRetriedAtTwentyFourBits) {
  CxImage grey = Picture(8);
  for (int i = 0; i < 256; ++i) grey.SetPaletteColor(BYTE(i), RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0});
  EXPECT_EQ(EncodeAndCheck(grey), 1);
  EXPECT_EQ(grey.GetBpp(), 8);  // encoded as grey, not raised

  for (WORD bpp : {4, 8}) {
    CxImage color;
    ASSERT_TRUE(color.Create(16, 12, bpp));
    color.SetPaletteColor(1, RGBQUAD{0, 0, 255, 0});
    color.SetPixelIndex(3, 3, 1);
    EXPECT_EQ(EncodeAndCheck(color), 1) << bpp;
    EXPECT_EQ(color.GetBpp(), 24) << bpp;
    EXPECT_EQ(color.GetPixelColor(3, 3).rgbRed, 255) << bpp;
  }
}

TEST(NbEncodeJpegTest, DeepImagesEncodeAsTheyAreAndFailuresAreNotRetried) {
  for (WORD bpp : {24, 32}) {
    CxImage image = Picture(bpp);
    EXPECT_EQ(EncodeAndCheck(image), 1) << bpp;
    EXPECT_EQ(image.GetBpp(), bpp);
  }
  // A 16-bit bitmap, 2 x 1 pixels of 5-5-5 color, decodes to 24 bits.
  Bytes bmp16 = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 16, 0,
                 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x7C, 0x1F, 0x00};
  CxImage sixteen(bmp16.data(), static_cast<DWORD>(bmp16.size()), CXIMAGE_FORMAT_BMP);
  ASSERT_TRUE(sixteen.IsValid()) << sixteen.GetLastError();
  EXPECT_EQ(EncodeAndCheck(sixteen), 1);

  CxImage empty;
  EXPECT_EQ(EncodeAndCheck(empty), 0);
  unsigned char* buffer = nullptr;
  long size = 0;
  EXPECT_EQ(NbEncodeJPEG(nullptr, buffer, size), 0);
}

}  // namespace
