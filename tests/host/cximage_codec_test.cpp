// PNG and JPEG round trips, depth changes, copies, crops and resampling.
#include <gtest/gtest.h>

#include <cstdlib>

#include "CxImage/cximage.h"

namespace {

uint32_t Rgb(const RGBQUAD& q) { return static_cast<uint32_t>(q.rgbRed) << 16 | q.rgbGreen << 8 | q.rgbBlue; }

// A picture with a different value in every pixel and channel.
CxImage Picture(int bpp, int width = 23, int height = 17) {
  CxImage image;
  EXPECT_TRUE(image.Create(static_cast<DWORD>(width), static_cast<DWORD>(height), static_cast<WORD>(bpp)));
  for (int i = 0; bpp <= 8 && i < (1 << bpp); ++i)
    image.SetPaletteColor(static_cast<BYTE>(i), RGBQUAD{BYTE(i * 5), BYTE(200 - i / 2), BYTE(i * 3 + 7), 0});
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (bpp <= 8) image.SetPixelIndex(x, y, static_cast<BYTE>((x * 3 + y * 7) % (1 << bpp)));
      else image.SetPixelColor(x, y, RGBQUAD{BYTE(x * 11), BYTE(y * 15), BYTE(x * y), BYTE(255 - x * 9)});
    }
  return image;
}

CxImage RoundTrip(CxImage& image, DWORD format) {
  BYTE* buffer = nullptr;
  long size = 0;
  EXPECT_TRUE(image.Encode(buffer, size, format)) << image.GetLastError();
  CxImage back(buffer, static_cast<DWORD>(size), format);
  CxImage::FreeMemory(buffer);
  return back;
}

TEST(PngCodec, RoundTripIsExactAtEveryDepth) {
  for (int bpp : {1, 4, 8, 24, 32}) {
    CxImage image = Picture(bpp);
    CxImage back = RoundTrip(image, CXIMAGE_FORMAT_PNG);
    ASSERT_TRUE(back.IsValid()) << bpp << " " << back.GetLastError();
    EXPECT_EQ(back.GetBpp(), bpp);
    EXPECT_EQ(back.GetType(), static_cast<DWORD>(CXIMAGE_FORMAT_PNG));
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 23; ++x) {
        RGBQUAD a = image.GetPixelColor(x, y), b = back.GetPixelColor(x, y);
        ASSERT_EQ(Rgb(a), Rgb(b)) << bpp << " at " << x << "," << y;
        ASSERT_EQ(a.rgbReserved, b.rgbReserved) << bpp;
      }
  }
}

TEST(PngCodec, GreyPictureComesBackAsGreyPalette) {
  CxImage grey;
  grey.Create(5, 4, 8);  // the grey palette of Create
  for (int x = 0; x < 5; ++x) grey.SetPixelIndex(x, 2, static_cast<BYTE>(x * 60));
  CxImage back = RoundTrip(grey, CXIMAGE_FORMAT_PNG);
  ASSERT_TRUE(back.IsValid());
  EXPECT_EQ(back.GetBpp(), 8);
  EXPECT_EQ(Rgb(back.GetPixelColor(3, 2)), 0xB4B4B4u);
}

TEST(JpegCodec, RoundTripStaysWithinTolerance) {
  CxImage smooth;
  smooth.Create(64, 48, 24);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) smooth.SetPixelColor(x, y, RGBQUAD{BYTE(x * 4), BYTE(y * 5), BYTE(128), 255});
  smooth.SetJpegQuality(95);
  CxImage back = RoundTrip(smooth, CXIMAGE_FORMAT_JPG);
  ASSERT_TRUE(back.IsValid()) << back.GetLastError();
  EXPECT_EQ(back.GetBpp(), 24);
  ASSERT_EQ(back.GetWidth(), 64u);
  ASSERT_EQ(back.GetHeight(), 48u);
  int worst = 0;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) {
      RGBQUAD a = smooth.GetPixelColor(x, y), b = back.GetPixelColor(x, y);
      worst = std::max({worst, std::abs(a.rgbRed - b.rgbRed), std::abs(a.rgbGreen - b.rgbGreen),
                        std::abs(a.rgbBlue - b.rgbBlue)});
    }
  EXPECT_LE(worst, 12);

  CxImage grey;
  grey.Create(16, 16, 8);
  for (int x = 0; x < 16; ++x)
    for (int y = 0; y < 16; ++y) grey.SetPixelIndex(x, y, static_cast<BYTE>(x * 16));
  CxImage greyBack = RoundTrip(grey, CXIMAGE_FORMAT_JPG);
  ASSERT_TRUE(greyBack.IsValid());
  EXPECT_EQ(greyBack.GetBpp(), 8);
  EXPECT_NEAR(greyBack.GetPixelColor(8, 8).rgbRed, 128, 6);
}

TEST(JpegCodec, ColorPaletteIsRefusedUntilRaisedToTwentyFourBits) {
  CxImage image = Picture(8);
  BYTE* buffer = reinterpret_cast<BYTE*>(1);
  long size = 5;
  EXPECT_FALSE(image.Encode(buffer, size, CXIMAGE_FORMAT_JPG));
  EXPECT_EQ(buffer, nullptr);
  EXPECT_EQ(size, 0);
  ASSERT_TRUE(image.IncreaseBpp(24));
  ASSERT_TRUE(image.Encode(buffer, size, CXIMAGE_FORMAT_JPG));
  EXPECT_GT(size, 100);
  EXPECT_EQ(buffer[0], 0xFF);
  EXPECT_EQ(buffer[1], 0xD8);
  CxImage::FreeMemory(buffer);
}

TEST(CxImageOps, IncreaseBppKeepsColors) {
  CxImage image = Picture(4);
  CxImage wider = image;
  EXPECT_FALSE(wider.IncreaseBpp(1));  // lower
  EXPECT_FALSE(wider.IncreaseBpp(16));  // not a depth we keep
  EXPECT_TRUE(wider.IncreaseBpp(4));   // same: nothing to do
  ASSERT_TRUE(wider.IncreaseBpp(8));
  EXPECT_EQ(wider.GetNumColors(), 256u);
  EXPECT_EQ(wider.GetPixelIndex(5, 3), image.GetPixelIndex(5, 3));
  ASSERT_TRUE(wider.IncreaseBpp(32));
  EXPECT_EQ(wider.GetBpp(), 32);
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 23; ++x) ASSERT_EQ(Rgb(wider.GetPixelColor(x, y)), Rgb(image.GetPixelColor(x, y)));
  EXPECT_EQ(wider.GetPixelColor(0, 0).rgbReserved, 255);
  CxImage invalid;
  EXPECT_FALSE(invalid.IncreaseBpp(24));
}

TEST(CxImageOps, CopyIsIndependent) {
  CxImage image = Picture(24);
  CxImage copy;
  copy.Copy(image);
  copy.SetPixelColor(0, 0, RGBQUAD{1, 2, 3, 255});
  EXPECT_NE(Rgb(image.GetPixelColor(0, 0)), Rgb(copy.GetPixelColor(0, 0)));
  EXPECT_EQ(Rgb(image.GetPixelColor(4, 4)), Rgb(copy.GetPixelColor(4, 4)));
}

TEST(CxImageOps, CropKeepsThePartInsideThePicture) {
  CxImage image = Picture(8);
  CxImage part;
  ASSERT_TRUE(image.Crop(20, 10, 40, 40, &part));  // runs past the right and bottom
  EXPECT_EQ(part.GetWidth(), 3u);
  EXPECT_EQ(part.GetHeight(), 7u);
  EXPECT_EQ(part.GetBpp(), 8);
  EXPECT_EQ(Rgb(part.GetPixelColor(1, 2)), Rgb(image.GetPixelColor(21, 12)));
  EXPECT_EQ(image.GetWidth(), 23u);  // the source is left alone
  EXPECT_FALSE(image.Crop(30, 0, 40, 5));
  EXPECT_FALSE(image.Crop(5, 5, 5, 9));
  ASSERT_TRUE(image.Crop(-3, -3, 2, 1));
  EXPECT_EQ(image.GetWidth(), 2u);
  EXPECT_EQ(image.GetHeight(), 1u);
}

// Fine stripes shrunk far must come out as their average grey, not as
// whichever stripe the sampling happens to hit.
TEST(CxImageOps, ShrinkingAveragesInsteadOfAliasing) {
  CxImage stripes;
  stripes.Create(400, 300, 24);
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x)
      stripes.SetPixelColor(x, y, x % 2 ? RGBQUAD{255, 255, 255, 255} : RGBQUAD{0, 0, 0, 255});
  CxImage small;
  ASSERT_TRUE(stripes.Resample(64, 48, CXIMAGE_RESAMPLE_SMOOTH, &small));
  EXPECT_EQ(small.GetWidth(), 64u);
  EXPECT_EQ(small.GetBpp(), 24);
  // Each small pixel covers 6.25 stripes: between 3 and 3.25 of them white.
  for (int y = 0; y < 48; y += 7)
    for (int x = 0; x < 64; x += 5) ASSERT_NEAR(small.GetPixelColor(x, y).rgbGreen, 128, 7) << x << "," << y;
  CxImage eighth;
  ASSERT_TRUE(stripes.Resample(50, 30, CXIMAGE_RESAMPLE_SMOOTH, &eighth));  // 8 stripes a pixel
  for (int x = 0; x < 50; x += 3) ASSERT_EQ(eighth.GetPixelColor(x, 11).rgbGreen, 128) << x;
  CxImage nearest;
  ASSERT_TRUE(stripes.Resample(50, 48, CXIMAGE_RESAMPLE_NEAREST, &nearest));  // every 8th column: all one stripe
  EXPECT_TRUE(nearest.GetPixelColor(10, 10).rgbGreen == 0 || nearest.GetPixelColor(10, 10).rgbGreen == 255);
}

TEST(CxImageOps, EnlargingInterpolatesAndSameSizeIsExact) {
  CxImage two;
  two.Create(2, 1, 24);
  two.SetPixelColor(0, 0, RGBQUAD{0, 0, 0, 255});
  two.SetPixelColor(1, 0, RGBQUAD{200, 200, 200, 255});
  CxImage wide;
  ASSERT_TRUE(two.Resample(8, 1, CXIMAGE_RESAMPLE_SMOOTH, &wide));
  int previous = -1;
  for (int x = 0; x < 8; ++x) {
    int v = wide.GetPixelColor(x, 0).rgbBlue;
    EXPECT_GE(v, previous) << x;
    previous = v;
  }
  EXPECT_EQ(wide.GetPixelColor(0, 0).rgbBlue, 0);
  EXPECT_EQ(wide.GetPixelColor(7, 0).rgbBlue, 200);
  EXPECT_NEAR(wide.GetPixelColor(4, 0).rgbBlue, 125, 1);  // 5/8 of the way from the first centre

  CxImage image = Picture(32);
  CxImage same;
  ASSERT_TRUE(image.Resample(23, 17, CXIMAGE_RESAMPLE_SMOOTH, &same));
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 23; ++x) {
      RGBQUAD a = image.GetPixelColor(x, y), b = same.GetPixelColor(x, y);
      ASSERT_EQ(Rgb(a), Rgb(b));
      ASSERT_EQ(a.rgbReserved, b.rgbReserved);
    }
}

TEST(CxImageOps, TransparentPixelsLendNoColor) {
  CxImage image;
  image.Create(2, 1, 32);
  image.SetPixelColor(0, 0, RGBQUAD{0, 0, 255, 255});  // opaque red
  image.SetPixelColor(1, 0, RGBQUAD{255, 0, 0, 0});    // transparent blue
  ASSERT_TRUE(image.Resample(1, 1));
  RGBQUAD q = image.GetPixelColor(0, 0);
  EXPECT_EQ(q.rgbRed, 255);
  EXPECT_EQ(q.rgbBlue, 0);
  EXPECT_NEAR(q.rgbReserved, 128, 1);
}

TEST(CxImageOps, ResampleRefusesBadArguments) {
  CxImage image = Picture(24);
  EXPECT_FALSE(image.Resample(0, 5));
  EXPECT_FALSE(image.Resample(5, -1));
  EXPECT_FALSE(image.Resample(100000, 100000));
  EXPECT_FALSE(image.Resample(8001, 8000));  // one row over 64 megapixels
  EXPECT_FALSE(image.Resample(5, 5, 7));
  EXPECT_EQ(image.GetWidth(), 23u);
  CxImage invalid;
  EXPECT_FALSE(invalid.Resample(5, 5));
}

TEST(CxImageOps, CreateStopsAtSixtyFourMegapixels) {
  CxImage image;
  EXPECT_FALSE(image.Create(8001, 8000, 1));
  EXPECT_FALSE(image.IsValid());
  EXPECT_TRUE(image.Create(8000, 8000, 1));
  EXPECT_EQ(image.GetWidth() * image.GetHeight(), 64000000u);
}

}  // namespace
