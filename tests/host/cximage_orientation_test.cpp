// A camera's portrait photo is stored on its side with an EXIF note on how to
// turn it; decoding shows it upright. A damaged note is ignored.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "CxImage/cximage.h"

namespace {

enum Quadrant : uint32_t { kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF };

// 32 x 16 as stored: red top left, green top right, blue bottom left, white
// bottom right.
std::vector<uint8_t> StoredJpeg() {
  CxImage image;
  image.Create(32, 16, 24);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) {
      uint32_t c = y < 8 ? (x < 16 ? kRed : kGreen) : (x < 16 ? kBlue : kWhite);
      image.SetPixelColor(x, y, RGBQUAD{BYTE(c), BYTE(c >> 8), BYTE(c >> 16), 255});
    }
  image.SetJpegQuality(95);
  BYTE* buffer = nullptr;
  long size = 0;
  EXPECT_TRUE(image.Encode(buffer, size, CXIMAGE_FORMAT_JPG));
  std::vector<uint8_t> bytes(buffer, buffer + size);
  CxImage::FreeMemory(buffer);
  return bytes;
}

void Put16(std::string& s, unsigned v, bool little) {
  s += little ? char(v & 0xFF) : char(v >> 8 & 0xFF);
  s += little ? char(v >> 8 & 0xFF) : char(v & 0xFF);
}
void Put32(std::string& s, uint32_t v, bool little) {
  Put16(s, little ? v & 0xFFFF : v >> 16, little);
  Put16(s, little ? v >> 16 : v & 0xFFFF, little);
}

// The EXIF block of one IFD entry: tag 0x0112 of the given type, count and value.
std::string Exif(unsigned value, bool little = false, uint32_t ifd = 8, unsigned type = 3, uint32_t count = 1) {
  std::string s("Exif\0\0", 6);
  s += little ? "II" : "MM";
  Put16(s, 42, little);
  Put32(s, ifd, little);
  Put16(s, 1, little);
  Put16(s, 0x0112, little);
  Put16(s, type, little);
  Put32(s, count, little);
  Put16(s, value, little);
  Put16(s, 0, little);
  Put32(s, 0, little);
  return s;
}

std::vector<uint8_t> WithApp1(std::vector<uint8_t> jpeg, const std::string& payload) {
  std::vector<uint8_t> segment = {0xFF, 0xE1, uint8_t((payload.size() + 2) >> 8), uint8_t(payload.size() + 2)};
  segment.insert(segment.end(), payload.begin(), payload.end());
  jpeg.insert(jpeg.begin() + 2, segment.begin(), segment.end());
  return jpeg;
}

uint32_t Color(const CxImage& image, int x, int y) {
  RGBQUAD q = image.GetPixelColor(x, y);
  // Snap to the nearest of the four pure colors; JPEG blurs a little.
  auto snap = [](int v) { return v >= 128 ? 0xFFu : 0u; };
  return snap(q.rgbRed) << 16 | snap(q.rgbGreen) << 8 | snap(q.rgbBlue);
}

// The colors at the middle of the shown top left, top right, bottom left and
// bottom right quarters.
std::vector<uint32_t> Corners(const CxImage& image) {
  int w = static_cast<int>(image.GetWidth()), h = static_cast<int>(image.GetHeight());
  return {Color(image, w / 4, h / 4), Color(image, 3 * w / 4, h / 4), Color(image, w / 4, 3 * h / 4),
          Color(image, 3 * w / 4, 3 * h / 4)};
}

TEST(JpegOrientation, EachOfTheEightOrientationsShowsUpright) {
  struct Case {
    unsigned orientation;
    bool tall;
    std::vector<uint32_t> corners;
  } cases[] = {
      {1, false, {kRed, kGreen, kBlue, kWhite}},  {2, false, {kGreen, kRed, kWhite, kBlue}},
      {3, false, {kWhite, kBlue, kGreen, kRed}},  {4, false, {kBlue, kWhite, kRed, kGreen}},
      {5, true, {kRed, kBlue, kGreen, kWhite}},   {6, true, {kBlue, kRed, kWhite, kGreen}},
      {7, true, {kWhite, kGreen, kBlue, kRed}},   {8, true, {kGreen, kWhite, kRed, kBlue}},
  };
  std::vector<uint8_t> stored = StoredJpeg();
  for (const Case& c : cases) {
    for (bool little : {false, true}) {
      std::vector<uint8_t> bytes = WithApp1(stored, Exif(c.orientation, little));
      CxImage image(bytes.data(), static_cast<DWORD>(bytes.size()), CXIMAGE_FORMAT_JPG);
      ASSERT_TRUE(image.IsValid()) << c.orientation;
      EXPECT_EQ(image.GetWidth(), c.tall ? 16u : 32u) << c.orientation;
      EXPECT_EQ(image.GetHeight(), c.tall ? 32u : 16u) << c.orientation;
      EXPECT_EQ(Corners(image), c.corners) << "orientation " << c.orientation << (little ? " II" : " MM");
    }
  }
}

TEST(JpegOrientation, ADamagedOrForeignNoteLeavesThePictureAsStored) {
  const std::vector<uint32_t> asStored = {kRed, kGreen, kBlue, kWhite};
  std::string cut = Exif(6).substr(0, 20);
  const std::string notes[] = {
      Exif(6, false, 0xFFFF),       // the directory lies past the end
      Exif(6, false, 0xFFFFFFF0),   // and an offset that would wrap around
      Exif(6, false, 8, 4),         // a long where a short belongs
      Exif(6, false, 8, 3, 2),      // two values
      Exif(9),                      // no such orientation
      Exif(0),
      cut,                          // cut off inside the entry
      std::string("Exif\0\0XX", 8) + Exif(6).substr(8),  // no byte order
      "http://ns.adobe.com/xap/1.0/\0<x:xmpmeta/>",      // another APP1 user
  };
  std::vector<uint8_t> stored = StoredJpeg();
  for (const std::string& note : notes) {
    std::vector<uint8_t> bytes = WithApp1(stored, note);
    CxImage image(bytes.data(), static_cast<DWORD>(bytes.size()), CXIMAGE_FORMAT_JPG);
    ASSERT_TRUE(image.IsValid());
    EXPECT_EQ(image.GetWidth(), 32u);
    EXPECT_EQ(Corners(image), asStored);
  }
}

}  // namespace
