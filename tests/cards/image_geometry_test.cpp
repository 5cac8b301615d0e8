// Fitting pictures into boxes: NBScalePropRect's arithmetic and where
// NBDrawRectImage puts a picture, read back from the pixels it paints.
#include <gtest/gtest.h>

#include <climits>
#include <ostream>

#include "cards/image_geometry.h"
#include "win/gdi.h"

// Readable rectangles in failure messages.
void PrintTo(const CRect& r, std::ostream* os) { *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")"; }

namespace {

CRect Scaled(int left, int top, int right, int bottom, int limit) {
  CRect rc(left, top, right, bottom);
  NBScalePropRect(rc, limit);
  return rc;
}

TEST(ScalePropRect, ShrinksTheLongerSideKeepingTheCorner) {
  EXPECT_EQ(Scaled(0, 0, 200, 100, 64), CRect(0, 0, 64, 32));
  EXPECT_EQ(Scaled(0, 0, 100, 300, 64), CRect(0, 0, 21, 64));  // 21.33 rounds down
  EXPECT_EQ(Scaled(0, 0, 100, 100, 64), CRect(0, 0, 64, 64));
  EXPECT_EQ(Scaled(10, 20, 110, 170, 64), CRect(10, 20, 53, 84));  // 42.67 rounds up
  EXPECT_EQ(Scaled(-50, -40, 150, 60, 100), CRect(-50, -40, 50, 10));
}

TEST(ScalePropRect, NeverEnlarges) {
  EXPECT_EQ(Scaled(0, 0, 50, 40, 64), CRect(0, 0, 50, 40));
  EXPECT_EQ(Scaled(5, 5, 69, 69, 64), CRect(5, 5, 69, 69));
  EXPECT_EQ(Scaled(0, 0, 0, 0, 64), CRect(0, 0, 0, 0));  // an empty picture
}

TEST(ScalePropRect, DegenerateRectanglesAndLimits) {
  EXPECT_EQ(Scaled(0, 0, 100, 0, 64), CRect(0, 0, 64, 0));  // zero height: landscape branch
  EXPECT_EQ(Scaled(0, 0, 0, 100, 64), CRect(0, 0, 0, 64));
  EXPECT_EQ(Scaled(0, 0, 100, 50, 0), CRect(0, 0, 0, 0));
  // A negative limit or an inverted rectangle would divide by zero or by a
  // negative side; they are left as they are.
  EXPECT_EQ(Scaled(0, 0, 0, 0, -1), CRect(0, 0, 0, 0));
  EXPECT_EQ(Scaled(0, 0, 100, 50, -10), CRect(0, 0, 100, 50));
  EXPECT_EQ(Scaled(100, 0, 0, 50, 10), CRect(100, 0, 0, 50));
  EXPECT_EQ(Scaled(0, 50, 10, 0, 5), CRect(0, 50, 10, 0));
}

TEST(ScalePropRect, LargeSidesDoNotOverflow) {
  // 2,000,000 x 1,000,000 overflows 32 bits; in 64 bits the height is 666,666.67.
  EXPECT_EQ(Scaled(0, 0, 3000000, 1000000, 2000000), CRect(0, 0, 2000000, 666667));
  EXPECT_EQ(Scaled(0, 0, 2000000000, 1000000000, 1500000000), CRect(0, 0, 1500000000, 750000000));
  // A width of 4,000,000,000 does not fit in 32 bits.
  EXPECT_EQ(Scaled(-2000000000, 0, 2000000000, 1000, 100), CRect(-2000000000, 0, -1999999900, 0));
  EXPECT_EQ(Scaled(INT_MAX - 10, 0, INT_MAX, 20, 15), CRect(INT_MAX - 10, 0, INT_MAX - 2, 15));
}

// A memory device context, white, and a picture of one color.
class DrawRectImage : public ::testing::Test {
 protected:
  void SetUp() override {
    dc.Attach(CreateCompatibleDC(nullptr));
    bitmap = CreateBitmap(260, 220, 1, 32, nullptr);
    old = SelectObject(dc.m_hDC, bitmap);
    RECT all{0, 0, 260, 220};
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc.m_hDC, &all, white);
    DeleteObject(white);
  }
  void TearDown() override {
    SelectObject(dc.m_hDC, old);
    DeleteObject(bitmap);
  }
  static CxImage Solid(int width, int height) {
    CxImage image;
    image.Create(static_cast<DWORD>(width), static_cast<DWORD>(height), 24);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) image.SetPixelColor(x, y, RGBQUAD{0, 0, 200, 255});
    return image;
  }
  // The bounding box of the painted (non-white) pixels.
  CRect Painted() {
    CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = 0; y < 220; ++y)
      for (int x = 0; x < 260; ++x)
        if (GetPixel(dc.m_hDC, x, y) != RGB(255, 255, 255)) {
          box.left = std::min<int>(box.left, x), box.top = std::min<int>(box.top, y);
          box.right = std::max<int>(box.right, x + 1), box.bottom = std::max<int>(box.bottom, y + 1);
        }
    return box;
  }
  CDC dc;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
};

TEST_F(DrawRectImage, SmallPictureIsCentredUnscaled) {
  CxImage image = Solid(80, 40);
  RECT box{10, 10, 110, 110};
  NBDrawRectImage(&dc, &image, &box);
  EXPECT_EQ(Painted(), CRect(20, 40, 100, 80));
}

TEST_F(DrawRectImage, WidePictureIsScaledToTheWidth) {
  CxImage image = Solid(400, 200);
  RECT box{0, 0, 100, 100};
  NBDrawRectImage(&dc, &image, &box);
  EXPECT_EQ(Painted(), CRect(0, 25, 100, 75));
}

// The box's width is the limit for both sides, so in a tall box a picture
// higher than the box is wide shrinks below the box's size.
TEST_F(DrawRectImage, TallBoxLimitsBothSidesByItsWidth) {
  CxImage fitting = Solid(150, 300);
  RECT box{0, 0, 100, 200};
  NBDrawRectImage(&dc, &fitting, &box);
  EXPECT_EQ(Painted(), CRect(25, 50, 75, 150));  // 50 x 100, not the whole box
}

TEST_F(DrawRectImage, PictureWithinATallBoxButHigherThanItsWidthShrinks) {
  CxImage image = Solid(60, 150);
  RECT box{10, 10, 110, 210};
  NBDrawRectImage(&dc, &image, &box);
  EXPECT_EQ(Painted(), CRect(40, 60, 80, 160));  // 40 x 100 centred
}

// The tall picture in a wide box is scaled by the height, so it stays inside
// the box instead of covering what lies above and below it.
TEST_F(DrawRectImage, TallPictureInAWideBoxStaysInside) {
  CxImage image = Solid(100, 400);
  RECT box{20, 80, 220, 130};
  NBDrawRectImage(&dc, &image, &box);
  EXPECT_EQ(Painted(), CRect(113, 80, 126, 130));  // 12.5 rounds to 13 wide, centred
}

TEST_F(DrawRectImage, PictureTallerButNarrowerThanTheBoxIsScaledByTheHeight) {
  CxImage image = Solid(80, 60);
  RECT box{0, 0, 200, 50};
  NBDrawRectImage(&dc, &image, &box);
  EXPECT_EQ(Painted(), CRect(66, 0, 133, 50));  // 66.67 rounds to 67 wide
}

TEST_F(DrawRectImage, NothingForBadArguments) {
  CxImage image = Solid(10, 10), empty;
  RECT inverted{50, 50, 10, 10}, flat{0, 0, 100, 0}, box{0, 0, 100, 100};
  NBDrawRectImage(&dc, &image, &inverted);
  NBDrawRectImage(&dc, &image, &flat);
  NBDrawRectImage(&dc, &empty, &box);
  NBDrawRectImage(&dc, nullptr, &box);
  NBDrawRectImage(&dc, &image, nullptr);
  NBDrawRectImage(nullptr, &image, &box);
  EXPECT_TRUE(Painted().IsRectEmpty());
}

}  // namespace
