// Reading and writing Windows BMP: every depth and row order, bit fields,
// the core header, RLE8 and RLE4, and exact round trips through our writer.
#include <gtest/gtest.h>

#include "CxImage/cximage.h"
#include "host/bmp_builder.h"

namespace {

CxImage Decode(const std::vector<uint8_t>& bytes, DWORD format = CXIMAGE_FORMAT_BMP) {
  return CxImage(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()), format);
}

uint32_t Rgb(const RGBQUAD& q) { return static_cast<uint32_t>(q.rgbRed) << 16 | q.rgbGreen << 8 | q.rgbBlue; }

// The value stored at (x, y) for the pattern pictures below.
uint32_t Pattern(int x, int y, uint32_t modulo) { return static_cast<uint32_t>(x * 7 + y * 3 + x * y) % modulo; }

TEST(BmpRead, PaletteDepthsInBothRowOrders) {
  for (int bpp : {1, 4, 8})
    for (bool topDown : {false, true}) {
      bmptest::BmpLayout s;
      s.width = 13, s.height = topDown ? -5 : 5, s.bpp = static_cast<uint16_t>(bpp);
      s.palette = bmptest::Palette(1 << bpp);
      s.bits = bmptest::Rows(13, 5, bpp, topDown, [&](int x, int y) { return Pattern(x, y, 1u << bpp); });
      CxImage image = Decode(bmptest::Build(s));
      ASSERT_TRUE(image.IsValid()) << bpp << " " << image.GetLastError();
      EXPECT_EQ(image.GetBpp(), bpp);
      EXPECT_EQ(image.GetWidth(), 13u);
      EXPECT_EQ(image.GetHeight(), 5u);
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 13; ++x) {
          ASSERT_EQ(image.GetPixelIndex(x, y), Pattern(x, y, 1u << bpp)) << bpp << " top-down " << topDown;
          ASSERT_EQ(Rgb(image.GetPixelColor(x, y)), Rgb(s.palette[Pattern(x, y, 1u << bpp)]));
        }
    }
}

TEST(BmpRead, ColorDepthsInBothRowOrders) {
  for (int bpp : {24, 32})
    for (bool topDown : {false, true}) {
      auto color = [](int x, int y) { return static_cast<uint32_t>(x * 0x10203 + y * 0x302010 + 0x80000000u); };
      bmptest::BmpLayout s;
      s.width = 7, s.height = topDown ? -4 : 4, s.bpp = static_cast<uint16_t>(bpp);
      s.bits = bmptest::Rows(7, 4, bpp, topDown, color);
      CxImage image = Decode(bmptest::Build(s));
      ASSERT_TRUE(image.IsValid()) << image.GetLastError();
      EXPECT_EQ(image.GetBpp(), bpp);
      for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 7; ++x) {
          RGBQUAD q = image.GetPixelColor(x, y);
          ASSERT_EQ(Rgb(q), color(x, y) & 0xFFFFFF);
          ASSERT_EQ(q.rgbReserved, bpp == 32 ? 0x80 : 0xFF);
        }
    }
}

TEST(BmpRead, ThirtyTwoBitsWithZeroFourthBytesAreOpaque) {
  bmptest::BmpLayout s;
  s.width = 2, s.height = 2, s.bpp = 32;
  s.bits = bmptest::Rows(2, 2, 32, false, [](int x, int y) { return 0x00123456u; });
  CxImage image = Decode(bmptest::Build(s));
  ASSERT_TRUE(image.IsValid());
  EXPECT_EQ(image.GetBpp(), 24);
  EXPECT_EQ(image.GetPixelColor(1, 1).rgbReserved, 255);
}

TEST(BmpRead, SixteenBitsFiveFiveFiveAndBitFields) {
  auto word = [](int x, int y) { return static_cast<uint32_t>((x * 4111 + y * 977) & 0xFFFF); };
  auto scale = [](uint32_t v, uint32_t max) { return (v * 255 + max / 2) / max; };
  struct Case {
    uint32_t compression;
    std::vector<uint32_t> masks;
    uint32_t headerSize;
  } cases[] = {{BI_RGB, {}, 40}, {BI_BITFIELDS, {0xF800, 0x07E0, 0x001F}, 40}, {BI_BITFIELDS, {0xF800, 0x07E0, 0x001F}, 108}};
  for (const Case& c : cases) {
    bmptest::BmpLayout s;
    s.width = 6, s.height = 3, s.bpp = 16, s.compression = c.compression, s.masks = c.masks, s.headerSize = c.headerSize;
    s.bits = bmptest::Rows(6, 3, 16, false, word);
    CxImage image = Decode(bmptest::Build(s));
    ASSERT_TRUE(image.IsValid()) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), 24);
    bool is565 = c.compression == BI_BITFIELDS;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 6; ++x) {
        uint32_t v = word(x, y);
        uint32_t r = is565 ? scale(v >> 11, 31) : scale((v >> 10) & 31, 31);
        uint32_t g = is565 ? scale((v >> 5) & 63, 63) : scale((v >> 5) & 31, 31);
        uint32_t b = scale(v & 31, 31);
        ASSERT_EQ(Rgb(image.GetPixelColor(x, y)), r << 16 | g << 8 | b) << x << "," << y;
      }
  }
}

TEST(BmpRead, CoreHeaderWithThreeBytePalette) {
  bmptest::BmpLayout s;
  s.headerSize = 12, s.width = 5, s.height = 2, s.bpp = 4;
  s.palette = bmptest::Palette(16);
  s.bits = bmptest::Rows(5, 2, 4, false, [](int x, int y) { return static_cast<uint32_t>(x + 5 * y); });
  CxImage image = Decode(bmptest::Build(s));
  ASSERT_TRUE(image.IsValid()) << image.GetLastError();
  EXPECT_EQ(Rgb(image.GetPixelColor(3, 1)), Rgb(s.palette[8]));
}

TEST(BmpRead, Rle8RunsLiteralsMovesAndLineEnds) {
  bmptest::BmpLayout s;
  s.width = 6, s.height = 3, s.bpp = 8, s.compression = BI_RLE8, s.palette = bmptest::Palette(8), s.colorsUsed = 8;
  // The bottom row is 2 2 2 2 1 1; the middle row starts after a move of
  // two pixels with the literal 5 6 7; the top row is 3 3.
  s.bits = {4, 2, 2, 1, 0, 0,          // bottom row, end of line
            0, 2, 2, 0,                // move right by 2
            0, 3, 5, 6, 7, 0, 0, 0,    // literal (padded to a word), end of line
            2, 3, 0, 1};               // top row, end of picture
  CxImage image = Decode(bmptest::Build(s));
  ASSERT_TRUE(image.IsValid()) << image.GetLastError();
  const int expected[3][6] = {{3, 3, 0, 0, 0, 0}, {0, 0, 5, 6, 7, 0}, {2, 2, 2, 2, 1, 1}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(image.GetPixelIndex(x, y), expected[y][x]) << x << "," << y;
}

TEST(BmpRead, Rle4AlternatesNibbles) {
  bmptest::BmpLayout s;
  s.width = 7, s.height = 2, s.bpp = 4, s.compression = BI_RLE4, s.palette = bmptest::Palette(16);
  s.bits = {5, 0x1A, 2, 0x33, 0, 0,     // bottom row: 1 A 1 A 1 3 3
            0, 3, 0x45, 0x60, 0, 1};    // top row: literal 4 5 6, end of picture
  CxImage image = Decode(bmptest::Build(s));
  ASSERT_TRUE(image.IsValid()) << image.GetLastError();
  const int bottom[7] = {1, 10, 1, 10, 1, 3, 3};
  for (int x = 0; x < 7; ++x) EXPECT_EQ(image.GetPixelIndex(x, 1), bottom[x]);
  EXPECT_EQ(image.GetPixelIndex(0, 0), 4);
  EXPECT_EQ(image.GetPixelIndex(1, 0), 5);
  EXPECT_EQ(image.GetPixelIndex(2, 0), 6);
  EXPECT_EQ(image.GetPixelIndex(3, 0), 0);
}

// Every depth our writer produces reads back pixel for pixel.
TEST(BmpWrite, RoundTripIsExactAtEveryDepth) {
  for (int bpp : {1, 4, 8, 24, 32}) {
    CxImage image;
    ASSERT_TRUE(image.Create(11, 6, static_cast<WORD>(bpp)));
    for (int i = 0; i < (bpp <= 8 ? 1 << bpp : 0); ++i)
      image.SetPaletteColor(static_cast<BYTE>(i), RGBQUAD{BYTE(i * 3), BYTE(255 - i), BYTE(i * 11), 0});
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 11; ++x) {
        if (bpp <= 8) image.SetPixelIndex(x, y, static_cast<BYTE>(Pattern(x, y, 1u << bpp)));
        else image.SetPixelColor(x, y, RGBQUAD{BYTE(x * 20), BYTE(y * 40), BYTE(x * y), BYTE(x * 23)});
      }
    BYTE* buffer = nullptr;
    long size = 0;
    ASSERT_TRUE(image.Encode(buffer, size, CXIMAGE_FORMAT_BMP));
    CxImage back(buffer, static_cast<DWORD>(size), CXIMAGE_FORMAT_BMP);
    CxImage::FreeMemory(buffer);
    ASSERT_TRUE(back.IsValid()) << back.GetLastError();
    EXPECT_EQ(back.GetBpp(), bpp);
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 11; ++x) {
        RGBQUAD a = image.GetPixelColor(x, y), b = back.GetPixelColor(x, y);
        ASSERT_EQ(Rgb(a), Rgb(b)) << bpp;
        ASSERT_EQ(a.rgbReserved, b.rgbReserved) << bpp;
        if (bpp <= 8) {
          ASSERT_EQ(image.GetPixelIndex(x, y), back.GetPixelIndex(x, y));
        }
      }
  }
}

TEST(BmpWrite, FullyTransparentPictureKeepsItsAlpha) {
  CxImage image;
  image.Create(3, 2, 32);
  for (int x = 0; x < 3; ++x) image.SetPixelColor(x, 0, RGBQUAD{10, 20, 30, 0});
  BYTE* buffer = nullptr;
  long size = 0;
  ASSERT_TRUE(image.Encode(buffer, size, CXIMAGE_FORMAT_BMP));
  CxImage back(buffer, static_cast<DWORD>(size), CXIMAGE_FORMAT_UNKNOWN);  // told by its first bytes
  CxImage::FreeMemory(buffer);
  ASSERT_TRUE(back.IsValid());
  EXPECT_EQ(back.GetType(), static_cast<DWORD>(CXIMAGE_FORMAT_BMP));
  EXPECT_EQ(back.GetBpp(), 32);
  EXPECT_EQ(back.GetPixelColor(1, 0).rgbReserved, 0);
}

}  // namespace
