// Drawing into a memory device context, checked pixel by pixel.
#include <gtest/gtest.h>

#include "CxImage/cximage.h"
#include "win/gdi.h"

namespace {

class DrawImage : public ::testing::Test {
 protected:
  void SetUp() override {
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateBitmap(40, 30, 1, 32, nullptr);
    old = SelectObject(dc, bitmap);
    RECT all{0, 0, 40, 30};
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &all, white);
    DeleteObject(white);
  }
  void TearDown() override {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  // Red, green, blue and black quarters.
  static CxImage Quarters(int bpp, BYTE alpha = 255) {
    CxImage image;
    image.Create(4, 4, static_cast<WORD>(bpp));
    const RGBQUAD colors[4] = {{0, 0, 255, alpha}, {0, 255, 0, alpha}, {255, 0, 0, alpha}, {0, 0, 0, alpha}};
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) image.SetPixelColor(x, y, colors[(y / 2) * 2 + x / 2]);
    return image;
  }
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
};

TEST_F(DrawImage, NaturalSizeIsExact) {
  CxImage image = Quarters(24);
  EXPECT_EQ(image.Draw(dc, 3, 5), 1);
  EXPECT_EQ(GetPixel(dc, 3, 5), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 6, 5), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 3, 8), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 6, 8), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 7, 5), RGB(255, 255, 255));  // just right of the picture
  EXPECT_EQ(GetPixel(dc, 3, 9), RGB(255, 255, 255));  // just below
}

TEST_F(DrawImage, StretchedFillsExactlyTheRectangle) {
  CxImage image = Quarters(24);
  EXPECT_EQ(image.Draw(dc, 10, 10, 20, 12), 1);
  EXPECT_EQ(GetPixel(dc, 10, 10), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 29, 10), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 10, 21), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 29, 21), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 9, 10), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 30, 21), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 10, 22), RGB(255, 255, 255));
}

TEST_F(DrawImage, AlphaBlendsOverWhatIsThere) {
  CxImage image = Quarters(32, 128);
  image.SetPixelColor(0, 0, RGBQUAD{0, 0, 255, 0});  // one fully transparent pixel
  EXPECT_EQ(image.Draw(dc, 0, 0), 1);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
  COLORREF half = GetPixel(dc, 1, 0);  // red at half strength over white
  EXPECT_EQ(GetRValue(half), 255);
  EXPECT_NEAR(GetGValue(half), 127, 2);
  EXPECT_NEAR(GetBValue(half), 127, 2);
  COLORREF black = GetPixel(dc, 3, 3);
  EXPECT_NEAR(GetRValue(black), 127, 2);
}

TEST_F(DrawImage, ClipRectangleLimitsThePaintedPart) {
  CxImage image = Quarters(24);
  RECT clip{0, 0, 12, 30};
  EXPECT_EQ(image.Draw(dc, 10, 0, 8, 8, &clip), 1);
  EXPECT_EQ(GetPixel(dc, 11, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 12, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 16, 7), RGB(255, 255, 255));
}

TEST_F(DrawImage, InvalidImageOrContextDrawsNothing) {
  CxImage empty;
  EXPECT_EQ(empty.Draw(dc, 0, 0, 10, 10), 0);
  CxImage image = Quarters(24);
  EXPECT_EQ(image.Draw(nullptr, 0, 0), 0);
  EXPECT_EQ(image.Draw(dc, 0, 0, 0, 10), 1);  // nothing to draw is no failure
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
}

}  // namespace
